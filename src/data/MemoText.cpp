#include "data/MemoText.h"

#include "data/HexDigit.h"

#include <QChar>
#include <QString>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel::data {

namespace {

// Windows-1252 at 0x80..0x9F; the rest of the upper half is Latin-1. Bytes above
// ASCII in RTF are taken so, as the reader takes them.
constexpr std::array<char16_t, 32> windows1252High
    = { 0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
          0x2039, 0x0152, 0x8D, 0x017D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
          0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178 };

char16_t fromWindows1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80] : char16_t(byte);
}

unsigned char lowerAscii(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

bool isLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

// Groups whose content is never shown as text.
bool isHiddenDestination(std::string_view word)
{
    static constexpr std::string_view hidden[] = { "fonttbl", "colortbl", "stylesheet", "info",
        "pict", "object", "listtable", "listoverridetable", "rsidtbl", "generator", "xmlnstbl",
        "themedata", "colorschememapping", "latentstyles", "datastore", "filetbl", "revtbl",
        "fldinst", "nonshppict" };
    return std::find(std::begin(hidden), std::end(hidden), word) != std::end(hidden);
}

// The character a control word stands for; 0 for none. Compared by length
// first: this runs for every paragraph mark of every report searched.
char16_t characterOf(std::string_view word)
{
    switch (word.size()) {
    case 3:
        if (word == "par" || word == "row")
            return u'\n';
        if (word == "tab")
            return u'\t';
        return 0;
    case 4:
        if (word == "line" || word == "sect" || word == "page")
            return u'\n';
        return word == "cell" ? u'\t' : 0;
    case 6:
        if (word == "emdash")
            return u'\u2014';
        if (word == "endash")
            return u'\u2013';
        if (word == "bullet")
            return u'\u2022';
        if (word == "lquote")
            return u'\u2018';
        if (word == "rquote")
            return u'\u2019';
        return 0;
    case 7:
        return word == "emspace" || word == "enspace" || word == "qmspace" ? u' ' : 0;
    case 9:
        if (word == "ldblquote")
            return u'\u201C';
        return word == "rdblquote" ? u'\u201D' : 0;
    default:
        return 0;
    }
}

// Appends a character case-folded as UTF-8; four bytes at the most.
char* putFolded(char32_t c, char* out)
{
    c = QChar::toCaseFolded(c);
    if (c < 0x80) {
        *out++ = char(c);
    }
    else if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000) {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    else {
        *out++ = char(0xF0 | (c >> 18));
        *out++ = char(0x80 | ((c >> 12) & 0x3F));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

// The folded UTF-8 of the first 256 characters, looked up rather than worked out
// for the escapes and accented letters of every report.
struct FoldedCharacter {
    std::array<char, 4> bytes;
    int length;
};
using FoldedTable = std::array<FoldedCharacter, 256>;

FoldedTable makeFoldedTable(char16_t (*character)(unsigned char))
{
    FoldedTable table {};
    for (int i = 0; i < 256; ++i) {
        FoldedCharacter& entry = table[size_t(i)];
        entry.length = int(putFolded(character(static_cast<unsigned char>(i)), entry.bytes.data())
            - entry.bytes.data());
    }
    return table;
}

const FoldedTable foldedWindows1252 = makeFoldedTable(fromWindows1252);
const FoldedTable foldedLatin1 = makeFoldedTable([](unsigned char byte) { return char16_t(byte); });

// Writes UTF-16 code units case-folded as UTF-8; a surrogate pair becomes one
// character, a lone surrogate the replacement character.
class FoldedUtf8 {
public:
    explicit FoldedUtf8(char* out)
        : m_out(out)
    {
    }

    char* end()
    {
        flushHighSurrogate();
        return m_out;
    }

    void put(const FoldedCharacter& folded)
    {
        flushHighSurrogate();
        std::memcpy(m_out, folded.bytes.data(), folded.bytes.size());
        m_out += folded.length;
    }

    void put(char16_t unit)
    {
        if (unit < 256)
            return put(foldedLatin1[unit]);
        if (QChar::isHighSurrogate(unit)) {
            flushHighSurrogate();
            m_highSurrogate = unit;
            return;
        }
        if (QChar::isLowSurrogate(unit)) {
            const char32_t c = m_highSurrogate == 0 ? char32_t(QChar::ReplacementCharacter)
                                                    : QChar::surrogateToUcs4(m_highSurrogate, unit);
            m_highSurrogate = 0;
            m_out = putFolded(c, m_out);
            return;
        }
        flushHighSurrogate();
        m_out = putFolded(unit, m_out);
    }

    // Plain ASCII text as it comes, letter case folded.
    const unsigned char* putAsciiRun(const unsigned char* at, const unsigned char* end);

private:
    void flushHighSurrogate()
    {
        if (m_highSurrogate != 0) {
            m_highSurrogate = 0;
            m_out = putFolded(QChar::ReplacementCharacter, m_out);
        }
    }

    char* m_out;
    char16_t m_highSurrogate = 0;
};

// Bytes that end a run of plain text in RTF.
bool endsPlainRun(unsigned char c)
{
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n' || c >= 0x80;
}

const unsigned char* FoldedUtf8::putAsciiRun(const unsigned char* at, const unsigned char* end)
{
    flushHighSurrogate();
    // A local pointer: the compiler need not read it back after every byte written.
    char* out = m_out;
#if defined(__SSE2__)
    // Most of a report is plain text: sixteen bytes at a time until markup.
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i open = _mm_set1_epi8('{');
    const __m128i close = _mm_set1_epi8('}');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i caseBit = _mm_set1_epi8(0x20);
    while (end - at >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i markup = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, backslash), _mm_cmpeq_epi8(bytes, open)),
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, close), _mm_cmpeq_epi8(bytes, cr)),
                _mm_cmpeq_epi8(bytes, lf)));
        const __m128i upper
            = _mm_and_si128(_mm_cmpgt_epi8(bytes, beforeA), _mm_cmplt_epi8(bytes, afterZ));
        // All sixteen are written; only the text before the first markup byte
        // counts. The buffer holds four bytes for every byte read, so they fit.
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(out), _mm_add_epi8(bytes, _mm_and_si128(upper, caseBit)));
        // The sign bit marks the bytes above ASCII.
        const int stops = _mm_movemask_epi8(_mm_or_si128(markup, bytes));
        if (stops != 0) {
            const int plain = std::countr_zero(unsigned(stops));
            m_out = out + plain;
            return at + plain;
        }
        out += 16;
        at += 16;
    }
