// Legacy .xls workbooks through the helper process and its limits: whatever FreeXL
// does with the file, the reading side must get cells or a reason and never fail
// itself. Slow (a process for each input), so it runs with a timeout of its own.
#include "FuzzInput.h"

#include "data/WorkbookReader.h"
#include "data/XlsReader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = { name, nullptr };
    static QCoreApplication application(argc, argv);
    const QByteArray helper = qgetenv("VANTREL_XLSREAD");
    if (!helper.isEmpty())
        vantrel::data::XlsReader::setHelperPath(QString::fromLocal8Bit(helper));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The compound-file signature, so every input reaches the legacy reader.
    const QByteArray signature = QByteArray::fromHex("d0cf11e0a1b11ae1");
    QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!content.startsWith(signature))
        content.prepend(signature);
    const QString path = vantrel::fuzz::inputFile(QStringLiteral("input.xls"),
        reinterpret_cast<const uint8_t*>(content.constData()), size_t(content.size()));
    QList<vantrel::data::Worksheet> sheets;
    QString error;
    if (!vantrel::data::readWorksheets(path, &sheets, &error) && error.isEmpty())
        std::abort();
    return 0;
}
