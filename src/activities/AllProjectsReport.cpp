#include "activities/AllProjectsReport.h"

#include "office/ReportWorkbook.h"

#include <utility>

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
    using office::HorizontalAlignment;
    const auto column = [](const char* heading, HorizontalAlignment alignment = {}) {
        office::ReportColumn described;
        described.heading = QLatin1String(heading);
        described.alignment = alignment;
        return described;
    };
    office::ReportColumn step = column("ACTION STEP");
    step.wrap = true;
    step.width = 50;
    office::ReportLayout layout;
    layout.columns = { column("INDUSTRY GROUP"), column("DATE ENTERED", HorizontalAlignment::Left),
        column("COMPANY"), column("DIVISION"), column("SALES PERSON"), column("PROJECT NAME"),
        column("PROJECT STATUS"), column("ACTION DATE", HorizontalAlignment::Left), step };
    const int rowCount = int(rows.rows.size());
    office::Workbook workbook = office::buildReportWorkbook(layout, std::move(rows.rows));
    office::Sheet& sheet = workbook.activeSheet();
    // Long steps wrap over several lines; every other cell of the row starts at its top.
    sheet.setVerticalAlignment(
        office::CellRange::area(0, 0, rowCount, 8), office::VerticalAlignment::Top);
    sheet.setActiveCell(0, 0);
    return workbook;
}

} // namespace vantrel::activities
