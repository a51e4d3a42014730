#pragma once

#include "office/CellStyle.h"
#include "office/Workbook.h"

#include <QList>
#include <QString>
#include <QVariantList>

namespace vantrel::office {

// A list report as the program writes it for the spreadsheet program: one sheet,
// a bold heading row with an automatic filter that stays in view, the rows below
// it, every cell in the report's font.
struct ReportColumn {
    QString heading;
    QString numberFormat; // empty: General
    double width = 0; // characters; 0 fits the column to its contents
    bool wrap = false;
    bool hidden = false;
    HorizontalAlignment alignment = HorizontalAlignment::General;
};

struct ReportLayout {
    // The workbook's title, shown in the spreadsheet program's caption.
    QString title;
    QString sheetName = QStringLiteral("Sheet1");
    QString fontName = QStringLiteral("Arial Narrow");
    double fontSize = 8;
    bool autoFilter = true;
    bool freezeHeadingRow = true;
    QList<ReportColumn> columns;
};

// The workbook of the rows under the layout's headings; a row's values go to the
// columns in order (a shorter row leaves its last cells empty). The rows are
// taken: each is let go once it is in the sheet, so a long list is not held twice.
Workbook buildReportWorkbook(const ReportLayout& layout, QList<QVariantList> rows);

} // namespace vantrel::office
