#pragma once

#include "data/FieldValues.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace vantrel::data {

class BoundColumns;
class Database;

// Long texts and blobs of a bound view (call reports, notes, action steps) are
// not held for every row: the row keeps its key, and the value is read from the
// table when a screen shows or edits it. The list of 50,000 call reports then
// loads without copying 200 MB of memos, and a shown memo is what the table
// holds now, as with the rows of a keyset.
class DeferredColumns {
public:
    // Values longer than this many bytes wait until they are needed.
    static constexpr int shortestDeferred = 512;

    DeferredColumns() = default;
    // The columns the view may write back can be deferred: they come from the
    // target table, and the source holds its key. Taken when the rows load, as
    // the view's target may change while they are shown.
    explicit DeferredColumns(const BoundColumns& columns);

    bool isDeferrable(int column) const;
    // The result column holding the key the deferred values are read by.
    int keyColumn() const { return m_keyColumn; }

    // What the table holds now for the row of this key; NULL for a row deleted
    // since. False on an engine failure, whose reason the database keeps.
    bool read(Database& db, int column, const QVariant& key, FieldKind kind, QVariant* value) const;

private:
    QString m_table;
    QString m_keyName;
    int m_keyColumn = -1;
    // The table column of each deferrable result column; empty for the others.
    std::vector<QString> m_origins;
};

} // namespace vantrel::data
