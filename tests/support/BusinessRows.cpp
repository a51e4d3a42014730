#include "BusinessRows.h"

#include "data/Schema.h"

#include <QStringList>

namespace vantrel::test {

data::Database businessDatabase()
{
    data::Database db;
    if (!data::openBusinessDatabase(db))
        qFatal("no CONTACT.mdb");
    return db;
}

qint64 insertRow(const QString& table, const QVariantMap& values)
{
    data::Database db = businessDatabase();
    const QStringList columns = values.keys();
    const QStringList marks(columns.size(), QStringLiteral("?"));
    if (!db.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(table, columns.join(','), marks.join(',')),
            values.values()))
        qFatal("%s", qPrintable(db.lastError()));
    return db.lastInsertId();
}

int rowCount(const QString& table)
{
    data::Database db = businessDatabase();
    data::QueryResult result;
    if (!db.query(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table), {}, &result))
        qFatal("%s", qPrintable(db.lastError()));
    return result.rows.first().value(0).toInt();
}

} // namespace vantrel::test
