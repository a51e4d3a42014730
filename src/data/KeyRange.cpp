#include "data/KeyRange.h"

#include "data/Database.h"
#include "data/Failure.h"
#include "data/ReplicaProperties.h"
#include "data/Schema.h"

#include <algorithm>

namespace vantrel::data {

QStringList replicatedTables()
{
    QStringList names;
    for (const TableDefinition& table : tablesOf(DatabaseKind::Business))
        names.append(table.name);
    return names;
}

bool takeKeyRange(Database& server, qint64* start, QString* error)
{
    // Keys of deleted rows count too: AUTOINCREMENT never gives them out again.
    qint64 highest
        = server.scalar(QStringLiteral("SELECT MAX(seq) FROM sqlite_sequence")).toLongLong();
    for (const QString& table : replicatedTables()) {
        const QVariant key = server.scalar(
            QStringLiteral("SELECT MAX(AUTONUMBER) FROM %1").arg(quoteIdentifier(table)));
        if (!key.isValid())
            return fail(error, server.lastError());
        highest = std::max(highest, key.toLongLong());
    }
    const qint64 above = (highest / keyRangeSize + 1) * keyRangeSize;
    const qint64 counter = readReplicaProperty(server, replicaProperty::nextKeyRange).toLongLong();
    *start = std::max(above, counter);
    if (!writeReplicaProperty(
            server, replicaProperty::nextKeyRange, QString::number(*start + keyRangeSize)))
        return fail(error, server.lastError());
    return true;
}

bool startKeysAt(Database& replica, qint64 start, QString* error)
{
    for (const QString& table : replicatedTables()) {
        if (!replica.execute(QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = ?"),
                { start - 1, table }))
            return fail(error, replica.lastError());
        if (replica.changedRows() == 0
            && !replica.execute(
                QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"),
                { table, start - 1 }))
            return fail(error, replica.lastError());
    }
    return true;
}

} // namespace vantrel::data
