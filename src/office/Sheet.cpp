#include "office/Sheet.h"

#include "office/CellText.h"
#include "office/PastedValue.h"
#include "office/TabSeparatedText.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <string_view>

namespace vantrel::office {

namespace {

bool isEmptyValue(const QVariant& value)
{
    return !value.isValid() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

// Relative widths of characters in the default font, where a digit is 1.
constexpr std::array<float, 128> asciiUnits = [] {
    std::array<float, 128> units {};
    for (std::size_t c = 0; c < units.size(); ++c)
        units[c] = c >= 'A' && c <= 'Z' ? 1.15f : 1.0f;
    for (const char c : std::string_view("iljI.,:;'!|` "))
        units[std::size_t(c)] = 0.45f;
    for (const char c : std::string_view("ftr()[]{}-/\"*"))
        units[std::size_t(c)] = 0.65f;
    for (const char c : std::string_view("mwMW@%"))
        units[std::size_t(c)] = 1.45f;
    return units;
}();

double characterUnits(QChar c)
{
    if (c.unicode() < asciiUnits.size())
        return asciiUnits[c.unicode()];
    return c.isUpper() ? 1.15 : 1.0;
}

// How much wider than the default font a style's text runs.
double widthFactor(const CellStyle& style)
{
    const QString font = style.effectiveFontName().toLower();
    double factor = style.effectiveFontSize() / CellStyle::defaultFontSize;
    if (font.contains(QLatin1String("narrow")) || font.contains(QLatin1String("condensed")))
        factor *= 0.9;
    else if (font != QLatin1String("calibri"))
        factor *= 1.1;
    if (style.bold)
        factor *= 1.07;
    return factor;
}

// The column width, in characters of the default font, that shows the text.
double estimatedWidth(const QString& text, double factor)
{
    double widest = 0;
    double units = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            widest = std::max(widest, units);
            units = 0;
        }
        else {
            units += characterUnits(c);
        }
    }
    return std::max(widest, units) * factor + 0.75;
}

// Lines a wrapped text takes in a column of that many characters.
int wrappedLines(const QString& text, double factor, double columnCharacters)
{
    const double available = std::max(1.0, columnCharacters);
    int lines = 0;
    for (const QStringView paragraph : QStringView(text).split(QLatin1Char('\n'))) {
        ++lines;
        double used = 0;
        for (const QStringView word : paragraph.split(QLatin1Char(' '))) {
            double units = 0;
            for (const QChar c : word)
                units += characterUnits(c) * factor;
            const double space = used > 0 ? characterUnits(QLatin1Char(' ')) * factor : 0;
            if (used > 0 && used + space + units > available) {
                ++lines;
                used = 0;
            }
            else {
                used += space;
            }
            // A word longer than the column breaks wherever the column ends.
            while (used + units > available && units > available) {
                ++lines;
                units -= available - used;
                used = 0;
            }
            used += units;
        }
    }
    return lines;
}

// The default row of 15 points holds a line of Calibri 11; pixels are 0.75 points.
double lineHeight(double fontSize)
{
    return std::ceil(fontSize * Sheet::defaultRowHeight / CellStyle::defaultFontSize / 0.75) * 0.75;
}

QString rowLimitText()
{
    return QLocale::system().toString(CellRange::maxRows);
}

} // namespace

Sheet::Sheet(const QString& name)
    : m_name(name)
{
}

int Sheet::rowCount() const
{
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        const QList<Cell>& cells = m_rows.at(row);
        if (std::any_of(cells.cbegin(), cells.cend(),
                [](const Cell& cell) { return cell.value.isValid(); }))
            return row + 1;
    }
    return 0;
}

int Sheet::columnCount() const
{
    int count = 0;
    for (const QList<Cell>& cells : m_rows) {
        for (int column = int(cells.size()) - 1; column >= count; --column) {
            if (cells.at(column).value.isValid()) {
                count = column + 1;
                break;
            }
        }
    }
    return count;
}

int Sheet::usedRowCount() const
{
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        if (usedColumnCount(row) > 0)
            return row + 1;
    }
    return 0;
}

int Sheet::usedColumnCount(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return 0;
    const QList<Cell>& cells = m_rows.at(row);
    for (int column = int(cells.size()) - 1; column >= 0; --column) {
        if (cells.at(column).value.isValid() || cells.at(column).style != 0)
            return column + 1;
    }
    return 0;
}

