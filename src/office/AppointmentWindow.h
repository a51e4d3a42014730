#pragma once

#include "office/Appointment.h"

#include <QWidget>

class QDateTimeEdit;
class QLineEdit;
class QSpinBox;

namespace vantrel::office {

// An appointment for the user to finish: Subject, Start, Duration (minutes);
// "Save & Close" puts it into the agenda.
class AppointmentWindow : public QWidget {
    Q_OBJECT
public:
    explicit AppointmentWindow(const Appointment& appointment, QWidget* parent = nullptr);

    Appointment appointment() const;

private:
    void saveAndClose();
    void updateTitle();

    QString m_uid;
    QLineEdit* m_subject;
    QDateTimeEdit* m_start;
    QSpinBox* m_duration;
};

} // namespace vantrel::office
