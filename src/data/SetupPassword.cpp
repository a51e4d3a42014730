#include "data/SetupPassword.h"

#include "data/Database.h"
#include "data/Failure.h"
#include "data/Schema.h"

namespace vantrel::data {

bool SetupPassword::read(QString* password, QString* error)
{
    data::Database db;
    if (!data::openBusinessDatabase(db))
        return fail(error, db.lastError());
    data::QueryResult result;
    if (!db.query(
            QStringLiteral("SELECT TEXT02 FROM TABLE02 ORDER BY AUTONUMBER LIMIT 1"), {}, &result))
        return fail(error, db.lastError());
    if (result.rows.isEmpty())
        return fail(error, QStringLiteral("The database holds no setup password."));
    *password = result.rows.first().first().toString();
    return true;
}

bool SetupPassword::write(const QString& password, QString* error)
{
    data::Database db;
    if (!data::openBusinessDatabase(db))
        return fail(error, db.lastError());
    data::QueryResult row;
    if (!db.query(
            QStringLiteral("SELECT AUTONUMBER FROM TABLE02 ORDER BY AUTONUMBER LIMIT 1"), {}, &row))
        return fail(error, db.lastError());
    const bool stored = row.rows.isEmpty()
        ? db.execute(QStringLiteral("INSERT INTO TABLE02 (TEXT01, TEXT02) VALUES (?, ?)"),
            { password, password })
        : db.execute(
            QStringLiteral("UPDATE TABLE02 SET TEXT01 = ?, TEXT02 = ? WHERE AUTONUMBER = ?"),
            { password, password, row.rows.first().first() });
    if (!stored)
        return fail(error, db.lastError());
    return true;
}

} // namespace vantrel::data
