#pragma once

#include "office/AgendaItemWindow.h"
#include "office/Appointment.h"

class QDateTimeEdit;
class QSpinBox;

namespace vantrel::office {

// An appointment for the user to finish: Subject, Start, Duration (minutes);
// "Save & Close" puts it into the agenda.
class AppointmentWindow : public AgendaItemWindow {
    Q_OBJECT
public:
    explicit AppointmentWindow(const Appointment& appointment, QWidget* parent = nullptr);

    Appointment appointment() const;

private:
    bool saveItem(QString* error) override;

    QString m_uid;
    QDateTimeEdit* m_start;
    QSpinBox* m_duration;
};

} // namespace vantrel::office
