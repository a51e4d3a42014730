#pragma once

#include "data/CellReference.h"

#include <QString>
#include <QStringView>

namespace vantrel::office {

// A rectangle of cells. Rows and columns count from 0 (A1 is row 0, column 0) and
// the last row and column belong to the range. Whole rows, whole columns and the
// whole sheet reach to the sheet's limits.
struct CellRange {
    static constexpr int maxRows = data::CellReference::maxRows;
    static constexpr int maxColumns = data::CellReference::maxColumns;

    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = -1;
    int lastColumn = -1;

    static CellRange cell(int row, int column);
    static CellRange area(int firstRow, int firstColumn, int lastRow, int lastColumn);
    static CellRange rows(int first, int last);
    static CellRange columns(int first, int last);
    static CellRange all();
    // "A1", "A2:D10", "B:B", "A:D", "1:1" or "2:5" (letters in either case, "$"
    // allowed); an invalid range for anything else.
    static CellRange fromReference(QStringView reference);

    bool isValid() const;
    bool contains(int row, int column) const;
    bool wholeRows() const { return firstColumn == 0 && lastColumn == maxColumns - 1; }
    bool wholeColumns() const { return firstRow == 0 && lastRow == maxRows - 1; }
    // "A1:D10", or "A1" for one cell.
    QString reference() const;

    // "A" for 0, "Z" for 25, "AA" for 26.
    static QString columnName(int column);

    bool operator==(const CellRange&) const = default;
};

} // namespace vantrel::office
