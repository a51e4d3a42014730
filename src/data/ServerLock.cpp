#include "data/ServerLock.h"

#include "data/Failure.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>
#include <QUuid>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>
#endif

namespace vantrel::data {

namespace {

// A lock file is written within moments of its creation; an empty one older than
// this was left by a holder that died in between.
constexpr std::chrono::seconds emptyLockGrace { 30 };
constexpr std::chrono::milliseconds pollInterval { 200 };

qint64 currentProcessId()
{
#ifdef Q_OS_UNIX
    return qint64(::getpid());
#else
    return qint64(QCoreApplication::applicationPid());
#endif
}

bool processRuns(qint64 pid)
{
#ifdef Q_OS_UNIX
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
#else
    Q_UNUSED(pid);
    return true;
#endif
}

QByteArray readLock(const QString& path, bool* exists)
{
    QFile file(path);
    *exists = file.open(QIODevice::ReadOnly);
    return *exists ? file.readAll() : QByteArray();
}

struct Holder {
    QString host;
    qint64 pid = 0;
    QString since;
};

Holder holderOf(const QByteArray& content)
{
    const QList<QByteArray> lines = content.split('\n');
    Holder holder;
    holder.host = QString::fromUtf8(lines.value(0));
    holder.pid = lines.value(1).toLongLong();
    holder.since = QString::fromUtf8(lines.value(2));
    return holder;
}

} // namespace

ServerLock::ServerLock(const QString& databasePath)
    : m_databasePath(QFileInfo(databasePath).absoluteFilePath())
    , m_lockPath(lockFileOf(databasePath))
{
}

ServerLock::~ServerLock()
{
    release();
}

QString ServerLock::lockFileOf(const QString& databasePath)
{
    return QFileInfo(databasePath).absoluteFilePath() + QStringLiteral(".lock");
}

bool ServerLock::acquire(QString* error, std::chrono::milliseconds wait)
{
    if (m_held)
        return true;
    if (!QFileInfo(QFileInfo(m_lockPath).absolutePath()).isDir()) {
        return fail(error,
            QStringLiteral("The folder '%1' could not be found.")
                .arg(QDir::toNativeSeparators(QFileInfo(m_lockPath).absolutePath())));
    }
    const QDateTime giveUp = QDateTime::currentDateTimeUtc().addMSecs(wait.count());
    QByteArray lastSeen;
    for (;;) {
        QString problem;
        if (tryCreate(&problem))
            return true;
        if (!problem.isEmpty())
            return fail(error, problem);
        bool exists = false;
        const QByteArray seen = readLock(m_lockPath, &exists);
        if (exists && removeIfStale(seen))
            continue;
        if (exists)
            lastSeen = seen;
        if (QDateTime::currentDateTimeUtc() >= giveUp)
            break;
        QThread::msleep(static_cast<unsigned long>(pollInterval.count()));
    }
    const Holder holder = holderOf(lastSeen);
    return fail(error,
        QStringLiteral("Another workstation%1 is synchronizing with %2; try again in a few "
                       "minutes.")
            .arg(holder.host.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(holder.host),
                QDir::toNativeSeparators(m_databasePath)));
}

bool ServerLock::tryCreate(QString* error)
{
    QFile file(m_lockPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(m_lockPath))
            return false;
        *error = QStringLiteral("The folder of '%1' cannot be written: %2")
                     .arg(QDir::toNativeSeparators(m_databasePath), file.errorString());
        return false;
    }
    // The unique tail tells this holder's file from a later one with the same
    // host and process id.
    m_content = QSysInfo::machineHostName().toUtf8() + '\n' + QByteArray::number(currentProcessId())
        + '\n' + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toUtf8() + '\n'
        + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + '\n';
    const bool written = file.write(m_content) == m_content.size() && file.flush();
    file.close();
    if (!written) {
        QFile::remove(m_lockPath);
        *error = QStringLiteral("The folder of '%1' cannot be written: %2")
                     .arg(QDir::toNativeSeparators(m_databasePath), file.errorString());
        return false;
    }
    m_held = true;
    return true;
}

bool ServerLock::removeIfStale(const QByteArray& seen)
{
    const QFileInfo info(m_lockPath);
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    const Holder holder = holderOf(seen);
    bool stale = age > std::chrono::milliseconds(staleAfter).count();
    if (seen.isEmpty())
        stale = stale || age > std::chrono::milliseconds(emptyLockGrace).count();
    else if (holder.host == QSysInfo::machineHostName() && !processRuns(holder.pid))
        stale = true;
    if (!stale)
        return false;
    // Another waiter may judge the same lock stale at the same moment and take the
    // lock before this one removes it: the file is first moved aside under a name
    // of its own, and only removed if it is still the one judged stale.
    const QString aside
        = m_lockPath + QStringLiteral(".stale-") + QUuid::createUuid().toString(QUuid::Id128);
    if (!QFile::rename(m_lockPath, aside))
        return true; // gone already: try again at once
    bool exists = false;
    if (readLock(aside, &exists) == seen) {
        QFile::remove(aside);
        return true;
    }
    // A fresh lock of another holder: it goes back (rename refuses to replace a
    // newer file, which would then be the lock that counts).
    if (!QFile::rename(aside, m_lockPath))
        QFile::remove(aside);
    return false;
}

void ServerLock::touch()
{
    if (m_held) {
        QFile file(m_lockPath);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    }
}

void ServerLock::release()
{
    if (!m_held)
        return;
    m_held = false;
    bool exists = false;
    if (readLock(m_lockPath, &exists) == m_content)
        QFile::remove(m_lockPath);
}

} // namespace vantrel::data
