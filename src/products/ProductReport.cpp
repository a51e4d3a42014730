#include "products/ProductReport.h"

#include "data/Database.h"
#include "office/CellRange.h"
#include "office/SpreadsheetProgram.h"

#include <QDir>

namespace vantrel::products {

bool sendProductReport(
    data::Database& db, const ProductReport& report, QString* error, QString* path)
{
    data::QueryResult result;
    if (!db.query(report.sql, report.parameters, &result)) {
        *error = db.lastError();
        return false;
    }
    office::SpreadsheetProgram& program = office::SpreadsheetProgram::instance();
    office::Workbook workbook = program.newWorkbook();
    office::Sheet& sheet = workbook.activeSheet();
    const int columns = int(result.columns.size());
    for (int column = 0; column < columns; ++column)
        sheet.setValue(0, column, result.columns.at(column));
    for (int row = 0; row < result.rows.size(); ++row) {
        const QVariantList& values = result.rows.at(row);
        for (int column = 0; column < columns; ++column)
            sheet.setValue(row + 1, column, values.value(column));
    }
    const office::CellRange used
        = office::CellRange::area(0, 0, int(result.rows.size()), std::max(columns - 1, 0));
    sheet.setFontName(used, QStringLiteral("Calibri"));
    sheet.setFontSize(used, 9);
    sheet.setHorizontalAlignment(used, office::HorizontalAlignment::Left);
    sheet.setVerticalAlignment(used, office::VerticalAlignment::Bottom);
    sheet.setWrapText(used, report.wrapText);
    sheet.setColumnWidth(office::CellRange::columns(0, std::max(columns - 1, 0)), 25);
    sheet.setBold(office::CellRange::rows(0, 0), true);
    sheet.setAutoFilter(0);
    for (const ProductReport::ColumnFormat& format : report.columnFormats) {
        for (int row = 1; format.numbers && row <= result.rows.size(); ++row) {
            bool isNumber = false;
            const double number
                = sheet.value(row, format.column).toString().trimmed().toDouble(&isNumber);
            if (isNumber)
                sheet.setValue(row, format.column, number);
        }
        if (!format.numberFormat.isEmpty())
            sheet.setNumberFormat(
                office::CellRange::area(1, format.column, int(result.rows.size()), format.column),
                format.numberFormat);
        if (format.width > 0)
            sheet.setColumnWidth(
                office::CellRange::columns(format.column, format.column), format.width);
    }
    sheet.setActiveCell(1, 0);

    const QString fileName = office::SpreadsheetProgram::newReportFileName();
    QDir().mkpath(QStringLiteral("Temp"));
    if (!program.saveAs(&workbook, fileName, error) || !program.show(fileName, error))
        return false;
    if (path)
        *path = fileName;
    return true;
}

} // namespace vantrel::products
