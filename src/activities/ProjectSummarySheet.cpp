#include "activities/ProjectSummarySheet.h"

#include <algorithm>

namespace vantrel::activities {

namespace {

constexpr int titleRow = 0;
constexpr int headingRow = 3;
constexpr int firstDataRow = 5;
constexpr int separatorColumn = 1;
constexpr int lastColumn = 4;

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
    office::Sheet sheet;
    const QStringList headings = { QStringLiteral("DATE ENTERED"), QStringLiteral("DIVISION"),
        QStringLiteral("PROJECT NAME"), QStringLiteral("ACTION DATE"),
        QStringLiteral("ACTION TAKEN") };
    for (int column = 0; column < headings.size(); ++column)
        sheet.setValue(headingRow, column, headings.at(column));
    // Separators go in once the columns are fitted, so that they run on over the
    // empty cells to their right instead of widening their own column.
    QList<int> separatorRows { headingRow + 1 };
    int row = firstDataRow;
    for (int index = 0; index < rows.size(); ++index) {
        const ProjectSummaryRow& step = rows.at(index);
        sheet.setValue(row, 0, step.dateEntered);
        sheet.setValue(row, 1, step.division);
        sheet.setValue(row, 2, step.projectName);
        sheet.setValue(row, 3, step.actionDate);
        sheet.setValue(row, 4, step.actionTaken);
        ++row;
        const bool lastOfProject = index + 1 == rows.size()
            || !sameProject(rows.at(index + 1).projectName, step.projectName);
        if (lastOfProject)
            separatorRows.append(row++);
    }
    const int lastRow = std::max(row - 1, headingRow + 1);

    const CellRange all = CellRange::area(headingRow, 0, lastRow, lastColumn);
    sheet.setFontName(all, QStringLiteral("Calibri"));
    sheet.setFontSize(all, 9);
    sheet.setHorizontalAlignment(
        CellRange::area(headingRow, 0, lastRow, 0), office::HorizontalAlignment::Left);
    sheet.setHorizontalAlignment(
        CellRange::area(headingRow, 3, lastRow, 3), office::HorizontalAlignment::Left);
    sheet.setVerticalAlignment(
        CellRange::area(headingRow, 0, lastRow, 3), office::VerticalAlignment::Top);
    sheet.setWrapText(CellRange::area(headingRow, 4, lastRow, 4), true);
    sheet.setColumnWidth(CellRange::columns(4, 4), 20);
    sheet.setBold(CellRange::area(headingRow, 0, headingRow, lastColumn), true);

    // The title is written last: column A keeps the width of its dates.
    sheet.setValue(titleRow, 0, QStringLiteral("Poject Report for ") + companyName);
    sheet.setFontName(CellRange::cell(titleRow, 0), QStringLiteral("Calibri"));
    sheet.setFontSize(CellRange::cell(titleRow, 0), 9);
    sheet.setBold(CellRange::cell(titleRow, 0), true);
    sheet.autoFitColumns(CellRange::area(headingRow, 0, lastRow, 3));
    for (int separator : separatorRows) {
        sheet.setValue(separator, separatorColumn, projectSeparator);
        sheet.setFontName(CellRange::cell(separator, separatorColumn), QStringLiteral("Calibri"));
        sheet.setFontSize(CellRange::cell(separator, separatorColumn), 9);
    }
    sheet.setActiveCell(0, 0);
    return sheet;
}

} // namespace vantrel::activities
