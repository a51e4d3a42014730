#pragma once

#include "office/Appointment.h"
#include "ui/AgendaItemWindow.h"

class QDateTimeEdit;
class QSpinBox;

namespace vantrel::ui {

// An appointment for the user to finish: Subject, Start, Duration (minutes);
// "Save & Close" puts it into the agenda.
class AppointmentWindow : public AgendaItemWindow {
    Q_OBJECT
public:
    explicit AppointmentWindow(const office::Appointment& appointment, QWidget* parent = nullptr);

    office::Appointment appointment() const;

private:
    bool saveItem(QString* error) override;

    QString m_uid;
    QDateTimeEdit* m_start;
    QSpinBox* m_duration;
};

} // namespace vantrel::ui
