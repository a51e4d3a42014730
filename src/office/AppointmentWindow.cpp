#include "office/AppointmentWindow.h"

#include "office/MailProgram.h"
#include "platform/MessageBox.h"

#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vantrel::office {

AppointmentWindow::AppointmentWindow(const Appointment& appointment, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_uid(appointment.uid)
    , m_subject(new QLineEdit(appointment.subject, this))
    , m_start(new QDateTimeEdit(appointment.start, this))
    , m_duration(new QSpinBox(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_subject->setObjectName(QStringLiteral("Subject"));
    m_start->setObjectName(QStringLiteral("Start"));
    m_start->setCalendarPopup(true);
    m_duration->setObjectName(QStringLiteral("Duration"));
    m_duration->setRange(0, 14 * 24 * 60);
    m_duration->setSingleStep(15);
    m_duration->setSuffix(QStringLiteral(" minutes"));
    m_duration->setValue(appointment.durationMinutes);
    auto* save = new QPushButton(QStringLiteral("&Save && Close"), this);
    save->setObjectName(QStringLiteral("Save"));
    save->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("S&ubject:"), m_subject);
    form->addRow(QStringLiteral("S&tart:"), m_start);
    form->addRow(QStringLiteral("&Duration:"), m_duration);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(form);
    layout->addStretch();
    resize(520, 180);

    connect(save, &QPushButton::clicked, this, &AppointmentWindow::saveAndClose);
    connect(m_subject, &QLineEdit::textChanged, this, &AppointmentWindow::updateTitle);
    updateTitle();
    m_start->setFocus();
}

Appointment AppointmentWindow::appointment() const
{
    Appointment appointment;
    appointment.uid = m_uid;
    appointment.subject = m_subject->text();
    appointment.start = m_start->dateTime();
    appointment.durationMinutes = m_duration->value();
    return appointment;
}

void AppointmentWindow::saveAndClose()
{
    QString error;
    if (!MailProgram::instance().save(appointment(), &error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    close();
}

void AppointmentWindow::updateTitle()
{
    const QString subject = m_subject->text().trimmed();
    setWindowTitle((subject.isEmpty() ? QStringLiteral("Untitled") : subject)
        + QStringLiteral(" - Appointment"));
}

} // namespace vantrel::office
