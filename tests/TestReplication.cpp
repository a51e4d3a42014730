#include "data/BoundView.h"
#include "data/Database.h"
#include "data/KeyRange.h"
#include "data/ReplicaFiles.h"
#include "data/ReplicaProperties.h"
#include "data/ReplicaSet.h"
#include "data/Schema.h"
#include "data/ServerLock.h"
#include "data/SyncConflictLog.h"

#include "ReplicaOffice.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTest>

using namespace vantrel::data;
using vantrel::test::dumpOf;
using vantrel::test::insertCompany;
using vantrel::test::insertContact;
using vantrel::test::ReplicaOffice;

namespace {

bool create(const ReplicaOffice& office, int laptop, QString* error = nullptr)
{
    QString problem;
    const bool made = ReplicaSet::createReplica(office.server(), office.laptop(laptop), &problem);
    if (error)
        *error = problem;
    else if (!made)
        qWarning("%s", qPrintable(problem));
    return made;
}

// The office most cases need: the server and two laptops with replicas of it.
bool createServerAndTwoReplicas(const ReplicaOffice& office)
{
    office.createServer();
    return create(office, 1) && create(office, 2);
}

SyncOutcome sync(const ReplicaOffice& office, int laptop)
{
    SyncOutcome outcome;
    QString error;
    if (!ReplicaSet::synchronize(office.laptop(laptop), office.server(), &outcome, &error))
        qWarning("%s", qPrintable(error));
    return outcome;
}

bool execute(const QString& path, const QString& sql, const QVariantList& parameters = {})
{
    Database db;
    return openBusinessDatabase(db, path) && db.execute(sql, parameters);
}

QVariant valueIn(const QString& path, const QString& sql, const QVariantList& parameters = {})
{
    Database db;
    if (!openBusinessDatabase(db, path))
        return {};
    return db.scalar(sql, parameters);
}

QString propertyOf(const QString& path, const char* name)
{
    Database db;
    return db.open(path) ? readReplicaProperty(db, name) : QString();
}

qint64 companyKey(const QString& path, const QString& name)
{
    return valueIn(path, "SELECT AUTONUMBER FROM TABLE01 WHERE TEXT01 = ?", { name }).toLongLong();
}

// The server's properties and rows but the key range counter, which every
// replica creation moves.
QStringList serverStateOf(const QString& path)
{
    QStringList state = dumpOf(path);
    Database db;
    QueryResult rows;
    if (db.open(path)
        && db.query(
            "SELECT Name || '=' || Value FROM ReplicaProperties WHERE Name <> ? ORDER BY Name",
            { QString::fromLatin1(replicaProperty::nextKeyRange) }, &rows)) {
        for (const QVariantList& row : std::as_const(rows.rows))
            state.append(row.value(0).toString());
    }
    return state;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestReplication : public QObject {
    Q_OBJECT
private slots:
    void replicaCarriesDescriptionFlagAndRows();
    void serverAlreadyReplicableIsNotChanged();
    void failedCreationKeepsTheOlderDestination_data();
    void failedCreationKeepsTheOlderDestination();
    void serverHeldOpenRefusesReplicaCreation();
    void changesOnEachSideArriveEverywhere();
    void conflictsFollowTheRulesAndAreLogged();
    void deletedOnOneSideChangedOnTheOther();
    void keysOfTwoLaptopsNeverCollide();
    void setBasedChangesAndCaseCorrectionsTravel();
    void refusedSynchronizationChangesNothing();
    void failedServerWriteLeavesBothFilesAsTheyWere();
    void serverLockWaitsAndTakesOverStaleLocks();
    void keysOfANewRangeTravelThroughBoundViews();
};

void TestReplication::replicaCarriesDescriptionFlagAndRows()
{
    ReplicaOffice office;
    office.createServer();
    bool replicable = true;
    QVERIFY(ReplicaSet::isReplicable(office.server(), &replicable, nullptr));
    QVERIFY(!replicable);

    QString error;
    QVERIFY2(create(office, 1, &error), qPrintable(error));
    QVERIFY(ReplicaSet::isReplicable(office.server(), &replicable, nullptr));
    QVERIFY(replicable);
    QVERIFY(ReplicaSet::isReplicable(office.laptop(1), &replicable, nullptr));
    QVERIFY(!replicable);
    QString description;
    QVERIFY(ReplicaSet::description(office.laptop(1), &description, nullptr));
    QCOMPARE(description, "Replica of " + QDir::toNativeSeparators(office.server()));
    QVERIFY(ReplicaSet::description(office.server(), &description, nullptr));
    QCOMPARE(description, QString());
    QCOMPARE(dumpOf(office.laptop(1)), dumpOf(office.server()));

    // Beside the replica only its base; nothing of the work is left over.
    const QStringList left
        = QDir(QFileInfo(office.laptop(1)).absolutePath()).entryList(QDir::Files);
    QCOMPARE(left, QStringList({ "CONTACT.mdb", "CONTACT.mdb.base-1" }));
    QVERIFY(!QFileInfo::exists(ServerLock::lockFileOf(office.server())));

    // A new row on the replica gets a key above every key of the server.
    Database replica;
    QVERIFY(openBusinessDatabase(replica, office.laptop(1)));
    QVERIFY(insertCompany(replica, "Newcomer") >= keyRangeSize);

    QVERIFY(!ReplicaSet::description("/no/such/file.mdb", &description, &error));
    QVERIFY(!error.isEmpty());
}

void TestReplication::serverAlreadyReplicableIsNotChanged()
{
    ReplicaOffice office;
    office.createServer();
    QVERIFY(create(office, 1));
    const QStringList before = serverStateOf(office.server());
    QVERIFY(create(office, 2));
    QCOMPARE(serverStateOf(office.server()), before);
    QCOMPARE(propertyOf(office.laptop(2), replicaProperty::setId),
        propertyOf(office.laptop(1), replicaProperty::setId));
    // A replica is made from the server, never from another replica, whose key
    // ranges the server would not know.
    QString error;
    QVERIFY(!ReplicaSet::createReplica(office.laptop(1), office.laptop(3), &error));
    QVERIFY2(error.contains("is itself a replica"), qPrintable(error));
    QVERIFY(!QFileInfo::exists(office.laptop(3)));
}

void TestReplication::failedCreationKeepsTheOlderDestination_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("server missing") << "missing";
    QTest::newRow("server damaged") << "damaged";
    QTest::newRow("no room beside the destination") << "blocked";
    QTest::newRow("destination is the server") << "same";
}

void TestReplication::failedCreationKeepsTheOlderDestination()
{
    QFETCH(QString, failure);
    ReplicaOffice office;
    office.createServer();
    QVERIFY(create(office, 1));
    QVERIFY(execute(office.laptop(1), "INSERT INTO TABLE01 (TEXT01) VALUES ('Only here')"));
    const QByteArray older = contentOf(office.laptop(1));
    const QByteArray server = contentOf(office.server());
    QString target = office.laptop(1);
    if (failure == "missing")
        QVERIFY(QFile::remove(office.server()));
    if (failure == "damaged") {
        QFile file(office.server());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(8192, 'x'));
    }
    if (failure == "blocked")
        QVERIFY(QDir().mkpath(office.laptop(1) + ".new/in the way"));
    if (failure == "same")
        target = office.server();