#endif
    while (at < end && !endsPlainRun(*at))
        *out++ = char(lowerAscii(*at++));
    m_out = out;
    return at;
}

// One pass over RTF that keeps the characters a reader would show.
class RtfTextScanner {
public:
    RtfTextScanner(QByteArrayView rtf, FoldedUtf8* text)
        : m_at(reinterpret_cast<const unsigned char*>(rtf.data()))
        , m_end(m_at + rtf.size())
        , m_text(text)
    {
        m_skipCounts.fill(1);
    }

    void run()
    {
        while (m_at < m_end) {
            if (m_hiddenDepth < 0 && m_fallbackLeft == 0 && !endsPlainRun(*m_at)) {
                m_groupStart = false;
                m_at = m_text->putAsciiRun(m_at, m_end);
                continue;
            }
            const unsigned char c = *m_at++;
            switch (c) {
            case '{':
                ++m_depth;
                skipCount() = m_skipCounts[level(m_depth - 1)];
                m_groupStart = true;
                m_fallbackLeft = 0;
                break;
            case '}':
                if (m_depth == m_hiddenDepth)
                    m_hiddenDepth = -1;
                if (m_depth > 0)
                    --m_depth;
                m_groupStart = false;
                m_fallbackLeft = 0;
                break;
            case '\\':
                escape();
                break;
            case '\r':
            case '\n':
                break;
            default:
                m_groupStart = false;
                putByte(c);
            }
        }
    }

private:
    static constexpr int maxLevel = 64;

