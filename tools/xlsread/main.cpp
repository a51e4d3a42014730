// vantrel-xlsread: reads one legacy .xls workbook through FreeXL and writes what
// it found to standard output for the data layer's XlsReader. FreeXL can allocate
// without bound and read out of bounds on a crafted file, so it runs here, in a
// short-lived process under memory and processor limits, and never inside the
// program: a file that breaks it costs this process only.
//
//   vantrel-xlsread <file>            sheet names
//   vantrel-xlsread <file> <index>    sheet names and the rows of that sheet

#include "data/SheetBuilder.h"
#include "data/XlsReplyFormat.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <freexl.h>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define VANTREL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTREL_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(VANTREL_ADDRESS_SANITIZER)
// FreeXL leaks on rejected files; the process ends at once, so that is harmless,
// and a hostile file must not grow past the limits here either.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0:hard_rss_limit_mb=768:allocator_may_return_null=1";
}
#endif

using namespace vantrel::data;

namespace {

void limitResources()
{
    // The sanitizers reserve terabytes of address space, so they get their limit
    // from the options above instead.
#if !defined(VANTREL_ADDRESS_SANITIZER)
    const rlimit memory { xlsReaderMemoryBytes, xlsReaderMemoryBytes };
    setrlimit(RLIMIT_AS, &memory);
#endif
    const rlimit seconds { xlsReaderSeconds, xlsReaderSeconds + 1 };
    setrlimit(RLIMIT_CPU, &seconds);
    const rlimit noFiles { 0, 0 };
    setrlimit(RLIMIT_FSIZE, &noFiles);
    const rlimit noCore { 0, 0 };
    setrlimit(RLIMIT_CORE, &noCore);
}

QVariant cellValue(const FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QVariant(qlonglong(cell.value.int_value));
    case FREEXL_CELL_DOUBLE:
        return SheetBuilder::numberValue(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return QVariant(QString::fromUtf8(cell.value.text_value));
    case FREEXL_CELL_DATE:
        return QVariant(QDate::fromString(QString::fromLatin1(cell.value.text_value), Qt::ISODate));
    case FREEXL_CELL_DATETIME:
        return QVariant(QDateTime::fromString(
            QString::fromLatin1(cell.value.text_value), QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    case FREEXL_CELL_TIME:
        return QVariant(QTime::fromString(
            QString::fromLatin1(cell.value.text_value), QStringLiteral("HH:mm:ss")));
    default:
        return {};
    }
}

XlsReply readWorkbook(const QString& path, int sheetIndex)
{
    XlsReply reply;
    const void* handle = nullptr;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        reply.status = XlsReply::Damaged;
        return reply;
    }
    const auto fail = [&](XlsReply::Status status) {
        reply.status = status;
        reply.names.clear();
        reply.rows.clear();
        return reply;
    };
    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK
        && info == FREEXL_BIFF_OBFUSCATED)
        return fail(XlsReply::Protected);
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        return fail(XlsReply::Damaged);
    for (unsigned int i = 0; i < count && i <= 0xFFFF; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) != FREEXL_OK
            || !name)
            return fail(XlsReply::Damaged);
        reply.names.append(QString::fromUtf8(name));
    }
    if (sheetIndex < 0)
        return reply;

    unsigned int rows = 0;
    unsigned short columns = 0;
    if (sheetIndex >= reply.names.size()
        || freexl_select_active_worksheet(handle, static_cast<unsigned short>(sheetIndex))
            != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        return fail(XlsReply::Damaged);
    SheetBuilder builder;
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(handle, row, column, &cell) != FREEXL_OK)
                return fail(XlsReply::Damaged);
            if (!builder.setCell(row, column, cellValue(cell), &reply.reason))
                return fail(XlsReply::Refused);
        }
    }
    reply.rows = builder.takeRows();
    freexl_close(handle);
    return reply;
}

} // namespace

int main(int argc, char** argv)
{
    limitResources();
    if (argc < 2 || argc > 3)
        return 2;
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool ok = true;
    const int sheetIndex = arguments.size() > 2 ? arguments.at(2).toInt(&ok) : -1;
    if (!ok)
        return 2;
    const QByteArray reply = encodeXlsReply(readWorkbook(arguments.at(1), sheetIndex));
    if (std::fwrite(reply.constData(), 1, size_t(reply.size()), stdout) != size_t(reply.size())
        || std::fflush(stdout) != 0)
        return 3;
    // Leave without destructors: whatever FreeXL left behind goes with the process.
    std::_Exit(0);
}
