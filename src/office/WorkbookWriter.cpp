#include "office/WorkbookWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <array>
#include <cmath>

namespace vantrel::office {

namespace {

constexpr qsizetype maxCellText = 32767;
constexpr qsizetype maxSheetName = 31;

// Built-in number formats that every spreadsheet program shows in the user's
// own date and time form.
constexpr uint8_t shortDateFormat = 14;
constexpr uint8_t shortDateTimeFormat = 22;
constexpr uint8_t timeFormat = 21;

enum class DateKind { None, Date, DateTime, Time };

DateKind dateKindOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return DateKind::Date;
    case QMetaType::QDateTime:
        return DateKind::DateTime;
    case QMetaType::QTime:
        return DateKind::Time;
    default:
        return DateKind::None;
    }
}

uint8_t alignmentOf(HorizontalAlignment alignment)
{
    switch (alignment) {
    case HorizontalAlignment::Left:
        return LXW_ALIGN_LEFT;
    case HorizontalAlignment::Center:
        return LXW_ALIGN_CENTER;
    case HorizontalAlignment::Right:
        return LXW_ALIGN_RIGHT;
    case HorizontalAlignment::General:
        break;
    }
    return LXW_ALIGN_NONE;
}

uint8_t alignmentOf(VerticalAlignment alignment)
{
    switch (alignment) {
    case VerticalAlignment::Top:
        return LXW_ALIGN_VERTICAL_TOP;
    case VerticalAlignment::Center:
        return LXW_ALIGN_VERTICAL_CENTER;
    case VerticalAlignment::Bottom:
        break;
    }
    return LXW_ALIGN_NONE;
}

// Cut where the cell's limit is, but never inside a surrogate pair.
QByteArray cellText(const QString& text)
{
    if (text.size() <= maxCellText)
        return text.toUtf8();
    qsizetype length = maxCellText;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length).toUtf8();
}

QString sheetNameProblem(const QString& name)
{
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    if (name.isEmpty())
        return QStringLiteral("a sheet has no name");
    if (name.size() > maxSheetName)
        return QStringLiteral("the sheet name '%1' is longer than %2 characters")
            .arg(name)
            .arg(maxSheetName);
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return forbidden.contains(c); })
        || name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        return QStringLiteral("the sheet name '%1' holds a character that sheet names cannot hold")
            .arg(name);
    return {};
}

class SheetWriter {
public:
    SheetWriter(lxw_workbook* workbook, lxw_worksheet* worksheet)
        : m_workbook(workbook)
        , m_worksheet(worksheet)
    {
    }