    static size_t level(int depth) { return size_t(std::clamp(depth, 0, maxLevel - 1)); }
    int& skipCount() { return m_skipCounts[level(m_depth)]; }

    // False for a character that is not shown: hidden, or standing in for a \u.
    bool isShown()
    {
        if (m_hiddenDepth >= 0)
            return false;
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return false;
        }
        return true;
    }

    void put(char16_t c)
    {
        if (isShown())
            m_text->put(c);
    }

    void putByte(unsigned char byte)
    {
        if (isShown())
            m_text->put(foldedWindows1252[byte]);
    }

    void hideGroup()
    {
        if (m_hiddenDepth < 0)
            m_hiddenDepth = m_depth;
    }

    void escape()
    {
        if (m_at >= m_end)
            return;
        if (isLetter(*m_at))
            return controlWord();
        const unsigned char symbol = *m_at++;
        const bool startsGroup = std::exchange(m_groupStart, false);
        switch (symbol) {
        case '*':
            if (startsGroup)
                hideGroup();
            break;
        case '\'':
            if (m_end - m_at >= 2 && hexDigitValue(char(m_at[0])) >= 0
                && hexDigitValue(char(m_at[1])) >= 0) {
                putByte(static_cast<unsigned char>(
                    hexDigitValue(char(m_at[0])) * 16 + hexDigitValue(char(m_at[1]))));
                m_at += 2;
            }
            break;
        case '{':
        case '}':
        case '\\':
            put(symbol);
            break;
        case '~':
            put(u' ');
            break;
        case '_':
            put(u'-');
            break;
        case '\r':
        case '\n':
            put(u'\n');
            break;
        default:
            break;
        }
    }

    void controlWord()
    {
        const unsigned char* start = m_at;
        while (m_at < m_end && isLetter(*m_at))
            ++m_at;
        const std::string_view word(reinterpret_cast<const char*>(start), size_t(m_at - start));
        const bool negative = m_end - m_at >= 2 && *m_at == '-' && isDigit(m_at[1]);
        if (negative)
            ++m_at;
        long long parameter = 0;
        const unsigned char* digits = m_at;
        while (m_at < m_end && isDigit(*m_at)) {
            if (parameter < 100000000)
                parameter = parameter * 10 + (*m_at - '0');
            ++m_at;
        }
        const bool hasParameter = m_at != digits;
        if (negative)
            parameter = -parameter;
        if (m_at < m_end && *m_at == ' ')
            ++m_at;
        if (std::exchange(m_groupStart, false) && isHiddenDestination(word))
            hideGroup();
        if (word == "u")
            return unicodeCharacter(hasParameter, parameter);
        if (word == "bin") {
            // Binary data may hold any byte, braces included.
            m_at += std::min<long long>(std::max(parameter, 0LL), m_end - m_at);
            return;
        }
        if (word == "uc") {
            skipCount() = int(std::clamp(parameter, 0LL, 8LL));
            return;
        }
        if (const char16_t c = characterOf(word))
            put(c);
    }

    void unicodeCharacter(bool hasParameter, long long parameter)
    {
        const long long unit = parameter < 0 ? parameter + 65536 : parameter;
        if (!hasParameter || unit < 0 || unit > 0xFFFF)
            return;
        m_fallbackLeft = 0;
        put(char16_t(unit));
        m_fallbackLeft = skipCount();
        // Writers give each \u one stand-in, mostly a \'hh: passed over here at
        // once, as it is half of the markup of a text with accents.
        if (m_fallbackLeft != 1 || m_at >= m_end)
            return;
        if (m_end - m_at >= 4 && m_at[0] == '\\' && m_at[1] == '\''
            && hexDigitValue(char(m_at[2])) >= 0 && hexDigitValue(char(m_at[3])) >= 0) {
            m_at += 4;
            m_fallbackLeft = 0;
        }
        else if (!endsPlainRun(*m_at)) {
            ++m_at;
            m_fallbackLeft = 0;
        }
    }

    const unsigned char* m_at;
    const unsigned char* m_end;
    FoldedUtf8* m_text;
    int m_depth = 0;
    // The depth of the hidden group being passed over; -1 while text is shown.
    int m_hiddenDepth = -1;
    bool m_groupStart = false;
    // Characters still to pass over after a \u, standing in for readers without Unicode.
    int m_fallbackLeft = 0;
    std::array<int, maxLevel> m_skipCounts {};
};

