// Opening the companies screen on a large database: the active-companies list of
// 100,000 companies loaded into a bound view, then a move to its last row.
// Target (quiet machine): 300 ms.
#include "data/BoundView.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "QtBenchmarkMain.h"

using namespace vantrel::data;

namespace {

constexpr int companyCount = 100000;

struct CompanyDatabase {
    QTemporaryDir dir;
    std::shared_ptr<Database> db = std::make_shared<Database>();

    CompanyDatabase()
    {
        const QString path = dir.filePath(QStringLiteral("CONTACT.mdb"));
        QString error;
        if (!createDatabaseFile(path, DatabaseKind::Business, &error)
            || !openBusinessDatabase(*db, path))
            qFatal("cannot create the benchmark database");
        QRandomGenerator random(7);
        static const char* cities[] = { "Hamburg", "Lyon", "Zürich", "Cork", "Porto", "Graz" };
        static const char* people[] = { "Anna Berg", "Tom Reyes", "Lea Kraus", "Omar Diallo" };
        Transaction transaction(*db);
        for (int i = 0; i < companyCount; ++i) {
            const QString name = QStringLiteral("%1 %2 Ltd")
                                     .arg(QChar(u'A' + random.bounded(26)))
                                     .arg(random.bounded(1000000), 6, 10, QLatin1Char('0'));
            db->execute(
                QStringLiteral(
                    "INSERT INTO TABLE01 (TEXT01, TEXT02, TEXT03, TEXT04, TEXT05, TEXT08, TEXT10, "
                    "TEXT18, TEXT20, NUMBER01, DATE01, DATE03) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                    "?, ?, ?)"),
                { name, QString::number(100000 + i), QStringLiteral("PO Box %1").arg(i),
                    QString::fromUtf8(cities[i % 6]), QString::number(1000 + i % 9000),
                    QString::fromUtf8(cities[(i + 3) % 6]), QStringLiteral("+49 40 %1").arg(i),
                    QString::fromUtf8(people[i % 4]),
                    i % 10 == 0 ? QStringLiteral("Archive") : QStringLiteral("Company"),
                    30 + i % 60, QDate(2026, 1, 1).addDays(-(i % 400)),
                    QDate(2020, 1, 1).addDays(i % 2000) });
        }
        transaction.commit();
    }
};

void loadActiveCompaniesAndMoveLast(benchmark::State& state)
{
    static CompanyDatabase data;
    for (auto _ : state) {
        BoundView view;
        view.setDatabase(data.db);
        view.setRecordSource(
            QStringLiteral("SELECT * FROM TABLE01 WHERE TEXT20 = 'Company' ORDER BY TEXT01"));
        if (!view.refresh() || !view.moveLast())
            state.SkipWithError(qPrintable(view.lastError()));
        benchmark::DoNotOptimize(view.value(QStringLiteral("TEXT01")));
        state.counters["rows"] = view.rowCount();
    }
    state.counters["target_ms"] = 300;
}
BENCHMARK(loadActiveCompaniesAndMoveLast)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

VANTREL_BENCHMARK_MAIN()