    QString error;
    QVERIFY(!ReplicaSet::createReplica(office.server(), target, &error));
    QVERIFY(!error.isEmpty());
    if (failure == "missing" || failure == "damaged")
        QVERIFY2(error.startsWith("The database on the server could not be opened: "),
            qPrintable(error));
    QCOMPARE(contentOf(office.laptop(1)), older);
    if (failure == "same")
        QCOMPARE(contentOf(office.server()), server);
    // The replica still works with its own base.
    if (failure == "blocked" || failure == "same") {
        QVERIFY(QDir(office.laptop(1) + ".new").removeRecursively());
        const SyncOutcome outcome = sync(office, 1);
        QCOMPARE(outcome.sent, 1);
        QCOMPARE(dumpOf(office.laptop(1)), dumpOf(office.server()));
    }
    const QStringList left = QDir(QFileInfo(office.laptop(1)).absolutePath())
                                 .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(left,
        QStringList({ "CONTACT.mdb",
            failure == "blocked" || failure == "same" ? "CONTACT.mdb.base-2"
                                                      : "CONTACT.mdb.base-1" }));
}

void TestReplication::serverHeldOpenRefusesReplicaCreation()
{
    ReplicaOffice office;
    office.createServer();
    Database other;
    QVERIFY(openBusinessDatabase(other, office.server()));
    QVERIFY(other.execute("BEGIN"));
    QVERIFY(other.scalar("SELECT COUNT(*) FROM TABLE01").isValid());
    QString error;
    QVERIFY(!ReplicaSet::createReplica(office.server(), office.laptop(1), &error));
    QVERIFY2(error.contains("nobody may be connected"), qPrintable(error));
    QVERIFY(!QFileInfo::exists(office.laptop(1)));
    QVERIFY(other.execute("COMMIT"));
    bool replicable = true;
    QVERIFY(ReplicaSet::isReplicable(office.server(), &replicable, nullptr));
    QVERIFY(!replicable);
    other.close();
    QVERIFY(create(office, 1));
}

