#pragma once

#include <QByteArrayView>

#include <string_view>

namespace vantrel::office {

struct RtfToken {
    enum class Type {
        GroupStart,
        GroupEnd,
        ControlWord,
        ControlSymbol,
        Text,
        HexByte,
        Binary,
        End
    };
    Type type = Type::End;
    // The control word's name, the text bytes or the binary bytes.
    std::string_view bytes;
    int parameter = 0;
    bool hasParameter = false;
    char symbol = 0;
    unsigned char hexValue = 0;
};

// Splits RTF into tokens in one forward pass. Parameters are clamped to a sane range and
// \binN skips at most the bytes that are there, so hostile input cannot make it overrun.
class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView data);

    RtfToken next();
    // The bytes not yet tokenized.
    std::string_view rest() const { return { m_pos, static_cast<size_t>(m_end - m_pos) }; }

    static constexpr int maxParameter = 1'000'000'000;

private:
    RtfToken controlSequence();

    const char* m_pos;
    const char* m_end;
};

} // namespace vantrel::office
