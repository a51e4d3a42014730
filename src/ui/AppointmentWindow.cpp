#include "ui/AppointmentWindow.h"

#include "office/MailProgram.h"

#include <QDateTimeEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace vantrel::ui {

AppointmentWindow::AppointmentWindow(const office::Appointment& appointment, QWidget* parent)
    : AgendaItemWindow(appointment.subject, QStringLiteral("Appointment"), parent)
    , m_uid(appointment.uid)
    , m_start(new QDateTimeEdit(appointment.start, this))
    , m_duration(new QSpinBox(this))
{
    m_start->setObjectName(QStringLiteral("Start"));
    m_start->setDisplayFormat(entryFormat(true));
    m_start->setCalendarPopup(true);
    m_duration->setObjectName(QStringLiteral("Duration"));
    m_duration->setRange(0, 14 * 24 * 60);
    m_duration->setSingleStep(15);
    m_duration->setSuffix(QStringLiteral(" minutes"));
    m_duration->setValue(appointment.durationMinutes);
    form()->addRow(QStringLiteral("S&tart:"), m_start);
    form()->addRow(QStringLiteral("&Duration:"), m_duration);
    resize(520, 180);
    m_start->setFocus();
}

office::Appointment AppointmentWindow::appointment() const
{
    office::Appointment appointment;
    appointment.uid = m_uid;
    appointment.subject = subjectEdit()->text();
    appointment.start = m_start->dateTime();
    appointment.durationMinutes = m_duration->value();
    return appointment;
}

bool AppointmentWindow::saveItem(QString* error)
{
    return office::MailProgram::instance().save(appointment(), error);
}

} // namespace vantrel::ui
