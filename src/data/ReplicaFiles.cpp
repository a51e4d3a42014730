#include "data/ReplicaFiles.h"

#include "data/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

} // namespace vantrel::data
