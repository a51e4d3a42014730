#pragma once

#include "office/CellRange.h"
#include "office/CellStyle.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace vantrel::office {

// One worksheet in memory, with the operations the reports and the call log use.
// Cells hold QString, qlonglong, double, bool, QDate, QDateTime or QTime values, or
// nothing. Rows and columns count from 0.
//
// Formats reach the cells in use (those holding a value or a format): a whole
// column or row, or the whole sheet, stops at the last cell in use, so values are
// written first and formatted after, as the reports do.
class Sheet {
public:
    static constexpr double defaultColumnWidth = 8.43; // in characters, as spreadsheets count
    static constexpr double maxColumnWidth = 255;
    static constexpr double defaultRowHeight = 15; // points
    static constexpr double maxRowHeight = 409;

    explicit Sheet(const QString& name = QStringLiteral("Sheet1"));

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // Up to the last row, and the last column, that holds a value.
    int rowCount() const;
    int columnCount() const;
    // Up to the last row holding a value or a format; the cells of one row likewise.
    int usedRowCount() const;
    int usedColumnCount(int row) const;

    QVariant value(int row, int column) const;
    // An empty text or an invalid QVariant empties the cell; its format stays.
    // Cells outside the sheet's limits are left alone. A date, time or date and
    // time widens a column that has no width of its own until it shows the value.
    void setValue(int row, int column, const QVariant& value);
    // The value as the cell shows it under its number format.
    QString text(int row, int column) const;
    // Equal styles of a sheet are one object, valid while the sheet is unchanged.
    const CellStyle& style(int row, int column) const;
    void setStyle(int row, int column, const CellStyle& style);

    // Puts tab-separated text into the sheet from A1, one cell per value, numbers
    // and dates recognised as pastedValue() says. The cells keep their formats.
    bool pasteText(const QString& text, QString* error);
    // Empties the cells; their formats stay.
    void clearContents(const CellRange& range);

    void setFontName(const CellRange& range, const QString& name);
    void setFontSize(const CellRange& range, double points);
    void setBold(const CellRange& range, bool bold);
    void setHorizontalAlignment(const CellRange& range, HorizontalAlignment alignment);
    void setVerticalAlignment(const CellRange& range, VerticalAlignment alignment);
    void setWrapText(const CellRange& range, bool wrap);
    void setNumberFormat(const CellRange& range, const QString& code);

    double columnWidth(int column) const;
    bool hasColumnWidth(int column) const;
    // Columns with a width or a hidden flag of their own lie below this.
    int columnLayoutCount() const;
    // For the columns of the range; widths are limited to 0 to 255 characters.
    void setColumnWidth(const CellRange& columns, double width);
    // Each column of the range as wide as its widest value among the range's rows,
    // estimated from the text, the font and its size. Wrapped cells take the
    // width they are given and do not count; a column without values keeps its width.
    void autoFitColumns(const CellRange& range);
    // Rows take the height their values need, as in the spreadsheet program: in
    // points, estimated like column widths from wrapped texts in their column's
    // width and from larger fonts; never below defaultRowHeight.
    double rowHeight(int row) const;

    bool isColumnHidden(int column) const;
    void setColumnHidden(const CellRange& columns, bool hidden);

    // Whole rows, moving the rows below down; new rows take the format of the row
    // above them (of the row below at the top). Fails when rows holding values
    // would be pushed off the end of the sheet.
    bool insertRows(int row, int count, QString* error);
    void deleteRows(int row, int count);

    // An automatic filter with its buttons in the given row, over the columns in
    // use in that row and every row below it; -1 for none. It moves with inserted
    // and deleted rows and goes with its row.
    void setAutoFilter(int row) { m_autoFilterRow = row; }
    int autoFilterRow() const { return m_autoFilterRow; }
    // The filtered area as it stands now; invalid without a filter.
    CellRange autoFilterRange() const;

    // Rows above `row` and columns left of `column` stay in view; (1, 0) freezes
    // the heading row, (0, 0) unfreezes.
    void freezePanes(int row, int column);
    int frozenRows() const { return m_frozenRows; }
    int frozenColumns() const { return m_frozenColumns; }

    void setActiveCell(int row, int column);
    int activeRow() const { return m_activeRow; }
    int activeColumn() const { return m_activeColumn; }

    // The first cell, row by row from A1, whose shown text is `what` without regard
    // to letter case.
    bool find(const QString& what, int* row, int* column) const;
    // Replaces `what`, without regard to letter case, wherever it occurs in the
    // text cells of the range; a cell left without text becomes empty. Returns the
    // number of cells changed.
    int replace(const CellRange& range, const QString& what, const QString& replacement);

private:
    struct Cell {
        QVariant value;
        int style = 0;
    };
    struct Column {
        double width = -1;
        bool hidden = false;
    };

    Cell* cellAt(int row, int column);
    const Cell* cellAt(int row, int column) const;
    Cell& ensureCell(int row, int column);
    void widenForDate(int row, int column);
    int styleIndex(const CellStyle& style);
    int usedColumnExtent() const;
    // The range cut to the cells in use; invalid when nothing is left.
    CellRange clipped(const CellRange& range) const;
    template <typename Change> void changeStyles(const CellRange& range, Change change);
    Column& ensureColumn(int column);

    QString m_name;
    QList<QList<Cell>> m_rows;
    QList<CellStyle> m_styles { CellStyle() };
    QHash<CellStyle, int> m_styleIndexes { { CellStyle(), 0 } };
    QList<Column> m_columns;
    int m_autoFilterRow = -1;
    int m_frozenRows = 0;
    int m_frozenColumns = 0;
    int m_activeRow = 0;
    int m_activeColumn = 0;
};

} // namespace vantrel::office
