#pragma once

#include "data/ReplicaSet.h"

namespace vantrel::data {

// The conflicts of this workstation's last synchronization, kept in User.mdb
// (which is never replicated) until the next synchronization replaces them or
// the user clears them on the maintenance window.
class SyncConflictLog {
public:
    static bool replace(const QList<SyncConflict>& conflicts, QString* error);
    static bool read(QList<SyncConflict>* conflicts, QString* error);
    static bool clear(QString* error);
};

} // namespace vantrel::data
