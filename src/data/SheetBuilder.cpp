#include "data/SheetBuilder.h"

#include "data/Worksheet.h"

#include <cmath>

namespace vantrel::data {

bool SheetBuilder::setCell(qint64 row, qint64 column, const QVariant& value, QString* reason)
{
    if (isEmptyValue(value))
        return true;
    if (row < 0 || column < 0 || row >= maxWorksheetRows || column >= maxWorksheetColumns) {
        *reason
            = QStringLiteral("it has cells beyond the %1 rows and %2 columns a worksheet can hold")
                  .arg(maxWorksheetRows)
                  .arg(maxWorksheetColumns);
        return false;
    }
    if (row >= m_rows.size())
        m_rows.resize(row + 1);
    QVariantList& cells = m_rows[row];
    if (column >= cells.size()) {
        m_cells += column + 1 - cells.size();
        if (m_cells > maxWorksheetCells) {
            *reason = QStringLiteral("the worksheet has more than %1 cells, more than can be read")
                          .arg(maxWorksheetCells);
            return false;
        }
        cells.resize(column + 1);
    }
    cells[column] = value;
    return true;
}

bool SheetBuilder::isEmptyValue(const QVariant& value)
{
    return !value.isValid() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

QVariant SheetBuilder::numberValue(double number)
{
    if (std::floor(number) == number && std::abs(number) < 1e15)
        return QVariant(qlonglong(number));
    return QVariant(number);
}

QList<QVariantList> SheetBuilder::takeRows()
{
    m_cells = 0;
    return std::exchange(m_rows, {});
}

} // namespace vantrel::data
