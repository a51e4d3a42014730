#pragma once

#include <QString>
#include <QStringList>

namespace vantrel::data {

class Database;

// Keys that never collide between the members of a replica set. AUTOINCREMENT
// hands out max(sqlite_sequence, largest key) + 1, so fixed ranges per replica
// would fail as soon as another replica's higher keys arrived. Instead the server
// hands out a fresh range above every key it holds at each replica creation and
// each synchronization, and the replica starts its sequences just below it:
// between two exchanges each member's new keys lie in a range nobody else got.
// No key is ever rewritten, so NUMBER01/NUMBER02 links stay right.
inline constexpr qint64 keyRangeSize = qint64(1) << 32;

// The tables a replica set exchanges.
QStringList replicatedTables();

// On the server, inside the caller's transaction: the start of a new range, and
// the server's counter moved past it.
bool takeKeyRange(Database& server, qint64* start, QString* error);

// On a replica, inside the caller's transaction: its next keys start at `start`.
bool startKeysAt(Database& replica, qint64 start, QString* error);

} // namespace vantrel::data
