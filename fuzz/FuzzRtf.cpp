// RTF as users' letters and templates bring it: read, written and read again.
#include "FuzzInput.h"

#include "office/RtfReader.h"
#include "office/RtfWriter.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    vantrel::fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray rtf
        = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument body;
    QTextDocument header;
    QString error;
    if (vantrel::office::readRtf(rtf, &body, &header, &error)) {
        QTextDocument again;
        vantrel::office::readRtf(vantrel::office::writeRtf(body, &header), &again, nullptr, &error);
    }
    vantrel::office::plainTextOfRtf(rtf);
    return 0;
}
