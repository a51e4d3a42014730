#include "activities/ProjectSummarySheet.h"

#include "office/ReportWorkbook.h"

namespace vantrel::activities {

namespace {

constexpr int titleRow = 0;
constexpr int headingRow = 3;
constexpr int separatorColumn = 1;

bool sameProject(const QString& a, const QString& b)
{
    // Names group as the database orders them: without regard to letter case.
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

office::Sheet buildProjectSummarySheet(
    const QString& companyName, const QList<ProjectSummaryRow>& rows)
{
    using office::CellRange;
    using office::HorizontalAlignment;
    const auto column = [](const char* heading, HorizontalAlignment alignment = {}) {
        office::ReportColumn described;
        described.heading = QLatin1String(heading);
        described.alignment = alignment;
        return described;
    };
    office::ReportColumn taken = column("ACTION TAKEN");
    taken.wrap = true;
    taken.width = 20;
    office::ReportLayout layout;
    layout.fontName = QStringLiteral("Calibri");
    layout.fontSize = 9;
    layout.autoFilter = false;
    layout.freezeHeadingRow = false;
    layout.columns = { column("DATE ENTERED", HorizontalAlignment::Left), column("DIVISION"),
        column("PROJECT NAME"), column("ACTION DATE", HorizontalAlignment::Left), taken };

    // Empty rows stand for the separators, which go in once the columns are
    // fitted, so that they run on over the empty cells to their right instead
    // of widening their own column.
    QList<QVariantList> lines { QVariantList() };
    QList<int> separatorRows { int(lines.size()) };
    for (int index = 0; index < rows.size(); ++index) {
        const ProjectSummaryRow& step = rows.at(index);
        lines.append(QVariantList {
            step.dateEntered, step.division, step.projectName, step.actionDate, step.actionTaken });
        const bool lastOfProject = index + 1 == rows.size()
            || !sameProject(rows.at(index + 1).projectName, step.projectName);
        if (lastOfProject) {
            lines.append(QVariantList {});
            separatorRows.append(int(lines.size()));
        }
    }
    office::Workbook workbook = office::buildReportWorkbook(layout, lines);
    office::Sheet sheet = workbook.activeSheet();
    const int lastRow = int(lines.size());
    sheet.setVerticalAlignment(CellRange::area(0, 0, lastRow, 3), office::VerticalAlignment::Top);
    QString ignored; // three rows fit above any summary
    sheet.insertRows(0, headingRow, &ignored);
    for (int separator : separatorRows) {
        const CellRange cell = CellRange::cell(headingRow + separator, separatorColumn);
        sheet.setValue(cell.firstRow, cell.firstColumn, projectSeparator);
        sheet.setFontName(cell, layout.fontName);
        sheet.setFontSize(cell, layout.fontSize);
        sheet.setBold(cell, false);
    }
    sheet.setValue(titleRow, 0, QStringLiteral("Poject Report for ") + companyName);
    const CellRange title = CellRange::cell(titleRow, 0);
    sheet.setFontName(title, layout.fontName);
    sheet.setFontSize(title, layout.fontSize);
    sheet.setBold(title, true);
    sheet.setActiveCell(0, 0);
    return sheet;
}

} // namespace vantrel::activities