    lxw_error write(const Sheet& sheet)
    {
        const int rows = sheet.usedRowCount();
        for (int row = 0; row < rows; ++row) {
            const double height = sheet.rowHeight(row);
            if (height > Sheet::defaultRowHeight) {
                const lxw_error result
                    = worksheet_set_row(m_worksheet, lxw_row_t(row), height, nullptr);
                if (result != LXW_NO_ERROR)
                    return result;
            }
            const int columns = sheet.usedColumnCount(row);
            for (int column = 0; column < columns; ++column) {
                const lxw_error result
                    = writeCell(row, column, sheet.value(row, column), sheet.style(row, column));
                if (result != LXW_NO_ERROR)
                    return result;
            }
        }
        for (int column = 0; column < sheet.columnLayoutCount(); ++column) {
            if (!sheet.hasColumnWidth(column) && !sheet.isColumnHidden(column))
                continue;
            lxw_row_col_options options { sheet.isColumnHidden(column) ? uint8_t(1) : uint8_t(0), 0,
                0 };
            const lxw_error result = worksheet_set_column_opt(m_worksheet, lxw_col_t(column),
                lxw_col_t(column), sheet.columnWidth(column), nullptr, &options);
            if (result != LXW_NO_ERROR)
                return result;
        }
        const CellRange filter = sheet.autoFilterRange();
        if (filter.isValid()) {
            const lxw_error result = worksheet_autofilter(m_worksheet, lxw_row_t(filter.firstRow),
                lxw_col_t(filter.firstColumn), lxw_row_t(filter.lastRow),
                lxw_col_t(filter.lastColumn));
            if (result != LXW_NO_ERROR)
                return result;
        }
        if (sheet.frozenRows() > 0 || sheet.frozenColumns() > 0)
            worksheet_freeze_panes(
                m_worksheet, lxw_row_t(sheet.frozenRows()), lxw_col_t(sheet.frozenColumns()));
        worksheet_set_selection(m_worksheet, lxw_row_t(sheet.activeRow()),
            lxw_col_t(sheet.activeColumn()), lxw_row_t(sheet.activeRow()),
            lxw_col_t(sheet.activeColumn()));
        return LXW_NO_ERROR;
    }

private:
    lxw_error writeCell(int row, int column, const QVariant& value, const CellStyle& style)
    {
        const lxw_row_t r = lxw_row_t(row);
        const lxw_col_t c = lxw_col_t(column);
        const DateKind dateKind = dateKindOf(value);
        lxw_format* format = formatFor(style, dateKind);
        switch (value.typeId()) {
        case QMetaType::UnknownType:
            return format ? worksheet_write_blank(m_worksheet, r, c, format) : LXW_NO_ERROR;
        case QMetaType::Bool:
            return worksheet_write_boolean(m_worksheet, r, c, value.toBool(), format);
        case QMetaType::QString:
            return worksheet_write_string(
                m_worksheet, r, c, cellText(value.toString()).constData(), format);
        default:
            break;
        }
        if (dateKind != DateKind::None)
            return writeDateTime(r, c, value, format);
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok && std::isfinite(number))
            return worksheet_write_number(m_worksheet, r, c, number, format);
        return worksheet_write_string(
            m_worksheet, r, c, cellText(value.toString()).constData(), format);
    }

    // Spreadsheets count days from 1900; earlier dates are kept as their text.
    lxw_error writeDateTime(
        lxw_row_t row, lxw_col_t column, const QVariant& value, lxw_format* format)
    {
        const QDateTime dateTime = value.typeId() == QMetaType::QDate
            ? QDateTime(value.toDate(), QTime(0, 0))
            : value.toDateTime();
        if (value.typeId() == QMetaType::QTime) {
            const QTime time = value.toTime();
            lxw_datetime moment { 0, 0, 0, time.hour(), time.minute(),
                time.second() + time.msec() / 1000.0 };
            return worksheet_write_datetime(m_worksheet, row, column, &moment, format);
        }
        if (!dateTime.isValid() || dateTime.date().year() < 1900 || dateTime.date().year() > 9999)
            return worksheet_write_string(
                m_worksheet, row, column, value.toString().toUtf8().constData(), format);
        const QDate date = dateTime.date();
        const QTime time = dateTime.time();
        lxw_datetime moment { date.year(), date.month(), date.day(), time.hour(), time.minute(),
            time.second() + time.msec() / 1000.0 };
        return worksheet_write_datetime(m_worksheet, row, column, &moment, format);
    }

    lxw_format* formatFor(const CellStyle& style, DateKind dateKind)
    {
        const bool needsDateFormat = dateKind != DateKind::None && style.numberFormat.isEmpty();
        if (style == CellStyle() && !needsDateFormat)
            return nullptr;
        // A sheet keeps each distinct style once, so its address names it.
        QHash<const CellStyle*, lxw_format*>& cache
            = m_formats[needsDateFormat ? size_t(dateKind) : 0];
        if (lxw_format* known = cache.value(&style))
            return known;
        lxw_format* format = workbook_add_format(m_workbook);
        if (!style.fontName.isEmpty())
            format_set_font_name(format, style.fontName.toUtf8().constData());
        if (style.fontSize > 0)
            format_set_font_size(format, style.fontSize);
        if (style.bold)
            format_set_bold(format);
        if (style.italic)
            format_set_italic(format);
        if (const uint8_t horizontal = alignmentOf(style.horizontalAlignment))
            format_set_align(format, horizontal);
        if (const uint8_t vertical = alignmentOf(style.verticalAlignment))
            format_set_align(format, vertical);
        if (style.wrapText)
            format_set_text_wrap(format);
        if (!style.numberFormat.isEmpty())
            format_set_num_format(format, style.numberFormat.toUtf8().constData());
        else if (dateKind == DateKind::Date && needsDateFormat)
            format_set_num_format_index(format, shortDateFormat);
        else if (dateKind == DateKind::DateTime && needsDateFormat)
            format_set_num_format_index(format, shortDateTimeFormat);
        else if (dateKind == DateKind::Time && needsDateFormat)
            format_set_num_format_index(format, timeFormat);
        if (style.fillColor.isValid()) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, lxw_color_t(style.fillColor.rgb() & 0xFFFFFF));
        }
        cache.insert(&style, format);
        return format;
    }

    lxw_workbook* m_workbook;
    lxw_worksheet* m_worksheet;
    std::array<QHash<const CellStyle*, lxw_format*>, 4> m_formats;
};