void putFoldedText(QStringView text, FoldedUtf8* out)
{
    for (QChar c : text)
        out->put(c.unicode());
}

// A buffer a thread that keeps its size from memo to memo, never initialized:
// only what a pass writes is read.
class ScratchBuffer {
public:
    char* reserve(qsizetype size)
    {
        if (size > m_size) {
            m_data = std::make_unique_for_overwrite<char[]>(size_t(size));
            m_size = size;
        }
        return m_data.get();
    }

private:
    std::unique_ptr<char[]> m_data;
    qsizetype m_size = 0;
};

// The text of the memo, case-folded, as UTF-8 in the buffer; its length.
qsizetype foldMemoText(QByteArrayView memo, ScratchBuffer* buffer)
{
    // A byte becomes a unit at the most, and a unit four bytes.
    char* start = buffer->reserve(memo.size() * 4 + 4);
    FoldedUtf8 text(start);
    if (memo.startsWith("{\\rtf"))
        RtfTextScanner(memo, &text).run();
    else
        putFoldedText(QString::fromUtf8(memo), &text);
    return text.end() - start;
}

QByteArray foldedPhrase(QStringView phrase)
{
    QByteArray folded(phrase.size() * 4 + 4, Qt::Uninitialized);
    FoldedUtf8 text(folded.data());
    putFoldedText(phrase, &text);
    folded.truncate(text.end() - folded.data());
    return folded;
}

// Whether the text holds the needle (of two bytes or more). Sixteen places are
// tried at once by their first and last byte, and only where both fit are the
// bytes between compared: the text of 50,000 reports is gone through in a few
// tens of milliseconds.
bool contains(const char* text, qsizetype length, QByteArrayView needle)
{
    const qsizetype last = needle.size() - 1;
    qsizetype at = 0;
#if defined(__SSE2__)
    if (last > 0) {
        const __m128i first = _mm_set1_epi8(needle.front());
        const __m128i final = _mm_set1_epi8(needle.back());
        for (; at + last + 16 <= length; at += 16) {
            const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
            const __m128i ends
                = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + last));
            unsigned candidates = unsigned(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, final))));
            while (candidates != 0) {
                const int offset = std::countr_zero(candidates);
                if (std::memcmp(text + at + offset + 1, needle.data() + 1, size_t(last - 1)) == 0)
                    return true;
                candidates &= candidates - 1;
            }
        }
    }
#endif
    return memmem(text + at, size_t(length - at), needle.data(), size_t(needle.size())) != nullptr;
}

} // namespace

MemoPhrase::MemoPhrase(QStringView phrase)
    : m_folded(foldedPhrase(phrase))
{
}

bool MemoPhrase::isFoundIn(QByteArrayView memo) const
{
    if (m_folded.isEmpty())
        return true;
    thread_local ScratchBuffer buffer;
    const qsizetype length = foldMemoText(memo, &buffer);
    const char* text = buffer.reserve(0);
    return contains(text, length, m_folded);
}

} // namespace vantrel::data
