#include "office/CellRange.h"

#include "data/CellReference.h"

#include <optional>
#include <utility>

namespace vantrel::office {

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
    const std::optional<data::CellReference> first
        = data::CellReference::parse(colon < 0 ? trimmed : trimmed.left(colon));
    const std::optional<data::CellReference> last
        = colon < 0 ? first : data::CellReference::parse(trimmed.mid(colon + 1));
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
    return data::CellReference::columnName(column);
}

} // namespace vantrel::office
