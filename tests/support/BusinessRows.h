#pragma once

#include "data/Database.h"

#include <QString>
#include <QVariantMap>

namespace vantrel::test {

// CONTACT.mdb of the working folder. Without it a test has nothing to check,
// so a missing file ends the test program.
data::Database businessDatabase();

// Stores one row in a table of CONTACT.mdb, the keys naming the columns, and
// returns its AUTONUMBER. Fixtures that cannot be written end the test program.
qint64 insertRow(const QString& table, const QVariantMap& values);

// How many rows a table of CONTACT.mdb holds.
int rowCount(const QString& table);

} // namespace vantrel::test
