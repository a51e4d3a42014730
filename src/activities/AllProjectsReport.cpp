#include "activities/AllProjectsReport.h"

namespace vantrel::activities {

bool queryAllActiveProjects(data::Database& db, data::QueryResult* rows)
{
    return db.query(
        QStringLiteral(
            "SELECT TABLE06.TEXT01 AS \"INDUSTRY GROUP\", TABLE06.DATE01 AS \"DATE ENTERED\","
            " TABLE01.TEXT01 AS COMPANY, TABLE01.TEXT13 AS DIVISION,"
            " TABLE01.TEXT18 AS \"SALES PERSON\", TABLE06.TEXT02 AS \"PROJECT NAME\","
            " TABLE06.TEXT03 AS \"PROJECT STATUS\", TABLE07.DATE01 AS \"ACTION DATE\","
            " TABLE07.MEMO01 AS \"ACTION STEP\" FROM TABLE01"
            " INNER JOIN (TABLE06 INNER JOIN TABLE07 ON TABLE06.AUTONUMBER = TABLE07.NUMBER01)"
            " ON TABLE01.AUTONUMBER = TABLE06.NUMBER01"
            " WHERE TABLE01.TEXT20 = 'Company' AND TABLE06.TEXT03 = 'Active Project'"
            " ORDER BY TABLE01.TEXT01, TABLE06.TEXT01, TABLE06.TEXT02, TABLE07.DATE01,"
            " TABLE07.AUTONUMBER"),
        {}, rows);
}

} // namespace vantrel::activities

namespace vantrel::activities {

office::Workbook buildAllProjectsWorkbook(const data::QueryResult& rows)
{
    using office::CellRange;
    office::Workbook workbook;
    office::Sheet& sheet = workbook.activeSheet();
    for (int column = 0; column < rows.columns.size(); ++column)
        sheet.setValue(0, column, rows.columns.at(column));
    for (int row = 0; row < rows.rows.size(); ++row) {
        const QVariantList& values = rows.rows.at(row);
        for (int column = 0; column < values.size(); ++column)
            sheet.setValue(row + 1, column, values.at(column));
    }
    const CellRange all = CellRange::all();
    sheet.setFontName(all, QStringLiteral("Arial Narrow"));
    sheet.setFontSize(all, 8);
    sheet.setVerticalAlignment(all, office::VerticalAlignment::Top);
    sheet.setHorizontalAlignment(CellRange::columns(1, 1), office::HorizontalAlignment::Left);
    sheet.setHorizontalAlignment(CellRange::columns(7, 7), office::HorizontalAlignment::Left);
    sheet.setWrapText(CellRange::columns(8, 8), true);
    sheet.setColumnWidth(CellRange::columns(8, 8), 50);
    sheet.setBold(CellRange::rows(0, 0), true);
    sheet.autoFitColumns(all);
    sheet.setAutoFilter(0);
    sheet.freezePanes(1, 0);
    sheet.setActiveCell(0, 0);
    return workbook;
}

} // namespace vantrel::activities
