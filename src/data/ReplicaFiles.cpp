#include "data/ReplicaFiles.h"

#include "data/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vantrel::data {

namespace {

const QString baseSuffix = QStringLiteral(".base-");

} // namespace

QString baseFileOf(const QString& replicaPath, qint64 generation)
{
    return QFileInfo(replicaPath).absoluteFilePath() + baseSuffix + QString::number(generation);
}

QList<qint64> baseGenerationsOf(const QString& replicaPath)
{
    const QFileInfo replica(replicaPath);
    const QString prefix = replica.fileName() + baseSuffix;
    QList<qint64> generations;
    const QStringList names
        = replica.absoluteDir().entryList({ prefix + QLatin1Char('*') }, QDir::Files);
    for (const QString& name : names) {
        bool number = false;
        const qint64 generation = name.mid(prefix.size()).toLongLong(&number);
        if (number)
            generations.append(generation);
    }
    return generations;
}

void removeStaleBases(const QString& replicaPath, qint64 keep)
{
    for (qint64 generation : baseGenerationsOf(replicaPath)) {
        if (generation != keep)
            removeScratchDatabase(baseFileOf(replicaPath, generation));
    }
    // A base whose writing was cut off.
    const QFileInfo replica(replicaPath);
    const QStringList parts = replica.absoluteDir().entryList(
        { replica.fileName() + baseSuffix + QStringLiteral("*-writing*") }, QDir::Files);
    for (const QString& name : parts)
        QFile::remove(replica.absoluteDir().filePath(name));
}

bool removeScratchDatabase(const QString& path)
{
    for (const QString& suffix :
        { QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm") })
        QFile::remove(path + suffix);
    return !QFileInfo::exists(path) || QFile::remove(path);
}

bool syncToDisk(const QString& path)
{
#ifdef Q_OS_UNIX
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (handle < 0)
        return false;
    const bool synced = ::fsync(handle) == 0;
    ::close(handle);
    return synced;
#else
    Q_UNUSED(path);
    return true;
#endif
}

bool renameOver(const QString& source, const QString& target, QString* error)
{
    std::error_code code;
#ifdef Q_OS_WIN
    std::filesystem::rename(source.toStdWString(), target.toStdWString(), code);
#else
    std::filesystem::rename(
        QFile::encodeName(source).toStdString(), QFile::encodeName(target).toStdString(), code);
#endif
    if (code) {
        return fail(error,
            QStringLiteral("'%1' could not take the place of '%2': %3")
                .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target),
                    QString::fromLocal8Bit(code.message())));
    }
    syncToDisk(QFileInfo(target).absolutePath());
    return true;
}

} // namespace vantrel::data
