// Opening the companies screen on a database of 100,000 companies, from the
// screen's construction until it shows the first company with the "Select a
// Company..." list filled (target on a quiet machine: 300 ms).
#include "companies/FormCompanies.h"
#include "data/Database.h"

#include <QApplication>
#include <QComboBox>
#include <QRandomGenerator>

#include "ApplicationBenchmarkMain.h"
#include "BenchProgramFolder.h"

using namespace vantrel;

namespace {

constexpr int companyCount = 100000;

// A program folder with a large CONTACT.mdb, the working folder while it lives.
struct ProgramFolder : bench::BenchProgramFolder {
    ProgramFolder()
    {
        QRandomGenerator random(5);
        static const char* cities[] = { "Hamburg", "Lyon", "Zürich", "Cork", "Porto", "Graz" };
        data::Transaction transaction(db);
        for (int i = 0; i < companyCount; ++i) {
            db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT01, TEXT04, TEXT10, TEXT20, "
                                      "NUMBER01, DATE01, MEMO01) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                { QStringLiteral("%1 %2 Ltd")
                        .arg(QChar(u'A' + random.bounded(26)))
                        .arg(random.bounded(1000000), 6, 10, QLatin1Char('0')),
                    QString::fromUtf8(cities[i % 6]), QStringLiteral("+49 40 %1").arg(i),
                    i % 10 == 0 ? QStringLiteral("Archive") : QStringLiteral("Company"),
                    30 + i % 60, QDate(2026, 1, 1).addDays(-(i % 400)),
                    QStringLiteral("Visited the plant; the buyer wants an offer by March.") });
        }
        if (!transaction.commit())
            qFatal("cannot fill the benchmark database");
    }
};

void openCompaniesScreen(benchmark::State& state)
{
    static ProgramFolder folder;
    for (auto _ : state) {
        companies::FormCompanies screen;
        screen.resize(1000, 700);
        screen.show();
        QCoreApplication::processEvents();
        auto* select = screen.findChild<QComboBox*>();
        state.counters["listed"] = select ? select->count() : 0;
    }
    state.counters["target_ms"] = 300;
}
BENCHMARK(openCompaniesScreen)->Unit(benchmark::kMillisecond)->Iterations(8)->UseRealTime();

} // namespace

VANTREL_APPLICATION_BENCHMARK_MAIN()
