#pragma once

#include <QDateTime>
#include <QString>

namespace vantrel::office {

// An appointment of the agenda; uid identifies it in the agenda file.
struct Appointment {
    QString uid;
    QString subject;
    QDateTime start;
    int durationMinutes = 30;

    QDateTime end() const { return start.addSecs(qint64(durationMinutes) * 60); }
};

} // namespace vantrel::office
