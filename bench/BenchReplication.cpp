// Replication of a full database: a synchronization that exchanges 10,000 changed
// rows each way (target: under 5 s), and the creation of a replica of a 200 MB
// database (target: under 10 s). A run over its target is reported as an error.
#include "CallReportDatabase.h"
#include "data/Database.h"
#include "data/ReplicaSet.h"
#include "data/Schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "QtBenchmarkMain.h"

using namespace vantrel::data;

namespace {

constexpr qint64 synchronizationTargetMs = 5000;
constexpr qint64 creationTargetMs = 10000;

void fail(const QString& what)
{
    qFatal("%s", qPrintable(what));
}

void execute(Database& db, const QString& sql, const QVariantList& parameters = {})
{
    if (!db.execute(sql, parameters))
        fail(db.lastError());
}

void copyFolder(const QString& from, const QString& to)
{
    QDir(to).removeRecursively();
    QDir().mkpath(to);
    const QStringList names = QDir(from).entryList(QDir::Files);
    for (const QString& name : names) {
        if (!QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)))
            fail(QStringLiteral("cannot copy %1").arg(name));
    }
}

// A server of 20,000 companies and 40,000 contacts with two replicas. Laptop B
// has changed 10,000 rows and synchronized; laptop A has changed 10,000 others
// (5,000 updates, 5,000 new contacts) and synchronizes in the benchmark.
struct Office {
    QTemporaryDir dir;
    QString prepared = dir.filePath(QStringLiteral("Prepared"));
    QString work = dir.filePath(QStringLiteral("Work"));

    Office()
    {
        const QString server = prepared + QStringLiteral("/Server/CONTACT.mdb");
        const QString a = prepared + QStringLiteral("/A/CONTACT.mdb");
        const QString b = prepared + QStringLiteral("/B/CONTACT.mdb");
        for (const char* folder : { "Server", "A", "B" })
            QDir().mkpath(prepared + QLatin1Char('/') + QLatin1String(folder));
        QString error;
        Database db;
        if (!createDatabaseFile(server, DatabaseKind::Business, &error)
            || !openBusinessDatabase(db, server))
            fail(error + db.lastError());
        {
            Transaction transaction(db);
            for (int i = 0; i < 20000; ++i) {
                execute(db,
                    QStringLiteral("INSERT INTO TABLE01 (TEXT01, TEXT02, TEXT03, MEMO01) VALUES "
                                   "(?, ?, ?, ?)"),
                    { QStringLiteral("Company %1").arg(i), QStringLiteral("Street %1").arg(i),
                        QStringLiteral("Town"), QString(200, QLatin1Char('m')) });
                const qint64 company = db.lastInsertId();
                for (int c = 0; c < 2; ++c)
                    execute(db,
                        QStringLiteral(
                            "INSERT INTO TABLE03 (NUMBER01, TEXT01, TEXT02) VALUES (?, ?, ?)"),
                        { company, QStringLiteral("Contact %1").arg(c), QStringLiteral("Smith") });
            }
            if (!transaction.commit())
                fail(db.lastError());
        }
        db.close();
        if (!ReplicaSet::createReplica(server, a, &error)
            || !ReplicaSet::createReplica(server, b, &error))
            fail(error);
        change(b, QStringLiteral("B"), 0);
        SyncOutcome outcome;
        if (!ReplicaSet::synchronize(b, server, &outcome, &error))
            fail(error);
        change(a, QStringLiteral("A"), 10000);
    }

    static void change(const QString& path, const QString& label, int firstCompany)
    {
        Database db;
        if (!openBusinessDatabase(db, path))
            fail(db.lastError());
        Transaction transaction(db);
        execute(db,
            QStringLiteral("UPDATE TABLE01 SET TEXT04 = ? WHERE AUTONUMBER IN (SELECT AUTONUMBER "
                           "FROM TABLE01 ORDER BY AUTONUMBER LIMIT 5000 OFFSET ?)"),
            { label, firstCompany });
        for (int i = 0; i < 5000; ++i)
            execute(db,
                QStringLiteral("INSERT INTO TABLE03 (NUMBER01, TEXT01, TEXT02) VALUES (?, ?, ?)"),
                { i + 1, QStringLiteral("New %1 %2").arg(label).arg(i), label });
        if (!transaction.commit())
            fail(db.lastError());
    }
};

void synchronizeTenThousandRowsEachWay(benchmark::State& state)
{
    static Office office;
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* folder : { "Server", "A" })
            copyFolder(office.prepared + QLatin1Char('/') + QLatin1String(folder),
                office.work + QLatin1Char('/') + QLatin1String(folder));
        state.ResumeTiming();

        QElapsedTimer clock;
        clock.start();
        SyncOutcome outcome;
        QString error;
        if (!ReplicaSet::synchronize(office.work + QStringLiteral("/A/CONTACT.mdb"),
                office.work + QStringLiteral("/Server/CONTACT.mdb"), &outcome, &error))
            state.SkipWithError(qPrintable(error));
        else if (clock.elapsed() > synchronizationTargetMs)
            state.SkipWithError("slower than the 5 s target");
        state.counters["sent"] = outcome.sent;
        state.counters["received"] = outcome.received;
    }
}
BENCHMARK(synchronizeTenThousandRowsEachWay)->Unit(benchmark::kMillisecond)->Iterations(3);

// About 200 MB of call reports on the server.
struct LargeServer {
    QTemporaryDir dir;
    QString server = dir.filePath(QStringLiteral("Server/CONTACT.mdb"));
    QString replica = dir.filePath(QStringLiteral("Laptop/CONTACT.mdb"));

    LargeServer()
    {
        QDir().mkpath(dir.filePath(QStringLiteral("Server")));
        QDir().mkpath(dir.filePath(QStringLiteral("Laptop")));
        vantrel::bench::createCallReportDatabase(server);
    }
};

void createReplicaOfALargeDatabase(benchmark::State& state)
{
    static LargeServer data;
    for (auto _ : state) {
        state.counters["megabytes"] = double(QFileInfo(data.server).size()) / 1e6;
        QElapsedTimer clock;
        clock.start();
        QString error;
        if (!ReplicaSet::createReplica(data.server, data.replica, &error))
            state.SkipWithError(qPrintable(error));
        else if (clock.elapsed() > creationTargetMs)
            state.SkipWithError("slower than the 10 s target");
    }
}
BENCHMARK(createReplicaOfALargeDatabase)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

VANTREL_BENCHMARK_MAIN()
