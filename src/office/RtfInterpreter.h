#pragma once

#include "office/CodePageDecoder.h"
#include "office/RtfDocumentBuilder.h"
#include "office/RtfKeywords.h"
#include "office/RtfState.h"

#include <QByteArrayView>
#include <QColor>
#include <QHash>

#include <memory>
#include <string_view>
#include <vector>

class QTextDocument;

namespace vantrel::office {

// Reads RTF into a body document and, when given, a page header document. Works in one
// pass without recursion: groups live on a stack capped at maxGroupDepth, deeper braces are
// only counted. Whatever is malformed is skipped and the rest still read.
class RtfInterpreter {
public:
    static constexpr size_t maxGroupDepth = 1000;

    RtfInterpreter(QTextDocument* body, QTextDocument* pageHeader);
    // rtf starts at the document's opening brace.
    void run(QByteArrayView rtf);

private:
    enum class Destination { Body, Header, Skip, FontTable, ColorTable, ListMarker, Numbering };
    enum class HeaderKind { None, Variant, Main };
    struct Group {
        Destination destination = Destination::Body;
        RtfCharacterState character;
        RtfParagraphState paragraph;
        int unicodeSkip = 1;
        // After \*: a destination this reader does not know is skipped whole.
        bool starred = false;
    };
    struct FontEntry {
        QString family;
        int codePage = 0;
    };

    Group& top() { return m_groups.back(); }
    const Group& innermostTextGroup() const;
    bool readsText() const;
    RtfDocumentBuilder* builder();

    void openGroup();
    void closeGroup();
    void text(std::string_view bytes);
    void hexByte(unsigned char byte);
    void unicodeCharacter(int value);
    void controlSymbol(char symbol);
    void controlWord(std::string_view word, bool hasParameter, int parameter);
    bool destinationWord(RtfKeyword keyword);
    bool documentWord(RtfKeyword keyword, bool hasParameter, int parameter);
    bool characterWord(RtfKeyword keyword, bool hasParameter, int parameter);
    bool paragraphWord(RtfKeyword keyword, bool hasParameter, int parameter);
    bool breakWord(RtfKeyword keyword, int parameter);
    void appendCharacter(char16_t character);

    static bool breaksParagraph(RtfKeyword keyword);
    void recoverListMarkerText();
    void startHeader(bool main);
    void startFont(int id);
    void commitFont();
    void commitColor();
    void endParagraph();
    void flushText();

    int codePage() const;
    QString fontFamily(int font) const;
    QTextCharFormat characterFormat(const RtfCharacterState& state);
    RtfParagraphFormat paragraphFormat(const Group& group);
    RtfCharacterState defaultCharacter() const;

    std::vector<Group> m_groups;
    size_t m_overflowDepth = 0;
    int m_fallbackToSkip = 0;
    CodePageDecoder m_decoder;
    QByteArray m_pendingBytes;
    QString m_pendingText;

    RtfDocumentBuilder m_body;
    QTextDocument* m_headerDocument;
    std::unique_ptr<RtfDocumentBuilder> m_header;
    HeaderKind m_headerKind = HeaderKind::None;
    bool m_headerHasText = false;

    int m_ansiCodePage = 1252;
    int m_defaultFont = -1;
    QHash<int, FontEntry> m_fonts;
    int m_fontEntry = -1;
    int m_fontEntryCodePage = 0;
    QString m_fontEntryFamily;
    QList<QColor> m_colors;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;

    QString m_marker;
    bool m_pageBreakPending = false;
    QTextOption::TabType m_nextTabType = QTextOption::LeftTab;
    RtfRowFormat m_row;
    bool m_rowDefinition = false;

    // Formats made for recent character states; one shared format per state keeps both the
    // document's format collection and run merging cheap.
    std::vector<std::pair<RtfCharacterState, QTextCharFormat>> m_formatCache;
};

} // namespace vantrel::office
