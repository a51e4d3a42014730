#pragma once

#include <QDate>
#include <QString>

namespace vantrel::data {

// The date of this workstation's last synchronization with the server's
// database: DATE01 of the row of TABLE01 in User.mdb.
class LastSynchronization {
public:
    // An invalid date when none is stored.
    static bool read(QDate* date, QString* error);
    static bool store(const QDate& date, QString* error);
};

} // namespace vantrel::data
