#pragma once

#include <QDate>
#include <QString>

namespace vantrel::office {

// A task of the agenda; uid identifies it in the agenda file.
struct Task {
    QString uid;
    QString subject;
    QDate dueDate;
};

} // namespace vantrel::office
