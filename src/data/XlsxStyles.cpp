#include "data/XlsxStyles.h"

#include "data/BoundedXmlReader.h"

#include <QHash>

namespace vantrel::data {

namespace {

struct Fill {
    QColor color;
};

// An element such as <b/> or <b val="0"/>: present means on unless val says off.
bool flagValue(const BoundedXmlReader& xml)
{
    const QStringView value = xml.attributes().value(QLatin1String("val"));
    return value.isEmpty() || value == QLatin1String("1") || value == QLatin1String("true");
}

Qt::Alignment alignmentOf(QStringView horizontal)
{
    if (horizontal == QLatin1String("left") || horizontal == QLatin1String("fill"))
        return Qt::AlignLeft;
    if (horizontal == QLatin1String("center") || horizontal == QLatin1String("centerContinuous"))
        return Qt::AlignHCenter;
    if (horizontal == QLatin1String("right"))
        return Qt::AlignRight;
    if (horizontal == QLatin1String("justify") || horizontal == QLatin1String("distributed"))
        return Qt::AlignJustify;
    return {};
}

// The number formats every workbook knows without declaring them.
XlsxStyles::ValueKind builtInKind(int id)
{
    using Kind = XlsxStyles::ValueKind;
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return Kind::Date;
    if (id == 22)
        return Kind::DateTime;
    if ((id >= 18 && id <= 21) || id == 45 || id == 47)
        return Kind::Time;
    // 46 is "[h]:mm:ss", a duration that can exceed a day: a number.
    return Kind::Number;
}

} // namespace

XlsxStyles::ValueKind XlsxStyles::kindOfFormatCode(const QString& code)
{
    // Only the first section (positive numbers) counts; quoted text, escaped
    // characters, padding, colours and locales say nothing about dates.
    QString kept;
    bool elapsed = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char('"')) {
            const qsizetype end = code.indexOf(QLatin1Char('"'), i + 1);
            i = end < 0 ? code.size() : end;
        }
        else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        }
        else if (c == QLatin1Char('[')) {
            const qsizetype end = code.indexOf(QLatin1Char(']'), i + 1);
            const QString inner = code.mid(i + 1, end < 0 ? -1 : end - i - 1).toLower();
            if (!inner.isEmpty() && std::all_of(inner.cbegin(), inner.cend(), [](QChar ch) {
                    return ch == QLatin1Char('h') || ch == QLatin1Char('m')
                        || ch == QLatin1Char('s');
                }))
                elapsed = true;
            i = end < 0 ? code.size() : end;
        }
        else {
            kept.append(c.toLower());
        }
    }
    if (elapsed)
        return ValueKind::Number;
    kept.remove(QLatin1String("am/pm"));
    kept.remove(QLatin1String("a/p"));
    const bool time = kept.contains(QLatin1Char('h')) || kept.contains(QLatin1Char('s'));
    const bool date = kept.contains(QLatin1Char('d')) || kept.contains(QLatin1Char('y'))
        || (kept.contains(QLatin1Char('m')) && !time);
    if (date && time)
        return ValueKind::DateTime;
    if (date)
        return ValueKind::Date;
    return time ? ValueKind::Time : ValueKind::Number;
}

bool XlsxStyles::parse(const QByteArray& xml)
{
    QHash<int, QString> formatCodes;
    QList<CellFormat> fonts;
    QList<Fill> fills;
    struct Xf {
        int numberFormat = 0;
        int font = 0;
        int fill = 0;
        Qt::Alignment alignment;
    };
    QList<Xf> xfs;

    BoundedXmlReader reader(xml);
    QString section;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (reader.name() == section)
                section.clear();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = reader.name();
        const QXmlStreamAttributes attributes = reader.attributes();
        if (section.isEmpty()) {
            if (name == QLatin1String("numFmts") || name == QLatin1String("fonts")
                || name == QLatin1String("fills") || name == QLatin1String("cellXfs")
                || name == QLatin1String("cellStyleXfs") || name == QLatin1String("dxfs")
                || name == QLatin1String("borders"))
                section = name.toString();
            continue;
        }
        if (section == QLatin1String("numFmts") && name == QLatin1String("numFmt")) {
            formatCodes.insert(attributes.value(QLatin1String("numFmtId")).toInt(),
                attributes.value(QLatin1String("formatCode")).toString());
        }
        else if (section == QLatin1String("fonts")) {
            if (name == QLatin1String("font"))
                fonts.append(CellFormat());
            else if (fonts.isEmpty())
                continue;
            else if (name == QLatin1String("b"))
                fonts.last().bold = flagValue(reader);
            else if (name == QLatin1String("i"))
                fonts.last().italic = flagValue(reader);
            else if (name == QLatin1String("sz"))
                fonts.last().fontSize = attributes.value(QLatin1String("val")).toDouble();
            else if (name == QLatin1String("name"))
                fonts.last().fontName = attributes.value(QLatin1String("val")).toString();
        }
        else if (section == QLatin1String("fills")) {
            if (name == QLatin1String("fill"))
                fills.append(Fill());
            else if (name == QLatin1String("fgColor") && !fills.isEmpty()) {
                bool ok = false;
                const uint argb = attributes.value(QLatin1String("rgb")).toUInt(&ok, 16);
                if (ok)
                    fills.last().color = QColor::fromRgba(argb);
            }
            else if (name == QLatin1String("patternFill") && !fills.isEmpty()
                && attributes.value(QLatin1String("patternType")) != QLatin1String("solid")) {
                // Only a solid pattern shows its foreground colour as the background.
                fills.last().color = QColor();
                reader.skipElement();
            }
        }
        else if (section == QLatin1String("cellXfs")) {
            if (name == QLatin1String("xf")) {
                xfs.append({ attributes.value(QLatin1String("numFmtId")).toInt(),
                    attributes.value(QLatin1String("fontId")).toInt(),
                    attributes.value(QLatin1String("fillId")).toInt(), {} });
            }
            else if (name == QLatin1String("alignment") && !xfs.isEmpty()) {
                xfs.last().alignment = alignmentOf(attributes.value(QLatin1String("horizontal")));
            }
        }
    }
    if (reader.hasError())
        return false;

    m_styles.clear();
    m_styles.reserve(xfs.size());
    for (const Xf& xf : std::as_const(xfs)) {
        Style style;
        const auto code = formatCodes.constFind(xf.numberFormat);
        style.kind
            = code != formatCodes.cend() ? kindOfFormatCode(*code) : builtInKind(xf.numberFormat);
        style.format = fonts.value(xf.font);
        style.format.horizontalAlignment = xf.alignment;
        style.format.fillColor = fills.value(xf.fill).color;
        m_styles.append(style);
    }
    return true;
}

XlsxStyles::ValueKind XlsxStyles::valueKind(int style) const
{
    return style >= 0 && style < m_styles.size() ? m_styles.at(style).kind : ValueKind::Number;
}

CellFormat XlsxStyles::format(int style) const
{
    return style >= 0 && style < m_styles.size() ? m_styles.at(style).format : CellFormat();
}

} // namespace vantrel::data
