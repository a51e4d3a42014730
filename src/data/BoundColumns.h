#pragma once

#include "data/FieldValues.h"

#include <QList>
#include <QString>

namespace vantrel::data {

class Statement;

// The result columns of a bound view: where each was read from, and which of
// them the view may write back to its target table.
class BoundColumns {
public:
    struct Column {
        QString name;
        QString originTable; // empty for computed columns
        QString originColumn;
        FieldKind kind = FieldKind::Any;
    };

    BoundColumns() = default;
    explicit BoundColumns(const Statement& statement);

    int count() const { return int(m_columns.size()); }
    const Column& at(int column) const { return m_columns.at(column); }

    // Chooses the table that edits go to; an empty table means the origin table
    // of the first column read from a table.
    void setTarget(const QString& table, const QString& keyColumn);
    QString targetTable() const { return m_targetTable; }
    QString keyColumnName() const { return m_keyColumnName; }
    // The result column that holds the target's key; -1 when the source lacks it.
    int keyColumn() const { return m_keyColumn; }

    // "TEXT01" or "TABLE03.TEXT01"; a name that several columns share means the
    // target table's column if it has one, else the first. -1 when unknown.
    int indexOf(const QString& field) const;

    bool isComputed(int column) const { return m_columns.at(column).originTable.isEmpty(); }
    bool isTargetColumn(int column) const;
    bool isWritable(int column) const;

private:
    QList<Column> m_columns;
    QString m_targetTable;
    QString m_keyColumnName;
    int m_keyColumn = -1;
};

} // namespace vantrel::data