QVariant Sheet::value(int row, int column) const
{
    const Cell* cell = cellAt(row, column);
    return cell ? cell->value : QVariant();
}

void Sheet::setValue(int row, int column, const QVariant& value)
{
    if (!CellRange::cell(row, column).isValid())
        return;
    if (isEmptyValue(value)) {
        if (Cell* cell = cellAt(row, column))
            cell->value = QVariant();
        return;
    }
    ensureCell(row, column).value = value;
    widenForDate(row, column);
}

QString Sheet::text(int row, int column) const
{
    const Cell* cell = cellAt(row, column);
    return cell ? cellText(cell->value, m_styles.at(cell->style).numberFormat) : QString();
}

const CellStyle& Sheet::style(int row, int column) const
{
    const Cell* cell = cellAt(row, column);
    return m_styles.at(cell ? cell->style : 0);
}

void Sheet::setStyle(int row, int column, const CellStyle& style)
{
    if (!CellRange::cell(row, column).isValid())
        return;
    const int index = styleIndex(style);
    if (index == 0 && !cellAt(row, column))
        return;
    ensureCell(row, column).style = index;
}

bool Sheet::pasteText(const QString& text, QString* error)
{
    const QList<QStringList> rows = parseTabSeparated(text);
    const qsizetype widest = std::accumulate(rows.cbegin(), rows.cend(), qsizetype(0),
        [](qsizetype width, const QStringList& row) { return std::max(width, row.size()); });
    if (rows.size() > CellRange::maxRows || widest > CellRange::maxColumns) {
        *error = QStringLiteral("The text does not fit into a sheet of %1 rows and %2 columns.")
                     .arg(rowLimitText(), QLocale::system().toString(CellRange::maxColumns));
        return false;
    }
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList& cells = rows.at(row);
        for (int column = 0; column < cells.size(); ++column)
            setValue(row, column, pastedValue(cells.at(column)));
    }
    return true;
}

void Sheet::clearContents(const CellRange& range)
{
    const CellRange area = clipped(range);
    if (!area.isValid())
        return;
    for (int row = area.firstRow; row <= area.lastRow; ++row) {
        for (int column = area.firstColumn; column <= area.lastColumn; ++column)
            setValue(row, column, QVariant());
    }
}

void Sheet::setFontName(const CellRange& range, const QString& name)
{
    changeStyles(range, [&name](CellStyle& style) { style.fontName = name; });
}

void Sheet::setFontSize(const CellRange& range, double points)
{
    changeStyles(range, [points](CellStyle& style) { style.fontSize = points; });
}

void Sheet::setBold(const CellRange& range, bool bold)
{
    changeStyles(range, [bold](CellStyle& style) { style.bold = bold; });
}

void Sheet::setHorizontalAlignment(const CellRange& range, HorizontalAlignment alignment)
{
    changeStyles(range, [alignment](CellStyle& style) { style.horizontalAlignment = alignment; });
}

void Sheet::setVerticalAlignment(const CellRange& range, VerticalAlignment alignment)
{
    changeStyles(range, [alignment](CellStyle& style) { style.verticalAlignment = alignment; });
}

void Sheet::setWrapText(const CellRange& range, bool wrap)
{
    changeStyles(range, [wrap](CellStyle& style) { style.wrapText = wrap; });
}

void Sheet::setNumberFormat(const CellRange& range, const QString& code)
{
    changeStyles(range, [&code](CellStyle& style) { style.numberFormat = code; });
}

double Sheet::columnWidth(int column) const
{
    return hasColumnWidth(column) ? m_columns.at(column).width : defaultColumnWidth;
}

bool Sheet::hasColumnWidth(int column) const
{
    return column >= 0 && column < m_columns.size() && m_columns.at(column).width >= 0;
}

int Sheet::columnLayoutCount() const
{
    return int(m_columns.size());
}

void Sheet::setColumnWidth(const CellRange& columns, double width)
{
    if (!columns.isValid())
        return;
    const double limited = std::clamp(width, 0.0, maxColumnWidth);
    for (int column = columns.firstColumn; column <= columns.lastColumn; ++column)
        ensureColumn(column).width = limited;
}

