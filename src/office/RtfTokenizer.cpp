#include "office/RtfTokenizer.h"

#include "data/HexDigit.h"

#include <algorithm>

namespace vantrel::office {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Names longer than this are not RTF words; the rest of the letters is consumed anyway.
constexpr size_t maxWordLength = 32;

} // namespace

RtfTokenizer::RtfTokenizer(QByteArrayView data)
    : m_pos(data.data())
    , m_end(data.data() + data.size())
{
}

RtfToken RtfTokenizer::next()
{
    RtfToken token;
    while (m_pos < m_end && (*m_pos == '\r' || *m_pos == '\n'))
        ++m_pos;
    if (m_pos >= m_end)
        return token;
    switch (*m_pos) {
    case '{':
        ++m_pos;
        token.type = RtfToken::Type::GroupStart;
        return token;
    case '}':
        ++m_pos;
        token.type = RtfToken::Type::GroupEnd;
        return token;
    case '\\':
        return controlSequence();
    default:
        break;
    }
    const char* start = m_pos;
    while (m_pos < m_end) {
        const char c = *m_pos;
        if (c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n')
            break;
        ++m_pos;
    }
    token.type = RtfToken::Type::Text;
    token.bytes = std::string_view(start, static_cast<size_t>(m_pos - start));
    return token;
}

RtfToken RtfTokenizer::controlSequence()
{
    RtfToken token;
    ++m_pos; // the backslash
    if (m_pos >= m_end)
        return token;
    const char first = *m_pos;
    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            const int high = m_pos < m_end ? data::hexDigitValue(*m_pos) : -1;
            const int low = m_pos + 1 < m_end ? data::hexDigitValue(m_pos[1]) : -1;
            if (high < 0 || low < 0) {
                // A broken escape stands for nothing; what follows is read as usual.
                token.type = RtfToken::Type::ControlSymbol;
                token.symbol = '\'';
                return token;
            }
            m_pos += 2;
            token.type = RtfToken::Type::HexByte;
            token.hexValue = static_cast<unsigned char>(high * 16 + low);
            return token;
        }
        token.type = RtfToken::Type::ControlSymbol;
        token.symbol = first == '\r' ? '\n' : first;
        return token;
    }

    const char* start = m_pos;
    while (m_pos < m_end && isLetter(*m_pos))
        ++m_pos;
    token.type = RtfToken::Type::ControlWord;
    token.bytes
        = std::string_view(start, std::min(static_cast<size_t>(m_pos - start), maxWordLength));

    bool negative = false;
    if (m_pos + 1 < m_end && *m_pos == '-' && isDigit(m_pos[1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_end && isDigit(*m_pos)) {
        long long value = 0;
        while (m_pos < m_end && isDigit(*m_pos)) {
            if (value <= maxParameter)
                value = value * 10 + (*m_pos - '0');
            ++m_pos;
        }
        value = std::min<long long>(value, maxParameter);
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < m_end && *m_pos == ' ')
        ++m_pos;

    if (token.bytes == "bin") {
        const size_t available = static_cast<size_t>(m_end - m_pos);
        const size_t length
            = token.parameter > 0 ? std::min(static_cast<size_t>(token.parameter), available) : 0;
        token.type = RtfToken::Type::Binary;
        token.bytes = std::string_view(m_pos, length);
        m_pos += length;
    }
    return token;
}

} // namespace vantrel::office