void TestReplication::changesOnEachSideArriveEverywhere()
{
    ReplicaOffice office;
    QVERIFY(createServerAndTwoReplicas(office));
    const QString a = office.laptop(1);
    const QString b = office.laptop(2);
    {
        Database db;
        QVERIFY(openBusinessDatabase(db, a));
        insertContact(db, insertCompany(db, "From A"), "Contact of A");
        QVERIFY(
            db.execute("UPDATE TABLE01 SET TEXT02 = 'Changed by A' WHERE TEXT01 = 'Company 1'"));
        QVERIFY(db.execute("DELETE FROM TABLE03 WHERE TEXT01 = 'First 2'"));
    }
    {
        Database db;
        QVERIFY(openBusinessDatabase(db, b));
        insertCompany(db, "From B");
        QVERIFY(db.execute("UPDATE TABLE03 SET TEXT05 = 'Changed by B' WHERE TEXT01 = 'Second 3'"));
        QVERIFY(db.execute("DELETE FROM TABLE01 WHERE TEXT01 = 'Company 4'"));
    }
    SyncOutcome outcome = sync(office, 1);
    QCOMPARE(outcome.sent, 4);
    QCOMPARE(outcome.received, 0);
    outcome = sync(office, 2);
    QCOMPARE(outcome.sent, 3);
    QCOMPARE(outcome.received, 4);
    QVERIFY(outcome.conflicts.isEmpty());
    outcome = sync(office, 1);
    QCOMPARE(outcome.sent, 0);
    QCOMPARE(outcome.received, 3);

    const QStringList server = dumpOf(office.server());
    QCOMPARE(dumpOf(a), server);
    QCOMPARE(dumpOf(b), server);
    QCOMPARE(valueIn(b, "SELECT TEXT02 FROM TABLE01 WHERE TEXT01 = 'Company 1'").toString(),
        QString("Changed by A"));
    QCOMPARE(
        valueIn(a, "SELECT COUNT(*) FROM TABLE01 WHERE TEXT01 IN ('From A', 'From B', 'Company 4')")
            .toInt(),
        2);
    QCOMPARE(valueIn(b, "SELECT COUNT(*) FROM TABLE03 WHERE TEXT01 IN ('First 2', 'Contact of A')")
                 .toInt(),
        1);
    QCOMPARE(valueIn(a, "SELECT TEXT05 FROM TABLE03 WHERE TEXT01 = 'Second 3'").toString(),
        QString("Changed by B"));
    // Only the current base is kept beside each replica.
    QCOMPARE(baseGenerationsOf(a), QList<qint64>({ 3 }));
    QCOMPARE(baseGenerationsOf(b), QList<qint64>({ 2 }));
}

