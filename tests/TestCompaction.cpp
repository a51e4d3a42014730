#include "data/Compaction.h"
#include "data/Database.h"
#include "data/Schema.h"

#include "TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <algorithm>

using namespace vantrel::data;

namespace {

const QString backupFile = QStringLiteral("Temp/CONTACT.bak");

// Call reports of `size` bytes each, the first `deleted` of them deleted again, so
// that a compaction has room to give back.
void fillCallReports(int count, int size, int deleted = 0)
{
    Database db;
    QVERIFY(openBusinessDatabase(db));
    Transaction transaction(db);
    for (int i = 0; i < count; ++i)
        QVERIFY(db.execute("INSERT INTO TABLE08 (NUMBER01, MEMO01) VALUES (?, ?)",
            { i, QString(size, QLatin1Char('a' + i % 26)) }));
    QVERIFY(transaction.commit());
    if (deleted > 0)
        QVERIFY(db.execute("DELETE FROM TABLE08 WHERE NUMBER01 < ?", { deleted }));
}

// Opens the file as the program would and checks it from end to end.
QString soundnessOf(const QString& path, int* callReports = nullptr)
{
    Database db;
    if (!openBusinessDatabase(db, path))
        return db.lastError();
    const QString verdict = db.scalar("PRAGMA integrity_check").toString();
    if (callReports)
        *callReports = db.scalar("SELECT COUNT(*) FROM TABLE08").toInt();
    return verdict;
}

} // namespace

class TestCompaction : public QObject {
    Q_OBJECT
private slots:
    void compactsIntoANewSoundFile();
    void refusesToOverwriteOrReadGarbage();
    void compactsInPlaceKeepingTheFileAsBackup();
    void secondCompactionReplacesTheBackup();
    void leftoverOfAnInterruptedRunDoesNotBlock();
    void failedBackupLeavesTheDatabaseAsItWas();
    void killedCompactionAlwaysLeavesEveryCommittedRow();
    void backupIsAConsistentCopyOfTheOpenDatabase();
};

void TestCompaction::compactsIntoANewSoundFile()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    fillCallReports(2000, 2000, 1990);
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
    QVERIFY(!compactInPlace("Broken.mdb", "Temp/Broken.bak", &error));
    QCOMPARE(QFileInfo("Broken.mdb").size(), 8192);
    QVERIFY(!QFile::exists("Temp/Broken.bak"));

    QVERIFY(!compactDatabase("Missing.mdb", "Out.mdb", &error));
    QVERIFY(error.contains("Missing.mdb"));
}

void TestCompaction::compactsInPlaceKeepingTheFileAsBackup()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    fillCallReports(2000, 2000, 1990);
    const qint64 before = QFileInfo("CONTACT.mdb").size();
    QString error;
    QVERIFY2(compactInPlace("CONTACT.mdb", backupFile, &error), qPrintable(error));

    int rows = 0;
    QCOMPARE(soundnessOf("CONTACT.mdb", &rows), QStringLiteral("ok"));
    QCOMPARE(rows, 10);
    QVERIFY(QFileInfo("CONTACT.mdb").size() < before / 4);
    QCOMPARE(QFileInfo(backupFile).size(), before);
    QCOMPARE(soundnessOf(backupFile, &rows), QStringLiteral("ok"));
    QCOMPARE(rows, 10);
    // Nothing of the work is left beside the database or the backup.
    QCOMPARE(QDir().entryList(QDir::Files).size(), 2);
    QCOMPARE(QDir("Temp").entryList(QDir::Files), QStringList { "CONTACT.bak" });
    // The delivered database, should one still lie in the folder, is no compaction file.
    QVERIFY(!compactionFileOf("CONTACT.mdb").endsWith("/Temp.mdb"));
}

void TestCompaction::secondCompactionReplacesTheBackup()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    fillCallReports(500, 1000, 100);
    QString error;
    QVERIFY2(compactInPlace("CONTACT.mdb", backupFile, &error), qPrintable(error));
    fillCallReports(50, 1000);
    const QByteArray beforeSecond = [] {
        QFile file("CONTACT.mdb");
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    QVERIFY2(compactInPlace("CONTACT.mdb", backupFile, &error), qPrintable(error));

    QFile backup(backupFile);
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QVERIFY(backup.readAll() == beforeSecond);
    QCOMPARE(QDir("Temp").entryList(QDir::Files), QStringList { "CONTACT.bak" });
    int rows = 0;
    QCOMPARE(soundnessOf("CONTACT.mdb", &rows), QStringLiteral("ok"));
    QCOMPARE(rows, 450);
}

void TestCompaction::leftoverOfAnInterruptedRunDoesNotBlock()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    fillCallReports(20, 100);
    for (const QString& leftover : { compactionFileOf("CONTACT.mdb"),
             QFileInfo(backupFile).absoluteFilePath() + "-writing" }) {
        QDir().mkpath("Temp");
        QFile file(leftover);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("half a database");
    }
    QString error;
    QVERIFY2(compactInPlace("CONTACT.mdb", backupFile, &error), qPrintable(error));
    QVERIFY(!QFile::exists(compactionFileOf("CONTACT.mdb")));
    QCOMPARE(QDir("Temp").entryList(QDir::Files), QStringList { "CONTACT.bak" });
    int rows = 0;
    QCOMPARE(soundnessOf("CONTACT.mdb", &rows), QStringLiteral("ok"));
    QCOMPARE(rows, 20);
}

