#include "office/RtfInterpreter.h"

#include "office/RtfTokenizer.h"

#include <QRegularExpression>
#include <QTextDocument>

namespace vantrel::office {

namespace {

using K = RtfKeyword;

constexpr int maxTwips = 31680; // 22 inches, the widest page Word allows
constexpr qsizetype maxTableEntries = 65536;
constexpr qsizetype maxTabStops = 64;
constexpr qsizetype maxCells = 256;
constexpr size_t maxCachedFormats = 32;

// The document measures lengths in pixels at 96 dpi; a twip is 1/1440 inch.
qreal pixels(int twips)
{
    return twips / 15.0;
}

int twips(int parameter)
{
    return std::clamp(parameter, -maxTwips, maxTwips);
}

bool switchedOn(bool hasParameter, int parameter)
{
    return !hasParameter || parameter != 0;
}

bool isBlank(std::string_view rest)
{
    return std::all_of(rest.begin(), rest.end(),
        [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; });
}

// Word's symbol fonts put their glyphs at U+F000 + code; the bullets among them have
// Unicode equivalents that every font can show.
void mapSymbols(QString* text, const QString& family)
{
    const bool wingdings = family.contains(u"Wingdings", Qt::CaseInsensitive);
    for (QChar& c : *text) {
        const char16_t unit = c.unicode();
        if (unit < 0xF020 || unit > 0xF0FF)
            continue;
        const int code = unit - 0xF000;
        if (!wingdings && code == 0xB7)
            c = QChar(0x2022);
        else if (wingdings && code == 0xA7)
            c = QChar(0x25AA);
        else if (wingdings && code == 0x6C)
            c = QChar(0x25CF);
        else if (wingdings && code == 0x6E)
            c = QChar(0x25A0);
        else if (wingdings && code == 0xFC)
            c = QChar(0x2713);
        else if (wingdings && code == 0xD8)
            c = QChar(0x27A2);
    }
}

// Characters that would corrupt a QTextDocument's structure (block and frame markers,
// object placeholders without an object, control codes) and halves of surrogate pairs.
QString sanitized(QString text)
{
    qsizetype out = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text.at(i);
        const char16_t unit = c.unicode();
        if (unit == 0x2029) {
            c = QChar(QChar::LineSeparator);
        }
        else if ((unit < 0x20 && unit != u'\t') || unit == 0xFDD0 || unit == 0xFDD1
            || unit == 0xFFFC) {
            continue;
        }
        else if (c.isHighSurrogate()) {
            if (i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                text[out++] = c;
                c = text.at(++i);
            }
            else {
                c = QChar(QChar::ReplacementCharacter);
            }
        }
        else if (c.isLowSurrogate()) {
            c = QChar(QChar::ReplacementCharacter);
        }
        text[out++] = c;
    }
    text.truncate(out);
    return text;
}

// The style of a list as its marker text shows it ("1.", "a)", "•", "o").
QTextListFormat::Style listStyleOfMarker(const QString& marker)
{
    const QString m = marker.trimmed();
    if (m.at(0).isDigit())
        return QTextListFormat::ListDecimal;
    static const QRegularExpression lowerRoman(QStringLiteral("^(i|[ivxlcdm]{2,})[.)]$"));
    static const QRegularExpression upperRoman(QStringLiteral("^(I|[IVXLCDM]{2,})[.)]$"));
    static const QRegularExpression lowerLetter(QStringLiteral("^[a-z][.)]$"));
    static const QRegularExpression upperLetter(QStringLiteral("^[A-Z][.)]$"));
    if (lowerRoman.match(m).hasMatch())
        return QTextListFormat::ListLowerRoman;
    if (upperRoman.match(m).hasMatch())
        return QTextListFormat::ListUpperRoman;
    if (lowerLetter.match(m).hasMatch())
        return QTextListFormat::ListLowerAlpha;
    if (upperLetter.match(m).hasMatch())
        return QTextListFormat::ListUpperAlpha;
    const char16_t first = m.at(0).unicode();
    if (first == u'o' || first == 0x25E6 || first == 0x25CB)
        return QTextListFormat::ListCircle;
    if (first == 0x25AA || first == 0x25A0 || first == 0x25FE || first == 0x25FC)
        return QTextListFormat::ListSquare;
    return QTextListFormat::ListDisc;
}

} // namespace