void TestReplication::conflictsFollowTheRulesAndAreLogged()
{
    ReplicaOffice office;
    QVERIFY(createServerAndTwoReplicas(office));
    const QString a = office.laptop(1);
    const QString b = office.laptop(2);
    const qint64 key = companyKey(a, "Company 5");
    QVERIFY(execute(a,
        "UPDATE TABLE01 SET TEXT02 = 'Street of A', TEXT04 = 'Phone of A' WHERE AUTONUMBER = ?",
        { key }));
    QVERIFY(execute(b,
        "UPDATE TABLE01 SET TEXT03 = 'Town of B', TEXT04 = 'Phone of B' WHERE AUTONUMBER = ?",
        { key }));
    QVERIFY(sync(office, 1).conflicts.isEmpty());
    const SyncOutcome outcome = sync(office, 2);
    QCOMPARE(sync(office, 1).received, 1);

    // Different columns both survive; the same column goes to the workstation that
    // synchronized last, and the value that lost is listed.
    for (const QString& member : { a, b, office.server() }) {
        Database db;
        QVERIFY(openBusinessDatabase(db, member));
        QueryResult row;
        QVERIFY(db.query(
            "SELECT TEXT02, TEXT03, TEXT04 FROM TABLE01 WHERE AUTONUMBER = ?", { key }, &row));
        QCOMPARE(row.rows.value(0),
            QVariantList({ QString("Street of A"), QString("Town of B"), QString("Phone of B") }));
    }
    QCOMPARE(outcome.conflicts.size(), 1);
    const SyncConflict conflict = outcome.conflicts.first();
    QCOMPARE(conflict.table, QString("TABLE01"));
    QCOMPARE(conflict.key, key);
    QCOMPARE(conflict.column, QString("TEXT04"));
    QCOMPARE(conflict.keptValue.toString(), QString("Phone of B"));
    QCOMPARE(conflict.lostValue.toString(), QString("Phone of A"));
    QVERIFY(conflict.rule.contains("synchronized last"));
    QVERIFY(conflict.time.isValid());

    // The log of the workstation: replaced as a whole, read oldest first, cleared.
    vantrel::test::TestFolder folder;
    folder.createDatabases();
    QString error;
    SyncConflict older = conflict;
    older.time = conflict.time.addSecs(-60);
    older.column = "TEXT02";
    older.lostValue = QVariant();
    QVERIFY2(SyncConflictLog::replace({ conflict, older }, &error), qPrintable(error));
    QVERIFY(SyncConflictLog::replace({ conflict, older }, &error));
    QList<SyncConflict> read;
    QVERIFY2(SyncConflictLog::read(&read, &error), qPrintable(error));
    QCOMPARE(read.size(), 2);
    QCOMPARE(read.at(0).column, QString("TEXT02"));
    QCOMPARE(read.at(0).lostValue.toString(), QString());
    QCOMPARE(read.at(1).table, conflict.table);
    QCOMPARE(read.at(1).key, conflict.key);
    QCOMPARE(read.at(1).keptValue.toString(), QString("Phone of B"));
    QCOMPARE(read.at(1).lostValue.toString(), QString("Phone of A"));
    QCOMPARE(read.at(1).rule, conflict.rule);
    QCOMPARE(read.at(1).time.toSecsSinceEpoch(), conflict.time.toSecsSinceEpoch());
    QVERIFY(SyncConflictLog::clear(&error));
    QVERIFY(SyncConflictLog::read(&read, &error));
    QVERIFY(read.isEmpty());
}

void TestReplication::deletedOnOneSideChangedOnTheOther()
{
    ReplicaOffice office;
    QVERIFY(createServerAndTwoReplicas(office));
    const QString a = office.laptop(1);
    const QString b = office.laptop(2);
    const qint64 first = companyKey(a, "Company 6");
    const qint64 second = companyKey(a, "Company 7");
    // First: deleted on A, which synchronizes first; changed on B.
    QVERIFY(execute(a, "DELETE FROM TABLE01 WHERE AUTONUMBER = ?", { first }));
    QVERIFY(execute(b, "UPDATE TABLE01 SET TEXT05 = 'Kept by B' WHERE AUTONUMBER = ?", { first }));
    // Second: changed on A, deleted on B, which synchronizes last.
    QVERIFY(execute(a, "UPDATE TABLE01 SET TEXT05 = 'Kept by A' WHERE AUTONUMBER = ?", { second }));
    QVERIFY(execute(b, "DELETE FROM TABLE01 WHERE AUTONUMBER = ?", { second }));

    QVERIFY(sync(office, 1).conflicts.isEmpty());
    const SyncOutcome outcome = sync(office, 2);
    sync(office, 1);
    const QStringList server = dumpOf(office.server());
    QCOMPARE(dumpOf(a), server);
    QCOMPARE(dumpOf(b), server);
    QCOMPARE(valueIn(a, "SELECT TEXT05 FROM TABLE01 WHERE AUTONUMBER = ?", { first }).toString(),
        QString("Kept by B"));
    QCOMPARE(valueIn(b, "SELECT TEXT05 FROM TABLE01 WHERE AUTONUMBER = ?", { second }).toString(),
        QString("Kept by A"));
    QCOMPARE(valueIn(a, "SELECT TEXT01 FROM TABLE01 WHERE AUTONUMBER = ?", { first }).toString(),
        QString("Company 6"));

    QCOMPARE(outcome.conflicts.size(), 2);
    for (const SyncConflict& conflict : outcome.conflicts) {
        QCOMPARE(conflict.table, QString("TABLE01"));
        QVERIFY(conflict.column.isEmpty());
        QCOMPARE(conflict.lostValue.toString(), QString("(deleted)"));
        if (conflict.key == first) {
            QVERIFY(conflict.keptValue.toString().contains("Kept by B"));
            QVERIFY(conflict.rule.startsWith("Changed on this workstation and deleted on another"));
        }
        else {
            QCOMPARE(conflict.key, second);
            QVERIFY(conflict.keptValue.toString().contains("Kept by A"));
            QVERIFY(conflict.rule.startsWith("Deleted on this workstation and changed on another"));
        }
    }
}

