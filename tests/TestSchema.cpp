#include "data/Database.h"
#include "data/Schema.h"
#include "data/Statement.h"

#include "TestFolder.h"

#include <QFile>
#include <QTest>

using namespace vantrel::data;

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void everyTableAndColumnHasItsKind_data();
    void everyTableAndColumnHasItsKind();
    void initialRows();
    void deliveredDefaults();
    void olderWorkstationFileIsMigrated();
    void refusesWrongOrNewerFiles();
    void missingFileIsNotCreated();
};

void TestSchema::everyTableAndColumnHasItsKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("tables");
    QTest::newRow("CONTACT.mdb") << int(DatabaseKind::Business)
                                 << QStringList { "TABLE01", "TABLE02", "TABLE03", "TABLE05",
                                        "TABLE06", "TABLE07", "TABLE08", "TABLE09", "TABLE10",
                                        "TABLE11", "TABLE13", "MT01", "MT02", "MT03", "MT04",
                                        "MT05", "MT06", "MT08", "MT09", "MT10", "MT12", "MT13" };
    QTest::newRow("User.mdb") << int(DatabaseKind::User)
                              << QStringList { "TABLE01", "TABLE02", "TABLE03", "TABLE04",
                                     "TABLE05" };
}

void TestSchema::everyTableAndColumnHasItsKind()
{
    QFETCH(int, kind);
    QFETCH(QStringList, tables);
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY2(
        createDatabaseFile(QStringLiteral("X.mdb"), DatabaseKind(kind), &error), qPrintable(error));
    Database db;
    QVERIFY(db.open(QStringLiteral("X.mdb")));

    QueryResult names;
    QVERIFY(db.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                    "name NOT LIKE 'sqlite*' ORDER BY name"),
        {}, &names));
    QStringList actual;
    for (const QVariantList& row : std::as_const(names.rows))
        actual.append(row.at(0).toString());
    QStringList expected = tables;
    std::sort(expected.begin(), expected.end());
    QCOMPARE(actual, expected);

    for (const TableDefinition& table : tablesOf(DatabaseKind(kind))) {
        QueryResult info;
        QVERIFY(db.query(QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)"),
            { table.name }, &info));
        QCOMPARE(info.rows.size(), table.columns.size());
        for (const QVariantList& column : std::as_const(info.rows)) {
            const QString name = column.at(0).toString();
            QCOMPARE(column.at(1).toString(), declaredTypeOf(columnKindOf(name)));
            QCOMPARE(column.at(2).toInt() == 1, name == u"AUTONUMBER");
        }
    }
    QCOMPARE(db.scalar(QStringLiteral("PRAGMA user_version")).toInt(),
        currentSchemaVersion(DatabaseKind(kind)));
}

void TestSchema::initialRows()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    Database contact;
    QVERIFY(openBusinessDatabase(contact));
    QCOMPARE(contact.scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE02")).toInt(), 1);
    QCOMPARE(contact.scalar(QStringLiteral("SELECT TEXT02 FROM TABLE02")).toString(),
        QStringLiteral("Keystone"));
    for (const QString& table : { QStringLiteral("TABLE01"), QStringLiteral("TABLE03"),
             QStringLiteral("MT12"), QStringLiteral("TABLE08") })
        QCOMPARE(contact.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(), 0);

    Database user;
    QVERIFY(openUserDatabase(user));
    for (const QString& table :
        { QStringLiteral("TABLE01"), QStringLiteral("TABLE02"), QStringLiteral("TABLE03") })
        QCOMPARE(user.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(), 1);
    QCOMPARE(user.scalar(QStringLiteral("SELECT TEXT03 FROM TABLE02")).toString(),
        QStringLiteral("All Companies"));
    QVERIFY(user.scalar(QStringLiteral("SELECT TEXT04 FROM TABLE02")).toString().isEmpty());
}

