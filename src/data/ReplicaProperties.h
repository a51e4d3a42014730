#pragma once

#include <QString>

namespace vantrel::data {

class Database;

// What a member of a replica set knows about the set, kept in the database file
// itself in a table that is never replicated, so that a rename or a commit of the
// file carries it along with the rows it describes.
namespace replicaProperty {
inline constexpr char replicable[] = "Replicable"; // "T" on the server
inline constexpr char description[] = "Description"; // "Replica of ..." on a replica
inline constexpr char setId[] = "ReplicaSetId"; // the same on every member of a set
inline constexpr char baseGeneration[] = "BaseGeneration"; // a replica's current base file
inline constexpr char nextKeyRange[] = "NextKeyRange"; // the server's key range counter
} // namespace replicaProperty

inline constexpr char replicaPropertiesTable[] = "ReplicaProperties";

bool createReplicaProperties(Database& db);
// Empty when the property or its table is missing.
QString readReplicaProperty(Database& db, const char* name);
bool writeReplicaProperty(Database& db, const char* name, const QString& value);
bool removeReplicaProperties(Database& db);

} // namespace vantrel::data
