#include "office/RtfWriter.h"

#include "office/CodePageDecoder.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace vantrel::office {

namespace {

// The width of a table in twips when the document gives none: an A4 page less 2 cm margins.
constexpr int textWidthTwips = 9638;

int twips(qreal pixels)
{
    return static_cast<int>(std::lround(std::clamp<qreal>(pixels * 15.0, -31680, 31680)));
}

QByteArray number(qsizetype value)
{
    return QByteArray::number(value);
}

void appendHexByte(QByteArray* out, int byte)
{
    static const char digits[] = "0123456789abcdef";
    out->append("\\'");
    out->append(digits[(byte >> 4) & 0xF]);
    out->append(digits[byte & 0xF]);
}

// RTF text for s: ASCII as is, other Windows-1252 characters as \uN with the byte as fallback,
// the rest as \uN?, surrogate pairs as two escapes.
void appendText(QByteArray* out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        switch (unit) {
        case u'\\':
        case u'{':
        case u'}':
            out->append('\\');
            out->append(static_cast<char>(unit));
            continue;
        case u'\t':
            out->append("\\tab ");
            continue;
        case QChar::LineSeparator:
            out->append("\\line ");
            continue;
        case QChar::Nbsp:
            out->append("\\~");
            continue;
        case QChar::SoftHyphen:
            out->append("\\-");
            continue;
        case 0x2011:
            out->append("\\_");
            continue;
        case QChar::ObjectReplacementCharacter:
        case 0xFDD0:
        case 0xFDD1:
            continue;
        default:
            break;
        }
        if (unit < 0x20)
            continue;
        if (unit < 0x80) {
            out->append(static_cast<char>(unit));
            continue;
        }
        out->append("\\u");
        out->append(number(unit > 32767 ? unit - 65536 : unit));
        const int byte = CodePageDecoder::windows1252Byte(c);
        if (byte >= 0)
            appendHexByte(out, byte);
        else
            out->append('?');
    }
}

class RtfWriter {
public:
    explicit RtfWriter(const QTextDocument& body, const QTextDocument* header);
    QByteArray write();

private:
    struct Bullet {
        const char* font;
        int symbol;
    };

    void writeFrame(const QTextFrame* frame);
    void writeTable(const QTextTable* table);
    void writeBlock(const QTextBlock& block, bool inTable, const char* end);
    void writeListMarker(const QTextBlock& block, const QTextList* list);
    void writeCharacterFormat(const QTextCharFormat& format);
    int fontIndex(const QString& family, bool symbol = false);
    int colorIndex(const QColor& color);

    const QTextDocument& m_body;
    const QTextDocument* m_header;
    const QTextDocument* m_current = nullptr;
    QByteArray m_out;
    QStringList m_fonts;
    QList<bool> m_symbolFonts;
    QList<QColor> m_colors;
};

RtfWriter::RtfWriter(const QTextDocument& body, const QTextDocument* header)
    : m_body(body)
    , m_header(header)
{
}

QByteArray RtfWriter::write()
{
    fontIndex(m_body.defaultFont().family());
    if (m_header) {
        m_current = m_header;
        m_out.append("{\\header ");
        writeFrame(m_header->rootFrame());
        m_out.append("}\n");
    }
    m_current = &m_body;
    writeFrame(m_body.rootFrame());

    QByteArray rtf("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        rtf.append("{\\f" + number(i)
            + (m_symbolFonts.at(i) ? "\\ftech\\fcharset2 " : "\\fnil\\fcharset0 "));
        appendText(&rtf, m_fonts.at(i));
        rtf.append(";}");
    }
    rtf.append("}\n{\\colortbl;");
    for (const QColor& color : std::as_const(m_colors))
        rtf.append("\\red" + number(color.red()) + "\\green" + number(color.green()) + "\\blue"
            + number(color.blue()) + ';');
    rtf.append("}\n");
    rtf.append(m_out);
    rtf.append("}\n");
    return rtf;
}

int RtfWriter::fontIndex(const QString& family, bool symbol)
{
    // A semicolon would end the font table entry early.
    QString name = family;
    name.remove(u';');
    if (name.isEmpty())
        name = QStringLiteral("Times New Roman");
    // A bullet's entry declares the symbol character set, which makes readers map
    // text to the symbol glyphs; text in a font of the same name needs its own entry.
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts.at(i) == name && m_symbolFonts.at(i) == symbol)
            return static_cast<int>(i);
    }
    m_fonts.append(name);
    m_symbolFonts.append(symbol);
    return static_cast<int>(m_fonts.size() - 1);
}

