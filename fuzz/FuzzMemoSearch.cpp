// The search in stored memos: any bytes as the memo (RTF or not), and its first
// line as the phrase, so that phrases with escapes and surrogates come up too.
#include "data/MemoText.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype lineEnd = input.indexOf('\n');
    const QByteArrayView phrase = lineEnd < 0 ? QByteArrayView() : input.first(lineEnd);
    const QByteArrayView memo = lineEnd < 0 ? input : input.sliced(lineEnd + 1);
    vantrel::data::MemoPhrase(QString::fromUtf8(phrase)).isFoundIn(memo);
    return 0;
}
