// The call report screens on 50,000 reports of 4 KB RTF each, written as the
// report editor writes them (letters beyond ASCII escaped): their search (the
// phrase sought in the reports' text by memoContains, as FormAllCallReports::
// findQuery and CompanyReportBrowser::findQuery ask for it), their full list, and
// the literal "contains" the filters use. Each runs through a bound view, as
// ReportBrowser::showQuery does. Targets (quiet machine): search 200 ms, a phrase
// every report holds 400 ms, the full list 300 ms.
#include "data/BoundView.h"
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
        "order", "quality", "M\\u252\\'fcller", "adhesive", "contract", "follow" };
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
    std::shared_ptr<Database> db = std::make_shared<Database>();

    CallReportDatabase()
    {
        const QString path = dir.filePath(QStringLiteral("CONTACT.mdb"));
        QString error;
        if (!createDatabaseFile(path, DatabaseKind::Business, &error)
            || !openBusinessDatabase(*db, path))
            qFatal("cannot create the benchmark database");
        QRandomGenerator random(42);
        Transaction transaction(*db);
        for (int i = 0; i < reportCount; ++i) {
            QString report = makeReport(random, i);
            if (i == reportCount - 7)
                report.insert(200, QStringLiteral(" the Blue Heron account "));
            db->execute(
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
        data.db->query(
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

const QString allReports
    = QStringLiteral("SELECT * FROM TABLE08 WHERE memoContains(TABLE08.MEMO01, ?)"
                     " ORDER BY TABLE08.DATE01 DESC, TABLE08.AUTONUMBER DESC");
const QString companyReports = QStringLiteral(
    "SELECT * FROM TABLE08 WHERE TABLE08.NUMBER01 = ? AND memoContains(TABLE08.MEMO01, ?)"
    " ORDER BY TABLE08.DATE01 DESC, TABLE08.AUTONUMBER DESC");

// Rows a source must give, so that a broken search is not timed as a fast one.
struct RowRange {
    int least;
    int most;
};

void showInView(benchmark::State& state, const QString& sql, const QVariantList& parameters,
    RowRange expected, double targetMs)
{
    static CallReportDatabase data;
    for (auto _ : state) {
        BoundView view;
        view.setDatabase(data.db);
        view.setRecordSource(sql, parameters);
        if (!view.refresh())
            state.SkipWithError(qPrintable(view.lastError()));
        if (view.rowCount() < expected.least || view.rowCount() > expected.most)
            state.SkipWithError("unexpected number of rows");
        benchmark::DoNotOptimize(view.rowCount());
        state.counters["rows"] = view.rowCount();
    }
    state.counters["target_ms"] = targetMs;
}

void searchAllReports(benchmark::State& state)
{
    showInView(state, allReports, { QStringLiteral("blue HERON") }, { 1, 1 }, 200);
}
BENCHMARK(searchAllReports)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void searchPhraseInEveryReport(benchmark::State& state)
{
    showInView(state, allReports, { QStringLiteral("müller") },
        { reportCount * 99 / 100, reportCount }, 400);
}
BENCHMARK(searchPhraseInEveryReport)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void listAllReports(benchmark::State& state)
{
    showInView(state, QStringLiteral("SELECT * FROM TABLE08 ORDER BY DATE01 DESC, AUTONUMBER DESC"),
        {}, { reportCount, reportCount }, 300);
}
BENCHMARK(listAllReports)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A pasted phrase of 1 MiB over one company's reports: the phrase is prepared
// once for the statement, not once a row.
void searchHugePhraseInCompanyReports(benchmark::State& state)
{
    const QString phrase = QStringLiteral("pricing ").repeated(128 * 1024);
    showInView(state, companyReports, { 7, phrase }, { 0, 0 }, 200);
}
BENCHMARK(searchHugePhraseInCompanyReports)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

VANTREL_BENCHMARK_MAIN()
