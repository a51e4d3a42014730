#pragma once

#include <string_view>

namespace vantrel::office {

// The RTF control words the reader acts on; every other word is ignored.
enum class RtfKeyword {
    Unknown,
    // Destinations
    FontTable,
    ColorTable,
    SkippedDestination,
    Header,
    HeaderVariant,
    ListMarker,
    ParagraphNumbering,
    // Document
    CodePageAnsi,
    CodePageMac,
    CodePagePc,
    CodePagePca,
    AnsiCodePage,
    DefaultFont,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // Characters
    Plain,
    Font,
    FontSize,
    Bold,
    Italic,
    Strike,
    Hidden,
    Underline,
    UnderlineDotted,
    UnderlineDashed,
    UnderlineDashDot,
    UnderlineDashDotDot,
    UnderlineWave,
    UnderlineNone,
    ForegroundColor,
    BackgroundColor,
    Superscript,
    Subscript,
    NoSuperSub,
    Raise,
    Lower,
    UnicodeCharacter,
    UnicodeSkip,
    SpecialCharacter,
    // Paragraphs
    ParagraphDefaults,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    LineSpacing,
    LineMultiple,
    PageBreakBefore,
    TabPosition,
    TabRight,
    TabCenter,
    TabDecimal,
    ListOverride,
    ListLevel,
    NumberingBullet,
    NumberingBody,
    NumberingLevel,
    NumberingContinue,
    NumberingDecimal,
    NumberingUpperLetter,
    NumberingLowerLetter,
    NumberingUpperRoman,
    NumberingLowerRoman,
    // Breaks and tables
    ParagraphEnd,
    SectionEnd,
    PageBreak,
    InTable,
    RowDefaults,
    CellRight,
    Cell,
    Row,
    NestedCell,
    NestedRow,
    Border,
    NoBorder,
};

struct RtfKeywordInfo {
    RtfKeyword keyword = RtfKeyword::Unknown;
    // The character a SpecialCharacter word stands for.
    char16_t character = 0;
};

RtfKeywordInfo rtfKeyword(std::string_view word);

} // namespace vantrel::office
