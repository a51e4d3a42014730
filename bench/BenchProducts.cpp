// The bulk work of the products and sales screens: the price list import with its
// price rewrite (50,000 rows, target under 3 s), the product summaries of the
// competition register (100,000 rows, under 1 s), the sales import (200,000 rows,
// under 5 s) and one company's sales out of 1,000,000 rows (under 0.2 s).
#include "data/BoundView.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "office/Workbook.h"
#include "office/WorkbookWriter.h"
#include "products/FormCompetition.h"
#include "products/FormPriceList.h"
#include "products/ListImport.h"
#include "products/SalesFigures.h"

#include <QDir>
#include <QTemporaryDir>

#include "QtBenchmarkMain.h"

using namespace vantrel;

namespace {

// A program folder of its own that is the working folder while it lives.
struct ProgramFolder {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();

    ProgramFolder()
    {
        QDir::setCurrent(dir.path());
        QString error;
        if (!data::createDatabaseFile(
                QStringLiteral("CONTACT.mdb"), data::DatabaseKind::Business, &error)
            || !data::createDatabaseFile(
                QStringLiteral("User.mdb"), data::DatabaseKind::User, &error))
            qFatal("cannot create the benchmark databases: %s", qPrintable(error));
    }
    ~ProgramFolder() { QDir::setCurrent(previous); }
};

void writeWorkbook(const QString& path, const QString& sheetName, const QStringList& headings,
    int rows, const std::function<QVariantList(int)>& row)
{
    office::Workbook workbook;
    office::Sheet& sheet = workbook.activeSheet();
    sheet.setName(sheetName);
    for (int column = 0; column < headings.size(); ++column)
        sheet.setValue(0, column, headings.at(column));
    for (int r = 1; r <= rows; ++r) {
        const QVariantList values = row(r);
        for (int column = 0; column < values.size(); ++column)
            sheet.setValue(r, column, values.at(column));
    }
    QString error;
    if (!office::writeWorkbook(workbook, path, &error))
        qFatal("cannot write %s: %s", qPrintable(path), qPrintable(error));
}

void priceListImport(benchmark::State& state)
{
    ProgramFolder folder;
    constexpr int rows = 50000;
    writeWorkbook(QStringLiteral("Prices.xlsx"), QStringLiteral("PRICES"),
        { QStringLiteral("PRODUCT"), QStringLiteral("CURRENCY"), QStringLiteral("PRICE"),
            QStringLiteral("NOTES") },
        rows, [](int r) {
            return QVariantList { QStringLiteral("Product %1").arg(r), QStringLiteral("ZAR"),
                r % 1000 + 0.5, QStringLiteral("size %1").arg(r % 17) };
        });
    for (auto _ : state) {
        state.PauseTiming();
        data::Database db;
        data::openBusinessDatabase(db);
        db.execute(QStringLiteral("DELETE FROM TABLE13"));
        state.ResumeTiming();
        const products::ListImportResult result
            = products::importList(products::FormPriceList::priceImport(), db);
        if (result.outcome != products::ListImportResult::Outcome::Imported
            || result.addedRows != rows)
            state.SkipWithError(qPrintable(QStringLiteral("import failed: ") + result.error));
    }
    state.counters["rows"] = rows;
}
BENCHMARK(priceListImport)->Unit(benchmark::kMillisecond)->Iterations(3);

void productSummaries(benchmark::State& state)
{
    ProgramFolder folder;
    constexpr int rows = 100000;
    data::Database db;
    data::openBusinessDatabase(db);
    {
        data::Transaction transaction(db);
        for (int r = 0; r < rows; ++r)
            db.execute(
                QStringLiteral("INSERT INTO TABLE11 (TEXT01, TEXT02, TEXT03) VALUES (?, ?, ?)"),
                { QStringLiteral("Product %1").arg(r), QStringLiteral("Competitor %1").arg(r % 300),
                    QStringLiteral("Ours %1").arg(r) });
        transaction.commit();
    }
    for (auto _ : state) {
        if (!db.execute(products::FormCompetition::summaryStatement()))
            state.SkipWithError("the summaries were not written");
    }
    state.counters["rows"] = rows;
}
BENCHMARK(productSummaries)->Unit(benchmark::kMillisecond)->Iterations(3);

void salesImport(benchmark::State& state)
{
    ProgramFolder folder;
    constexpr int rows = 200000;
    writeWorkbook(QStringLiteral("sales.xlsx"), QStringLiteral("Sales"),
        { QStringLiteral("Account"), QStringLiteral("Sale Date"), QStringLiteral("Amount") }, rows,
        [](int r) {
            return QVariantList { QStringLiteral("AC%1").arg(r % 5000),
                QDate(2020, 1, 1).addDays(r % 2000), r * 1.25 };
        });
    const products::SalesSettings settings { QDir::current().filePath(QStringLiteral("sales.xlsx")),
        QStringLiteral("Sale Date"), QStringLiteral("Account"), QStringLiteral("Sales") };
    for (auto _ : state) {
        data::Database user;
        data::openUserDatabase(user);
        QString error;
        if (!products::importSales(user, settings, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["rows"] = rows;
}
BENCHMARK(salesImport)->Unit(benchmark::kMillisecond)->Iterations(2);

void companySales(benchmark::State& state)
{
    ProgramFolder folder;
    constexpr int rows = 1000000;
    const products::SalesSettings settings { QString(), QStringLiteral("Sale Date"),
        QStringLiteral("Account"), QStringLiteral("Sales") };
    {
        data::Database user;
        data::openUserDatabase(user);
        data::Transaction transaction(user);
        user.execute(QStringLiteral(
            "CREATE TABLE SALES (\"Account\" TEXT, \"Sale Date\" DATETEXT, \"Amount\" NUMERIC)"));
        for (int r = 0; r < rows; ++r)
            user.execute(QStringLiteral("INSERT INTO SALES VALUES (?, ?, ?)"),
                { QStringLiteral("AC%1").arg(r % 5000),
                    QDate(2020, 1, 1).addDays(r % 2000).toString(Qt::ISODate), r * 1.25 });
        user.execute(QStringLiteral("CREATE INDEX SALES_ACCOUNT ON SALES (\"Account\")"));
        transaction.commit();
    }
    data::BoundView view;
    view.openDatabase(QStringLiteral("User.mdb"));
    for (auto _ : state) {
        view.setRecordSource(products::companySalesQuery(settings), { QStringLiteral("AC1234") });
        if (!view.refresh() || view.rowCount() != rows / 5000)
            state.SkipWithError("the company's rows were not shown");
    }
    state.counters["rows"] = rows;
}
BENCHMARK(companySales)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

VANTREL_BENCHMARK_MAIN()
