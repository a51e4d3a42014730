#include "data/SyncConflictLog.h"

#include "data/Database.h"
#include "data/Failure.h"
#include "data/Schema.h"

namespace vantrel::data {

namespace {

QString storedText(const QVariant& value)
{
    return value.isValid() && !value.isNull() ? value.toString() : QString();
}

bool openLog(Database& db, QString* error)
{
    return openUserDatabase(db) || fail(error, db.lastError());
}

} // namespace

bool SyncConflictLog::replace(const QList<SyncConflict>& conflicts, QString* error)
{
    Database db;
    if (!openLog(db, error))
        return false;
    Transaction transaction(db);
    if (!transaction.isActive() || !db.execute(QStringLiteral("DELETE FROM TABLE05")))
        return fail(error, db.lastError());
    for (const SyncConflict& conflict : conflicts) {
        if (!db.execute(QStringLiteral("INSERT INTO TABLE05 (TEXT01, NUMBER01, TEXT02, MEMO01, "
                                       "MEMO02, TEXT03, DATE01) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                { conflict.table, qlonglong(conflict.key), conflict.column,
                    storedText(conflict.keptValue), storedText(conflict.lostValue), conflict.rule,
                    conflict.time }))
            return fail(error, db.lastError());
    }
    return transaction.commit() || fail(error, db.lastError());
}

bool SyncConflictLog::read(QList<SyncConflict>* conflicts, QString* error)
{
    Database db;
    QueryResult rows;
    if (!openLog(db, error)
        || !db.query(QStringLiteral("SELECT TEXT01, NUMBER01, TEXT02, MEMO01, MEMO02, TEXT03, "
                                    "DATE01 FROM TABLE05 ORDER BY DATE01, AUTONUMBER"),
            {}, &rows))
        return fail(error, db.lastError());
    conflicts->clear();
    for (const QVariantList& row : std::as_const(rows.rows)) {
        conflicts->append(
            { row.value(0).toString(), row.value(1).toLongLong(), row.value(2).toString(),
                row.value(3), row.value(4), row.value(5).toString(), row.value(6).toDateTime() });
    }
    return true;
}

bool SyncConflictLog::clear(QString* error)
{
    Database db;
    return (openLog(db, error) && db.execute(QStringLiteral("DELETE FROM TABLE05")))
        || fail(error, db.lastError());
}

} // namespace vantrel::data
