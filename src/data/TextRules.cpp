#include "data/TextRules.h"

#include "data/MemoText.h"

#include <QChar>
#include <QList>

#include <sqlite3.h>

#include <array>
#include <cstring>
#include <memory>

namespace vantrel::data {

namespace {

constexpr std::array<unsigned char, 256> makeLowerTable()
{
    std::array<unsigned char, 256> table {};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + 32 : i);
    return table;
}
constexpr auto lowerAscii = makeLowerTable();

bool isAscii(const unsigned char* bytes, int length)
{
    for (int i = 0; i < length; ++i) {
        if (bytes[i] >= 0x80)
            return false;
    }
    return true;
}

char32_t foldCase(char32_t c)
{
    if (c < 0x80)
        return lowerAscii[c];
    return QChar::toCaseFolded(c);
}

// The letter without its accents: é -> e, Å -> A.
char32_t baseLetter(char32_t c)
{
    if (c < 0x80)
        return c;
    while (QChar::decompositionTag(c) == QChar::Canonical) {
        const QString decomposed = QChar::decomposition(c);
        if (decomposed.isEmpty())
            break;
        const char32_t first = decomposed.at(0).isHighSurrogate() && decomposed.size() > 1
            ? QChar::surrogateToUcs4(decomposed.at(0), decomposed.at(1))
            : decomposed.at(0).unicode();
        if (first == c)
            break;
        c = first;
    }
    return c;
}

QList<char32_t> codePoints(QStringView text)
{
    QList<char32_t> points;
    points.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            points.append(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        }
        else {
            points.append(c.unicode());
        }
    }
    return points;
}

