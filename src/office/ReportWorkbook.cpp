#include "office/ReportWorkbook.h"

#include "office/CellRange.h"

#include <utility>

namespace vantrel::office {

Workbook buildReportWorkbook(const ReportLayout& layout, QList<QVariantList> rows)
{
    Workbook workbook;
    workbook.setTitle(layout.title);
    Sheet& sheet = workbook.activeSheet();
    sheet.setName(layout.sheetName);
    const int columnCount = int(layout.columns.size());
    for (int column = 0; column < columnCount; ++column)
        sheet.setValue(0, column, layout.columns.at(column).heading);
    const int rowCount = int(rows.size());
    for (int row = 0; row < rowCount; ++row) {
        const QVariantList values = std::exchange(rows[row], QVariantList());
        for (int column = 0; column < qMin(columnCount, int(values.size())); ++column)
            sheet.setValue(row + 1, column, values.at(column));
    }
    if (columnCount == 0)
        return workbook;

    const int lastRow = rowCount;
    const CellRange all = CellRange::area(0, 0, lastRow, columnCount - 1);
    sheet.setFontName(all, layout.fontName);
    sheet.setFontSize(all, layout.fontSize);
    sheet.setBold(CellRange::area(0, 0, 0, columnCount - 1), true);
    for (int column = 0; column < columnCount; ++column) {
        const ReportColumn& described = layout.columns.at(column);
        const CellRange cells = CellRange::area(0, column, lastRow, column);
        const CellRange body = CellRange::area(1, column, lastRow, column);
        if (!described.numberFormat.isEmpty() && lastRow > 0)
            sheet.setNumberFormat(body, described.numberFormat);
        if (described.alignment != HorizontalAlignment::General)
            sheet.setHorizontalAlignment(cells, described.alignment);
        if (described.wrap)
            sheet.setWrapText(cells, true);
        if (described.width > 0)
            sheet.setColumnWidth(CellRange::columns(column, column), described.width);
        else
            sheet.autoFitColumns(CellRange::columns(column, column));
        if (described.hidden)
            sheet.setColumnHidden(CellRange::columns(column, column), true);
    }
    if (layout.autoFilter)
        sheet.setAutoFilter(0);
    if (layout.freezeHeadingRow)
        sheet.freezePanes(1, 0);
    return workbook;
}

} // namespace vantrel::office