void TestCompaction::failedBackupLeavesTheDatabaseAsItWas()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    fillCallReports(200, 1000, 150);
    // A file where the backup folder should be: the backup cannot be written.
    QFile blocker("Temp");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const qint64 before = QFileInfo("CONTACT.mdb").size();
    QString error;
    QVERIFY(!compactInPlace("CONTACT.mdb", backupFile, &error));
    QVERIFY2(error.contains("backup"), qPrintable(error));
    QCOMPARE(QFileInfo("CONTACT.mdb").size(), before);
    QVERIFY(!QFile::exists(compactionFileOf("CONTACT.mdb")));
    int rows = 0;
    QCOMPARE(soundnessOf("CONTACT.mdb", &rows), QStringLiteral("ok"));
    QCOMPARE(rows, 50);
}

// A compaction is killed at moments spread over its whole run; each time the
// folder must hold a sound CONTACT.mdb with every row committed before, and the
// next compaction must go through whatever was left.
void TestCompaction::killedCompactionAlwaysLeavesEveryCommittedRow()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    fillCallReports(3000, 2000, 1000);
    QDir().mkpath("Temp");

    QElapsedTimer clock;
    clock.start();
    {
        QString error;
        QVERIFY(compactDatabase("CONTACT.mdb", "Probe.mdb", &error));
        QFile::remove("Probe.mdb");
    }
    // A run copies the database twice (compacted copy and backup) and checks it once.
    const qint64 runMs = std::max<qint64>(20, clock.elapsed() * 3);

    const int trials = 36;
    int rowsCommitted = 2000;
    int interruptedMidway = 0;
    for (int trial = 0; trial < trials; ++trial) {
        {
            Database db;
            QVERIFY(openBusinessDatabase(db));
            QVERIFY(db.execute("INSERT INTO TABLE08 (NUMBER01, MEMO01) VALUES (?, ?)",
                { 100000 + trial, QStringLiteral("trial %1").arg(trial) }));
            ++rowsCommitted;
        }
        QProcess compactor;
        compactor.start(VANTREL_COMPACTOR, { folder.path() });
        QVERIFY(compactor.waitForStarted());
        QVERIFY(compactor.waitForReadyRead(10000));
        QTest::qSleep(int(runMs * ((trial * 7) % trials) / trials) + trial % 3);
        compactor.kill();
        QVERIFY(compactor.waitForFinished(10000));
        QVERIFY2(compactor.exitStatus() == QProcess::CrashExit,
            compactor.readAllStandardError().constData());
        if (QFile::exists(compactionFileOf("CONTACT.mdb")))
            ++interruptedMidway;

        int rows = 0;
        QCOMPARE(soundnessOf("CONTACT.mdb", &rows), QStringLiteral("ok"));
        QCOMPARE(rows, rowsCommitted);
        Database db;
        QVERIFY(openBusinessDatabase(db));
        QCOMPARE(
            db.scalar("SELECT COUNT(*) FROM TABLE08 WHERE NUMBER01 >= 100000").toInt(), trial + 1);
    }
    qInfo("%d of %d runs were killed in the middle of writing the compacted copy",
        interruptedMidway, trials);
    QVERIFY(interruptedMidway > 0);

    QString error;
    QVERIFY2(compactInPlace("CONTACT.mdb", backupFile, &error), qPrintable(error));
    int rows = 0;
    QCOMPARE(soundnessOf("CONTACT.mdb", &rows), QStringLiteral("ok"));
    QCOMPARE(rows, rowsCommitted);
    QVERIFY(!QFile::exists(compactionFileOf("CONTACT.mdb")));
}

void TestCompaction::backupIsAConsistentCopyOfTheOpenDatabase()
{
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    fillCallReports(300, 500);
    Database db;
    QVERIFY(openBusinessDatabase(db));
    QString error;
    QVERIFY2(backupDatabase(db, "Temp/CONTACT.mdb", &error), qPrintable(error));
    QVERIFY(db.execute("DELETE FROM TABLE08"));
    int rows = 0;
    QCOMPARE(soundnessOf("Temp/CONTACT.mdb", &rows), QStringLiteral("ok"));
    QCOMPARE(rows, 300);

    // A second backup replaces the first.
    QVERIFY2(backupDatabase(db, "Temp/CONTACT.mdb", &error), qPrintable(error));
    QCOMPARE(soundnessOf("Temp/CONTACT.mdb", &rows), QStringLiteral("ok"));
    QCOMPARE(rows, 0);
    QCOMPARE(QDir("Temp").entryList(QDir::Files), QStringList { "CONTACT.mdb" });
}

QTEST_GUILESS_MAIN(TestCompaction)
#include "TestCompaction.moc"
