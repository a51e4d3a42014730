#pragma once

#include <QList>
#include <QVariant>

namespace vantrel::data {

// Collects the cells of a worksheet as a reader finds them, in any order, and
// refuses to grow past the worksheet limits so a hostile file cannot exhaust memory.
class SheetBuilder {
public:
    // row and column count from 0. Empty values (invalid, empty text) are skipped,
    // so rows end at their last value and no trailing empty rows arise.
    bool setCell(qint64 row, qint64 column, const QVariant& value, QString* reason);
    QList<QVariantList> takeRows();

    static bool isEmptyValue(const QVariant& value);
    // A whole number becomes a qlonglong, so 12 reads as 12 and not 12.0.
    static QVariant numberValue(double number);

private:
    QList<QVariantList> m_rows;
    qint64 m_cells = 0;
};

} // namespace vantrel::data
