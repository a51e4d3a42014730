#include "data/Database.h"
#include "data/KeyRange.h"
#include "data/ReplicaFiles.h"
#include "data/ReplicaSet.h"
#include "data/Schema.h"
#include "data/ServerLock.h"

#include "ReplicaOffice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <algorithm>

using namespace vantrel::data;
using vantrel::test::dumpOf;
using vantrel::test::insertCompany;
using vantrel::test::insertContact;
using vantrel::test::ReplicaOffice;

namespace {

constexpr int killTrials = 30;

// The seed is printed, so a failure can be replayed with VANTREL_REPLICATION_SEED.
quint32 seedFor(const char* test)
{
    const QByteArray given = qgetenv("VANTREL_REPLICATION_SEED");
    const quint32 seed = given.isEmpty() ? QRandomGenerator::global()->generate() : given.toUInt();
    qInfo("%s: seed %u", test, seed);
    return seed;
}

bool synchronize(const QString& replica, const QString& server, QString* error = nullptr)
{
    SyncOutcome outcome;
    QString problem;
    const bool done = ReplicaSet::synchronize(replica, server, &outcome, &problem);
    if (!done)
        qWarning("%s", qPrintable(problem));
    if (error)
        *error = problem;
    return done;
}

QString integrityOf(const QString& path)
{
    Database db;
    if (!db.open(path))
        return db.lastError();
    return db.scalar("PRAGMA integrity_check").toString();
}

QStringList companiesLike(const QString& path, const QString& pattern)
{
    Database db;
    QueryResult rows;
    if (!db.open(path)
        || !db.query(
            "SELECT TEXT01 FROM TABLE01 WHERE TEXT01 LIKE ? ORDER BY TEXT01", { pattern }, &rows))
        return { db.lastError() };
    QStringList names;
    for (const QVariantList& row : std::as_const(rows.rows))
        names.append(row.value(0).toString());
    return names;
}

QList<qint64> keysOf(Database& db, const QString& table)
{
    QueryResult rows;
    db.query(QStringLiteral("SELECT AUTONUMBER FROM %1").arg(table), {}, &rows);
    QList<qint64> keys;
    for (const QVariantList& row : std::as_const(rows.rows))
        keys.append(row.value(0).toLongLong());
    return keys;
}

// Random work of one laptop between two synchronizations.
void editAtRandom(const QString& path, QRandomGenerator& random, const QString& label, int edits)
{
    Database db;
    QVERIFY(openBusinessDatabase(db, path));
    Transaction transaction(db);
    for (int i = 0; i < edits; ++i) {
        const int dice = random.bounded(100);
        const QList<qint64> companies = keysOf(db, "TABLE01");
        const QList<qint64> contacts = keysOf(db, "TABLE03");
        const QString text = QStringLiteral("%1 %2").arg(label).arg(i);
        if (dice < 30 || companies.isEmpty()) {
            QVERIFY(insertCompany(db, "Company " + text) > 0);
        }
        else if (dice < 50) {
            QVERIFY(insertContact(db, companies.at(random.bounded(companies.size())), text) > 0);
        }
        else if (dice < 75) {
            const QString column
                = QStringLiteral("TEXT%1").arg(2 + random.bounded(4), 2, 10, QLatin1Char('0'));
            QVERIFY(db.execute(
                QStringLiteral("UPDATE TABLE01 SET %1 = ? WHERE AUTONUMBER = ?").arg(column),
                { text, companies.at(random.bounded(companies.size())) }));
        }
        else if (dice < 85 && !contacts.isEmpty()) {
            QVERIFY(db.execute("UPDATE TABLE03 SET TEXT05 = ?, MEMO01 = ? WHERE AUTONUMBER = ?",
                { text, text.repeated(20), contacts.at(random.bounded(contacts.size())) }));
        }
        else if (dice < 93 && !contacts.isEmpty()) {
            QVERIFY(db.execute("DELETE FROM TABLE03 WHERE AUTONUMBER = ?",
                { contacts.at(random.bounded(contacts.size())) }));
        }
        else if (dice < 98) {
            QVERIFY(
                db.execute("DELETE FROM TABLE01 WHERE AUTONUMBER = ? AND TEXT01 NOT LIKE 'Kept*'",
                    { companies.at(random.bounded(companies.size())) }));
        }
        else {
            QVERIFY(db.execute("DELETE FROM MT02"));
            QVERIFY(db.execute("INSERT INTO MT02 (TEXT01) VALUES (?), (?)", { text, label }));
        }
    }
    QVERIFY(transaction.commit());
}

// Starts the helper, waits until it is about to work, lets it run for a random
// part of `duration` and kills it. Returns whether it had finished by itself.
bool runAndKill(const QStringList& arguments, qint64 durationMicroseconds, QRandomGenerator& random)
{
    QProcess child;
    child.start(QStringLiteral(VANTREL_REPLICATOR), arguments);
    if (!child.waitForStarted() || !child.waitForReadyRead(10000))
        return false;
    QThread::usleep(static_cast<unsigned long>(random.bounded(durationMicroseconds * 11 / 10 + 1)));
    const bool finished = child.state() == QProcess::NotRunning;
    child.kill();
    child.waitForFinished();
    return finished;
}

// How long the helper works on `arguments`, from its "ready" to its end.
qint64 durationOf(const QStringList& arguments)
{
    QProcess child;
    child.start(QStringLiteral(VANTREL_REPLICATOR), arguments);
    if (!child.waitForStarted() || !child.waitForReadyRead(10000))
        return 0;
    QElapsedTimer timer;
    timer.start();
    child.waitForFinished(60000);
    if (child.exitCode() != 0)
        qWarning("%s", child.readAllStandardError().constData());
    return timer.nsecsElapsed() / 1000;
}

} // namespace

