#include "office/CellRange.h"

#include <optional>
#include <utility>

namespace vantrel::office {

namespace {

struct Part {
    std::optional<int> row;
    std::optional<int> column;
};

// One side of a reference: "B7", "B" or "7", each part optionally behind "$".
std::optional<Part> parsePart(QStringView text)
{
    Part part;
    qsizetype i = 0;
    if (i < text.size() && text.at(i) == QLatin1Char('$'))
        ++i;
    qint64 column = 0;
    const qsizetype lettersStart = i;
    while (i < text.size() && text.at(i).isLetter() && text.at(i).toLatin1() != 0) {
        const char letter = QChar::toUpper(text.at(i).unicode());
        if (letter < 'A' || letter > 'Z' || i - lettersStart >= 3)
            return std::nullopt;
        column = column * 26 + (letter - 'A' + 1);
        ++i;
    }
    if (i > lettersStart) {
        if (column > CellRange::maxColumns)
            return std::nullopt;
        part.column = int(column - 1);
    }
    if (i < text.size() && text.at(i) == QLatin1Char('$'))
        ++i;
    const qsizetype digitsStart = i;
    qint64 row = 0;
    while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
        row = row * 10 + (text.at(i).unicode() - '0');
        if (row > CellRange::maxRows)
            return std::nullopt;
        ++i;
    }
    if (i > digitsStart) {
        if (row < 1)
            return std::nullopt;
        part.row = int(row - 1);
    }
    if (i != text.size() || (!part.row && !part.column))
        return std::nullopt;
    return part;
}

} // namespace

CellRange CellRange::cell(int row, int column)
{
    return area(row, column, row, column);
}

CellRange CellRange::area(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    return CellRange { firstRow, firstColumn, lastRow, lastColumn };
}

CellRange CellRange::rows(int first, int last)
{
    return area(first, 0, last, maxColumns - 1);
}

CellRange CellRange::columns(int first, int last)
{
    return area(0, first, maxRows - 1, last);
}

CellRange CellRange::all()
{
    return area(0, 0, maxRows - 1, maxColumns - 1);
}

CellRange CellRange::fromReference(QStringView reference)
{
    const QStringView trimmed = reference.trimmed();
    const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
    const std::optional<Part> first = parsePart(colon < 0 ? trimmed : trimmed.left(colon));
    const std::optional<Part> last = colon < 0 ? first : parsePart(trimmed.mid(colon + 1));
    if (!first || !last)
        return {};
    const bool cells = first->row && first->column && last->row && last->column;
    const bool columnsOnly = !first->row && !last->row && first->column && last->column;
    const bool rowsOnly = !first->column && !last->column && first->row && last->row;
    CellRange range;
    if (cells)
        range = area(*first->row, *first->column, *last->row, *last->column);
    else if (columnsOnly && colon >= 0)
        range = columns(*first->column, *last->column);
    else if (rowsOnly && colon >= 0)
        range = rows(*first->row, *last->row);
    else
        return {};
    if (range.firstRow > range.lastRow)
        std::swap(range.firstRow, range.lastRow);
    if (range.firstColumn > range.lastColumn)
        std::swap(range.firstColumn, range.lastColumn);
    return range;
}

bool CellRange::isValid() const
{
    return firstRow >= 0 && firstColumn >= 0 && firstRow <= lastRow && firstColumn <= lastColumn
        && lastRow < maxRows && lastColumn < maxColumns;
}

bool CellRange::contains(int row, int column) const
{
    return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
}

QString CellRange::reference() const
{
    const QString first = columnName(firstColumn) + QString::number(firstRow + 1);
    if (firstRow == lastRow && firstColumn == lastColumn)
        return first;
    return first + QLatin1Char(':') + columnName(lastColumn) + QString::number(lastRow + 1);
}

QString CellRange::columnName(int column)
{
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QLatin1Char(char('A' + (n - 1) % 26)));
    return name;
}

} // namespace vantrel::office
