#include "data/XlsxReader.h"

#include "data/BoundedXmlReader.h"
#include "data/CellReference.h"
#include "data/SheetBuilder.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QRegularExpression>

#include <cmath>

namespace vantrel::data {

namespace {

QString damaged()
{
    return QStringLiteral("it is damaged or is not an Excel workbook");
}

struct Relationship {
    QString type;
    QString target;
};

// Relationship targets are relative to the folder of the part that names them.
QString resolvePart(const QString& folder, const QString& target)
{
    if (target.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(folder.isEmpty() ? target : folder + QLatin1Char('/') + target);
}

QString folderOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash);
}

bool parseRelationships(const QByteArray& data, QHash<QString, Relationship>* relationships)
{
    BoundedXmlReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement
            && xml.name() == QLatin1String("Relationship")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            relationships->insert(attributes.value(QLatin1String("Id")).toString(),
                { attributes.value(QLatin1String("Type")).toString(),
                    attributes.value(QLatin1String("Target")).toString() });
        }
    }
    return !xml.hasError();
}

// Text of <si> or <is>: plain <t>, or the runs of rich text; phonetic hints are
// not part of the value.
QString readRichText(BoundedXmlReader& xml)
{
    const int end = xml.depth() - 1;
    QString text;
    while (xml.depth() > end && !xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("t"))
            text += xml.readText();
        else if (xml.name() != QLatin1String("r"))
            xml.skipElement();
    }
    return text;
}

// Characters that XML cannot carry are written as _xHHHH_.
QString decodeEscapes(QString text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString result;
    qsizetype last = 0;
    for (QRegularExpressionMatchIterator it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(last, match.capturedStart() - last);
        result += QChar(char16_t(match.capturedView(1).toUShort(nullptr, 16)));
        last = match.capturedEnd();
    }
    result += QStringView(text).mid(last);
    return result;
}

// "BC12" to column 54 and row 11, both from 0; a reference without digits gives row -1.
bool parseReference(QStringView reference, qint64* row, qint64* column)
{
    if (const std::optional<CellReference> place = CellReference::parse(reference)) {
        if (!place->column)
            return false;
        *column = *place->column;
        *row = place->row.value_or(-1);
        return true;
    }
    // Letters and digits that name no place on a sheet lie beyond its edges: the
    // sheet builder refuses the file with the limits, not as a damaged one.
    static const QRegularExpression beyond(QStringLiteral("^[A-Za-z]{1,3}([1-9][0-9]*)?$"));
    if (!beyond.match(reference).hasMatch())
        return false;
    *row = CellReference::maxRows;
    *column = CellReference::maxColumns;
    return true;
}

// Day 1 is 1900-01-01 (or 1904-01-02); day 60 is the 29 February 1900 that
// Excel counts although it never was, read here as the 28th.
QVariant serialDateValue(double serial, XlsxStyles::ValueKind kind, bool date1904)
{
    if (!(serial >= 0 && serial < 2958466))
        return {};
    qint64 days = qint64(std::floor(serial));
    qint64 seconds = std::llround((serial - double(days)) * 86400.0);
    if (seconds >= 86400) {
        ++days;
        seconds = 0;
    }
    const QDate base
        = date1904 ? QDate(1904, 1, 1) : (days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30));
    const QDate date = base.addDays(days);
    const QTime time = QTime(0, 0).addSecs(int(seconds));
    using Kind = XlsxStyles::ValueKind;
    if (kind == Kind::Time && days == 0)
        return QVariant(time);
    if (kind == Kind::Date && seconds == 0)
        return QVariant(date);
    return QVariant(QDateTime(date, time));
}

QVariant isoDateValue(const QString& text)
{
    if (text.contains(QLatin1Char('T'))) {
        const QDateTime dateTime = QDateTime::fromString(text, Qt::ISODate);
        return dateTime.isValid() ? QVariant(dateTime) : QVariant();
    }
    const QDate date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() ? QVariant(date) : QVariant();
}

} // namespace

bool XlsxReader::open(const QString& path, QString* reason)
{
    return m_zip.open(path, reason) && readWorkbookParts(reason);
}

QStringList XlsxReader::sheetNames() const
{
    return m_names;
}

