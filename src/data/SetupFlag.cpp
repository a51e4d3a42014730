#include "data/SetupFlag.h"

#include "data/Database.h"
#include "data/Schema.h"

namespace vantrel::data {

namespace {

bool openSettings(data::Database& db, QString* error)
{
    if (data::openUserDatabase(db))
        return true;
    *error = db.lastError();
    return false;
}

} // namespace

bool SetupFlag::read(QString* value, QString* error)
{
    data::Database db;
    if (!openSettings(db, error))
        return false;
    data::QueryResult result;
    if (!db.query(QStringLiteral("SELECT TEXT04 FROM TABLE02 ORDER BY AUTONUMBER LIMIT 1"), {},
            &result)) {
        *error = db.lastError();
        return false;
    }
    *value = result.rows.isEmpty() ? QString() : result.rows.first().first().toString();
    return true;
}

bool SetupFlag::store(const QString& value, QString* error)
{
    data::Database db;
    if (!openSettings(db, error))
        return false;
    const QVariant row
        = db.scalar(QStringLiteral("SELECT AUTONUMBER FROM TABLE02 ORDER BY AUTONUMBER LIMIT 1"));
    const bool stored = row.isValid()
        ? db.execute(
            QStringLiteral("UPDATE TABLE02 SET TEXT04 = ? WHERE AUTONUMBER = ?"), { value, row })
        : db.execute(QStringLiteral("INSERT INTO TABLE02 (TEXT04) VALUES (?)"), { value });
    if (!stored)
        *error = db.lastError();
    return stored;
}

} // namespace vantrel::data
