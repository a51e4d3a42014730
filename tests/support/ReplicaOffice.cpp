#include "ReplicaOffice.h"

#include "data/Database.h"
#include "data/KeyRange.h"
#include "data/Schema.h"

#include <QDir>
#include <QTest>

using namespace vantrel::data;

namespace vantrel::test {

ReplicaOffice::ReplicaOffice()
{
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("Server"));
    for (int i = 1; i <= 6; ++i)
        root.mkpath(QStringLiteral("Laptop%1").arg(i));
}

QString ReplicaOffice::laptop(int number) const
{
    return m_dir.filePath(QStringLiteral("Laptop%1/CONTACT.mdb").arg(number));
}

void ReplicaOffice::createServer(int companies) const
{
    QString error;
    QVERIFY2(createDatabaseFile(server(), DatabaseKind::Business, &error), qPrintable(error));
    Database db;
    QVERIFY(openBusinessDatabase(db, server()));
    Transaction transaction(db);
    for (int i = 0; i < companies; ++i) {
        const qint64 company = insertCompany(db, QStringLiteral("Company %1").arg(i));
        insertContact(db, company, QStringLiteral("First %1").arg(i));
        insertContact(db, company, QStringLiteral("Second %1").arg(i));
    }
    for (const char* name : { "Customer", "Supplier", "Prospect" })
        QVERIFY(db.execute(
            QStringLiteral("INSERT INTO MT01 (TEXT01) VALUES (?)"), { QString::fromLatin1(name) }));
    QVERIFY(transaction.commit());
}

QStringList dumpOf(const QString& path)
{
    Database db;
    if (!db.open(path))
        return { db.lastError() };
    QStringList lines;
    for (const QString& table : replicatedTables()) {
        QueryResult rows;
        // quote() shows the stored type too, so 1 and '1' differ.
        const QStringList columns = db.columnNames(table);
        QStringList quoted;
        for (const QString& column : columns)
            quoted.append(QStringLiteral("quote(%1)").arg(column));
        if (!db.query(QStringLiteral("SELECT %1 FROM %2 ORDER BY AUTONUMBER")
                          .arg(quoted.join(QStringLiteral(" || '|' || ")), table),
                {}, &rows))
            return { db.lastError() };
        for (const QVariantList& row : std::as_const(rows.rows))
            lines.append(table + QLatin1Char(' ') + row.value(0).toString());
    }
    return lines;
}

qint64 insertCompany(Database& db, const QString& name)
{
    if (!db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT01, TEXT02, TEXT03) VALUES (?, ?, ?)"),
            { name, QStringLiteral("Street"), QStringLiteral("Town") }))
        return -1;
    return db.lastInsertId();
}

qint64 insertContact(Database& db, qint64 company, const QString& name)
{
    if (!db.execute(
            QStringLiteral("INSERT INTO TABLE03 (NUMBER01, TEXT01, TEXT02) VALUES (?, ?, ?)"),
            { company, name, QStringLiteral("Smith") }))
        return -1;
    return db.lastInsertId();
}

} // namespace vantrel::test
