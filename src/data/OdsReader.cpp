#include "data/OdsReader.h"

#include "data/BoundedXmlReader.h"
#include "data/SheetBuilder.h"

#include <QDateTime>
#include <QRegularExpression>

namespace vantrel::data {

namespace {

const QString officeNamespace = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString tableNamespace = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString textNamespace = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

QString damaged()
{
    return QStringLiteral("it is damaged or is not an OpenDocument spreadsheet");
}

bool isElement(const BoundedXmlReader& xml, const QString& namespaceUri, QLatin1String name)
{
    return xml.name() == name && xml.namespaceUri() == namespaceUri;
}

qint64 repeatCount(const QXmlStreamAttributes& attributes, QLatin1String name)
{
    bool ok = false;
    const qint64 count = attributes.value(tableNamespace, name).toLongLong(&ok);
    return ok && count > 1 ? std::min<qint64>(count, maxWorksheetRows * qint64(maxWorksheetColumns))
                           : 1;
}

// The paragraphs of a cell, joined by line breaks; notes attached to the cell are
// not its value.
QString readCellText(BoundedXmlReader& xml)
{
    const int end = xml.depth() - 1;
    QString text;
    int paragraphs = 0;
    int paragraphDepth = -1;
    while (xml.depth() > end && !xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::Characters && paragraphDepth >= 0) {
            text += xml.text();
        }
        else if (token == QXmlStreamReader::EndElement) {
            if (xml.depth() < paragraphDepth)
                paragraphDepth = -1;
        }
        else if (token == QXmlStreamReader::StartElement) {
            if (isElement(xml, officeNamespace, QLatin1String("annotation"))) {
                xml.skipElement();
            }
            else if (paragraphDepth < 0 && isElement(xml, textNamespace, QLatin1String("p"))) {
                if (paragraphs++ > 0)
                    text += QLatin1Char('\n');
                paragraphDepth = xml.depth();
            }
            else if (isElement(xml, textNamespace, QLatin1String("s"))) {
                bool ok = false;
                const int count
                    = xml.attributes().value(textNamespace, QLatin1String("c")).toInt(&ok);
                text += QString(ok ? std::clamp(count, 1, 1000) : 1, QLatin1Char(' '));
            }
            else if (isElement(xml, textNamespace, QLatin1String("tab"))) {
                text += QLatin1Char('\t');
            }
            else if (isElement(xml, textNamespace, QLatin1String("line-break"))) {
                text += QLatin1Char('\n');
            }
        }
    }
    return text;
}

// "PT13H05M30S" as a time of day; durations of a day or more stay as written.
QVariant timeValue(const QString& duration)
{
    static const QRegularExpression pattern(
        QStringLiteral("^PT(\\d{1,9})H(\\d{1,9})M(\\d{1,9}(?:\\.\\d+)?)S$"));
    const QRegularExpressionMatch match = pattern.match(duration);
    if (!match.hasMatch())
        return QVariant(duration);
    const qint64 seconds = match.capturedView(1).toLongLong() * 3600
        + match.capturedView(2).toLongLong() * 60 + qRound64(match.capturedView(3).toDouble());
    if (seconds < 0 || seconds >= 86400)
        return QVariant(duration);
    return QVariant(QTime(0, 0).addSecs(int(seconds)));
}

QVariant cellValue(const QXmlStreamAttributes& attributes, BoundedXmlReader& xml)
{
    const QStringView type = attributes.value(officeNamespace, QLatin1String("value-type"));
    const QString text = readCellText(xml);
    if (type == QLatin1String("float") || type == QLatin1String("percentage")
        || type == QLatin1String("currency")) {
        bool ok = false;
        const double number
            = attributes.value(officeNamespace, QLatin1String("value")).toDouble(&ok);
        return ok ? SheetBuilder::numberValue(number) : QVariant(text);
    }
    if (type == QLatin1String("date")) {
        const QString value
            = attributes.value(officeNamespace, QLatin1String("date-value")).toString();
        if (value.contains(QLatin1Char('T'))) {
            const QDateTime dateTime = QDateTime::fromString(value, Qt::ISODate);
            return dateTime.isValid() ? QVariant(dateTime) : QVariant(text);
        }
        const QDate date = QDate::fromString(value, Qt::ISODate);
        return date.isValid() ? QVariant(date) : QVariant(text);
    }
    if (type == QLatin1String("time"))
        return timeValue(attributes.value(officeNamespace, QLatin1String("time-value")).toString());
    if (type == QLatin1String("boolean"))
        return QVariant(attributes.value(officeNamespace, QLatin1String("boolean-value"))
            == QLatin1String("true"));
    if (attributes.hasAttribute(officeNamespace, QLatin1String("string-value")))
        return QVariant(
            attributes.value(officeNamespace, QLatin1String("string-value")).toString());
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

bool OdsReader::open(const QString& path, QString* reason)
{
    if (!m_zip.open(path, reason))
        return false;
    QByteArray mimeType;
    if (m_zip.contains(QStringLiteral("mimetype"))) {
        if (!m_zip.read(QStringLiteral("mimetype"), &mimeType, reason))
            return false;
        if (mimeType.trimmed() != "application/vnd.oasis.opendocument.spreadsheet"
            && mimeType.trimmed() != "application/vnd.oasis.opendocument.spreadsheet-template") {
            *reason = QStringLiteral("it is an OpenDocument file but not a spreadsheet");
            return false;
        }
    }
    if (!m_zip.contains(QStringLiteral("content.xml"))) {
        *reason = damaged();
        return false;
    }
    if (!m_zip.read(QStringLiteral("content.xml"), &m_content, reason))
        return false;

    BoundedXmlReader xml(m_content);
    int spreadsheetDepth = -1;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (isElement(xml, officeNamespace, QLatin1String("spreadsheet"))) {
            spreadsheetDepth = xml.depth();
        }
        else if (spreadsheetDepth >= 0 && xml.depth() == spreadsheetDepth + 1
            && isElement(xml, tableNamespace, QLatin1String("table"))) {
            m_names.append(
                xml.attributes().value(tableNamespace, QLatin1String("name")).toString());
            xml.skipElement();
        }
    }
    if (xml.hasError()) {
        *reason = damaged();
        return false;
    }
    return true;
}

QStringList OdsReader::sheetNames() const
{
    return m_names;
}

bool OdsReader::readSheet(int index, Worksheet* sheet, QString* reason)
{
    BoundedXmlReader xml(m_content);
    int spreadsheetDepth = -1;
    int tableIndex = -1;
    // Find the start of the table.
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (isElement(xml, officeNamespace, QLatin1String("spreadsheet"))) {
            spreadsheetDepth = xml.depth();
        }
        else if (spreadsheetDepth >= 0 && xml.depth() == spreadsheetDepth + 1
            && isElement(xml, tableNamespace, QLatin1String("table"))) {
            if (++tableIndex == index)
                break;
            xml.skipElement();
        }
    }
    if (xml.hasError() || tableIndex != index) {
        *reason = damaged();
        return false;
    }

