#include "data/ReplicaSet.h"

#include "data/ChangesetMerge.h"
#include "data/Compaction.h"
#include "data/Database.h"
#include "data/Failure.h"
#include "data/FileReplacement.h"
#include "data/KeyRange.h"
#include "data/ReplicaFiles.h"
#include "data/ReplicaProperties.h"
#include "data/Schema.h"
#include "data/ServerLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <algorithm>

#include <sqlite3.h>

namespace vantrel::data {

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo left(a);
    const QFileInfo right(b);
    if (left.exists() && right.exists())
        return left.canonicalFilePath() == right.canonicalFilePath();
    return left.absoluteFilePath() == right.absoluteFilePath();
}

bool openServer(Database& server, const QString& path, QString* error)
{
    const QString prefix = QStringLiteral("The database on the server could not be opened: ");
    if (!QFileInfo(path).isFile()) {
        return fail(error, prefix + QStringLiteral("Could not find file '%1'.").arg(native(path)));
    }
    if (!openBusinessDatabase(server, path))
        return fail(error, prefix + server.lastError());
    // The server usually lies on a network share, where only the rollback journal
    // (one file beside the database, no shared memory) is safe.
    server.execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
    // A mapped file whose share goes away ends the process with a signal instead
    // of an error; the server's pages are read with plain reads.
    server.execute(QStringLiteral("PRAGMA mmap_size = 0"));
    return true;
}

bool isBusy(const Database& db)
{
    return (sqlite3_errcode(db.handle()) & 0xff) == SQLITE_BUSY;
}

bool isReplica(Database& db)
{
    return !readReplicaProperty(db, replicaProperty::baseGeneration).isEmpty();
}

// Removes what an unfinished replica creation wrote, unless it was completed.
class CreationLeftovers {
public:
    explicit CreationLeftovers(const QString& newFile)
        : m_newFile(newFile)
    {
    }
    ~CreationLeftovers()
    {
        if (m_done)
            return;
        removeScratchDatabase(m_newFile);
        QFile::remove(m_newFile + QStringLiteral("-writing"));
        if (!m_base.isEmpty()) {
            removeScratchDatabase(m_base);
            QFile::remove(m_base + QStringLiteral("-writing"));
        }
    }
    void setBase(const QString& base) { m_base = base; }
    void done() { m_done = true; }

private:
    QString m_newFile;
    QString m_base;
    bool m_done = false;
};

// An older file in the replica's place may carry a journal of an interrupted
// write; the engine would play it into the new file that takes the name.
void settleOldFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return;
    // Opening it plays the journal back into the old file; a file the engine
    // cannot open at all is replaced without its journal.
    Database old;
    if (!old.open(path))
        QFile::remove(path + QStringLiteral("-journal"));
}

bool makeReplicable(Database& server, const QString& serverPath, qint64* keyStart, QString* error)
{
    if (!server.execute(QStringLiteral("BEGIN EXCLUSIVE"))) {
        if (isBusy(server)) {
            return fail(error,
                QStringLiteral("The database on the server '%1' is in use: nobody may be "
                               "connected to it while a replica is made. Try again when every "
                               "workstation has closed Vantrel.")
                    .arg(native(serverPath)));
        }
        return fail(error,
            QStringLiteral("The database on the server could not be opened: ")
                + server.lastError());
    }
    auto abandon = [&](const QString& message) {
        server.rollback();
        return fail(error, message);
    };
    if (!createReplicaProperties(server))
        return abandon(server.lastError());
    if (isReplica(server)) {
        return abandon(QStringLiteral("'%1' is itself a replica; make the replica from the "
                                      "database on the server.")
                           .arg(native(serverPath)));
    }
    // Once replicable, a database stays so: only its key range counter moves.
    if (readReplicaProperty(server, replicaProperty::replicable) != u"T"
        && !writeReplicaProperty(server, replicaProperty::replicable, QStringLiteral("T")))
        return abandon(server.lastError());
    if (readReplicaProperty(server, replicaProperty::setId).isEmpty()
        && !writeReplicaProperty(
            server, replicaProperty::setId, QUuid::createUuid().toString(QUuid::WithoutBraces)))
        return abandon(server.lastError());
    QString problem;
    if (!takeKeyRange(server, keyStart, &problem))
        return abandon(problem);
    if (!server.commit())
        return abandon(server.lastError());
    return true;
}

bool checkIntegrity(Database& db, QString* error)
{
    const QString verdict = db.scalar(QStringLiteral("PRAGMA integrity_check")).toString();
    if (verdict == u"ok")
        return true;
    return fail(error,
        QStringLiteral("The new replica is damaged: %1")
            .arg(verdict.isEmpty() ? db.lastError() : verdict));
}