void TestReplication::keysOfTwoLaptopsNeverCollide()
{
    ReplicaOffice office;
    QVERIFY(createServerAndTwoReplicas(office));
    // Several rounds, so that each laptop's new keys meet rows of the other's range.
    for (int round = 0; round < 3; ++round) {
        for (int laptop : { 1, 2 }) {
            Database db;
            QVERIFY(openBusinessDatabase(db, office.laptop(laptop)));
            for (int i = 0; i < 3; ++i) {
                const QString name = QStringLiteral("L%1 R%2 N%3").arg(laptop).arg(round).arg(i);
                const qint64 company = insertCompany(db, name);
                QVERIFY(company > 0);
                QVERIFY(insertContact(db, company, "Contact of " + name) > 0);
            }
        }
        sync(office, 1);
        sync(office, 2);
    }
    sync(office, 1);
    const QStringList server = dumpOf(office.server());
    QCOMPARE(dumpOf(office.laptop(1)), server);
    QCOMPARE(dumpOf(office.laptop(2)), server);
    Database db;
    QVERIFY(openBusinessDatabase(db, office.server()));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM TABLE01 WHERE TEXT01 LIKE 'L*'").toInt(), 18);
    // Every new contact still points to the company it was made for.
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM TABLE03 c JOIN TABLE01 k ON c.NUMBER01 = k.AUTONUMBER "
                       "WHERE c.TEXT01 = 'Contact of ' || k.TEXT01")
                 .toInt(),
        18);
    QVERIFY(db.scalar("SELECT MAX(AUTONUMBER) FROM TABLE01").toLongLong() > keyRangeSize);
}

void TestReplication::setBasedChangesAndCaseCorrectionsTravel()
{
    ReplicaOffice office;
    QVERIFY(createServerAndTwoReplicas(office));
    const QString a = office.laptop(1);
    {
        // A master table replaced as a whole, a set-based update, and corrections
        // of letter case alone, which the program's text comparison ignores.
        Database db;
        QVERIFY(openBusinessDatabase(db, a));
        Transaction transaction(db);
        QVERIFY(db.execute("DELETE FROM MT01"));
        for (const char* name : { "customer", "Distributor", "Prospect" })
            QVERIFY(
                db.execute("INSERT INTO MT01 (TEXT01) VALUES (?)", { QString::fromLatin1(name) }));
        QVERIFY(db.execute("UPDATE TABLE01 SET TEXT20 = 'Archive' WHERE TEXT01 LIKE 'Company 1*'"));
        QVERIFY(db.execute("UPDATE TABLE03 SET TEXT02 = 'SMITH' WHERE TEXT01 = 'First 3'"));
        QVERIFY(transaction.commit());
    }
    sync(office, 1);
    sync(office, 2);
    QCOMPARE(dumpOf(office.laptop(2)), dumpOf(a));
    QCOMPARE(
        valueIn(office.laptop(2), "SELECT TEXT02 FROM TABLE03 WHERE TEXT01 = 'First 3'").toString(),
        QString("SMITH"));
    QCOMPARE(
        valueIn(office.laptop(2), "SELECT COUNT(*) FROM TABLE01 WHERE TEXT20 = 'Archive'").toInt(),
        11);
}

