#include "data/WindowPlacement.h"

#include "data/Database.h"
#include "data/Schema.h"

namespace vantrel::data {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool WindowPlacement::load(WindowPlacement* placement, QString* error)
{
    Database db;
    QueryResult result;
    if (!openUserDatabase(db)
        || !db.query(QStringLiteral("SELECT NUMBER01, NUMBER02, NUMBER03, NUMBER04, NUMBER05 "
                                    "FROM TABLE04 ORDER BY AUTONUMBER LIMIT 1"),
            {}, &result))
        return fail(error, db.lastError());
    WindowPlacement loaded;
    if (!result.rows.isEmpty()) {
        const QVariantList& row = result.rows.first();
        loaded.normalGeometry = QRect(
            row.value(0).toInt(), row.value(1).toInt(), row.value(2).toInt(), row.value(3).toInt());
        loaded.maximized = row.value(4).toInt() == 1;
    }
    *placement = loaded;
    return true;
}

bool WindowPlacement::save(const WindowPlacement& placement, QString* error)
{
    Database db;
    if (!openUserDatabase(db))
        return fail(error, db.lastError());
    Transaction transaction(db);
    const QRect& frame = placement.normalGeometry;
    const QVariantList values { frame.x(), frame.y(), frame.width(), frame.height(),
        placement.maximized ? 1 : 0 };
    bool stored = db.execute(QStringLiteral("UPDATE TABLE04 SET NUMBER01 = ?, NUMBER02 = ?, "
                                            "NUMBER03 = ?, NUMBER04 = ?, NUMBER05 = ?"),
        values);
    if (stored && db.changedRows() == 0)
        stored = db.execute(QStringLiteral("INSERT INTO TABLE04 (NUMBER01, NUMBER02, NUMBER03, "
                                           "NUMBER04, NUMBER05) VALUES (?, ?, ?, ?, ?)"),
            values);
    if (!stored || !transaction.commit())
        return fail(error, db.lastError());
    return true;
}

} // namespace vantrel::data
