#include "data/BoundRowWriter.h"

#include "data/BoundColumns.h"
#include "data/Database.h"
#include "data/Statement.h"

#include <QStringList>

namespace vantrel::data {

BoundRowWriter::BoundRowWriter(Database& db, const BoundColumns& columns)
    : m_db(db)
    , m_columns(columns)
{
}

bool BoundRowWriter::readDefaults(std::vector<QVariant>* values)
{
    QueryResult defaults;
    if (!m_db.query(QStringLiteral("SELECT name, dflt_value FROM pragma_table_info(?) "
                                   "WHERE dflt_value IS NOT NULL"),
            { m_columns.targetTable() }, &defaults))
        return false;
    for (const QVariantList& row : std::as_const(defaults.rows)) {
        const QString name = row.at(0).toString();
        // The expression is the table's own declaration, never text from a user.
        const QVariant value = m_db.scalar(QStringLiteral("SELECT ") + row.at(1).toString());
        for (int c = 0; c < m_columns.count(); ++c) {
            if (!m_columns.isTargetColumn(c)
                || m_columns.at(c).originColumn.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            QVariant normalized;
            QString ignored;
            if (normalizeFieldValue(value, m_columns.at(c).kind, &normalized, &ignored))
                (*values)[size_t(c)] = normalized;
        }
    }
    return true;
}

bool BoundRowWriter::insert(
    const std::vector<QVariant>& values, const std::vector<int>& changed, QVariant* key)
{
    const QString table = quoteIdentifier(m_columns.targetTable());
    QStringList names;
    QStringList placeholders;
    QVariantList parameters;
    for (int c : writtenColumns(changed)) {
        names.append(quoteIdentifier(m_columns.at(c).originColumn));
        placeholders.append(QStringLiteral("?"));
        parameters.append(values.at(size_t(c)));
    }
    const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(table, names.join(QStringLiteral(", ")),
                                                  placeholders.join(QStringLiteral(", ")));
    if (!m_db.execute(sql, parameters))
        return false;
    // The key is the engine's row id unless the table names another key column.
    const QVariant id = m_db.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                        .arg(quoteIdentifier(m_columns.keyColumnName()), table),
        { m_db.lastInsertId() });
    if (!id.isValid())
        return false;
    *key = id;
    return true;
}

bool BoundRowWriter::update(
    const QVariant& key, const std::vector<QVariant>& values, const std::vector<int>& changed)
{
    QStringList assignments;
    QVariantList parameters;
    for (int c : writtenColumns(changed)) {
        assignments.append(quoteIdentifier(m_columns.at(c).originColumn) + QStringLiteral(" = ?"));
        parameters.append(values.at(size_t(c)));
    }
    if (assignments.isEmpty())
        return true;
    parameters.append(key);
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                            .arg(quoteIdentifier(m_columns.targetTable()),
                                assignments.join(QStringLiteral(", ")), keyCondition());
    if (!m_db.execute(sql, parameters))
        return false;
    if (m_db.changedRows() == 0) {
        m_db.setError(QStringLiteral("The record has been deleted meanwhile; "
                                     "its changes cannot be saved."));
        return false;
    }
    return true;
}

bool BoundRowWriter::remove(const QVariant& key)
{
    return m_db.execute(QStringLiteral("DELETE FROM %1 WHERE %2")
                            .arg(quoteIdentifier(m_columns.targetTable()), keyCondition()),
        { key });
}

bool BoundRowWriter::reread(const QVariant& key, std::vector<QVariant>* values)
{
    std::vector<int> columns;
    QStringList names;
    for (int c = 0; c < m_columns.count(); ++c) {
        if (m_columns.isTargetColumn(c)) {
            columns.push_back(c);
            names.append(quoteIdentifier(m_columns.at(c).originColumn));
        }
    }
    if (columns.empty())
        return true;
    Statement statement(m_db,
        QStringLiteral("SELECT %1 FROM %2 WHERE %3")
            .arg(names.join(QStringLiteral(", ")), quoteIdentifier(m_columns.targetTable()),
                keyCondition()));
    if (!statement.isValid() || !statement.bind({ key }))
        return false;
    if (!statement.step()) {
        if (!statement.hasError())
            m_db.setError(QStringLiteral("The record has been deleted meanwhile."));
        return false;
    }
    for (size_t i = 0; i < columns.size(); ++i)
        (*values)[size_t(columns[i])] = statement.value(int(i));
    return true;
}

std::vector<int> BoundRowWriter::writtenColumns(const std::vector<int>& changed) const
{
    std::vector<int> written;
    QStringList seen;
    for (auto it = changed.rbegin(); it != changed.rend(); ++it) {
        const QString origin = m_columns.at(*it).originColumn.toUpper();
        if (!m_columns.isWritable(*it) || seen.contains(origin))
            continue;
        seen.append(origin);
        written.insert(written.begin(), *it);
    }
    return written;
}

QString BoundRowWriter::keyCondition() const
{
    return quoteIdentifier(m_columns.keyColumnName()) + QStringLiteral(" = ?");
}

} // namespace vantrel::data
