#include "data/Compaction.h"
#include "data/Database.h"
#include "data/Schema.h"

#include "TestFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace vantrel::data;

class TestCompaction : public QObject {
    Q_OBJECT
private slots:
    void compactsIntoANewSoundFile();
    void refusesToOverwriteOrReadGarbage();
};

void TestCompaction::compactsIntoANewSoundFile()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    {
        Database db;
        QVERIFY(openBusinessDatabase(db));
        Transaction transaction(db);
        for (int i = 0; i < 2000; ++i)
            QVERIFY(db.execute("INSERT INTO TABLE08 (NUMBER01, MEMO01) VALUES (?, ?)",
                { i, QString(2000, QLatin1Char('x')) }));
        QVERIFY(transaction.commit());
        QVERIFY(db.execute("DELETE FROM TABLE08 WHERE NUMBER01 >= 10"));
    }
    const qint64 before = QFileInfo("CONTACT.mdb").size();
    QString error;
    QVERIFY2(compactDatabase("CONTACT.mdb", "Temp.mdb", &error), qPrintable(error));
    QVERIFY(QFileInfo("Temp.mdb").size() < before / 4);
    QCOMPARE(QFileInfo("CONTACT.mdb").size(), before);

    Database compacted;
    QVERIFY(openBusinessDatabase(compacted, "Temp.mdb"));
    QCOMPARE(compacted.scalar("SELECT COUNT(*) FROM TABLE08").toInt(), 10);
    QCOMPARE(compacted.scalar("SELECT TEXT02 FROM TABLE02").toString(), QStringLiteral("Keystone"));
}

void TestCompaction::refusesToOverwriteOrReadGarbage()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    QString error;
    QVERIFY(!compactDatabase("CONTACT.mdb", "User.mdb", &error));
    QVERIFY(error.contains("already exists"));

    QFile garbage("Broken.mdb");
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(8192, '\x5a'));
    garbage.close();
    QVERIFY(!compactDatabase("Broken.mdb", "Out.mdb", &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists("Out.mdb"));

    QVERIFY(!compactDatabase("Missing.mdb", "Out.mdb", &error));
    QVERIFY(error.contains("Missing.mdb"));
}

QTEST_GUILESS_MAIN(TestCompaction)
#include "TestCompaction.moc"
