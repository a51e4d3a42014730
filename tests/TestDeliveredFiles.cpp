#include "data/Database.h"
#include "data/Schema.h"

#include "TestFolder.h"

#include <QFile>
#include <QTest>

using namespace vantrel::data;

// The databases the build puts into the program folder are what a new
// installation starts with.
class TestDeliveredFiles : public QObject {
    Q_OBJECT
private slots:
    void deliveredDatabasesOpen()
    {
        vantrel::test::TestFolder folder;
        for (const char* name : { "Temp.mdb", "User.mdb" })
            QVERIFY(
                QFile::copy(QStringLiteral(VANTREL_PROGRAM_DIR "/") + name, folder.filePath(name)));

        Database business;
        QVERIFY2(openBusinessDatabase(business, "Temp.mdb"), qPrintable(business.lastError()));
        QCOMPARE(business.scalar("PRAGMA user_version").toInt(),
            currentSchemaVersion(DatabaseKind::Business));
        QCOMPARE(
            business.scalar("SELECT TEXT02 FROM TABLE02").toString(), QStringLiteral("Keystone"));
        QCOMPARE(business.scalar("SELECT COUNT(*) FROM TABLE01").toInt(), 0);

        Database user;
        QVERIFY2(openUserDatabase(user), qPrintable(user.lastError()));
        QCOMPARE(
            user.scalar("SELECT TEXT03 FROM TABLE02").toString(), QStringLiteral("All Companies"));
        // A new installation is not set up yet: the set-up screen must show.
        QVERIFY(user.scalar("SELECT TEXT04 FROM TABLE02").toString().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDeliveredFiles)
#include "TestDeliveredFiles.moc"