// The server's database under this workstation's lock. A missing file is
// reported before a lock file is left in its folder.
bool lockAndOpenServer(ServerLock& lock, Database& server, const QString& path, QString* error)
{
    if (!QFileInfo(path).isFile())
        return openServer(server, path, error);
    return lock.acquire(error) && openServer(server, path, error);
}

} // namespace

bool ReplicaSet::isReplicable(const QString& databasePath, bool* replicable, QString* error)
{
    Database db;
    if (!db.open(databasePath))
        return fail(error, db.lastError());
    *replicable = readReplicaProperty(db, replicaProperty::replicable) == u"T";
    return true;
}

bool ReplicaSet::description(const QString& databasePath, QString* text, QString* error)
{
    Database db;
    if (!db.open(databasePath))
        return fail(error, db.lastError());
    *text = readReplicaProperty(db, replicaProperty::description);
    return true;
}

bool ReplicaSet::createReplica(
    const QString& serverPath, const QString& replicaPath, QString* error)
{
    const QString server = QFileInfo(serverPath).absoluteFilePath();
    const QString replica = QFileInfo(replicaPath).absoluteFilePath();
    if (sameFile(server, replica)) {
        return fail(error,
            QStringLiteral("The replica cannot take the place of the database it is made from."));
    }
    if (!QFileInfo(QFileInfo(replica).absolutePath()).isDir()) {
        return fail(error,
            QStringLiteral("The folder '%1' could not be found.")
                .arg(native(QFileInfo(replica).absolutePath())));
    }

    ServerLock lock(server);
    Database source;
    if (!lockAndOpenServer(lock, source, server, error))
        return false;
    sqlite3_busy_timeout(source.handle(), 1000);
    qint64 keyStart = 0;
    if (!makeReplicable(source, server, &keyStart, error))
        return false;

    const QString newFile = replica + QStringLiteral(".new");
    CreationLeftovers leftovers(newFile);
    removeScratchDatabase(newFile);
    const QList<qint64> generations = baseGenerationsOf(replica);
    const qint64 generation
        = (generations.isEmpty() ? 0 : *std::max_element(generations.begin(), generations.end()))
        + 1;
    const QString base = baseFileOf(replica, generation);
    leftovers.setBase(base);

    QString problem;
    auto failWith = [&](const QString& message) {
        return fail(error, QStringLiteral("The replica could not be made: %1").arg(message));
    };
    if (!backupDatabase(source, newFile, &problem))
        return failWith(problem);
    source.close();
    lock.touch();

    Database made;
    if (!openBusinessDatabase(made, newFile))
        return failWith(made.lastError());
    {
        // A replica hands out no key ranges and is no design master: of the
        // server's properties it keeps only the set it belongs to.
        const QString setId = readReplicaProperty(made, replicaProperty::setId);
        Transaction transaction(made);
        if (!transaction.isActive() || !removeReplicaProperties(made)
            || !writeReplicaProperty(
                made, replicaProperty::description, QStringLiteral("Replica of ") + native(server))
            || !writeReplicaProperty(made, replicaProperty::setId, setId)
            || !writeReplicaProperty(
                made, replicaProperty::baseGeneration, QString::number(generation)))
            return failWith(made.lastError());
        if (!startKeysAt(made, keyStart, &problem))
            return failWith(problem);
        if (!transaction.commit())
            return failWith(made.lastError());
    }
    if (!checkIntegrity(made, &problem))
        return failWith(problem);
    if (!backupDatabase(made, base, &problem))
        return failWith(problem);
    made.close();
    if (!syncToDisk(newFile))
        return failWith(QStringLiteral("'%1' could not be written to disk.").arg(native(newFile)));

    settleOldFile(replica);
    if (!replaceFile(newFile, replica, &problem))
        return failWith(problem);
    leftovers.done();
    removeStaleBases(replica, generation);
    return true;
}