class TestReplicationStress : public QObject {
    Q_OBJECT
private slots:
    void randomWorkOfFiveLaptopsConverges();
    void killedSynchronizationLosesNothing();
    void killedCreationLeavesTheOldOrTheNewReplica();
    void twoLaptopsSynchronizingAtOnceBothSucceed();
};

void TestReplicationStress::randomWorkOfFiveLaptopsConverges()
{
    QRandomGenerator random(seedFor("randomWorkOfFiveLaptopsConverges"));
    ReplicaOffice office;
    office.createServer(30);
    const int laptops = 5;
    for (int laptop = 1; laptop <= laptops; ++laptop)
        QVERIFY(ReplicaSet::createReplica(office.server(), office.laptop(laptop), nullptr));

    QList<int> order { 1, 2, 3, 4, 5 };
    for (int round = 0; round < 6; ++round) {
        for (int laptop : order)
            editAtRandom(
                office.laptop(laptop), random, QStringLiteral("L%1R%2").arg(laptop).arg(round), 12);
        std::shuffle(order.begin(), order.end(), random);
        // Some laptops sit out a round and carry their work over.
        for (int laptop : order) {
            if (random.bounded(5) != 0)
                QVERIFY(synchronize(office.laptop(laptop), office.server()));
        }
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (int laptop = 1; laptop <= laptops; ++laptop)
            QVERIFY(synchronize(office.laptop(laptop), office.server()));
    }
    const QStringList server = dumpOf(office.server());
    QVERIFY(server.size() > 100);
    for (int laptop = 1; laptop <= laptops; ++laptop)
        QCOMPARE(dumpOf(office.laptop(laptop)), server);
    QCOMPARE(integrityOf(office.server()), QString("ok"));
}

void TestReplicationStress::killedSynchronizationLosesNothing()
{
    QRandomGenerator random(seedFor("killedSynchronizationLosesNothing"));
    ReplicaOffice office;
    office.createServer(1500);
    const QString a = office.laptop(1);
    const QString b = office.laptop(2);
    QVERIFY(ReplicaSet::createReplica(office.server(), a, nullptr));
    QVERIFY(ReplicaSet::createReplica(office.server(), b, nullptr));
    editAtRandom(a, random, "Warm", 100);
    const QStringList syncA { "sync", a, office.server() };
    const qint64 duration = durationOf(syncA);
    QVERIFY(duration > 0);

    QStringList madeOnA;
    QStringList madeOnB;
    int finished = 0;
    for (int trial = 0; trial < killTrials; ++trial) {
        editAtRandom(a, random, QStringLiteral("A%1").arg(trial), 30);
        {
            Database db;
            QVERIFY(openBusinessDatabase(db, a));
            madeOnA.append(QStringLiteral("Kept A%1").arg(trial, 2, 10, QLatin1Char('0')));
            QVERIFY(insertCompany(db, madeOnA.last()) > 0);
        }
        editAtRandom(b, random, QStringLiteral("B%1").arg(trial), 30);
        {
            Database db;
            QVERIFY(openBusinessDatabase(db, b));
            madeOnB.append(QStringLiteral("Kept B%1").arg(trial, 2, 10, QLatin1Char('0')));
            QVERIFY(insertCompany(db, madeOnB.last()) > 0);
        }
        QVERIFY(synchronize(b, office.server()));

        finished += runAndKill(syncA, duration, random);
        QCOMPARE(integrityOf(a), QString("ok"));
        QCOMPARE(integrityOf(office.server()), QString("ok"));
        QCOMPARE(companiesLike(a, "Kept A*"), madeOnA);
        QCOMPARE(companiesLike(office.server(), "Kept B*"), madeOnB);

        QVERIFY(synchronize(a, office.server()));
        QCOMPARE(companiesLike(office.server(), "Kept A*"), madeOnA);
        QCOMPARE(companiesLike(a, "Kept B*"), madeOnB);
        QCOMPARE(dumpOf(a), dumpOf(office.server()));
        QCOMPARE(baseGenerationsOf(a).size(), 1);
        QVERIFY(!QFileInfo::exists(ServerLock::lockFileOf(office.server())));
    }
    qInfo("%d of %d synchronizations ended before their kill", finished, killTrials);
    QVERIFY(synchronize(b, office.server()));
    QCOMPARE(dumpOf(b), dumpOf(a));
}

