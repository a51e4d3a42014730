#pragma once

#include "data/ReplicaSet.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace vantrel::data {

class Database;

// Opens a file only to compare it with another. The text collation ignores
// letter case, so a comparison through it would take "smith" and "Smith" for the
// same value and lose a correction of case; on this connection the collation
// compares exactly. It must never write (the indexes are ordered by the real
// collation), so it is read-only.
bool openForComparison(Database& db, const QString& path, QString* error);

// The changes (an SQLite changeset) that turn the tables of the attached schema
// `fromSchema` into those of main, found by comparing them row by row, whatever
// made the difference.
bool diffTables(Database& db, const QString& fromSchema, const QStringList& tables,
    QByteArray* changeset, QString* error);

int changeCountOf(const QByteArray& changeset);

// Applies a workstation's changes to the server inside the caller's transaction,
// by these rules:
//  - Different columns of one row changed on both sides: both changes stay.
//  - The same column changed on both sides: the workstation that synchronizes now
//    wins; the server's value that lost is recorded.
//  - Deleted on the workstation, changed on the server: the changed row stays.
//  - Changed on the workstation, deleted on the server: the workstation's row is
//    put back in full from the schema `replicaSchema` attached to the server.
//  - An insert whose key the server already holds with other values (key ranges
//    exclude it; a rerun after another workstation changed the row meets it):
//    the workstation's row wins.
//  - A change the server holds already (a rerun after an interruption) is done,
//    not a conflict.
//  - A constraint failure stops the whole exchange; nothing is applied.
struct ServerMerge {
    QList<SyncConflict> conflicts;
    int applied = 0;
};
bool applyToServer(Database& server, const QString& replicaSchema, const QByteArray& changeset,
    ServerMerge* merge, QString* error);

// Applies the server's state to a replica inside the caller's transaction: the
// server's version of every row wins.
bool applyToReplica(Database& replica, const QByteArray& changeset, QString* error);

} // namespace vantrel::data
