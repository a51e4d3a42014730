#include "data/XlsReader.h"

#include "data/SheetBuilder.h"

#include <QDateTime>
#include <QFile>

#include <freexl.h>

namespace vantrel::data {

namespace {

QString damaged()
{
    return QStringLiteral("it is damaged or is not an Excel 97-2003 workbook");
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

} // namespace

XlsReader::~XlsReader()
{
    if (m_handle)
        freexl_close(m_handle);
}

bool XlsReader::open(const QString& path, QString* reason)
{
    if (freexl_open(QFile::encodeName(path).constData(), &m_handle) != FREEXL_OK) {
        *reason = damaged();
        return false;
    }
    unsigned int info = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK
        && info == FREEXL_BIFF_OBFUSCATED) {
        *reason = QStringLiteral("it is protected by a password");
        return false;
    }
    unsigned int count = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
        *reason = damaged();
        return false;
    }
    for (unsigned int i = 0; i < count && i <= 0xFFFF; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(m_handle, static_cast<unsigned short>(i), &name)
            != FREEXL_OK) {
            *reason = damaged();
            return false;
        }
        m_names.append(QString::fromUtf8(name));
    }
    return true;
}

QStringList XlsReader::sheetNames() const
{
    return m_names;
}

bool XlsReader::readSheet(int index, Worksheet* sheet, QString* reason)
{
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(m_handle, static_cast<unsigned short>(index)) != FREEXL_OK
        || freexl_worksheet_dimensions(m_handle, &rows, &columns) != FREEXL_OK) {
        *reason = damaged();
        return false;
    }
    SheetBuilder builder;
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(m_handle, row, column, &cell) != FREEXL_OK) {
                *reason = damaged();
                return false;
            }
            if (!builder.setCell(row, column, cellValue(cell), reason))
                return false;
        }
    }
    sheet->rows = builder.takeRows();
    sheet->headerFormats.clear();
    return true;
}

} // namespace vantrel::data
