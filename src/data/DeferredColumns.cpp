#include "data/DeferredColumns.h"

#include "data/BoundColumns.h"
#include "data/BoundRow.h"
#include "data/Database.h"
#include "data/Statement.h"

namespace vantrel::data {

DeferredColumns::DeferredColumns(const BoundColumns& columns)
    : m_table(columns.targetTable())
    , m_keyName(columns.keyColumnName())
    , m_keyColumn(columns.keyColumn())
    , m_origins(size_t(columns.count()))
{
    if (m_keyColumn < 0)
        return;
    for (int c = 0; c < columns.count(); ++c) {
        if (columns.isWritable(c))
            m_origins[size_t(c)] = columns.at(c).originColumn;
    }
}

bool DeferredColumns::isDeferrable(int column) const
{
    return column >= 0 && size_t(column) < m_origins.size() && !m_origins[size_t(column)].isEmpty();
}

bool DeferredColumns::read(
    Database& db, int column, const QVariant& key, FieldKind kind, QVariant* value) const
{
    Statement statement(db,
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
            .arg(quoteIdentifier(m_origins.at(size_t(column))), quoteIdentifier(m_table),
                quoteIdentifier(m_keyName)));
    if (!statement.isValid() || !statement.bind({ key }))
        return false;
    if (!statement.step()) {
        *value = QVariant();
        return !statement.hasError();
    }
    // Read as the view reads its rows, so a date or a number comes back alike.
    *value = BoundRow::read(statement.handle(), 1, 0, nullptr).value(0, kind);
    return true;
}

} // namespace vantrel::data
