#pragma once

#include <QList>
#include <QString>

namespace vantrel::data {

// The files beside a replica. The base file of generation N ("CONTACT.mdb.base-N")
// holds the replicated tables as they were at the replica's last exchange; the
// replica names its current generation, so the commit of the replica is the one
// moment a new base takes over, and every other base file is a leftover.
QString baseFileOf(const QString& replicaPath, qint64 generation);
QList<qint64> baseGenerationsOf(const QString& replicaPath);
// Removes every base file of the replica but the one of `keep`.
void removeStaleBases(const QString& replicaPath, qint64 keep);

// Removes a database file that is nobody's working file (a leftover or a scratch
// copy) together with its journal, so that a later file of that name never meets
// a journal that is not its own.
bool removeScratchDatabase(const QString& path);

} // namespace vantrel::data