int RtfWriter::colorIndex(const QColor& color)
{
    const QColor rgb = color.toRgb();
    qsizetype found = m_colors.indexOf(rgb);
    if (found < 0) {
        m_colors.append(rgb);
        found = m_colors.size() - 1;
    }
    return static_cast<int>(found + 1);
}

void RtfWriter::writeFrame(const QTextFrame* frame)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        const QTextFrame* child = it.currentFrame();
        if (const auto* table = qobject_cast<const QTextTable*>(child))
            writeTable(table);
        else if (child)
            writeFrame(child);
        else
            writeBlock(it.currentBlock(), false, "\\par");
    }
}

void RtfWriter::writeTable(const QTextTable* table)
{
    const QTextTableFormat format = table->format();
    const int columns = table->columns();
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    QList<int> edges;
    int edge = 0;
    for (int column = 0; column < columns; ++column) {
        int width = textWidthTwips / columns;
        if (constraints.size() == columns) {
            const QTextLength& length = constraints.at(column);
            if (length.type() == QTextLength::FixedLength)
                width = twips(length.rawValue());
            else if (length.type() == QTextLength::PercentageLength)
                width = static_cast<int>(length.rawValue() * textWidthTwips / 100);
        }
        edge += std::max(width, 1);
        edges.append(edge);
    }
    const QByteArray border = format.border() > 0 ? "\\brdrs\\brdrw10" : "\\brdrnone";

    for (int row = 0; row < table->rows(); ++row) {
        m_out.append("\\trowd\\trgaph108\\trleft0");
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() != row)
                m_out.append("\\clvmrg");
            else if (cell.rowSpan() > 1)
                m_out.append("\\clvmgf");
            if (cell.column() != column)
                m_out.append("\\clmrg");
            else if (cell.columnSpan() > 1)
                m_out.append("\\clmgf");
            m_out.append("\\clbrdrt" + border + "\\clbrdrl" + border + "\\clbrdrb" + border
                + "\\clbrdrr" + border);
            m_out.append("\\cellx" + number(edges.at(column)));
        }
        m_out.append('\n');
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            QList<QTextBlock> blocks;
            if (cell.row() == row && cell.column() == column) {
                for (QTextBlock block = table->document()->findBlock(cell.firstPosition());
                     block.isValid() && block.position() <= cell.lastPosition();
                     block = block.next())
                    blocks.append(block);
            }
            if (blocks.isEmpty()) {
                m_out.append("\\pard\\intbl\\plain\\cell\n");
                continue;
            }
            for (qsizetype i = 0; i < blocks.size(); ++i)
                writeBlock(blocks.at(i), true, i + 1 == blocks.size() ? "\\cell" : "\\par");
        }
        m_out.append("\\row\n");
    }
}

void RtfWriter::writeBlock(const QTextBlock& block, bool inTable, const char* end)
{
    const QTextBlockFormat format = block.blockFormat();
    m_out.append("\\pard");
    if (inTable)
        m_out.append("\\intbl");

    const QTextList* list = block.textList();
    if (list)
        writeListMarker(block, list);

    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        m_out.append("\\qc");
    else if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        m_out.append("\\qr");
    else if (alignment & Qt::AlignJustify)
        m_out.append("\\qj");
    else
        m_out.append("\\ql");

    int left = twips(format.leftMargin());
    int first = twips(format.textIndent());
    if (list) {
        left += 720 * std::max(list->format().indent(), 1);
        first = -360;
    }
    if (left != 0)
        m_out.append("\\li" + number(left));
    if (const int right = twips(format.rightMargin()); right != 0)
        m_out.append("\\ri" + number(right));
    if (first != 0)
        m_out.append("\\fi" + number(first));
    if (const int before = twips(format.topMargin()); before > 0)
        m_out.append("\\sb" + number(before));
    if (const int after = twips(format.bottomMargin()); after > 0)
        m_out.append("\\sa" + number(after));
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (const int percent = qRound(format.lineHeight()); percent > 0 && percent != 100)
            m_out.append("\\sl" + number(percent * 240 / 100) + "\\slmult1");
        break;
    case QTextBlockFormat::MinimumHeight:
        m_out.append("\\sl" + number(std::max(twips(format.lineHeight()), 1)) + "\\slmult0");
        break;
    case QTextBlockFormat::FixedHeight:
        m_out.append("\\sl-" + number(std::max(twips(format.lineHeight()), 1)) + "\\slmult0");
        break;
    default:
        break;
    }
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            m_out.append("\\tqr");
        else if (tab.type == QTextOption::CenterTab)
            m_out.append("\\tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            m_out.append("\\tqdec");
        m_out.append("\\tx" + number(std::max(twips(tab.position), 0)));
    }
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        m_out.append("\\pagebb");

    bool empty = true;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid() || fragment.text().isEmpty())
            continue;
        writeCharacterFormat(fragment.charFormat());
        appendText(&m_out, fragment.text());
        empty = false;
    }
    if (empty)
        writeCharacterFormat(block.charFormat());
    m_out.append(end);
    m_out.append('\n');
}

