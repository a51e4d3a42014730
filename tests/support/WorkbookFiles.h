#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantList>

namespace vantrel::test {

// Writes a one-sheet .xlsx workbook: the first row is the headings, bold, as
// the delivered workbooks have them.
void writeSheet(const QString& path, const QString& sheetName, const QList<QVariantList>& rows);

// The rows of a worksheet read back; the test program ends when it cannot be read.
QList<QVariantList> readSheet(const QString& path, const QString& sheetName = {});

// One part of an .xlsx file ("xl/worksheets/sheet1.xml"); empty when missing.
QByteArray zipEntry(const QString& path, const QString& entry);

// The <col> element covering one column (1-based) of a sheet's XML.
QString columnElement(const QByteArray& sheetXml, int column);

} // namespace vantrel::test
