#include "office/RtfKeywords.h"

#include <unordered_map>

namespace vantrel::office {

namespace {

using K = RtfKeyword;

const std::unordered_map<std::string_view, RtfKeywordInfo>& keywordTable()
{
    static const std::unordered_map<std::string_view, RtfKeywordInfo> table = [] {
        std::unordered_map<std::string_view, RtfKeywordInfo> t;
        const auto add = [&t](std::string_view word, RtfKeyword keyword, char16_t character = 0) {
            t.emplace(word, RtfKeywordInfo { keyword, character });
        };
        add("fonttbl", K::FontTable);
        add("colortbl", K::ColorTable);
        // Destinations whose content is never text of the document.
        for (const std::string_view word :
            { "stylesheet", "info", "pict", "object", "footer", "footerl", "footerr", "footerf",
                "footnote", "fldinst", "listtable", "listoverridetable", "rsidtbl", "generator",
                "themedata", "colorschememapping", "latentstyles", "datastore", "filetbl", "revtbl",
                "xmlnstbl", "annotation", "atnid", "atnauthor", "atndate", "atnref", "xe", "tc",
                "txe", "rxe", "bkmkstart", "bkmkend", "nonshppict", "shp", "shpinst", "shptxt",
                "sp", "sn", "sv", "do", "template", "userprops", "docvar", "pgdsctbl", "ftnsep",
                "ftnsepc", "aftnsep", "aftnsepc", "fchars", "lchars", "pnseclvl", "pntxta",
                "pntxtb", "protusertbl", "mmathPr", "objdata", "result", "comment", "author",
                "title", "subject", "operator", "keywords", "doccomm", "company", "manager",
                "category", "hlinkbase", "buptim", "creatim", "printim", "revtim", "nextfile",
                "passwordhash", "defchp", "defpap", "falt", "panose", "fname", "leveltext",
                "levelnumbers", "listname", "listpicture", "blipuid", "picprop", "formfield",
                "datafield", "private", "wgrffmtfilter", "mhtmltag", "htmltag", "ftncn", "aftncn",
                "upr", "ud", "pxe", "bxe", "ixe", "fontemb", "fontfile" })
            add(word, K::SkippedDestination);
        add("header", K::Header);
        add("headerl", K::HeaderVariant);
        add("headerr", K::HeaderVariant);
        add("headerf", K::HeaderVariant);
        add("pntext", K::ListMarker);
        add("listtext", K::ListMarker);
        add("pn", K::ParagraphNumbering);

        add("ansi", K::CodePageAnsi);
        add("mac", K::CodePageMac);
        add("pc", K::CodePagePc);
        add("pca", K::CodePagePca);
        add("ansicpg", K::AnsiCodePage);
        add("deff", K::DefaultFont);
        add("fcharset", K::FontCharset);
        add("cpg", K::FontCodePage);
        add("red", K::Red);
        add("green", K::Green);
        add("blue", K::Blue);

        add("plain", K::Plain);
        add("f", K::Font);
        add("fs", K::FontSize);
        add("b", K::Bold);
        add("i", K::Italic);
        add("strike", K::Strike);
        add("striked", K::Strike);
        add("v", K::Hidden);
        for (const std::string_view word : { "ul", "uldb", "ulth", "ulw" })
            add(word, K::Underline);
        add("uld", K::UnderlineDotted);
        add("ulthd", K::UnderlineDotted);
        for (const std::string_view word : { "uldash", "ulthdash", "ulldash", "ulthldash" })
            add(word, K::UnderlineDashed);
        add("uldashd", K::UnderlineDashDot);
        add("ulthdashd", K::UnderlineDashDot);
        add("uldashdd", K::UnderlineDashDotDot);
        add("ulthdashdd", K::UnderlineDashDotDot);
        add("ulwave", K::UnderlineWave);
        add("ulhwave", K::UnderlineWave);
        add("ululdbwave", K::UnderlineWave);
        add("ulnone", K::UnderlineNone);
        add("cf", K::ForegroundColor);
        add("cb", K::BackgroundColor);
        add("highlight", K::BackgroundColor);
        add("chcbpat", K::BackgroundColor);
        add("super", K::Superscript);
        add("sub", K::Subscript);
        add("nosupersub", K::NoSuperSub);
        add("up", K::Raise);
        add("dn", K::Lower);
        add("u", K::UnicodeCharacter);
        add("uc", K::UnicodeSkip);
        add("tab", K::SpecialCharacter, u'\t');
        add("line", K::SpecialCharacter, u'\u2028');
        add("emdash", K::SpecialCharacter, u'\u2014');
        add("endash", K::SpecialCharacter, u'\u2013');
        add("bullet", K::SpecialCharacter, u'\u2022');
        add("lquote", K::SpecialCharacter, u'\u2018');
        add("rquote", K::SpecialCharacter, u'\u2019');
        add("ldblquote", K::SpecialCharacter, u'\u201C');
        add("rdblquote", K::SpecialCharacter, u'\u201D');
        add("emspace", K::SpecialCharacter, u'\u2003');
        add("enspace", K::SpecialCharacter, u'\u2002');
        add("qmspace", K::SpecialCharacter, u'\u2005');
        add("zwj", K::SpecialCharacter, u'\u200D');
        add("zwnj", K::SpecialCharacter, u'\u200C');
        add("ltrmark", K::SpecialCharacter, u'\u200E');
        add("rtlmark", K::SpecialCharacter, u'\u200F');

        add("pard", K::ParagraphDefaults);
        add("ql", K::AlignLeft);
        add("qc", K::AlignCenter);
        add("qr", K::AlignRight);
        add("qj", K::AlignJustify);
        add("qd", K::AlignJustify);
        add("li", K::LeftIndent);
        add("lin", K::LeftIndent);
        add("ri", K::RightIndent);
        add("rin", K::RightIndent);
        add("fi", K::FirstIndent);
        add("sb", K::SpaceBefore);
        add("sa", K::SpaceAfter);
        add("sl", K::LineSpacing);
        add("slmult", K::LineMultiple);
        add("pagebb", K::PageBreakBefore);
        add("tx", K::TabPosition);
        add("tqr", K::TabRight);
        add("tqc", K::TabCenter);
        add("tqdec", K::TabDecimal);
        add("ls", K::ListOverride);
        add("ilvl", K::ListLevel);
        add("pnlvlblt", K::NumberingBullet);
        add("pnlvlbody", K::NumberingBody);
        add("pnlvl", K::NumberingLevel);
        add("pnlvlcont", K::NumberingContinue);
        add("pndec", K::NumberingDecimal);
        add("pnucltr", K::NumberingUpperLetter);
        add("pnlcltr", K::NumberingLowerLetter);
        add("pnucrm", K::NumberingUpperRoman);
        add("pnlcrm", K::NumberingLowerRoman);

        add("par", K::ParagraphEnd);
        add("sect", K::SectionEnd);
        add("page", K::PageBreak);
        add("intbl", K::InTable);
        add("trowd", K::RowDefaults);
        add("cellx", K::CellRight);
        add("cell", K::Cell);
        add("row", K::Row);
        add("nestcell", K::NestedCell);
        add("nestrow", K::NestedRow);
        for (const std::string_view word : { "brdrs", "brdrth", "brdrdb", "brdrdot", "brdrdash",
                 "brdrhair", "brdrsh", "brdrdashsm", "brdrdashd", "brdrdashdd", "brdrtriple",
                 "brdrinset", "brdroutset", "brdrwavy", "brdremboss", "brdrengrave" })
            add(word, K::Border);
        add("brdrnone", K::NoBorder);
        add("brdrnil", K::NoBorder);
        return t;
    }();
    return table;
}

} // namespace

RtfKeywordInfo rtfKeyword(std::string_view word)
{
    const auto& table = keywordTable();
    const auto found = table.find(word);
    return found == table.end() ? RtfKeywordInfo {} : found->second;
}

} // namespace vantrel::office