bool fail(QString* error, const QString& path, const QString& reason)
{
    *error = QStringLiteral("The workbook could not be saved as '%1': %2.")
                 .arg(QDir::toNativeSeparators(path), reason);
    return false;
}

QString lxwReason(lxw_error result)
{
    return QString::fromUtf8(lxw_strerror(result));
}

// libxlsxwriter writes to a named file only: it writes a private temporary file,
// which then replaces the target through QSaveFile.
bool writeTemporary(const Workbook& workbook, const QString& temporaryPath, QString* reason)
{
    // Rows are written in order, so the library may stream each finished row to
    // disk instead of holding every cell of a long report in memory.
    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(temporaryPath).constData(), &options);
    if (!book) {
        *reason = QStringLiteral("the workbook could not be started");
        return false;
    }
    lxw_error result = LXW_NO_ERROR;
    const QByteArray title = workbook.title().toUtf8();
    if (!title.isEmpty()) {
        lxw_doc_properties properties {};
        // The library copies the text; its field is merely not declared const.
        properties.title = const_cast<char*>(title.constData());
        result = workbook_set_properties(book, &properties);
    }
    for (int index = 0; index < workbook.sheetCount() && result == LXW_NO_ERROR; ++index) {
        const Sheet& sheet = workbook.sheet(index);
        lxw_worksheet* worksheet = workbook_add_worksheet(book, sheet.name().toUtf8().constData());
        if (!worksheet) {
            result = LXW_ERROR_SHEETNAME_ALREADY_USED;
            break;
        }
        if (index == workbook.activeSheetIndex())
            worksheet_activate(worksheet);
        result = SheetWriter(book, worksheet).write(sheet);
    }
    const lxw_error closed = workbook_close(book);
    if (result == LXW_NO_ERROR)
        result = closed;
    if (result != LXW_NO_ERROR) {
        *reason = lxwReason(result);
        return false;
    }
    return true;
}

} // namespace

bool writeWorkbook(const Workbook& workbook, const QString& path, QString* error)
{
    const QFileInfo target(path);
    if (target.suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0)
        return fail(error, path, QStringLiteral("workbooks are saved as .xlsx files"));
    if (!target.absoluteDir().exists())
        return fail(error, path,
            QStringLiteral("the folder '%1' does not exist")
                .arg(QDir::toNativeSeparators(target.absolutePath())));
    // The owner's write permission is asked for, not the process's, so that a
    // file marked read-only is refused even to an administrator.
    if (target.exists() && target.isFile() && !(target.permissions() & QFile::WriteOwner))
        return fail(error, path, QStringLiteral("the file is read-only"));
    QStringList names;
    for (int index = 0; index < workbook.sheetCount(); ++index) {
        const QString name = workbook.sheet(index).name();
        QString problem = sheetNameProblem(name);
        if (problem.isEmpty() && names.contains(name, Qt::CaseInsensitive))
            problem = QStringLiteral("two sheets are named '%1'").arg(name);
        if (!problem.isEmpty())
            return fail(error, path, problem);
        names.append(name);
    }

    QTemporaryFile temporary(QDir::temp().filePath(QStringLiteral("vantrel-workbook-XXXXXX.xlsx")));
    if (!temporary.open())
        return fail(error, path, temporary.errorString());
    temporary.close();
    QString reason;
    if (!writeTemporary(workbook, temporary.fileName(), &reason))
        return fail(error, path, reason);
    if (!temporary.open())
        return fail(error, path, temporary.errorString());
    const QByteArray content = temporary.readAll();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, path, file.errorString());
    if (file.write(content) != content.size()) {
        const QString writeError = file.errorString();
        file.cancelWriting();
        return fail(error, path, writeError);
    }
    if (!file.commit())
        return fail(error, path, file.errorString());
    return true;
}

} // namespace vantrel::office
