#include "data/LastSynchronization.h"

#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Schema.h"

namespace vantrel::data {

bool LastSynchronization::read(QDate* date, QString* error)
{
    Database db;
    if (!openUserDatabase(db)) {
        *error = db.lastError();
        return false;
    }
    QueryResult result;
    if (!db.query(QStringLiteral("SELECT DATE01 FROM TABLE01 ORDER BY AUTONUMBER LIMIT 1"), {},
            &result)) {
        *error = db.lastError();
        return false;
    }
    *date = result.rows.isEmpty() ? QDate() : parseDateText(result.rows.first().first().toString());
    return true;
}

bool LastSynchronization::store(const QDate& date, QString* error)
{
    Database db;
    if (!openUserDatabase(db)) {
        *error = db.lastError();
        return false;
    }
    const QString text = date.toString(Qt::ISODate);
    const QVariant row
        = db.scalar(QStringLiteral("SELECT AUTONUMBER FROM TABLE01 ORDER BY AUTONUMBER LIMIT 1"));
    const bool stored = row.isValid()
        ? db.execute(
            QStringLiteral("UPDATE TABLE01 SET DATE01 = ? WHERE AUTONUMBER = ?"), { text, row })
        : db.execute(QStringLiteral("INSERT INTO TABLE01 (DATE01) VALUES (?)"), { text });
    if (!stored)
        *error = db.lastError();
    return stored;
}

} // namespace vantrel::data