RtfInterpreter::RtfInterpreter(QTextDocument* body, QTextDocument* pageHeader)
    : m_body(body)
    , m_headerDocument(pageHeader)
{
    m_groups.reserve(64);
    m_groups.emplace_back();
}

void RtfInterpreter::run(QByteArrayView rtf)
{
    RtfTokenizer tokenizer(rtf);
    RtfParagraphFormat finalFormat;
    for (bool ended = false; !ended;) {
        RtfToken token = tokenizer.next();
        if (m_fallbackToSkip > 0) {
            // The characters after \uN that stand in for it where Unicode is not read.
            if (token.type == RtfToken::Type::Text) {
                const size_t skipped
                    = std::min(token.bytes.size(), static_cast<size_t>(m_fallbackToSkip));
                m_fallbackToSkip -= static_cast<int>(skipped);
                token.bytes.remove_prefix(skipped);
                if (token.bytes.empty())
                    continue;
            }
            else if (token.type == RtfToken::Type::GroupStart
                || token.type == RtfToken::Type::GroupEnd || token.type == RtfToken::Type::End) {
                m_fallbackToSkip = 0;
            }
            else {
                --m_fallbackToSkip;
                continue;
            }
        }
        switch (token.type) {
        case RtfToken::Type::GroupStart:
            openGroup();
            break;
        case RtfToken::Type::GroupEnd:
            if (m_overflowDepth > 0) {
                --m_overflowDepth;
                break;
            }
            if (m_groups.size() <= 1)
                break; // a stray closing brace
            // The document ends with its group; text after a premature close is still read.
            if (m_groups.size() == 2 && isBlank(tokenizer.rest())) {
                flushText();
                finalFormat = paragraphFormat(innermostTextGroup());
                closeGroup();
                ended = true;
                break;
            }
            closeGroup();
            break;
        case RtfToken::Type::ControlWord:
            controlWord(token.bytes, token.hasParameter, token.parameter);
            break;
        case RtfToken::Type::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case RtfToken::Type::Text:
            text(token.bytes);
            break;
        case RtfToken::Type::HexByte:
            hexByte(token.hexValue);
            break;
        case RtfToken::Type::Binary:
            break;
        case RtfToken::Type::End:
            // An unclosed document: what is open is closed.
            flushText();
            finalFormat = paragraphFormat(innermostTextGroup());
            while (m_groups.size() > 1)
                closeGroup();
            ended = true;
            break;
        }
    }
    m_body.finish(finalFormat);
    if (m_headerDocument && m_headerKind == HeaderKind::None) {
        m_headerDocument->clear();
        m_headerDocument->setModified(false);
    }
}

const RtfInterpreter::Group& RtfInterpreter::innermostTextGroup() const
{
    for (auto it = m_groups.rbegin(); it != m_groups.rend(); ++it) {
        if (it->destination == Destination::Body)
            return *it;
    }
    return m_groups.front();
}

bool RtfInterpreter::readsText() const
{
    switch (m_groups.back().destination) {
    case Destination::Body:
    case Destination::Header:
    case Destination::ListMarker:
        return true;
    case Destination::FontTable:
        return m_fontEntry >= 0;
    default:
        return false;
    }
}

RtfDocumentBuilder* RtfInterpreter::builder()
{
    switch (top().destination) {
    case Destination::Body:
        return &m_body;
    case Destination::Header:
        return m_header.get();
    default:
        return nullptr;
    }
}

