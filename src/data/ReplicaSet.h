#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

namespace vantrel::data {

// One value that lost when two members of a replica set changed the same row.
struct SyncConflict {
    QString table;
    qint64 key = 0; // AUTONUMBER of the row
    QString column; // empty when the whole row is concerned (deleted on one side)
    QVariant keptValue; // what every member holds after the synchronization
    QVariant lostValue; // what lost
    QString rule; // the rule that decided, in the program's words
    QDateTime time;
};

struct SyncOutcome {
    int sent = 0; // rows changed on this workstation and taken to the server
    int received = 0; // rows changed elsewhere and brought to this workstation
    QList<SyncConflict> conflicts;
};

// Replica sets of CONTACT.mdb files. The server's database becomes the design
// master once ("Replicable" = "T" in the file); a replica is a new file of the
// same set; synchronizing exchanges the changes of both since the last exchange.
// Every function takes the server folder's own lock first and reports failure in
// the program's words through error.
//
// A replica keeps beside it a base file ("CONTACT.mdb.base-N"), the replicated
// tables as they were at its last exchange; whatever differs from it is a change
// of this workstation, whichever path made it. When both sides changed a row:
//  - different columns: both changes stay;
//  - the same column: the workstation that synchronizes now wins, and the
//    server's value that lost is listed in SyncOutcome::conflicts;
//  - deleted on one side, changed on the other: the changed row stays on every
//    member, listed as a conflict of the whole row (empty column, lost value
//    "(deleted)").
// Every new row gets a key from a range that the server hands to one replica
// only, so keys never collide and NUMBER01/NUMBER02 links stay right.
class ReplicaSet {
public:
    // True when the file carries "Replicable" = "T".
    static bool isReplicable(const QString& databasePath, bool* replicable, QString* error);

    // The description of a replica ("Replica of " + the source's path); empty for
    // a file that is no replica.
    static bool description(const QString& databasePath, QString* text, QString* error);

    // Makes serverPath replicable when it is not yet, then writes a full replica
    // beside replicaPath, checks it and only then renames it over replicaPath:
    // an older file there stays when anything fails.
    static bool createReplica(
        const QString& serverPath, const QString& replicaPath, QString* error);

    // Exchanges the changes of the replica and the server in both directions.
    // Both files hold every committed change at every instant; a run that was
    // killed converges when it runs again. The caller keeps outcome->conflicts
    // with SyncConflictLog::replace.
    static bool synchronize(const QString& replicaPath, const QString& serverPath,
        SyncOutcome* outcome, QString* error);
};

} // namespace vantrel::data