void RtfWriter::writeListMarker(const QTextBlock& block, const QTextList* list)
{
    const QTextListFormat::Style style = list->format().style();
    const char* numbering = nullptr;
    switch (style) {
    case QTextListFormat::ListDecimal:
        numbering = "\\pndec";
        break;
    case QTextListFormat::ListLowerAlpha:
        numbering = "\\pnlcltr";
        break;
    case QTextListFormat::ListUpperAlpha:
        numbering = "\\pnucltr";
        break;
    case QTextListFormat::ListLowerRoman:
        numbering = "\\pnlcrm";
        break;
    case QTextListFormat::ListUpperRoman:
        numbering = "\\pnucrm";
        break;
    default:
        break;
    }
    if (numbering) {
        const QByteArray font = number(fontIndex(m_current->defaultFont().family()));
        m_out.append("{\\pntext\\f" + font + ' ');
        appendText(&m_out, list->itemText(block));
        m_out.append("\\tab}{\\*\\pn\\pnlvlbody\\pnf" + font + "\\pnindent0\\pnstart1" + numbering
            + "{\\pntxta.}}");
        return;
    }
    // Bullets in the symbol fonts and characters Word uses for them.
    Bullet bullet { "Symbol", 0xB7 };
    if (style == QTextListFormat::ListCircle)
        bullet = { "Courier New", 'o' };
    else if (style == QTextListFormat::ListSquare)
        bullet = { "Wingdings", 0xA7 };
    const bool symbol = bullet.symbol != 'o';
    const QByteArray font = number(fontIndex(QString::fromLatin1(bullet.font), symbol));
    QByteArray glyph;
    appendHexByte(&glyph, bullet.symbol);
    m_out.append("{\\pntext\\f" + font + ' ' + glyph + "\\tab}{\\*\\pn\\pnlvlblt\\pnf" + font
        + "\\pnindent0{\\pntxtb" + glyph + "}}");
}

void RtfWriter::writeCharacterFormat(const QTextCharFormat& format)
{
    const QFont defaultFont = m_current->defaultFont();
    QString family;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        family = families.first();
    if (family.isEmpty())
        family = format.stringProperty(QTextFormat::FontFamily);
    if (family.isEmpty())
        family = defaultFont.family();
    qreal points = 0;
    if (format.hasProperty(QTextFormat::FontPointSize))
        points = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize))
        points = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
    else
        points = defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF()
                                              : defaultFont.pixelSize() * 0.75;
    const int halfPoints = std::clamp(static_cast<int>(std::lround(points * 2)), 2, 3276);

    m_out.append("\\plain\\f" + number(fontIndex(family)) + "\\fs" + number(halfPoints));
    if (format.fontWeight() > QFont::Medium)
        m_out.append("\\b");
    if (format.fontItalic())
        m_out.append("\\i");
    switch (format.underlineStyle()) {
    case QTextCharFormat::SingleUnderline:
        m_out.append("\\ul");
        break;
    case QTextCharFormat::DashUnderline:
        m_out.append("\\uldash");
        break;
    case QTextCharFormat::DotLine:
        m_out.append("\\uld");
        break;
    case QTextCharFormat::DashDotLine:
        m_out.append("\\uldashd");
        break;
    case QTextCharFormat::DashDotDotLine:
        m_out.append("\\uldashdd");
        break;
    case QTextCharFormat::WaveUnderline:
        m_out.append("\\ulwave");
        break;
    default:
        break;
    }
    if (format.fontStrikeOut())
        m_out.append("\\strike");
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        m_out.append("\\super");
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        m_out.append("\\sub");
    if (format.foreground().style() != Qt::NoBrush)
        m_out.append("\\cf" + number(colorIndex(format.foreground().color())));
    if (format.background().style() != Qt::NoBrush)
        m_out.append("\\highlight" + number(colorIndex(format.background().color())));
    m_out.append(' ');
}

} // namespace

QByteArray writeRtf(const QTextDocument& body, const QTextDocument* pageHeader)
{
    return RtfWriter(body, pageHeader).write();
}

} // namespace vantrel::office
