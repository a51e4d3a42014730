#pragma once

#include "data/FieldValues.h"

#include <QByteArray>
#include <QVariant>

#include <vector>

struct sqlite3_stmt;

namespace vantrel::data {

class BoundColumns;

// One row of a bound view. A row as read stays in the engine's form, packed in
// one byte array, and becomes QVariants only once a value of it changes: a view
// of 100,000 companies then loads in a fraction of the time and memory.
class BoundRow {
public:
    BoundRow(std::vector<QVariant> values, quint64 serial);
    // The row a statement has just stepped onto.
    static BoundRow read(sqlite3_stmt* statement, int columnCount, quint64 serial);

    QVariant value(int column, FieldKind kind) const;
    // The values to change; a packed row is unpacked first.
    std::vector<QVariant>& values(const BoundColumns& columns);
    // A number for the row, unique within its view.
    quint64 serial() const { return m_serial; }

private:
    BoundRow() = default;

    QByteArray m_packed;
    std::vector<QVariant> m_values; // empty while packed
    quint64 m_serial = 0;
};

} // namespace vantrel::data