bool XlsxReader::readWorkbookParts(QString* reason)
{
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    QByteArray data;
    if (m_zip.contains(QStringLiteral("_rels/.rels"))) {
        QHash<QString, Relationship> rootRelationships;
        if (!m_zip.read(QStringLiteral("_rels/.rels"), &data, reason))
            return false;
        if (!parseRelationships(data, &rootRelationships)) {
            *reason = damaged();
            return false;
        }
        for (const Relationship& relationship : std::as_const(rootRelationships)) {
            if (relationship.type.endsWith(QLatin1String("/officeDocument")))
                workbookPart = resolvePart(QString(), relationship.target);
        }
    }
    if (!m_zip.contains(workbookPart)) {
        *reason = damaged();
        return false;
    }
    if (!m_zip.read(workbookPart, &data, reason))
        return false;

    QStringList sheetIds;
    BoundedXmlReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("workbookPr")) {
            const QStringView flag = attributes.value(QLatin1String("date1904"));
            m_date1904 = flag == QLatin1String("1") || flag == QLatin1String("true");
        }
        else if (xml.name() == QLatin1String("sheet")) {
            m_names.append(attributes.value(QLatin1String("name")).toString());
            // r:id, whatever prefix the file binds to the relationships namespace.
            QString id;
            for (const QXmlStreamAttribute& attribute : attributes) {
                if (attribute.name() == QLatin1String("id") && !attribute.namespaceUri().isEmpty())
                    id = attribute.value().toString();
            }
            sheetIds.append(id);
        }
    }
    if (xml.hasError()) {
        *reason = damaged();
        return false;
    }

    const QString folder = folderOf(workbookPart);
    const qsizetype slash = workbookPart.lastIndexOf(QLatin1Char('/'));
    const QString relationshipsPart = workbookPart.left(slash + 1) + QStringLiteral("_rels/")
        + workbookPart.mid(slash + 1) + QStringLiteral(".rels");
    QHash<QString, Relationship> relationships;
    if (!m_zip.read(relationshipsPart, &data, reason))
        return false;
    if (!parseRelationships(data, &relationships)) {
        *reason = damaged();
        return false;
    }
    for (const QString& id : std::as_const(sheetIds))
        m_sheetParts.append(resolvePart(folder, relationships.value(id).target));
    for (const Relationship& relationship : std::as_const(relationships)) {
        if (relationship.type.endsWith(QLatin1String("/sharedStrings")))
            m_sharedStringsPart = resolvePart(folder, relationship.target);
        else if (relationship.type.endsWith(QLatin1String("/styles")))
            m_stylesPart = resolvePart(folder, relationship.target);
    }
    return true;
}

bool XlsxReader::readSharedStrings(QString* reason)
{
    if (m_sharedStringsPart.isEmpty())
        return true;
    QByteArray data;
    if (!m_zip.read(m_sharedStringsPart, &data, reason))
        return false;
    BoundedXmlReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("si"))
            continue;
        // Each string costs memory even when empty, and no sheet within the cell
        // limit can use more strings than it has cells.
        if (m_sharedStrings.size() >= maxWorksheetCells) {
            *reason = QStringLiteral("it has more than %1 texts, more than can be read")
                          .arg(maxWorksheetCells);
            return false;
        }
        m_sharedStrings.append(decodeEscapes(readRichText(xml)));
    }
    if (xml.hasError()) {
        *reason = damaged();
        return false;
    }
    m_sharedStringsPart.clear();
    return true;
}

bool XlsxReader::readStyles(QString* reason)
{
    if (m_stylesPart.isEmpty())
        return true;
    QByteArray data;
    if (!m_zip.read(m_stylesPart, &data, reason))
        return false;
    if (!m_styles.parse(data)) {
        *reason = damaged();
        return false;
    }
    m_stylesPart.clear();
    return true;
}

