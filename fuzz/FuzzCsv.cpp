// Comma- and semicolon-separated text in any of the encodings users save it in.
#include "FuzzInput.h"

#include "data/WorkbookReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = vantrel::fuzz::inputFile(QStringLiteral("input.csv"), data, size);
    vantrel::data::Worksheet sheet;
    QString error;
    vantrel::data::readWorksheet(path, {}, &sheet, &error);
    return 0;
}