void TestReplication::refusedSynchronizationChangesNothing()
{
    ReplicaOffice office;
    office.createServer();
    QVERIFY(create(office, 1));
    QVERIFY(execute(office.laptop(1), "INSERT INTO TABLE01 (TEXT01) VALUES ('Waiting')"));
    // A database of another set, and a plain database that is no replica.
    QString other = office.root() + "/Other/CONTACT.mdb";
    QVERIFY(QDir().mkpath(office.root() + "/Other"));
    QVERIFY(createDatabaseFile(other, DatabaseKind::Business, nullptr));
    QVERIFY(ReplicaSet::createReplica(other, office.laptop(2), nullptr));
    QVERIFY(createDatabaseFile(office.laptop(3), DatabaseKind::Business, nullptr));
    const QByteArray replica = contentOf(office.laptop(1));
    const QByteArray server = contentOf(office.server());

    SyncOutcome outcome;
    QString error;
    QVERIFY(!ReplicaSet::synchronize(office.laptop(1), other, &outcome, &error));
    QVERIFY2(error.contains("is not a replica of"), qPrintable(error));
    QVERIFY(!ReplicaSet::synchronize(office.laptop(2), office.server(), &outcome, &error));
    QVERIFY2(error.contains("is not a replica of"), qPrintable(error));
    QVERIFY(!ReplicaSet::synchronize(office.laptop(3), office.server(), &outcome, &error));
    QVERIFY2(error.contains("is not a replica."), qPrintable(error));
    QVERIFY(!ReplicaSet::synchronize(
        office.laptop(1), office.root() + "/None/CONTACT.mdb", &outcome, &error));
    QVERIFY2(
        error.startsWith("The database on the server could not be opened: "), qPrintable(error));
    QVERIFY(!ReplicaSet::synchronize(office.laptop(1), office.laptop(1), &outcome, &error));
    QCOMPARE(contentOf(office.laptop(1)), replica);
    QCOMPARE(contentOf(office.server()), server);

    // Without its base a replica cannot tell its own changes from the server's.
    QVERIFY(QFile::rename(baseFileOf(office.laptop(1), 1), office.root() + "/kept"));
    QVERIFY(!ReplicaSet::synchronize(office.laptop(1), office.server(), &outcome, &error));
    QVERIFY2(error.contains("create a new replica"), qPrintable(error));
    QCOMPARE(contentOf(office.server()), server);
    QVERIFY(QFile::rename(office.root() + "/kept", baseFileOf(office.laptop(1), 1)));
    QVERIFY2(ReplicaSet::synchronize(office.laptop(1), office.server(), &outcome, &error),
        qPrintable(error));
    QCOMPARE(outcome.sent, 1);
}

void TestReplication::failedServerWriteLeavesBothFilesAsTheyWere()
{
    ReplicaOffice office;
    QVERIFY(createServerAndTwoReplicas(office));
    QVERIFY(execute(office.laptop(2), "INSERT INTO TABLE01 (TEXT01) VALUES ('From B')"));
    sync(office, 2);
    QVERIFY(execute(
        office.laptop(1), "UPDATE TABLE01 SET TEXT02 = 'Refused' WHERE TEXT01 = 'Company 3'"));
    QVERIFY(execute(office.laptop(1), "INSERT INTO TABLE01 (TEXT01) VALUES ('From A')"));
    // A rule of the server's file that refuses one of the changes.
    QVERIFY(execute(office.server(),
        "CREATE TRIGGER refuse BEFORE UPDATE ON TABLE01 WHEN NEW.TEXT02 = 'Refused' "
        "BEGIN SELECT RAISE(ABORT, 'refused here'); END"));
    const QByteArray replica = contentOf(office.laptop(1));
    const QStringList server = dumpOf(office.server());

    SyncOutcome outcome;
    QString error;
    QVERIFY(!ReplicaSet::synchronize(office.laptop(1), office.server(), &outcome, &error));
    QVERIFY2(error.contains("nothing was exchanged"), qPrintable(error));
    QCOMPARE(contentOf(office.laptop(1)), replica);
    QCOMPARE(dumpOf(office.server()), server);
    QCOMPARE(baseGenerationsOf(office.laptop(1)), QList<qint64>({ 1 }));

    QVERIFY(execute(office.server(), "DROP TRIGGER refuse"));
    QVERIFY2(ReplicaSet::synchronize(office.laptop(1), office.server(), &outcome, &error),
        qPrintable(error));
    QCOMPARE(outcome.sent, 2);
    QCOMPARE(outcome.received, 1);
    QCOMPARE(dumpOf(office.laptop(1)), dumpOf(office.server()));
}