QVariant XlsxReader::cellValue(QStringView type, int style, const QString& text, bool* ok) const
{
    *ok = true;
    if (type == QLatin1String("s")) {
        const int index = text.trimmed().toInt(ok);
        *ok = *ok && index >= 0 && index < m_sharedStrings.size();
        return *ok ? QVariant(m_sharedStrings.at(index)) : QVariant();
    }
    if (type == QLatin1String("str") || type == QLatin1String("inlineStr"))
        return QVariant(decodeEscapes(text));
    if (type == QLatin1String("b")) {
        const QString flag = text.trimmed();
        return QVariant(flag == QLatin1String("1") || flag == QLatin1String("true"));
    }
    if (type == QLatin1String("e"))
        return {};
    if (type == QLatin1String("d")) {
        const QVariant date = isoDateValue(text.trimmed());
        return date.isValid() ? date : QVariant(text);
    }
    bool isNumber = false;
    const double number = text.trimmed().toDouble(&isNumber);
    if (!isNumber)
        return QVariant(text);
    const XlsxStyles::ValueKind kind = m_styles.valueKind(style);
    if (kind != XlsxStyles::ValueKind::Number) {
        const QVariant date = serialDateValue(number, kind, m_date1904);
        if (date.isValid())
            return date;
    }
    return SheetBuilder::numberValue(number);
}

bool XlsxReader::readSheet(int index, Worksheet* sheet, QString* reason)
{
    if (!readSharedStrings(reason) || !readStyles(reason))
        return false;
    QByteArray data;
    const QString part = m_sheetParts.value(index);
    if (part.isEmpty() || !m_zip.contains(part)) {
        *reason = damaged();
        return false;
    }
    if (!m_zip.read(part, &data, reason))
        return false;

    SheetBuilder builder;
    qint64 row = -1;
    qint64 column = -1;
    bool rowHasValue = false;
    qint64 headerRow = -1;
    QList<std::pair<qint64, int>> rowStyles;
    QList<std::pair<qint64, int>> headerStyles;
    BoundedXmlReader xml(data);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("row")) {
            if (rowHasValue && (headerRow < 0 || row < headerRow)) {
                headerRow = row;
                headerStyles = rowStyles;
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("row")) {
            bool ok = false;
            const qint64 number = xml.attributes().value(QLatin1String("r")).toLongLong(&ok);
            row = ok && number > 0 ? number - 1 : row + 1;
            column = -1;
            rowHasValue = false;
            rowStyles.clear();
            continue;
        }
        if (xml.name() != QLatin1String("c"))
            continue;

        const QXmlStreamAttributes attributes = xml.attributes();
        const QStringView reference = attributes.value(QLatin1String("r"));
        qint64 cellRow = -1;
        if (reference.isEmpty())
            ++column;
        else if (!parseReference(reference, &cellRow, &column)) {
            *reason = damaged();
            return false;
        }
        if (cellRow >= 0 && cellRow != row) {
            row = cellRow;
            rowStyles.clear();
        }
        const QStringView styleText = attributes.value(QLatin1String("s"));
        const int style = styleText.toInt();
        if (!styleText.isEmpty())
            rowStyles.append({ column, style });
        const QString type = attributes.value(QLatin1String("t")).toString();

        QString text;
        bool hasText = false;
        const int end = xml.depth() - 1;
        while (xml.depth() > end && !xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("v")) {
                text = xml.readText();
                hasText = true;
            }
            else if (xml.name() == QLatin1String("is")) {
                text = readRichText(xml);
                hasText = true;
            }
            else {
                xml.skipElement();
            }
        }
        if (!hasText)
            continue;
        bool ok = false;
        const QVariant value = cellValue(type, style, text, &ok);
        if (!ok) {
            *reason = damaged();
            return false;
        }
        if (!builder.setCell(row, column, value, reason))
            return false;
        rowHasValue = rowHasValue || !SheetBuilder::isEmptyValue(value);
    }
    if (xml.hasError()) {
        *reason = damaged();
        return false;
    }

    sheet->rows = builder.takeRows();
    sheet->headerFormats.clear();
    if (headerRow >= 0 && headerRow < sheet->rows.size()) {
        const qsizetype width = sheet->rows.at(headerRow).size();
        sheet->headerFormats = QList<CellFormat>(width, m_styles.format(0));
        for (const auto& [cellColumn, cellStyle] : std::as_const(headerStyles)) {
            if (cellColumn < width)
                sheet->headerFormats[cellColumn] = m_styles.format(cellStyle);
        }
    }
    return true;
}

} // namespace vantrel::data
