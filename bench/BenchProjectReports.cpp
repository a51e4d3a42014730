// The overdue meetings screen from opening to its listed grid with 100,000
// companies (target: under 1 s), and the workbook of all active projects with
// 20,000 action steps, from the query to the saved file (target: under 2 s).
#include "RecordingOpener.h"
#include "activities/FormAllProjects.h"
#include "activities/FormReportOverdue.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>

#include "ApplicationBenchmarkMain.h"
#include "BenchProgramFolder.h"

using namespace vantrel;

namespace {

constexpr int companyCount = 100000;
constexpr int stepCount = 20000;

// A program folder with a large CONTACT.mdb, the working folder while it lives.
struct ProgramFolder : bench::BenchProgramFolder {
    ProgramFolder()
    {
        QRandomGenerator random(11);
        data::Transaction transaction(db);
        for (int i = 0; i < companyCount; ++i) {
            db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT01, TEXT13, TEXT18, TEXT20,"
                                      " NUMBER01, DATE01, TEXT21) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                { QStringLiteral("%1 %2 Ltd")
                        .arg(QChar(u'A' + random.bounded(26)))
                        .arg(random.bounded(1000000), 6, 10, QLatin1Char('0')),
                    QStringLiteral("Division %1").arg(i % 7), QStringLiteral("Sales %1").arg(i % 5),
                    i % 10 == 0 ? QStringLiteral("Archive") : QStringLiteral("Company"),
                    i % 13 == 0 ? 0 : 30 + i % 60, QDate(2026, 12, 1).addDays(-(i % 200)),
                    QStringLiteral("Meeting on Monday") });
        }
        // 2,000 active projects of 10 steps each, and as many of other states.
        for (int project = 0; project < stepCount / 10 * 2; ++project) {
            db.execute(
                QStringLiteral("INSERT INTO TABLE06 (NUMBER01, DATE01, TEXT01, TEXT02, TEXT03)"
                               " VALUES (?, ?, ?, ?, ?)"),
                { 1 + project * 37 % companyCount, QDate(2026, 1, 1).addDays(project % 300),
                    QStringLiteral("Group %1").arg(project % 9),
                    QStringLiteral("Project %1").arg(project),
                    project % 2 == 0 ? QStringLiteral("Active Project")
                                     : QStringLiteral("Completed Project") });
            const qint64 projectKey = db.lastInsertId();
            for (int step = 0; step < 10; ++step) {
                db.execute(QStringLiteral("INSERT INTO TABLE07 (NUMBER01, DATE01, MEMO01)"
                                          " VALUES (?, ?, ?)"),
                    { projectKey, QDate(2026, 2, 1).addDays(step * 7),
                        QStringLiteral("Called the buyer about the offer and agreed on a visit of "
                                       "our engineer to the plant in the week after next.") });
            }
        }
        if (!transaction.commit())
            qFatal("cannot fill the benchmark database");
    }
};

ProgramFolder& folder()
{
    static ProgramFolder made;
    return made;
}

void overdueScreenToListedGrid(benchmark::State& state)
{
    data::Database& db = folder().db;
    for (auto _ : state) {
        state.PauseTiming();
        // Every company listed as overdue when last shown, so that all are recomputed.
        db.execute(QStringLiteral("UPDATE TABLE01 SET NUMBER02 = 1"));
        state.ResumeTiming();
        activities::FormReportOverdue screen;
        screen.resize(1200, 800);
        screen.show();
        QEventLoop wait;
        QObject::connect(&screen, &activities::FormReportOverdue::listed, &wait, &QEventLoop::quit);
        wait.exec();
        state.counters["listed"] = double(
            db.scalar(QStringLiteral(
                          "SELECT count(*) FROM TABLE01 WHERE TEXT20 = 'Company' AND NUMBER01 > 0"
                          " AND NUMBER02 > 0"))
                .toLongLong());
    }
    state.counters["target_ms"] = 1000;
}
BENCHMARK(overdueScreenToListedGrid)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void allActiveProjectsWorkbook(benchmark::State& state)
{
    folder();
    platform::Desktop::setOpener(std::make_unique<platform::RecordingOpener>());
    for (auto _ : state) {
        activities::FormAllProjects screen;
        if (!screen.run())
            state.SkipWithError("the report failed");
        state.PauseTiming();
        QFile::remove(screen.reportPath());
        state.ResumeTiming();
    }
    state.counters["target_ms"] = 2000;
}
BENCHMARK(allActiveProjectsWorkbook)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

} // namespace

VANTREL_APPLICATION_BENCHMARK_MAIN()