void TestReplication::serverLockWaitsAndTakesOverStaleLocks()
{
    ReplicaOffice office;
    office.createServer();
    const QString lockFile = ServerLock::lockFileOf(office.server());
    QString error;
    {
        ServerLock first(office.server());
        QVERIFY(first.acquire(&error));
        ServerLock second(office.server());
        QVERIFY(!second.acquire(&error, std::chrono::milliseconds(300)));
        QVERIFY2(error.contains("Another workstation") && error.contains("is synchronizing with")
                && error.endsWith("try again in a few minutes."),
            qPrintable(error));
        QVERIFY(QFileInfo::exists(lockFile));
    }
    QVERIFY(!QFileInfo::exists(lockFile));

    // The lock of a program of this host that was killed.
    QProcess gone;
    gone.start("true");
    QVERIFY(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    QVERIFY(gone.waitForFinished());
    {
        QFile file(lockFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QSysInfo::machineHostName().toUtf8() + "\n" + QByteArray::number(deadPid)
            + "\n2020-01-01T00:00:00Z\n");
    }
    {
        ServerLock taker(office.server());
        QVERIFY2(taker.acquire(&error, std::chrono::milliseconds(0)), qPrintable(error));
    }
    // A lock of another host is only taken over when nobody touched it for long.
    {
        QFile file(lockFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("laptop-elsewhere\n1\n2020-01-01T00:00:00Z\n");
    }
    {
        ServerLock waiter(office.server());
        QVERIFY(!waiter.acquire(&error, std::chrono::milliseconds(0)));
        QVERIFY2(error.contains("laptop-elsewhere"), qPrintable(error));
        QFile file(lockFile);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(
            QDateTime::currentDateTime().addSecs(-11 * 60), QFileDevice::FileModificationTime));
        file.close();
        QVERIFY2(waiter.acquire(&error, std::chrono::milliseconds(0)), qPrintable(error));
        QVERIFY(contentOf(lockFile).startsWith(QSysInfo::machineHostName().toUtf8()));
    }
    QVERIFY(!QFileInfo::exists(lockFile));
}

void TestReplication::keysOfANewRangeTravelThroughBoundViews()
{
    ReplicaOffice office;
    QVERIFY(createServerAndTwoReplicas(office));
    auto database = std::make_shared<Database>();
    QVERIFY(openBusinessDatabase(*database, office.laptop(2)));
    BoundView companies;
    QVERIFY(companies.setDatabase(database));
    companies.setRecordSource("SELECT * FROM TABLE01 ORDER BY AUTONUMBER");
    QVERIFY(companies.setWriteTarget("TABLE01"));
    QVERIFY(companies.refresh());
    QVERIFY(companies.addNew());
    QVERIFY(companies.setValue("TEXT01", "Far key"));
    QVERIFY2(companies.update(), qPrintable(companies.lastError()));
    const qint64 key = companies.value("AUTONUMBER").toLongLong();
    QVERIFY(key >= 2 * keyRangeSize);
    QCOMPARE(companies.bookmark().toLongLong(), key);

    BoundView contacts;
    QVERIFY(contacts.setDatabase(database));
    contacts.setRecordSource("SELECT * FROM TABLE03 WHERE NUMBER01 = ?", { key });
    QVERIFY(contacts.setWriteTarget("TABLE03"));
    QVERIFY(contacts.refresh());
    QVERIFY(contacts.addNew());
    QVERIFY(contacts.setValue("NUMBER01", key));
    QVERIFY(contacts.setValue("TEXT01", "Linked"));
    QVERIFY2(contacts.update(), qPrintable(contacts.lastError()));
    QVERIFY(contacts.refresh());
    QCOMPARE(contacts.rowCount(), 1);
    QCOMPARE(contacts.value("NUMBER01").toLongLong(), key);

    QVERIFY(companies.refresh());
    QVERIFY(companies.moveToBookmark(QVariant(key)));
    QVERIFY(companies.setValue("TEXT02", "Edited"));
    QVERIFY2(companies.update(), qPrintable(companies.lastError()));
    companies.close();
    contacts.close();
    database->close();

    sync(office, 2);
    sync(office, 1);
    QCOMPARE(valueIn(office.laptop(1), "SELECT TEXT02 FROM TABLE01 WHERE AUTONUMBER = ?", { key })
                 .toString(),
        QString("Edited"));
    QCOMPARE(valueIn(office.laptop(1), "SELECT TEXT01 FROM TABLE03 WHERE NUMBER01 = ?", { key })
                 .toString(),
        QString("Linked"));
}

QTEST_GUILESS_MAIN(TestReplication)
#include "TestReplication.moc"
