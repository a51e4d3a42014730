// The list reports and the mail merge on a large database: the company list of
// 100,000 companies written to a workbook file (target: under 5 s, peak memory
// under 300 MB), and the addresses of 50,000 listed contacts collected for the
// mail merge (target: under 0.5 s).
#include "companies/AllContactsQuery.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "office/Workbook.h"
#include "office/WorkbookWriter.h"
#include "reports/ListReport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include "QtBenchmarkMain.h"

using namespace vantrel;

namespace {

constexpr int companyCount = 100000;
constexpr int contactCount = 50000;

struct ListDatabase {
    QTemporaryDir dir;
    data::Database db;

    ListDatabase()
    {
        const QString path = dir.filePath(QStringLiteral("CONTACT.mdb"));
        QString error;
        if (!data::createDatabaseFile(path, data::DatabaseKind::Business, &error)
            || !data::openBusinessDatabase(db, path))
            qFatal("cannot create the benchmark database");
        QRandomGenerator random(11);
        static const char* cities[] = { "Hamburg", "Lyon", "Zürich", "Cork", "Porto", "Graz" };
        data::Transaction transaction(db);
        for (int i = 0; i < companyCount; ++i) {
            db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT01, TEXT03, TEXT04, TEXT05, "
                                      "TEXT06, TEXT08, TEXT10, TEXT12, TEXT18, TEXT20, "
                                      "NUMBER01, DATE01) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                      "?, ?)"),
                { QStringLiteral("%1 %2 Ltd")
                        .arg(QChar(u'A' + random.bounded(26)))
                        .arg(random.bounded(1000000), 6, 10, QLatin1Char('0')),
                    QStringLiteral("PO Box %1").arg(i), QString::fromUtf8(cities[i % 6]),
                    QString::number(1000 + i % 9000), QStringLiteral("%1 Harbour Road").arg(i),
                    QString::fromUtf8(cities[(i + 2) % 6]), QStringLiteral("+49 40 %1").arg(i),
                    QStringLiteral("https://company%1.example").arg(i), QStringLiteral("Anna Berg"),
                    i % 10 == 0 ? QStringLiteral("Archive") : QStringLiteral("Company"),
                    30 + i % 60, QDate(2026, 1, 1).addDays(-(i % 400)) });
        }
        for (int i = 0; i < contactCount; ++i) {
            db.execute(QStringLiteral("INSERT INTO TABLE03 (NUMBER01, TEXT02, TEXT03, TEXT05, "
                                      "TEXT11, MEMO02) VALUES (?, ?, ?, ?, ?, ?)"),
                { 1 + (i * 7) % companyCount, QStringLiteral("First%1").arg(i),
                    QStringLiteral("Last%1").arg(i),
                    i % 5 == 0 ? QString() : QStringLiteral("person%1@mail.example").arg(i),
                    QStringLiteral("First%1 Last%1").arg(i),
                    i % 3 == 0 ? QStringLiteral("golf, wine") : QStringLiteral("tennis") });
        }
        transaction.commit();
    }
};

ListDatabase& database()
{
    static ListDatabase data;
    return data;
}

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void companyListToWorkbook(benchmark::State& state)
{
    ListDatabase& data = database();
    const QString path = data.dir.filePath(QStringLiteral("Report 123456.xlsx"));
    for (auto _ : state) {
        office::Workbook workbook;
        QString error;
        if (!reports::buildListWorkbook(data.db, reports::companyList(), {}, &workbook, &error)
            || !office::writeWorkbook(workbook, path, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["peak MB (target < 300)"] = peakMegabytes();
}
BENCHMARK(companyListToWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

void mailMergeAddresses(benchmark::State& state)
{
    ListDatabase& data = database();
    const ui::RecordQuery query = companies::mailMergeQuery({});
    for (auto _ : state) {
        data::QueryResult result;
        if (!data.db.query(query.sql, query.parameters, &result))
            state.SkipWithError(qPrintable(data.db.lastError()));
        benchmark::DoNotOptimize(result.rows.value(0).value(0).toString().size());
    }
}
BENCHMARK(mailMergeAddresses)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

VANTREL_BENCHMARK_MAIN()
