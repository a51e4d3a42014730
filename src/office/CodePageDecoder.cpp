#include "office/CodePageDecoder.h"

#include <iconv.h>

#include <array>
#include <cstring>

namespace vantrel::office {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, //
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178, //
};

const auto invalidConverter = reinterpret_cast<void*>(-1);

QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case 10000:
        return QByteArrayLiteral("MACINTOSH");
    case 20127:
        return QByteArrayLiteral("ASCII");
    case 20866:
        return QByteArrayLiteral("KOI8-R");
    case 21866:
        return QByteArrayLiteral("KOI8-U");
    default:
        break;
    }
    if (codePage >= 28591 && codePage <= 28605)
        return "ISO-8859-" + QByteArray::number(codePage - 28590);
    return "CP" + QByteArray::number(codePage);
}

void decodeWindows1252(const char* bytes, qsizetype size, QString* out)
{
    const qsizetype start = out->size();
    out->resize(start + size);
    QChar* target = out->data() + start;
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        target[i] = byte >= 0x80 && byte < 0xA0 ? QChar(windows1252High[byte - 0x80])
                                                : QChar(char16_t(byte));
    }
}

} // namespace

CodePageDecoder::~CodePageDecoder()
{
    for (const auto& [codePage, handle] : m_converters) {
        if (handle != invalidConverter)
            iconv_close(static_cast<iconv_t>(handle));
    }
}

void CodePageDecoder::decode(const char* bytes, qsizetype size, int codePage, QString* out)
{
    if (size <= 0)
        return;
    if (codePage == symbolCodePage) {
        for (qsizetype i = 0; i < size; ++i)
            out->append(QChar(char16_t(0xF000 + static_cast<unsigned char>(bytes[i]))));
        return;
    }
    if (codePage == 65001) {
        out->append(QString::fromUtf8(bytes, size));
        return;
    }
    void* handle = codePage == 1252 || codePage <= 0 ? invalidConverter : converter(codePage);
    if (handle == invalidConverter) {
        decodeWindows1252(bytes, size, out);
        return;
    }
    const auto cd = static_cast<iconv_t>(handle);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    QByteArray utf16(size * 4 + 4, Qt::Uninitialized);
    char* in = const_cast<char*>(bytes);
    size_t inLeft = static_cast<size_t>(size);
    char* target = utf16.data();
    size_t targetLeft = static_cast<size_t>(utf16.size());
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &target, &targetLeft) != static_cast<size_t>(-1))
            continue;
        if (targetLeft < 2)
            break;
        // An invalid or cut-off sequence: one replacement character for its first byte.
        ++in;
        --inLeft;
        const char16_t replacement = 0xFFFD;
        std::memcpy(target, &replacement, sizeof replacement);
        target += sizeof replacement;
        targetLeft -= sizeof replacement;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out->append(QStringView(
        reinterpret_cast<const char16_t*>(utf16.constData()), (target - utf16.constData()) / 2));
}

void* CodePageDecoder::converter(int codePage)
{
    const auto found = m_converters.find(codePage);
    if (found != m_converters.end())
        return found->second;
    iconv_t cd = iconv_open("UTF-16LE", iconvName(codePage).constData());
    void* handle = cd == reinterpret_cast<iconv_t>(-1) ? invalidConverter : static_cast<void*>(cd);
    m_converters.emplace(codePage, handle);
    return handle;
}

int CodePageDecoder::codePageOfCharset(int charset)
{
    switch (charset) {
    case 2:
        return symbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

int CodePageDecoder::windows1252Byte(QChar c)
{
    const char16_t unit = c.unicode();
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    for (size_t i = 0; i < windows1252High.size(); ++i) {
        if (windows1252High[i] == unit && unit != 0xFFFD)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

} // namespace vantrel::office
