// Finding a phrase anywhere in the call reports, as the call report search does:
// a case-insensitive literal "contains" over MEMO01 of 50,000 rows of 4 KB RTF.
#include "data/Database.h"
#include "data/Schema.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "QtBenchmarkMain.h"

using namespace vantrel::data;

namespace {

constexpr int reportCount = 50000;

QString makeReport(QRandomGenerator& random, int index)
{
    static const char* words[] = { "customer", "visit", "pricing", "delivery", "samples", "meeting",
        "order", "quality", "Müller", "adhesive", "contract", "follow" };
    QString body = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}"
                                  "\\f0\\fs20 Call report %1\\par ")
                       .arg(index);
    while (body.size() < 4096) {
        body += QString::fromUtf8(words[random.bounded(int(std::size(words)))]);
        body += random.bounded(12) == 0 ? QStringLiteral("\\par ") : QStringLiteral(" ");
    }
    return body + QStringLiteral("}");
}

struct CallReportDatabase {
    QTemporaryDir dir;
    Database db;

    CallReportDatabase()
    {
        const QString path = dir.filePath(QStringLiteral("CONTACT.mdb"));
        QString error;
        if (!createDatabaseFile(path, DatabaseKind::Business, &error)
            || !openBusinessDatabase(db, path))
            qFatal("cannot create the benchmark database");
        QRandomGenerator random(42);
        Transaction transaction(db);
        for (int i = 0; i < reportCount; ++i) {
            QString report = makeReport(random, i);
            if (i == reportCount - 7)
                report.insert(200, QStringLiteral(" the Blue Heron account "));
            db.execute(
                QStringLiteral("INSERT INTO TABLE08 (NUMBER01, DATE01, MEMO01) VALUES (?, ?, ?)"),
                { i % 700, QDate(2020, 1, 1).addDays(i % 2000), report });
        }
        transaction.commit();
    }
};

void containsSearch(benchmark::State& state)
{
    static CallReportDatabase data;
    for (auto _ : state) {
        QueryResult result;
        data.db.query(
            QStringLiteral("SELECT AUTONUMBER, DATE01 FROM TABLE08 WHERE contains(MEMO01, ?) "
                           "ORDER BY DATE01 DESC"),
            { QStringLiteral("blue HERON") }, &result);
        if (result.rows.size() != 1)
            state.SkipWithError("the phrase was not found exactly once");
        benchmark::DoNotOptimize(result);
    }
    state.counters["rows"] = reportCount;
}
BENCHMARK(containsSearch)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

VANTREL_BENCHMARK_MAIN()
