#include "WorkbookFiles.h"

#include "data/WorkbookReader.h"
#include "data/ZipArchive.h"
#include "office/CellRange.h"
#include "office/Workbook.h"
#include "office/WorkbookWriter.h"

#include <QRegularExpression>

namespace vantrel::test {

void writeSheet(const QString& path, const QString& sheetName, const QList<QVariantList>& rows)
{
    office::Workbook workbook;
    office::Sheet& sheet = workbook.activeSheet();
    sheet.setName(sheetName);
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column)
            sheet.setValue(row, column, rows.at(row).at(column));
    }
    sheet.setBold(office::CellRange::rows(0, 0), true);
    QString error;
    if (!office::writeWorkbook(workbook, path, &error))
        qFatal("could not write %s: %s", qPrintable(path), qPrintable(error));
}

QList<QVariantList> readSheet(const QString& path, const QString& sheetName)
{
    data::Worksheet sheet;
    QString error;
    if (!data::readWorksheet(path, sheetName, &sheet, &error))
        qFatal("could not read %s: %s", qPrintable(path), qPrintable(error));
    return sheet.rows;
}

QByteArray zipEntry(const QString& path, const QString& entry)
{
    data::ZipArchive zip;
    QString reason;
    if (!zip.open(path, &reason))
        return {};
    QByteArray content;
    zip.read(entry, &content, &reason);
    return content;
}

QString columnElement(const QByteArray& sheetXml, int column)
{
    const QRegularExpression pattern(
        QStringLiteral("<col min=\"%1\" max=\"%1\"[^>]*/>").arg(column));
    return pattern.match(QString::fromUtf8(sheetXml)).captured(0);
}

} // namespace vantrel::test