void Sheet::autoFitColumns(const CellRange& range)
{
    const CellRange area = clipped(range);
    if (!area.isValid())
        return;
    QList<double> widest(area.lastColumn - area.firstColumn + 1, -1);
    QHash<int, double> factors;
    for (int row = area.firstRow; row <= area.lastRow; ++row) {
        for (int column = area.firstColumn; column <= area.lastColumn; ++column) {
            const Cell* cell = cellAt(row, column);
            if (!cell || !cell->value.isValid() || m_styles.at(cell->style).wrapText)
                continue;
            auto factor = factors.constFind(cell->style);
            if (factor == factors.constEnd())
                factor = factors.insert(cell->style, widthFactor(m_styles.at(cell->style)));
            double& width = widest[column - area.firstColumn];
            width = std::max(width, estimatedWidth(text(row, column), factor.value()));
        }
    }
    for (int column = area.firstColumn; column <= area.lastColumn; ++column) {
        if (widest.at(column - area.firstColumn) >= 0)
            ensureColumn(column).width
                = std::min(widest.at(column - area.firstColumn), maxColumnWidth);
    }
}

double Sheet::rowHeight(int row) const
{
    double height = defaultRowHeight;
    if (row < 0 || row >= m_rows.size())
        return height;
    const QList<Cell>& cells = m_rows.at(row);
    for (int column = 0; column < cells.size(); ++column) {
        if (!cells.at(column).value.isValid())
            continue;
        const CellStyle& style = m_styles.at(cells.at(column).style);
        int lines = 1;
        if (style.wrapText)
            lines = wrappedLines(text(row, column), widthFactor(style), columnWidth(column));
        height = std::max(height, lines * lineHeight(style.effectiveFontSize()));
    }
    return std::min(height, maxRowHeight);
}

bool Sheet::isColumnHidden(int column) const
{
    return column >= 0 && column < m_columns.size() && m_columns.at(column).hidden;
}

void Sheet::setColumnHidden(const CellRange& columns, bool hidden)
{
    if (!columns.isValid())
        return;
    for (int column = columns.firstColumn; column <= columns.lastColumn; ++column)
        ensureColumn(column).hidden = hidden;
}

bool Sheet::insertRows(int row, int count, QString* error)
{
    if (row < 0 || count <= 0 || row >= m_rows.size())
        return row >= 0 && count >= 0;
    if (qint64(rowCount()) + count > CellRange::maxRows) {
        *error = QStringLiteral("Rows cannot be inserted: the sheet would have more than %1 rows.")
                     .arg(rowLimitText());
        return false;
    }
    const int model = row > 0 ? row - 1 : row;
    QList<Cell> formatted;
    for (const Cell& cell : std::as_const(m_rows.at(model)))
        formatted.append(Cell { QVariant(), cell.style });
    m_rows.insert(row, count, formatted);
    if (m_rows.size() > CellRange::maxRows)
        m_rows.resize(CellRange::maxRows);
    if (m_autoFilterRow >= row)
        m_autoFilterRow += count;
    return true;
}

void Sheet::deleteRows(int row, int count)
{
    if (row < 0 || count <= 0)
        return;
    if (row < m_rows.size())
        m_rows.remove(row, std::min<qsizetype>(count, m_rows.size() - row));
    if (m_autoFilterRow >= row + count)
        m_autoFilterRow -= count;
    else if (m_autoFilterRow >= row)
        m_autoFilterRow = -1;
}

CellRange Sheet::autoFilterRange() const
{
    if (m_autoFilterRow < 0 || m_autoFilterRow >= m_rows.size())
        return {};
    const QList<Cell>& headings = m_rows.at(m_autoFilterRow);
    int first = -1;
    int last = -1;
    for (int column = 0; column < headings.size(); ++column) {
        if (headings.at(column).value.isValid()) {
            if (first < 0)
                first = column;
            last = column;
        }
    }
    if (first < 0)
        return {};
    return CellRange::area(m_autoFilterRow, first, std::max(m_autoFilterRow, rowCount() - 1), last);
}

void Sheet::freezePanes(int row, int column)
{
    m_frozenRows = std::clamp(row, 0, CellRange::maxRows - 1);
    m_frozenColumns = std::clamp(column, 0, CellRange::maxColumns - 1);
}

void Sheet::setActiveCell(int row, int column)
{
    m_activeRow = std::clamp(row, 0, CellRange::maxRows - 1);
    m_activeColumn = std::clamp(column, 0, CellRange::maxColumns - 1);
}