void TestReplicationStress::killedCreationLeavesTheOldOrTheNewReplica()
{
    QRandomGenerator random(seedFor("killedCreationLeavesTheOldOrTheNewReplica"));
    ReplicaOffice office;
    office.createServer(1500);
    const QString replica = office.laptop(1);
    QVERIFY(ReplicaSet::createReplica(office.server(), replica, nullptr));
    const QStringList create { "create", office.server(), replica };
    const qint64 duration = durationOf(create);
    QVERIFY(duration > 0);
    const QString description = "Replica of " + QDir::toNativeSeparators(office.server());
    const QStringList server = dumpOf(office.server());

    int kept = 0;
    for (int trial = 0; trial < killTrials; ++trial) {
        // A change on the replica that only the older file holds.
        const QString marker = QStringLiteral("Only in the older file %1").arg(trial);
        {
            Database db;
            QVERIFY(openBusinessDatabase(db, replica));
            QVERIFY(insertCompany(db, marker) > 0);
        }
        runAndKill(create, duration, random);
        QCOMPARE(integrityOf(office.server()), QString("ok"));
        QCOMPARE(integrityOf(replica), QString("ok"));
        if (companiesLike(replica, marker) == QStringList { marker }) {
            ++kept;
        }
        else {
            QString text;
            QVERIFY(ReplicaSet::description(replica, &text, nullptr));
            QCOMPARE(text, description);
            QCOMPARE(dumpOf(replica), server);
        }
        // A later creation and a synchronization work whatever was left.
        QString error;
        QVERIFY2(ReplicaSet::createReplica(office.server(), replica, &error), qPrintable(error));
        QVERIFY(synchronize(replica, office.server()));
        const QStringList left = QDir(QFileInfo(replica).absolutePath()).entryList(QDir::Files);
        QCOMPARE(left.size(), 2);
        QVERIFY(left.contains("CONTACT.mdb"));
    }
    qInfo("%d of %d kills left the older file", kept, killTrials);
    QCOMPARE(dumpOf(office.server()), server);
}

void TestReplicationStress::twoLaptopsSynchronizingAtOnceBothSucceed()
{
    ReplicaOffice office;
    office.createServer(200);
    QVERIFY(ReplicaSet::createReplica(office.server(), office.laptop(1), nullptr));
    QVERIFY(ReplicaSet::createReplica(office.server(), office.laptop(2), nullptr));
    const int rounds = 15;
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(VANTREL_REPLICATOR),
        { "work", office.laptop(1), office.server(), "Together L1", QString::number(rounds) });
    second.start(QStringLiteral(VANTREL_REPLICATOR),
        { "work", office.laptop(2), office.server(), "Together L2", QString::number(rounds) });
    QVERIFY(first.waitForFinished(120000));
    QVERIFY(second.waitForFinished(120000));
    QVERIFY2(first.exitCode() == 0, first.readAllStandardError().constData());
    QVERIFY2(second.exitCode() == 0, second.readAllStandardError().constData());
    QCOMPARE(integrityOf(office.server()), QString("ok"));
    QCOMPARE(companiesLike(office.server(), "Together*").size(), 2 * rounds);
    QVERIFY(synchronize(office.laptop(1), office.server()));
    QVERIFY(synchronize(office.laptop(2), office.server()));
    const QStringList server = dumpOf(office.server());
    QCOMPARE(dumpOf(office.laptop(1)), server);
    QCOMPARE(dumpOf(office.laptop(2)), server);
}

QTEST_GUILESS_MAIN(TestReplicationStress)
#include "TestReplicationStress.moc"
