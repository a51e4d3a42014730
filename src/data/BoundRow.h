#pragma once

#include "data/FieldValues.h"

#include <QByteArray>
#include <QVariant>

#include <vector>

struct sqlite3_stmt;

namespace vantrel::data {

class DeferredColumns;

// One row of a bound view. A row as read stays in the engine's form, packed in
// one byte array, and becomes QVariants only once a value of it changes: a view
// of 100,000 companies then loads in a fraction of the time and memory.
class BoundRow {
public:
    BoundRow(std::vector<QVariant> values, quint64 serial);
    // The row a statement has just stepped onto. Long values of the deferred
    // columns are left in the table and marked as deferred.
    static BoundRow read(
        sqlite3_stmt* statement, int columnCount, quint64 serial, const DeferredColumns* deferred);

    // An invalid value, and *deferred set, for a value left in the table.
    QVariant value(int column, FieldKind kind, bool* deferred = nullptr) const;
    bool isPacked() const { return m_values.empty(); }
    // Gives a packed row the values edits will change.
    void unpack(std::vector<QVariant> values);
    // The values of an unpacked row.
    std::vector<QVariant>& values() { return m_values; }
    // A number for the row, unique within its view.
    quint64 serial() const { return m_serial; }

private:
    BoundRow() = default;

    QByteArray m_packed;
    std::vector<QVariant> m_values; // empty while packed
    quint64 m_serial = 0;
};

} // namespace vantrel::data