bool ReplicaSet::synchronize(
    const QString& replicaPath, const QString& serverPath, SyncOutcome* outcome, QString* error)
{
    const QString server = QFileInfo(serverPath).absoluteFilePath();
    const QString replica = QFileInfo(replicaPath).absoluteFilePath();
    if (sameFile(server, replica))
        return fail(error, QStringLiteral("A replica cannot be synchronized with itself."));
    if (!QFileInfo(replica).isFile())
        return fail(error, QStringLiteral("Could not find the replica '%1'.").arg(native(replica)));

    ServerLock lock(server);
    Database serverDb;
    if (!lockAndOpenServer(lock, serverDb, server, error))
        return false;
    Database replicaDb;
    if (!openBusinessDatabase(replicaDb, replica)) {
        return fail(error,
            QStringLiteral("The replica could not be opened: %1").arg(replicaDb.lastError()));
    }
    const QString setId = readReplicaProperty(serverDb, replicaProperty::setId);
    const qint64 generation
        = readReplicaProperty(replicaDb, replicaProperty::baseGeneration).toLongLong();
    if (generation <= 0) {
        return fail(error,
            QStringLiteral("'%1' is not a replica. Create a replica of the database on the "
                           "server first.")
                .arg(native(replica)));
    }
    if (readReplicaProperty(serverDb, replicaProperty::replicable) != u"T" || setId.isEmpty()
        || readReplicaProperty(replicaDb, replicaProperty::setId) != setId) {
        return fail(error,
            QStringLiteral("'%1' is not a replica of '%2'.").arg(native(replica), native(server)));
    }
    removeStaleBases(replica, generation);
    const QString base = baseFileOf(replica, generation);
    {
        Database baseDb;
        if (!QFileInfo(base).isFile() || !openBusinessDatabase(baseDb, base)) {
            return fail(error,
                QStringLiteral("The record of the last synchronization of '%1' is missing or "
                               "damaged ('%2'); create a new replica.")
                    .arg(native(replica), native(base)));
        }
    }

    // Nothing may change the replica between the comparison with its base and the
    // moment the server's state is written into it: such a change would be
    // overwritten unseen.
    Transaction replicaWork(replicaDb);
    if (!replicaWork.isActive()) {
        return fail(error,
            QStringLiteral("The replica '%1' is in use: %2")
                .arg(native(replica), replicaDb.lastError()));
    }

    QString problem;
    const QStringList tables = replicatedTables();
    QByteArray local;
    {
        Database compare;
        if (!openForComparison(compare, replica, &problem)
            || !compare.execute(QStringLiteral("ATTACH DATABASE ? AS base"), { base })
            || !diffTables(compare, QStringLiteral("base"), tables, &local, &problem)) {
            return fail(error,
                QStringLiteral("The changes of this workstation could not be found: %1")
                    .arg(problem.isEmpty() ? compare.lastError() : problem));
        }
    }
    lock.touch();

    ServerMerge merge;
    qint64 keyStart = 0;
    {
        // A deferred start: an immediate one would also claim the attached replica,
        // which this synchronization holds for writing.
        if (!serverDb.execute(QStringLiteral("ATTACH DATABASE ? AS replica"), { replica })) {
            return fail(error,
                QStringLiteral("The database on the server could not be opened: %1")
                    .arg(serverDb.lastError()));
        }
        Transaction serverWork(serverDb, Transaction::Start::Deferred);
        if (!serverWork.isActive()) {
            return fail(error,
                QStringLiteral("The database on the server could not be opened: %1")
                    .arg(serverDb.lastError()));
        }
        if (!applyToServer(serverDb, QStringLiteral("replica"), local, &merge, &problem)) {
            return fail(error,
                QStringLiteral("The changes of this workstation could not be taken to the "
                               "server, and nothing was exchanged: %1")
                    .arg(problem));
        }
        if (!takeKeyRange(serverDb, &keyStart, &problem))
            return fail(error, problem);
        if (!serverWork.commit()) {
            return fail(error,
                QStringLiteral("The changes of this workstation could not be written to the "
                               "server, and nothing was exchanged: %1")
                    .arg(serverDb.lastError()));
        }
        serverDb.close();
    }
    lock.touch();

    // The new base and the changes that bring the replica to the server's state
    // come from one reading of the server, so the base is exactly what the
    // replica holds once they are in.
    const qint64 nextGeneration = generation + 1;
    const QString nextBase = baseFileOf(replica, nextGeneration);
    QByteArray incoming;
    {
        Database reader;
        if (!openForComparison(reader, server, &problem)
            || !reader.execute(QStringLiteral("ATTACH DATABASE ? AS replica"), { replica })
            || !reader.execute(QStringLiteral("BEGIN"))
            || !reader.scalar(QStringLiteral("SELECT COUNT(*) FROM main.sqlite_master")).isValid()
            || !backupDatabase(reader, nextBase, &problem)
            || !diffTables(reader, QStringLiteral("replica"), tables, &incoming, &problem)) {
            removeScratchDatabase(nextBase);
            return fail(error,
                QStringLiteral("The changes of the server could not be read: %1")
                    .arg(problem.isEmpty() ? reader.lastError() : problem));
        }
        reader.execute(QStringLiteral("COMMIT"));
    }
    lock.touch();

    if (!applyToReplica(replicaDb, incoming, &problem)
        || !startKeysAt(replicaDb, keyStart, &problem)
        || !writeReplicaProperty(
            replicaDb, replicaProperty::baseGeneration, QString::number(nextGeneration))
        || !replicaWork.commit()) {
        removeScratchDatabase(nextBase);
        return fail(error,
            QStringLiteral("The changes of the server could not be written to the replica: %1")
                .arg(problem.isEmpty() ? replicaDb.lastError() : problem));
    }
    removeScratchDatabase(base);

    if (outcome) {
        outcome->sent = changeCountOf(local);
        outcome->received = changeCountOf(incoming);
        outcome->conflicts = merge.conflicts;
    }
    return true;
}

} // namespace vantrel::data