bool Sheet::find(const QString& what, int* row, int* column) const
{
    for (int r = 0; r < m_rows.size(); ++r) {
        for (int c = 0; c < m_rows.at(r).size(); ++c) {
            if (m_rows.at(r).at(c).value.isValid()
                && text(r, c).compare(what, Qt::CaseInsensitive) == 0) {
                *row = r;
                *column = c;
                return true;
            }
        }
    }
    return false;
}

int Sheet::replace(const CellRange& range, const QString& what, const QString& replacement)
{
    const CellRange area = clipped(range);
    if (what.isEmpty() || !area.isValid())
        return 0;
    int changed = 0;
    for (int row = area.firstRow; row <= area.lastRow; ++row) {
        for (int column = area.firstColumn; column <= area.lastColumn; ++column) {
            Cell* cell = cellAt(row, column);
            if (!cell || cell->value.typeId() != QMetaType::QString)
                continue;
            QString text = cell->value.toString();
            if (!text.contains(what, Qt::CaseInsensitive))
                continue;
            text.replace(what, replacement, Qt::CaseInsensitive);
            setValue(row, column, text);
            ++changed;
        }
    }
    return changed;
}

// A date too wide for its column would show as "#####"; like the spreadsheet
// program, a column nobody has sized grows to show it.
void Sheet::widenForDate(int row, int column)
{
    const int type = value(row, column).typeId();
    if ((type != QMetaType::QDate && type != QMetaType::QDateTime && type != QMetaType::QTime)
        || hasColumnWidth(column))
        return;
    const double needed = estimatedWidth(text(row, column), widthFactor(style(row, column)));
    if (needed > defaultColumnWidth)
        ensureColumn(column).width = std::min(needed, maxColumnWidth);
}

Sheet::Cell* Sheet::cellAt(int row, int column)
{
    if (row < 0 || column < 0 || row >= m_rows.size() || column >= m_rows.at(row).size())
        return nullptr;
    return &m_rows[row][column];
}

const Sheet::Cell* Sheet::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= m_rows.size() || column >= m_rows.at(row).size())
        return nullptr;
    return &m_rows.at(row).at(column);
}

Sheet::Cell& Sheet::ensureCell(int row, int column)
{
    if (row >= m_rows.size())
        m_rows.resize(row + 1);
    QList<Cell>& cells = m_rows[row];
    if (column >= cells.size())
        cells.resize(column + 1);
    return cells[column];
}

int Sheet::styleIndex(const CellStyle& style)
{
    const auto found = m_styleIndexes.constFind(style);
    if (found != m_styleIndexes.constEnd())
        return found.value();
    const int index = int(m_styles.size());
    m_styles.append(style);
    m_styleIndexes.insert(style, index);
    return index;
}

int Sheet::usedColumnExtent() const
{
    int extent = 0;
    for (int row = 0; row < m_rows.size(); ++row)
        extent = std::max(extent, usedColumnCount(row));
    return extent;
}

CellRange Sheet::clipped(const CellRange& range) const
{
    if (!range.isValid())
        return {};
    CellRange area = range;
    area.lastRow = std::min(area.lastRow, usedRowCount() - 1);
    area.lastColumn = std::min(area.lastColumn, usedColumnExtent() - 1);
    return area.isValid() ? area : CellRange();
}

template <typename Change> void Sheet::changeStyles(const CellRange& range, Change change)
{
    const CellRange area = clipped(range);
    if (!area.isValid())
        return;
    QHash<int, int> changedIndexes;
    for (int row = area.firstRow; row <= area.lastRow; ++row) {
        for (int column = area.firstColumn; column <= area.lastColumn; ++column) {
            const Cell* existing = cellAt(row, column);
            const int before = existing ? existing->style : 0;
            auto known = changedIndexes.constFind(before);
            if (known == changedIndexes.constEnd()) {
                CellStyle style = m_styles.at(before);
                change(style);
                known = changedIndexes.insert(before, styleIndex(style));
            }
            if (known.value() != before)
                ensureCell(row, column).style = known.value();
        }
    }
}

Sheet::Column& Sheet::ensureColumn(int column)
{
    if (column >= m_columns.size())
        m_columns.resize(column + 1);
    return m_columns[column];
}

} // namespace vantrel::office
