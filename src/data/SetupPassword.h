#pragma once

#include <QString>

namespace vantrel::data {

// The password of the advanced setup menu: the password row of CONTACT.mdb
// (TABLE02), stored in TEXT02 and, once changed, also in TEXT01.
class SetupPassword {
public:
    // The stored password; false with the reason when it cannot be read.
    static bool read(QString* password, QString* error);
    static bool write(const QString& password, QString* error);
};

} // namespace vantrel::data
