#include "office/WorkbookLoader.h"

#include "data/WorkbookReader.h"

namespace vantrel::office {

namespace {

HorizontalAlignment horizontalAlignmentOf(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignLeft)
        return HorizontalAlignment::Left;
    if (alignment & Qt::AlignHCenter)
        return HorizontalAlignment::Center;
    if (alignment & Qt::AlignRight)
        return HorizontalAlignment::Right;
    return HorizontalAlignment::General;
}

// The workbook's default font is left unnamed, so unformatted headings stay plain.
CellStyle styleOf(const data::CellFormat& format)
{
    CellStyle style;
    if (format.fontName.compare(CellStyle::defaultFontName(), Qt::CaseInsensitive) != 0)
        style.fontName = format.fontName;
    if (format.fontSize != CellStyle::defaultFontSize)
        style.fontSize = format.fontSize;
    style.bold = format.bold;
    style.italic = format.italic;
    style.horizontalAlignment = horizontalAlignmentOf(format.horizontalAlignment);
    style.fillColor = format.fillColor;
    return style;
}

Sheet sheetOf(const data::Worksheet& worksheet)
{
    Sheet sheet(worksheet.name);
    int headingRow = -1;
    for (int row = 0; row < worksheet.rows.size(); ++row) {
        const QVariantList& values = worksheet.rows.at(row);
        for (int column = 0; column < values.size(); ++column) {
            if (!values.at(column).isValid())
                continue;
            sheet.setValue(row, column, values.at(column));
            if (headingRow < 0)
                headingRow = row;
        }
    }
    for (int column = 0; headingRow >= 0 && column < worksheet.headerFormats.size(); ++column)
        sheet.setStyle(headingRow, column, styleOf(worksheet.headerFormats.at(column)));
    return sheet;
}

} // namespace

bool loadWorkbook(const QString& path, Workbook* workbook, QString* error)
{
    // By position, not by name: sheet names may differ only in case, or be empty.
    QList<data::Worksheet> worksheets;
    if (!data::readWorksheets(path, &worksheets, error))
        return false;
    QList<Sheet> sheets;
    for (const data::Worksheet& worksheet : std::as_const(worksheets))
        sheets.append(sheetOf(worksheet));
    *workbook = Workbook(sheets);
    workbook->setFilePath(path);
    return true;
}

} // namespace vantrel::office
