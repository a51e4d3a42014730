#pragma once

#include <QString>

namespace vantrel::data {

class Database;

// Creates the new table tableName in db from a worksheet (see readWorksheet): the
// first row that holds a value gives the column names (blanks around them dropped),
// every later row that holds a value becomes a row. A column of numbers only is
// NUMERIC, of dates only DATETEXT, any other TEXT (with Vantrel's case-insensitive
// collation). Fails, leaving db as it was, when the table exists or the sheet
// cannot be imported. Works inside a caller's transaction, so a replaced table can
// be dropped first and restored by rolling back when the import fails.
bool importWorksheet(Database& db, const QString& path, const QString& sheetName,
    const QString& tableName, QString* error);

} // namespace vantrel::data
