#include "data/ReplicaProperties.h"

#include "data/Database.h"

namespace vantrel::data {

bool createReplicaProperties(Database& db)
{
    return db.execute(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS ReplicaProperties (Name TEXT PRIMARY KEY, Value TEXT)"));
}

QString readReplicaProperty(Database& db, const char* name)
{
    if (!db.tableExists(QLatin1String(replicaPropertiesTable)))
        return {};
    return db
        .scalar(QStringLiteral("SELECT Value FROM ReplicaProperties WHERE Name = ?"),
            { QString::fromLatin1(name) })
        .toString();
}

bool writeReplicaProperty(Database& db, const char* name, const QString& value)
{
    return createReplicaProperties(db)
        && db.execute(
            QStringLiteral("INSERT OR REPLACE INTO ReplicaProperties (Name, Value) VALUES (?, ?)"),
            { QString::fromLatin1(name), value });
}

bool removeReplicaProperties(Database& db)
{
    return createReplicaProperties(db)
        && db.execute(QStringLiteral("DELETE FROM ReplicaProperties"));
}

} // namespace vantrel::data
