#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace vantrel::data {

// One place of an A1 reference: a cell ("B7"), a whole column ("B") or a whole
// row ("7"), each part optionally behind "$", letters in either case. Rows and
// columns count from 0 and stay within a worksheet's limits.
struct CellReference {
    static constexpr int maxRows = 1'048'576;
    static constexpr int maxColumns = 16'384;

    std::optional<int> row;
    std::optional<int> column;

    // Nothing for any other text, or for a place beyond the limits.
    static std::optional<CellReference> parse(QStringView text);
    // "A" for 0, "Z" for 25, "AA" for 26.
    static QString columnName(int column);
};

} // namespace vantrel::data