    SheetBuilder builder;
    qint64 row = 0;
    const int tableEnd = xml.depth() - 1;
    while (xml.depth() > tableEnd && !xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (isElement(xml, tableNamespace, QLatin1String("table-row"))) {
            const qint64 rows
                = repeatCount(xml.attributes(), QLatin1String("number-rows-repeated"));
            QList<std::pair<qint64, QVariant>> cells;
            qint64 column = 0;
            const int rowEnd = xml.depth() - 1;
            while (xml.depth() > rowEnd && !xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement)
                    continue;
                if (!isElement(xml, tableNamespace, QLatin1String("table-cell"))
                    && !isElement(xml, tableNamespace, QLatin1String("covered-table-cell"))) {
                    xml.skipElement();
                    continue;
                }
                const QXmlStreamAttributes attributes = xml.attributes();
                const qint64 columns
                    = repeatCount(attributes, QLatin1String("number-columns-repeated"));
                const QVariant value = cellValue(attributes, xml);
                if (!SheetBuilder::isEmptyValue(value)) {
                    for (qint64 c = 0; c < columns; ++c) {
                        // Past the last column the builder refuses the cell with its reason.
                        if (column + c >= maxWorksheetColumns)
                            return builder.setCell(row, column + c, value, reason);
                        cells.append({ column + c, value });
                    }
                }
                column += columns;
            }
            // Empty rows repeated to the end of the sheet are common; they cost nothing.
            for (qint64 r = 0; r < rows && !cells.isEmpty(); ++r) {
                for (const auto& [cellColumn, value] : std::as_const(cells)) {
                    if (!builder.setCell(row + r, cellColumn, value, reason))
                        return false;
                }
            }
            row += rows;
        }
        else if (isElement(xml, tableNamespace, QLatin1String("table"))
            || isElement(xml, tableNamespace, QLatin1String("table-columns"))
            || isElement(xml, tableNamespace, QLatin1String("table-column"))) {
            xml.skipElement();
        }
    }
    if (xml.hasError()) {
        *reason = damaged();
        return false;
    }
    sheet->rows = builder.takeRows();
    sheet->headerFormats.clear();
    return true;
}

} // namespace vantrel::data
