#include "data/BoundColumns.h"

#include "data/Statement.h"

namespace vantrel::data {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

BoundColumns::BoundColumns(const Statement& statement)
{
    const int count = statement.columnCount();
    m_columns.reserve(count);
    for (int c = 0; c < count; ++c) {
        m_columns.append({ statement.columnName(c), statement.originTable(c),
            statement.originColumn(c), fieldKindOf(statement.declaredType(c)) });
    }
}

void BoundColumns::setTarget(const QString& table, const QString& keyColumn)
{
    m_targetTable = table;
    if (m_targetTable.isEmpty()) {
        for (const Column& column : std::as_const(m_columns)) {
            if (!column.originTable.isEmpty()) {
                m_targetTable = column.originTable;
                break;
            }
        }
    }
    m_keyColumnName = keyColumn;
    m_keyColumn = -1;
    for (int c = 0; c < count(); ++c) {
        if (isTargetColumn(c) && sameName(m_columns.at(c).originColumn, keyColumn)) {
            m_keyColumn = c;
            break;
        }
    }
}

int BoundColumns::indexOf(const QString& field) const
{
    int first = -1;
    for (int c = 0; c < count(); ++c) {
        if (!sameName(m_columns.at(c).name, field))
            continue;
        if (isTargetColumn(c))
            return c;
        if (first < 0)
            first = c;
    }
    if (first >= 0)
        return first;
    const qsizetype dot = field.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return -1;
    const QString table = field.left(dot);
    const QString name = field.mid(dot + 1);
    for (int c = 0; c < count(); ++c) {
        const Column& column = m_columns.at(c);
        if (sameName(column.originTable, table)
            && (sameName(column.originColumn, name) || sameName(column.name, name)))
            return c;
    }
    return -1;
}

bool BoundColumns::isTargetColumn(int column) const
{
    return !m_targetTable.isEmpty() && sameName(m_columns.at(column).originTable, m_targetTable);
}

bool BoundColumns::isWritable(int column) const
{
    return m_keyColumn >= 0 && column != m_keyColumn && isTargetColumn(column)
        && !sameName(m_columns.at(column).originColumn, m_keyColumnName);
}

} // namespace vantrel::data
