#pragma once

#include <QDateTime>
#include <QString>

namespace vantrel::companies {

// The program folder's call log "BCTelephone": one row per call, newest on top,
// no heading row. Column A the date and time, B the number, C the contact's
// name, D the company.
class CallLog {
public:
    struct Call {
        QDateTime when;
        QString number;
        QString firstName;
        QString lastName;
        QString company;
    };

    // Inserts the call as row 1 of the first sheet and saves the workbook. A
    // missing workbook is not created, and one that cannot be written stays as it was.
    static bool log(const Call& call, QString* error);
};

} // namespace vantrel::companies
