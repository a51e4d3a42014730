#include "products/ProductReport.h"

#include "data/Database.h"
#include "office/ReportWorkbook.h"
#include "office/SpreadsheetProgram.h"

#include <utility>

namespace vantrel::products {

bool sendProductReport(
    data::Database& db, const ProductReport& report, QString* error, QString* path)
{
    data::QueryResult result;
    if (!db.query(report.sql, report.parameters, &result)) {
        *error = db.lastError();
        return false;
    }
    office::ReportLayout layout;
    layout.title = report.caption;
    layout.fontName = QStringLiteral("Calibri");
    layout.fontSize = 9;
    layout.freezeHeadingRow = false;
    for (const QString& heading : std::as_const(result.columns)) {
        office::ReportColumn column;
        column.heading = heading;
        column.width = 25;
        column.wrap = report.wrapText;
        column.alignment = office::HorizontalAlignment::Left;
        layout.columns.append(column);
    }
    for (const ProductReport::ColumnFormat& format : report.columnFormats) {
        if (format.column < 0 || format.column >= layout.columns.size())
            continue;
        office::ReportColumn& column = layout.columns[format.column];
        if (!format.numberFormat.isEmpty())
            column.numberFormat = format.numberFormat;
        if (format.width > 0)
            column.width = format.width;
        if (!format.numbers)
            continue;
        // Prices are kept as text; the spreadsheet shows them as numbers.
        for (QVariantList& row : result.rows) {
            bool isNumber = false;
            const double number = row.value(format.column).toString().trimmed().toDouble(&isNumber);
            if (isNumber)
                row[format.column] = number;
        }
    }
    office::Workbook workbook = office::buildReportWorkbook(layout, std::move(result.rows));
    QString saved;
    const bool shown
        = office::SpreadsheetProgram::instance().saveAndShowReport(&workbook, &saved, error);
    if (path)
        *path = saved;
    return shown;
}

} // namespace vantrel::products