int compareUnicode(QStringView left, QStringView right)
{
    const QList<char32_t> a = codePoints(left);
    const QList<char32_t> b = codePoints(right);
    const qsizetype common = std::min(a.size(), b.size());
    // First by base letters, so that accented names stand beside plain ones,
    // then by the accents themselves; letter case never decides.
    for (qsizetype i = 0; i < common; ++i) {
        const char32_t x = foldCase(baseLetter(a[i]));
        const char32_t y = foldCase(baseLetter(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (qsizetype i = 0; i < common; ++i) {
        const char32_t x = foldCase(a[i]);
        const char32_t y = foldCase(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

struct LikeToken {
    enum Kind { AnyRun, AnyOne, Digit, Literal, Set };
    explicit LikeToken(Kind k, char32_t c = 0)
        : kind(k)
        , literal(c)
    {
    }
    Kind kind;
    char32_t literal = 0;
    bool negated = false;
    QList<std::pair<char32_t, char32_t>> ranges;

    bool matches(char32_t c) const
    {
        switch (kind) {
        case AnyOne:
            return true;
        case Digit:
            return c >= '0' && c <= '9';
        case Literal:
            return foldCase(c) == literal;
        case Set: {
            const char32_t folded = foldCase(c);
            bool inside = false;
            for (const auto& [low, high] : ranges) {
                if ((c >= low && c <= high) || (folded >= low && folded <= high)) {
                    inside = true;
                    break;
                }
            }
            return inside != negated;
        }
        case AnyRun:
            break;
        }
        return false;
    }
};

QList<LikeToken> parseLike(const QList<char32_t>& pattern)
{
    QList<LikeToken> tokens;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char32_t c = pattern[i];
        if (c == '*') {
            if (tokens.isEmpty() || tokens.last().kind != LikeToken::AnyRun)
                tokens.append(LikeToken(LikeToken::AnyRun));
        }
        else if (c == '?') {
            tokens.append(LikeToken(LikeToken::AnyOne));
        }
        else if (c == '#') {
            tokens.append(LikeToken(LikeToken::Digit));
        }
        else if (c == '[') {
            qsizetype end = i + 1;
            // "[]" and "[!]" keep their first "]" as a member.
            if (end < pattern.size() && pattern[end] == '!')
                ++end;
            if (end < pattern.size() && pattern[end] == ']')
                ++end;
            while (end < pattern.size() && pattern[end] != ']')
                ++end;
            if (end >= pattern.size()) {
                tokens.append(LikeToken(LikeToken::Literal, '['));
                continue;
            }
            LikeToken set(LikeToken::Set);
            qsizetype j = i + 1;
            if (pattern[j] == '!' && j + 1 < end) {
                set.negated = true;
                ++j;
            }
            for (; j < end; ++j) {
                char32_t low = foldCase(pattern[j]);
                char32_t high = low;
                if (j + 2 < end && pattern[j + 1] == '-') {
                    high = foldCase(pattern[j + 2]);
                    j += 2;
                }
                set.ranges.append({ low, high });
            }
            tokens.append(set);
            i = end;
        }
        else {
            tokens.append(LikeToken(LikeToken::Literal, foldCase(c)));
        }
    }
    return tokens;
}

void collationDestroy(void*)
{
}

int collationCompare(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const auto* bytesA = static_cast<const unsigned char*>(a);
    const auto* bytesB = static_cast<const unsigned char*>(b);
    // Names are nearly always ASCII: an ASCII difference before any other letter
    // decides alone, so only text with a non-ASCII letter in the shared start
    // needs the Unicode rules.
    const int common = std::min(lengthA, lengthB);
    for (int i = 0; i < common; ++i) {
        if ((bytesA[i] | bytesB[i]) >= 0x80)
            return compareUnicode(QString::fromUtf8(static_cast<const char*>(a), lengthA),
                QString::fromUtf8(static_cast<const char*>(b), lengthB));
        const int d = int(lowerAscii[bytesA[i]]) - int(lowerAscii[bytesB[i]]);
        if (d != 0)
            return d;
    }
    return lengthA - lengthB;
}

QString argumentText(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(text, sqlite3_value_bytes(value));
}

bool containsAscii(const unsigned char* text, int length, const QByteArray& lowerNeedle)
{
    const int n = int(lowerNeedle.size());
    if (n == 0)
        return true;
    const auto* needle = reinterpret_cast<const unsigned char*>(lowerNeedle.constData());
    const unsigned char first = needle[0];
    const unsigned char firstUpper = first >= 'a' && first <= 'z' ? first - 32 : first;
    const unsigned char* end = text + length - n + 1;
    for (const unsigned char* p = text; p < end; ++p) {
        if (*p != first && *p != firstUpper)
            continue;
        int k = 1;
        while (k < n && lowerAscii[p[k]] == needle[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

// The next code point of UTF-8 text from offset i, which it moves on; a byte
// that starts no valid sequence stands for itself as U+FFFD.
char32_t nextCodePoint(const unsigned char* text, int length, int* i)
{
    const unsigned char lead = text[*i];
    if (lead < 0x80) {
        ++*i;
        return lead;
    }
    const int extra = lead >= 0xF8 ? -1
        : lead >= 0xF0             ? 3
        : lead >= 0xE0             ? 2
        : lead >= 0xC0             ? 1
                                   : -1;
    if (extra < 0 || *i + extra >= length) {
        ++*i;
        return 0xFFFD;
    }
    char32_t c = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = text[*i + k];
        if ((next & 0xC0) != 0x80) {
            ++*i;
            return 0xFFFD;
        }
        c = (c << 6) | (next & 0x3F);
    }
    *i += extra + 1;
    return c;
}

// Greedy matching with one back-track point per "*": every other token consumes
// exactly one character, so this is linear in practice. Positions are byte
// offsets into the UTF-8 text, so a row is matched without converting it.
bool matchesTokens(const QList<LikeToken>& tokens, const unsigned char* text, int length)
{
    qsizetype t = 0;
    qsizetype starToken = -1;
    int c = 0;
    int starChar = 0;
    while (c < length) {
        if (t < tokens.size() && tokens[t].kind == LikeToken::AnyRun) {
            starToken = t++;
            starChar = c;
            continue;
        }
        int next = c;
        const char32_t point = nextCodePoint(text, length, &next);
        if (t < tokens.size() && tokens[t].matches(point)) {
            ++t;
            c = next;
        }
        else if (starToken >= 0) {
            t = starToken + 1;
            nextCodePoint(text, length, &starChar);
            c = starChar;
        }
        else {
            return false;
        }
    }
    while (t < tokens.size() && tokens[t].kind == LikeToken::AnyRun)
        ++t;
    return t == tokens.size();
}

// A compiled pattern. The screens' searches are "*text*", which a substring
// search answers without stepping through the pattern's tokens.
struct LikePattern {
    QList<LikeToken> tokens;
    bool isContains = false;
    QByteArray asciiNeedle; // lower case; used when the text sought is ASCII
    QString needle;

    explicit LikePattern(QStringView pattern)
        : tokens(parseLike(codePoints(pattern)))
    {
        if (tokens.size() < 2 || tokens.first().kind != LikeToken::AnyRun
            || tokens.last().kind != LikeToken::AnyRun)
            return;
        bool ascii = true;
        for (qsizetype t = 1; t + 1 < tokens.size(); ++t) {
            if (tokens[t].kind != LikeToken::Literal)
                return;
            const char32_t c = tokens[t].literal;
            ascii = ascii && c < 0x80;
            needle.append(QString::fromUcs4(&c, 1));
        }
        isContains = true;
        if (ascii)
            asciiNeedle = needle.toLatin1();
    }

    bool matches(const unsigned char* text, int length) const
    {
        if (!isContains)
            return matchesTokens(tokens, text, length);
        if (needle.isEmpty() || !asciiNeedle.isEmpty())
            return containsAscii(text, length, asciiNeedle);
        return QString::fromUtf8(reinterpret_cast<const char*>(text), length)
            .contains(needle, Qt::CaseInsensitive);
    }
};

void deletePattern(void* pattern)
{
    delete static_cast<LikePattern*>(pattern);
}

void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    if (argc == 3) {
        sqlite3_result_error(
            context, "Like takes no ESCAPE clause; use [ ] around the character.", -1);
        return;
    }
    // SQL's like(A, B) is "B LIKE A". The pattern of a statement is the same for
    // every row, so it is parsed once and kept with the statement.
    const auto* text = sqlite3_value_text(argv[1]);
    const int length = sqlite3_value_bytes(argv[1]);
    if (const auto* kept = static_cast<const LikePattern*>(sqlite3_get_auxdata(context, 0)))
        return sqlite3_result_int(context, kept->matches(text, length));
    auto pattern = std::make_unique<LikePattern>(argumentText(argv[0]));
    sqlite3_result_int(context, pattern->matches(text, length));
    // SQLite keeps it while the pattern stays the same, or deletes it at once.
    sqlite3_set_auxdata(context, 0, pattern.release(), deletePattern);
}

void containsFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_int(context, 0);
    const auto* needle = sqlite3_value_text(argv[1]);
    const int needleLength = sqlite3_value_bytes(argv[1]);
    const auto* text = sqlite3_value_text(argv[0]);
    const int textLength = sqlite3_value_bytes(argv[0]);
    if (isAscii(needle, needleLength)) {
        QByteArray lowered(reinterpret_cast<const char*>(needle), needleLength);
        for (char& c : lowered)
            c = char(lowerAscii[static_cast<unsigned char>(c)]);
        return sqlite3_result_int(context, containsAscii(text, textLength, lowered));
    }
    sqlite3_result_int(context, containsText(argumentText(argv[0]), argumentText(argv[1])));
}

void deletePhrase(void* phrase)
{
    delete static_cast<MemoPhrase*>(phrase);
}

void memoContainsFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_int(context, 0);
    const auto* memo = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QByteArrayView text(memo, sqlite3_value_bytes(argv[0]));
    // Like a Like pattern, the phrase is prepared once for the statement.
    if (const auto* kept = static_cast<const MemoPhrase*>(sqlite3_get_auxdata(context, 1)))
        return sqlite3_result_int(context, kept->isFoundIn(text));
    auto phrase = std::make_unique<MemoPhrase>(argumentText(argv[1]));
    sqlite3_result_int(context, phrase->isFoundIn(text));
    sqlite3_set_auxdata(context, 1, phrase.release(), deletePhrase);
}

} // namespace

int compareText(QStringView left, QStringView right)
{
    return compareUnicode(left, right);
}

bool matchesLike(QStringView text, QStringView pattern)
{
    const QByteArray utf8 = text.toUtf8();
    return LikePattern(pattern).matches(
        reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()));
}

QString likeLiteralPattern(const QString& text)
{
    QString pattern;
    for (const QChar c : text) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[')
            pattern += QLatin1Char('[') + c + QLatin1Char(']');
        else
            pattern += c;
    }
    return pattern;
}

bool containsText(QStringView text, QStringView needle)
{
    return text.contains(needle, Qt::CaseInsensitive);
}

void registerTextRules(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_collation_v2(
        db, textCollation, SQLITE_UTF8, nullptr, collationCompare, collationDestroy);
    sqlite3_create_function_v2(
        db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(
        db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(
        db, "contains", 2, flags, nullptr, containsFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(
        db, "memoContains", 2, flags, nullptr, memoContainsFunction, nullptr, nullptr, nullptr);
}

} // namespace vantrel::data