void RtfInterpreter::openGroup()
{
    flushText();
    if (m_groups.size() >= maxGroupDepth) {
        ++m_overflowDepth;
        return;
    }
    Group group = top();
    group.starred = false;
    m_groups.push_back(std::move(group));
}

void RtfInterpreter::closeGroup()
{
    flushText();
    const Group closing = std::move(m_groups.back());
    m_groups.pop_back();
    Group& parent = top();
    switch (closing.destination) {
    case Destination::FontTable:
        commitFont();
        break;
    case Destination::ColorTable:
        if (parent.destination != Destination::ColorTable
            && (m_red >= 0 || m_green >= 0 || m_blue >= 0))
            commitColor();
        break;
    case Destination::Header:
        if (parent.destination != Destination::Header && m_header) {
            m_header->finish(paragraphFormat(closing));
            m_headerHasText = m_header->hasContent();
            m_header.reset();
        }
        break;
    case Destination::Numbering:
        if (parent.destination != Destination::Numbering) {
            parent.paragraph.numbering = closing.paragraph.numbering;
            parent.paragraph.numberingLevel = closing.paragraph.numberingLevel;
            parent.paragraph.numberingStyle = closing.paragraph.numberingStyle;
        }
        break;
    default:
        break;
    }
}

void RtfInterpreter::text(std::string_view bytes)
{
    switch (top().destination) {
    case Destination::FontTable:
        for (size_t semicolon; (semicolon = bytes.find(';')) != std::string_view::npos;) {
            if (m_fontEntry >= 0)
                m_pendingBytes.append(bytes.data(), static_cast<qsizetype>(semicolon));
            commitFont();
            bytes.remove_prefix(semicolon + 1);
        }
        if (m_fontEntry >= 0)
            m_pendingBytes.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
        return;
    case Destination::ColorTable:
        for (const char c : bytes) {
            if (c == ';')
                commitColor();
        }
        return;
    case Destination::Body:
    case Destination::Header:
    case Destination::ListMarker:
        break;
    default:
        return;
    }
    // Control codes other than tab carry nothing in RTF text; the common case has none.
    const bool clean = std::none_of(bytes.begin(), bytes.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
    if (clean) {
        m_pendingBytes.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
        return;
    }
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
            m_pendingBytes.append(c);
    }
}

void RtfInterpreter::hexByte(unsigned char byte)
{
    if (readsText())
        m_pendingBytes.append(static_cast<char>(byte));
}

void RtfInterpreter::unicodeCharacter(int value)
{
    m_fallbackToSkip = top().unicodeSkip;
    if (!readsText() || value < -32768 || value > 65535)
        return;
    if (value < 0)
        value += 65536;
    if (value != 0)
        appendCharacter(static_cast<char16_t>(value));
}

void RtfInterpreter::appendCharacter(char16_t character)
{
    if (!readsText())
        return;
    m_decoder.decode(m_pendingBytes.constData(), m_pendingBytes.size(), codePage(), &m_pendingText);
    m_pendingBytes.clear();
    m_pendingText.append(QChar(character));
}

void RtfInterpreter::controlSymbol(char symbol)
{
    Group& group = top();
    if (group.destination == Destination::Skip)
        return;
    switch (symbol) {
    case '*':
        group.starred = true;
        break;
    case '~':
        appendCharacter(0x00A0);
        break;
    case '-':
        appendCharacter(0x00AD);
        break;
    case '_':
        appendCharacter(0x2011);
        break;
    case '\\':
    case '{':
    case '}':
        text(std::string_view(&symbol, 1));
        break;
    case '\n':
        endParagraph();
        break;
    default:
        break;
    }
}

