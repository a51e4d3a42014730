// The maintenance work on a full database: deleting the old activities among
// 250,000 rows, half of them old (target: under 5 s; a walk of one row per
// 10 ms tick would take 42 minutes), and compacting a 200 MB database (target:
// under 15 s). A run over its target is reported as an error.
#include "CallReportDatabase.h"
#include "data/Compaction.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "maintenance/OldActivities.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "QtBenchmarkMain.h"

using namespace vantrel::data;

namespace {

constexpr qint64 deletionTargetMs = 5000;
constexpr qint64 compactionTargetMs = 15000;

void fail(const QString& what)
{
    qFatal("%s", qPrintable(what));
}

// 250,000 activities over the four tables, every other one dated before 2009.
struct ActivityDatabase {
    QTemporaryDir dir;
    QString original = dir.filePath(QStringLiteral("Original.mdb"));
    QString working = dir.filePath(QStringLiteral("CONTACT.mdb"));

    ActivityDatabase()
    {
        QString error;
        Database db;
        if (!createDatabaseFile(original, DatabaseKind::Business, &error)
            || !openBusinessDatabase(db, original))
            fail(error + db.lastError());
        const struct {
            const char* table;
            int rows;
        } tables[] = { { "TABLE08", 100000 }, { "TABLE09", 75000 }, { "TABLE06", 40000 },
            { "TABLE07", 35000 } };
        Transaction transaction(db);
        for (const auto& table : tables) {
            const QString insert = QStringLiteral("INSERT INTO %1 (NUMBER01, DATE01) VALUES (?, ?)")
                                       .arg(QLatin1String(table.table));
            for (int i = 0; i < table.rows; ++i) {
                const QDate date = i % 2 ? QDate(2008, 12, 31).addDays(-(i % 3000))
                                         : QDate(2009, 1, 1).addDays(i % 3000);
                if (!db.execute(insert, { i % 5000, date }))
                    fail(db.lastError());
            }
        }
        if (!transaction.commit())
            fail(db.lastError());
    }
};

void deleteOldActivities(benchmark::State& state)
{
    static ActivityDatabase data;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(data.working);
        if (!QFile::copy(data.original, data.working))
            fail(QStringLiteral("cannot copy the benchmark database"));
        Database db;
        if (!openBusinessDatabase(db, data.working))
            fail(db.lastError());
        state.ResumeTiming();

        QElapsedTimer clock;
        clock.start();
        QList<qint64> remaining;
        QString error;
        if (!vantrel::maintenance::OldActivities::remove(
                db, QDate(2009, 1, 1), {}, &remaining, &error))
            state.SkipWithError(qPrintable(error));
        else if (clock.elapsed() > deletionTargetMs)
            state.SkipWithError("slower than the 5 s target");
        qint64 left = 0;
        for (qint64 rows : remaining)
            left += rows;
        state.counters["rows_left"] = double(left);
    }
}
BENCHMARK(deleteOldActivities)->Unit(benchmark::kMillisecond)->Iterations(3);

// About 200 MB of call reports, a tenth of them deleted again.
struct LargeDatabase {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("CONTACT.mdb"));
    QString backup = dir.filePath(QStringLiteral("Temp/CONTACT.bak"));

    LargeDatabase()
    {
        vantrel::bench::createCallReportDatabase(path);
        Database db;
        if (!openBusinessDatabase(db, path)
            || !db.execute(QStringLiteral("DELETE FROM TABLE08 WHERE NUMBER01 % 10 = 0")))
            fail(db.lastError());
    }
};

void compactLargeDatabase(benchmark::State& state)
{
    static LargeDatabase data;
    for (auto _ : state) {
        state.counters["megabytes"] = double(QFileInfo(data.path).size()) / 1e6;
        QElapsedTimer clock;
        clock.start();
        QString error;
        if (!compactInPlace(data.path, data.backup, &error))
            state.SkipWithError(qPrintable(error));
        else if (clock.elapsed() > compactionTargetMs)
            state.SkipWithError("slower than the 15 s target");
    }
}
BENCHMARK(compactLargeDatabase)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

VANTREL_BENCHMARK_MAIN()
