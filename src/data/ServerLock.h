#pragma once

#include <QString>

#include <chrono>

namespace vantrel::data {

// The server folder's own lock for replica work. SQLite's file locks cannot be
// trusted on a network share (NFS, SMB), so a synchronization or a replica
// creation first creates the lock file beside the server's database exclusively
// (O_EXCL), writing this workstation's host name, process id and the time into
// it. A second workstation waits and tries again, so two laptops synchronizing
// at the same moment both succeed, one after the other.
//
// A lock is stale, and is taken over, when its file has not been touched for
// staleAfter, or when it names this host and a process that no longer runs (a
// program that was killed). A holder touches the file between the long steps of
// its work so a slow network never makes its lock look stale.
class ServerLock {
public:
    static constexpr std::chrono::minutes staleAfter { 10 };
    static constexpr std::chrono::minutes defaultWait { 2 };

    explicit ServerLock(const QString& databasePath);
    ~ServerLock();
    ServerLock(const ServerLock&) = delete;
    ServerLock& operator=(const ServerLock&) = delete;

    // Waits up to `wait` for the lock; on failure error says who holds it.
    bool acquire(QString* error, std::chrono::milliseconds wait = defaultWait);
    // Marks the lock as alive.
    void touch();
    // Removes the lock file if it is still this holder's.
    void release();

    static QString lockFileOf(const QString& databasePath);

private:
    bool tryCreate(QString* error);
    bool removeIfStale(const QByteArray& seen);

    QString m_databasePath;
    QString m_lockPath;
    QByteArray m_content;
    bool m_held = false;
};

} // namespace vantrel::data