void RtfInterpreter::controlWord(std::string_view word, bool hasParameter, int parameter)
{
    Group& group = top();
    if (group.destination == Destination::Skip)
        return;
    const RtfKeywordInfo info = rtfKeyword(word);
    if (group.starred) {
        group.starred = false;
        if (info.keyword != K::ParagraphNumbering) {
            flushText();
            group.destination = Destination::Skip;
            return;
        }
    }
    switch (info.keyword) {
    case K::Unknown:
        return;
    case K::UnicodeCharacter:
        if (hasParameter)
            unicodeCharacter(parameter);
        return;
    case K::UnicodeSkip:
        // No flush: LibreOffice puts \uc between the halves of a surrogate pair.
        group.unicodeSkip = std::clamp(parameter, 0, 16);
        return;
    case K::SpecialCharacter:
        if (group.destination != Destination::FontTable)
            appendCharacter(info.character);
        return;
    default:
        break;
    }
    flushText();
    if (destinationWord(info.keyword) || documentWord(info.keyword, hasParameter, parameter))
        return;
    if (group.destination == Destination::ListMarker && breaksParagraph(info.keyword))
        recoverListMarkerText();
    switch (group.destination) {
    case Destination::Body:
    case Destination::Header:
        if (breakWord(info.keyword, parameter))
            return;
        [[fallthrough]];
    case Destination::ListMarker:
    case Destination::Numbering:
        if (!characterWord(info.keyword, hasParameter, parameter))
            paragraphWord(info.keyword, hasParameter, parameter);
        return;
    default:
        return;
    }
}

