#pragma once

#include <QString>

namespace vantrel::data {

// The workstation's set-up flag: TEXT04 of the settings row of TABLE02 in
// User.mdb. "1" once the first-run set-up is done; the set-up screen is then skipped.
class SetupFlag {
public:
    static bool read(QString* value, QString* error);
    static bool store(const QString& value, QString* error);
    static bool isSetUp(const QString& value) { return value == QLatin1String("1"); }
};

} // namespace vantrel::data
