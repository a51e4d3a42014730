#pragma once

#include <QString>

#include <map>

namespace vantrel::office {

// Decodes bytes in the Windows code pages that RTF names with \ansicpg, \cpg and \fcharset.
// Windows-1252 is built in; the others go through the C library's iconv and fall back to
// Windows-1252 where it does not know them.
class CodePageDecoder {
public:
    // Not a Windows code page: the byte b of a symbol font becomes U+F000 + b, as Word does.
    static constexpr int symbolCodePage = 42;

    CodePageDecoder() = default;
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    // Appends the decoded bytes to out.
    void decode(const char* bytes, qsizetype size, int codePage, QString* out);

    // The code page that a font's \fcharset stands for; 0 where the document's applies.
    static int codePageOfCharset(int charset);
    // The Windows-1252 byte for c, or -1 where that code page lacks it.
    static int windows1252Byte(QChar c);

private:
    void* converter(int codePage);

    std::map<int, void*> m_converters;
};

} // namespace vantrel::office