bool RtfInterpreter::destinationWord(RtfKeyword keyword)
{
    Group& group = top();
    switch (keyword) {
    case K::FontTable:
        group.destination = Destination::FontTable;
        return true;
    case K::ColorTable:
        group.destination = Destination::ColorTable;
        m_red = m_green = m_blue = -1;
        return true;
    case K::SkippedDestination:
        group.destination = Destination::Skip;
        return true;
    case K::Header:
    case K::HeaderVariant:
        startHeader(keyword == K::Header);
        return true;
    case K::ListMarker:
        group.destination = Destination::ListMarker;
        m_marker.clear();
        return true;
    case K::ParagraphNumbering:
        group.destination = Destination::Numbering;
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::documentWord(RtfKeyword keyword, bool hasParameter, int parameter)
{
    Group& group = top();
    switch (keyword) {
    case K::CodePageAnsi:
        m_ansiCodePage = 1252;
        return true;
    case K::CodePageMac:
        m_ansiCodePage = 10000;
        return true;
    case K::CodePagePc:
        m_ansiCodePage = 437;
        return true;
    case K::CodePagePca:
        m_ansiCodePage = 850;
        return true;
    case K::AnsiCodePage:
        if (hasParameter && parameter > 0)
            m_ansiCodePage = parameter;
        return true;
    case K::DefaultFont:
        m_defaultFont = parameter;
        group.character.font = parameter;
        return true;
    case K::Font:
        if (group.destination != Destination::FontTable)
            return false;
        startFont(parameter);
        return true;
    case K::FontCharset:
        if (group.destination == Destination::FontTable && m_fontEntry >= 0)
            m_fontEntryCodePage = CodePageDecoder::codePageOfCharset(parameter);
        return true;
    case K::FontCodePage:
        if (group.destination == Destination::FontTable && m_fontEntry >= 0 && parameter > 0)
            m_fontEntryCodePage = parameter;
        return true;
    case K::Red:
        m_red = std::clamp(parameter, 0, 255);
        return true;
    case K::Green:
        m_green = std::clamp(parameter, 0, 255);
        return true;
    case K::Blue:
        m_blue = std::clamp(parameter, 0, 255);
        return true;
    default:
        return group.destination == Destination::FontTable
            || group.destination == Destination::ColorTable;
    }
}

bool RtfInterpreter::characterWord(RtfKeyword keyword, bool hasParameter, int parameter)
{
    RtfCharacterState& c = top().character;
    switch (keyword) {
    case K::Plain:
        c = defaultCharacter();
        return true;
    case K::Font:
        c.font = parameter;
        return true;
    case K::FontSize:
        c.halfPoints = hasParameter && parameter > 0 ? std::clamp(parameter, 2, 3276) : 24;
        return true;
    case K::Bold:
        c.bold = switchedOn(hasParameter, parameter);
        return true;
    case K::Italic:
        c.italic = switchedOn(hasParameter, parameter);
        return true;
    case K::Strike:
        c.strike = switchedOn(hasParameter, parameter);
        return true;
    case K::Hidden:
        c.hidden = switchedOn(hasParameter, parameter);
        return true;
    case K::Underline:
    case K::UnderlineDotted:
    case K::UnderlineDashed:
    case K::UnderlineDashDot:
    case K::UnderlineDashDotDot:
    case K::UnderlineWave: {
        static const QHash<RtfKeyword, QTextCharFormat::UnderlineStyle> styles {
            { K::Underline, QTextCharFormat::SingleUnderline },
            { K::UnderlineDotted, QTextCharFormat::DotLine },
            { K::UnderlineDashed, QTextCharFormat::DashUnderline },
            { K::UnderlineDashDot, QTextCharFormat::DashDotLine },
            { K::UnderlineDashDotDot, QTextCharFormat::DashDotDotLine },
            { K::UnderlineWave, QTextCharFormat::WaveUnderline },
        };
        c.underline = switchedOn(hasParameter, parameter) ? styles.value(keyword)
                                                          : QTextCharFormat::NoUnderline;
        return true;
    }
    case K::UnderlineNone:
        c.underline = QTextCharFormat::NoUnderline;
        return true;
    case K::ForegroundColor:
        c.foreground = std::max(parameter, 0);
        return true;
    case K::BackgroundColor:
        c.background = std::max(parameter, 0);
        return true;
    case K::Superscript:
        c.verticalAlignment = switchedOn(hasParameter, parameter)
            ? QTextCharFormat::AlignSuperScript
            : QTextCharFormat::AlignNormal;
        return true;
    case K::Subscript:
        c.verticalAlignment = switchedOn(hasParameter, parameter) ? QTextCharFormat::AlignSubScript
                                                                  : QTextCharFormat::AlignNormal;
        return true;
    case K::NoSuperSub:
        c.verticalAlignment = QTextCharFormat::AlignNormal;
        return true;
    case K::Raise:
        c.verticalAlignment
            = parameter > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal;
        return true;
    case K::Lower:
        c.verticalAlignment
            = parameter > 0 ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal;
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::paragraphWord(RtfKeyword keyword, bool hasParameter, int parameter)
{
    RtfParagraphState& p = top().paragraph;
    switch (keyword) {
    case K::ParagraphDefaults:
        p = RtfParagraphState();
        return true;
    case K::AlignLeft:
        p.alignment = Qt::AlignLeft;
        return true;
    case K::AlignCenter:
        p.alignment = Qt::AlignHCenter;
        return true;
    case K::AlignRight:
        p.alignment = Qt::AlignRight;
        return true;
    case K::AlignJustify:
        p.alignment = Qt::AlignJustify;
        return true;
    case K::LeftIndent:
        p.leftIndent = twips(parameter);
        return true;
    case K::RightIndent:
        p.rightIndent = twips(parameter);
        return true;
    case K::FirstIndent:
        p.firstIndent = twips(parameter);
        return true;
    case K::SpaceBefore:
        p.spaceBefore = std::max(twips(parameter), 0);
        return true;
    case K::SpaceAfter:
        p.spaceAfter = std::max(twips(parameter), 0);
        return true;
    case K::LineSpacing:
        p.lineSpacing = twips(parameter);
        return true;
    case K::LineMultiple:
        p.lineMultiple = parameter != 0;
        return true;
    case K::PageBreakBefore:
        p.pageBreakBefore = switchedOn(hasParameter, parameter);
        return true;
    case K::TabPosition:
        if (p.tabs.size() < maxTabStops) {
            const QChar delimiter
                = m_nextTabType == QTextOption::DelimiterTab ? QChar(u'.') : QChar();
            p.tabs.append(
                QTextOption::Tab(pixels(std::max(twips(parameter), 0)), m_nextTabType, delimiter));
        }
        m_nextTabType = QTextOption::LeftTab;
        return true;
    case K::TabRight:
        m_nextTabType = QTextOption::RightTab;
        return true;
    case K::TabCenter:
        m_nextTabType = QTextOption::CenterTab;
        return true;
    case K::TabDecimal:
        m_nextTabType = QTextOption::DelimiterTab;
        return true;
    case K::ListOverride:
        p.listOverride = std::max(parameter, 0);
        return true;
    case K::ListLevel:
        p.listLevel = std::clamp(parameter, 0, 8);
        return true;
    case K::NumberingBullet:
        p.numbering = RtfNumbering::Bullet;
        return true;
    case K::NumberingBody:
        p.numbering = RtfNumbering::Body;
        return true;
    case K::NumberingLevel:
        p.numbering = RtfNumbering::Level;
        p.numberingLevel = std::clamp(parameter, 1, 9);
        return true;
    case K::NumberingContinue:
        p.numbering = RtfNumbering::Continue;
        return true;
    case K::NumberingDecimal:
        p.numberingStyle = QTextListFormat::ListDecimal;
        return true;
    case K::NumberingUpperLetter:
        p.numberingStyle = QTextListFormat::ListUpperAlpha;
        return true;
    case K::NumberingLowerLetter:
        p.numberingStyle = QTextListFormat::ListLowerAlpha;
        return true;
    case K::NumberingUpperRoman:
        p.numberingStyle = QTextListFormat::ListUpperRoman;
        return true;
    case K::NumberingLowerRoman:
        p.numberingStyle = QTextListFormat::ListLowerRoman;
        return true;
    case K::InTable:
        p.inTable = switchedOn(hasParameter, parameter);
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::breakWord(RtfKeyword keyword, int parameter)
{
    switch (keyword) {
    case K::ParagraphEnd:
        endParagraph();
        return true;
    case K::SectionEnd:
        // A section break ends the paragraph it is in, but after \par there is none.
        if (RtfDocumentBuilder* b = builder(); b && b->paragraphHasText())
            endParagraph();
        return true;
    case K::PageBreak:
        endParagraph();
        m_pageBreakPending = true;
        return true;
    case K::RowDefaults:
        m_row = {};
        m_rowDefinition = true;
        top().paragraph.inTable = true;
        return true;
    case K::CellRight:
        if (m_row.cellEdges.size() < maxCells)
            m_row.cellEdges.append(pixels(std::clamp(parameter, 0, 2 * maxTwips)));
        return true;
    case K::Border:
        if (m_rowDefinition)
            m_row.borders = true;
        return true;
    case K::Cell:
        if (RtfDocumentBuilder* b = builder())
            b->endCell(paragraphFormat(top()));
        m_marker.clear();
        return true;
    case K::Row:
        if (RtfDocumentBuilder* b = builder())
            b->endRow(m_row);
        m_rowDefinition = false;
        return true;
    case K::NestedCell:
        appendCharacter(u'\t');
        return true;
    case K::NestedRow:
        endParagraph();
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::breaksParagraph(RtfKeyword keyword)
{
    return keyword == K::ParagraphEnd || keyword == K::SectionEnd || keyword == K::PageBreak
        || keyword == K::Cell || keyword == K::Row;
}

void RtfInterpreter::recoverListMarkerText()
{
    // AbiWord writes whole paragraphs into {\listtext ...} where it lost the list; a marker
    // never ends a paragraph, so what was taken for one is the paragraph's text.
    auto it = m_groups.rbegin();
    while (it != m_groups.rend() && it->destination == Destination::ListMarker)
        ++it;
    const Destination text = it != m_groups.rend() ? it->destination : Destination::Body;
    for (auto group = m_groups.rbegin(); group != it; ++group)
        group->destination = text;
    if (RtfDocumentBuilder* b = builder())
        b->addText(std::exchange(m_marker, QString()), characterFormat(top().character));
}

void RtfInterpreter::startHeader(bool main)
{
    Group& group = top();
    const bool fromBody
        = m_groups.size() >= 2 && m_groups[m_groups.size() - 2].destination == Destination::Body;
    const bool wanted = m_headerKind == HeaderKind::None
        || (main && m_headerKind != HeaderKind::Main)
        || (m_headerKind == HeaderKind::Variant && !m_headerHasText);
    if (!m_headerDocument || !fromBody || !wanted || m_header) {
        group.destination = Destination::Skip;
        return;
    }
    m_header = std::make_unique<RtfDocumentBuilder>(m_headerDocument);
    m_headerKind = main ? HeaderKind::Main : HeaderKind::Variant;
    m_headerHasText = false;
    group.destination = Destination::Header;
    group.character = defaultCharacter();
    group.paragraph = RtfParagraphState();
    m_marker.clear();
}

void RtfInterpreter::startFont(int id)
{
    commitFont();
    m_fontEntry = std::max(id, 0);
    m_fontEntryCodePage = 0;
    m_fontEntryFamily.clear();
}

void RtfInterpreter::commitFont()
{
    flushText();
    if (m_fontEntry >= 0 && (m_fonts.size() < maxTableEntries || m_fonts.contains(m_fontEntry))) {
        m_fonts.insert(m_fontEntry, { m_fontEntryFamily.trimmed().left(256), m_fontEntryCodePage });
        m_formatCache.clear();
    }
    m_fontEntry = -1;
    m_fontEntryFamily.clear();
}

void RtfInterpreter::commitColor()
{
    if (m_colors.size() < maxTableEntries) {
        const bool automatic = m_red < 0 && m_green < 0 && m_blue < 0;
        m_colors.append(automatic
                ? QColor()
                : QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
        m_formatCache.clear();
    }
    m_red = m_green = m_blue = -1;
}

void RtfInterpreter::endParagraph()
{
    flushText();
    if (RtfDocumentBuilder* b = builder())
        b->endParagraph(paragraphFormat(top()));
    m_marker.clear();
    m_pageBreakPending = false;
}

void RtfInterpreter::flushText()
{
    if (m_pendingBytes.isEmpty() && m_pendingText.isEmpty())
        return;
    const Group& group = top();
    m_decoder.decode(m_pendingBytes.constData(), m_pendingBytes.size(), codePage(), &m_pendingText);
    m_pendingBytes.clear();
    QString text = sanitized(std::exchange(m_pendingText, QString()));
    if (group.destination == Destination::FontTable) {
        m_fontEntryFamily += text;
        return;
    }
    const auto font = m_fonts.constFind(group.character.font);
    if (font != m_fonts.cend() && font->codePage == CodePageDecoder::symbolCodePage)
        mapSymbols(&text, font->family);
    if (group.destination == Destination::ListMarker) {
        m_marker += text;
        return;
    }
    if (group.character.hidden)
        return;
    if (RtfDocumentBuilder* b = builder())
        b->addText(text, characterFormat(group.character));
}

int RtfInterpreter::codePage() const
{
    const Group& group = m_groups.back();
    int page = 0;
    if (group.destination == Destination::FontTable) {
        page = m_fontEntryCodePage == CodePageDecoder::symbolCodePage ? 0 : m_fontEntryCodePage;
    }
    else {
        const auto font = m_fonts.constFind(group.character.font);
        page = font != m_fonts.cend() ? font->codePage : 0;
    }
    return page > 0 ? page : m_ansiCodePage;
}

QString RtfInterpreter::fontFamily(int font) const
{
    return m_fonts.value(font).family;
}

RtfCharacterState RtfInterpreter::defaultCharacter() const
{
    RtfCharacterState state;
    state.font = m_defaultFont;
    return state;
}

QTextCharFormat RtfInterpreter::characterFormat(const RtfCharacterState& state)
{
    for (const auto& [cachedState, cachedFormat] : m_formatCache) {
        if (cachedState == state)
            return cachedFormat;
    }
    QTextCharFormat format;
    const QString family = fontFamily(state.font);
    if (!family.isEmpty())
        format.setFontFamilies({ family });
    format.setFontPointSize(state.halfPoints / 2.0);
    if (state.bold)
        format.setFontWeight(QFont::Bold);
    if (state.italic)
        format.setFontItalic(true);
    if (state.strike)
        format.setFontStrikeOut(true);
    if (state.underline != QTextCharFormat::NoUnderline)
        format.setUnderlineStyle(state.underline);
    if (state.verticalAlignment != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(state.verticalAlignment);
    if (state.foreground > 0 && state.foreground < m_colors.size()
        && m_colors.at(state.foreground).isValid())
        format.setForeground(m_colors.at(state.foreground));
    if (state.background > 0 && state.background < m_colors.size()
        && m_colors.at(state.background).isValid())
        format.setBackground(m_colors.at(state.background));
    if (m_formatCache.size() >= maxCachedFormats)
        m_formatCache.erase(m_formatCache.begin());
    m_formatCache.emplace_back(state, format);
    return format;
}

RtfParagraphFormat RtfInterpreter::paragraphFormat(const Group& group)
{
    const RtfParagraphState& p = group.paragraph;
    RtfParagraphFormat format;
    format.inTable = p.inTable;
    format.mark = characterFormat(group.character);
    const bool numbered = p.numbering == RtfNumbering::Body || p.numbering == RtfNumbering::Level;
    if (p.listOverride > 0) {
        format.listKey = QStringLiteral("ls") + QString::number(p.listOverride);
        format.listLevel = p.listLevel + 1;
    }
    else if (numbered || p.numbering == RtfNumbering::Bullet) {
        format.listKey = QStringLiteral("pn") + QString::number(int(p.numbering));
        // Old-style lists show their level only by the indent; Word indents 720 twips a level.
        format.listLevel = p.numbering == RtfNumbering::Level
            ? p.numberingLevel
            : std::clamp(static_cast<int>(std::lround(p.leftIndent / 720.0)), 1, 9);
    }
    if (!format.listKey.isEmpty()) {
        if (!m_marker.trimmed().isEmpty())
            format.listStyle = listStyleOfMarker(m_marker);
        else
            format.listStyle = numbered ? p.numberingStyle : QTextListFormat::ListDisc;
    }

    QTextBlockFormat& block = format.block;
    if (p.alignment != Qt::AlignLeft)
        block.setAlignment(p.alignment);
    if (format.listKey.isEmpty()) {
        if (p.leftIndent != 0)
            block.setLeftMargin(pixels(p.leftIndent));
        if (p.firstIndent != 0)
            block.setTextIndent(pixels(p.firstIndent));
    }
    if (p.rightIndent != 0)
        block.setRightMargin(pixels(p.rightIndent));
    if (p.spaceBefore != 0)
        block.setTopMargin(pixels(p.spaceBefore));
    if (p.spaceAfter != 0)
        block.setBottomMargin(pixels(p.spaceAfter));
    if (p.lineSpacing > 0 && p.lineMultiple) {
        if (p.lineSpacing != 240)
            block.setLineHeight(
                p.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    }
    else if (p.lineSpacing > 0) {
        block.setLineHeight(pixels(p.lineSpacing), QTextBlockFormat::MinimumHeight);
    }
    else if (p.lineSpacing < 0) {
        block.setLineHeight(pixels(-p.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    if (!p.tabs.isEmpty())
        block.setTabPositions(p.tabs);
    if (p.pageBreakBefore || m_pageBreakPending)
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return format;
}

} // namespace vantrel::office
