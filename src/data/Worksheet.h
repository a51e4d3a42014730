#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QVariant>

namespace vantrel::data {

// How a cell of a workbook's header row looks, so that a workbook can be written
// back with its headings unchanged.
struct CellFormat {
    QString fontName;
    double fontSize = 0; // points; 0 where the file does not say
    bool bold = false;
    bool italic = false;
    Qt::Alignment horizontalAlignment; // empty for the spreadsheet's general alignment
    QColor fillColor; // solid background; invalid for none or a theme colour
};

// One worksheet in memory. rows[r][c] is the cell in row r + 1, column c + 1 of
// the sheet: QString, qlonglong (whole numbers), double, bool, QDate, QDateTime,
// QTime, or an invalid QVariant for an empty cell. Rows end at their last value;
// trailing empty rows are dropped.
struct Worksheet {
    QString name;
    QList<QVariantList> rows;
    // Formats of the first row that holds a value, one per cell of it; empty where
    // the format keeps none (only .xlsx does).
    QList<CellFormat> headerFormats;
};

// Limits that keep a hostile or broken file from exhausting memory.
inline constexpr qint64 maxUnpackedWorkbookBytes = 200 * 1024 * 1024;
// Cells up to each row's last value, and the shared texts of an .xlsx: a cell costs
// some 40 bytes, so a sheet within the limit stays near 160 MB however small its file.
inline constexpr qint64 maxWorksheetCells = 4'000'000;
inline constexpr int maxWorksheetRows = 1'048'576;
inline constexpr int maxWorksheetColumns = 16'384;

} // namespace vantrel::data
