#pragma once

#include <QVariant>

#include <vector>

namespace vantrel::data {

class BoundColumns;
class Database;

// The statements that carry a bound view's row to its target table and back.
// Failures leave the engine's description in the database's lastError().
class BoundRowWriter {
public:
    BoundRowWriter(Database& db, const BoundColumns& columns);

    // The target's column defaults, as a new row shows them before it is stored.
    bool readDefaults(std::vector<QVariant>* values);
    // Stores the changed columns of a new row; columns left out get their defaults.
    bool insert(
        const std::vector<QVariant>& values, const std::vector<int>& changed, QVariant* key);
    bool update(
        const QVariant& key, const std::vector<QVariant>& values, const std::vector<int>& changed);
    bool remove(const QVariant& key);
    // Reads the target's columns of the row back, as the engine keeps them.
    bool reread(const QVariant& key, std::vector<QVariant>* values);

private:
    // The columns to write, one per target column; the latest change wins when
    // two result columns stand for the same table column.
    std::vector<int> writtenColumns(const std::vector<int>& changed) const;
    QString keyCondition() const;

    Database& m_db;
    const BoundColumns& m_columns;
};

} // namespace vantrel::data
