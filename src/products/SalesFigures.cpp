#include "products/SalesFigures.h"

#include "data/Database.h"
#include "data/WorksheetImport.h"
#include "office/ReportWorkbook.h"
#include "office/SpreadsheetProgram.h"

#include <utility>

namespace vantrel::products {

namespace {

const QString salesTable = QStringLiteral("SALES");

bool hasColumn(data::Database& db, const QString& column)
{
    return db.columnNames(salesTable).contains(column.trimmed(), Qt::CaseInsensitive);
}

} // namespace

bool SalesSettings::read(data::Database& user, SalesSettings* settings, QString* error)
{
    data::QueryResult result;
    if (!user.query(QStringLiteral("SELECT TEXT07, TEXT08, TEXT09, TEXT10 FROM TABLE02 ORDER BY "
                                   "AUTONUMBER LIMIT 1"),
            {}, &result)) {
        *error = user.lastError();
        return false;
    }
    if (result.rows.isEmpty()) {
        *error = QStringLiteral("The sales import settings are missing from User.mdb.");
        return false;
    }
    const QVariantList& row = result.rows.first();
    *settings = { row.value(0).toString(), row.value(1).toString(), row.value(2).toString(),
        row.value(3).toString() };
    return true;
}

QString bareSheetName(const QString& typed)
{
    QString name = typed.trimmed();
    if (name.endsWith(QLatin1Char('$')))
        name.chop(1);
    return name;
}

bool importSales(data::Database& user, const SalesSettings& settings, QString* error)
{
    data::Transaction transaction(user);
    if (!transaction.isActive() || !user.execute(QStringLiteral("DROP TABLE IF EXISTS SALES"))) {
        *error = user.lastError();
        return false;
    }
    if (!data::importWorksheet(
            user, settings.workbookPath, bareSheetName(settings.sheetName), salesTable, error))
        return false;
    for (const QString& column : { settings.accountColumn, settings.dateColumn }) {
        if (!hasColumn(user, column)) {
            *error = QStringLiteral("The worksheet '%1' has no column headed '%2'.")
                         .arg(bareSheetName(settings.sheetName), column.trimmed());
            return false;
        }
    }
    // One company's figures are looked up by account, among a great many rows.
    if (!user.execute(QStringLiteral("CREATE INDEX SALES_ACCOUNT ON SALES (%1)")
                          .arg(data::quoteIdentifier(settings.accountColumn.trimmed())))
        || !transaction.commit()) {
        *error = user.lastError();
        return false;
    }
    return true;
}

QString companySalesQuery(const SalesSettings& settings)
{
    return QStringLiteral("SELECT * FROM SALES WHERE SALES.%1 = ? ORDER BY SALES.%2 DESC")
        .arg(data::quoteIdentifier(settings.accountColumn.trimmed()),
            data::quoteIdentifier(settings.dateColumn.trimmed()));
}

QString allSalesQuery(const SalesSettings& settings)
{
    // Quoted, so that a date column named with a blank works here as well.
    return QStringLiteral("SELECT * FROM SALES ORDER BY %1 DESC")
        .arg(data::quoteIdentifier(settings.dateColumn.trimmed()));
}

bool sendSalesReport(data::Database& user, const QString& sql, const QVariantList& parameters,
    QString* error, const std::function<void()>& progress, QString* path)
{
    const auto step = [&progress] {
        if (progress)
            progress();
    };
    data::QueryResult result;
    if (!user.query(sql, parameters, &result)) {
        *error = user.lastError();
        return false;
    }
    step();
    // The workbook's own font and widths fitted to the figures, unlike the product lists.
    office::ReportLayout layout;
    layout.sheetName = QStringLiteral("Sales");
    layout.fontName = QStringLiteral("Calibri");
    layout.fontSize = 11;
    for (const QString& heading : std::as_const(result.columns)) {
        office::ReportColumn column;
        column.heading = heading;
        layout.columns.append(column);
    }
    step();
    office::Workbook workbook = office::buildReportWorkbook(layout, std::move(result.rows));
    step();
    QString saved;
    const bool shown
        = office::SpreadsheetProgram::instance().saveAndShowReport(&workbook, &saved, error);
    if (path)
        *path = saved;
    if (!saved.isEmpty())
        step();
    return shown;
}

} // namespace vantrel::products