void TestSchema::deliveredDefaults()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    Database db;
    QVERIFY(openBusinessDatabase(db));
    // A company inserted with a few columns only (the mail-program import) is active.
    QVERIFY(db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT01, TEXT08) VALUES (?, ?)"),
        { QStringLiteral("O'Brien & Sons"), QStringLiteral("Cork") }));
    QCOMPARE(db.scalar(QStringLiteral("SELECT TEXT20 FROM TABLE01")).toString(),
        QStringLiteral("Company"));
    // Keys keep counting after a delete, as the engine's autonumber does.
    const qint64 first = db.lastInsertId();
    QVERIFY(db.execute(QStringLiteral("DELETE FROM TABLE01")));
    QVERIFY(db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT01) VALUES ('Next')")));
    QVERIFY(db.lastInsertId() > first);
    // Dates go in as dates and come back as dates.
    QVERIFY(db.execute(QStringLiteral("UPDATE TABLE01 SET DATE01 = ?"), { QDate(2026, 3, 4) }));
    QCOMPARE(db.scalar(QStringLiteral("SELECT DATE01 FROM TABLE01")), QVariant(QDate(2026, 3, 4)));
}

void TestSchema::olderWorkstationFileIsMigrated()
{
    vantrel::test::TestFolder folder;
    {
        // A workstation file as the first schema version wrote it.
        Database db;
        QVERIFY(db.open(QStringLiteral("User.mdb"), Database::OpenMode::CreateIfMissing));
        QVERIFY(db.executeScript(QStringLiteral(
            "CREATE TABLE TABLE01 (AUTONUMBER INTEGER PRIMARY KEY AUTOINCREMENT, DATE01 DATETEXT, "
            "TEXT09 TEXT);"
            "CREATE TABLE TABLE02 (AUTONUMBER INTEGER PRIMARY KEY AUTOINCREMENT, TEXT03 TEXT, "
            "TEXT04 TEXT, TEXT07 TEXT, TEXT08 TEXT, TEXT09 TEXT, TEXT10 TEXT);"
            "INSERT INTO TABLE02 (TEXT03, TEXT04) VALUES ('Anna', '1');"
            "PRAGMA user_version = 1; PRAGMA application_id = 1447120469;")));
    }
    Database db;
    QVERIFY2(openUserDatabase(db), qPrintable(db.lastError()));
    QCOMPARE(db.scalar(QStringLiteral("PRAGMA user_version")).toInt(),
        currentSchemaVersion(DatabaseKind::User));
    QCOMPARE(
        db.scalar(QStringLiteral("SELECT TEXT03 FROM TABLE02")).toString(), QStringLiteral("Anna"));
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE03")).toInt(), 1);
}

void TestSchema::refusesWrongOrNewerFiles()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    Database db;
    QVERIFY(!openBusinessDatabase(db, QStringLiteral("User.mdb")));
    QVERIFY(db.lastError().contains(QStringLiteral("not a business database")));

    {
        Database newer;
        QVERIFY(newer.open(QStringLiteral("CONTACT.mdb")));
        QVERIFY(newer.execute(QStringLiteral("PRAGMA user_version = 99")));
    }
    QVERIFY(!openBusinessDatabase(db));
    QVERIFY(db.lastError().contains(QStringLiteral("newer version")));

    QFile garbage(folder.filePath(QStringLiteral("Garbage.mdb")));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    QVERIFY(!openBusinessDatabase(db, QStringLiteral("Garbage.mdb")));
    QVERIFY(db.lastError().contains(QStringLiteral("not a database")));
}

void TestSchema::missingFileIsNotCreated()
{
    vantrel::test::TestFolder folder;
    Database db;
    QVERIFY(!openBusinessDatabase(db));
    QVERIFY(db.lastError().contains(QStringLiteral("CONTACT.mdb")));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("CONTACT.mdb"))));
}

QTEST_GUILESS_MAIN(TestSchema)
#include "TestSchema.moc"
