#include "maintenance/ReplicaPaths.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel::maintenance {

namespace {

bool sameFile(const QString& first, const QString& second)
{
    const QFileInfo a(first);
    const QFileInfo b(second);
    if (a.exists() && b.exists())
        return a.canonicalFilePath() == b.canonicalFilePath();
    return QDir::cleanPath(a.absoluteFilePath()) == QDir::cleanPath(b.absoluteFilePath());
}

bool checkServerFile(const QString& path, const QString& missing, QString* error)
{
    if (path.isEmpty()) {
        *error = missing;
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        *error
            = QStringLiteral("The database %1 could not be found.").arg(ReplicaPaths::toBox(path));
        return false;
    }
    return true;
}

} // namespace

QString ReplicaPaths::fromBox(const QString& text)
{
    return QDir::fromNativeSeparators(text.trimmed());
}

QString ReplicaPaths::toBox(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool ReplicaPaths::checkCreation(const QString& source, const QString& replica, QString* error)
{
    if (!checkServerFile(
            source, QStringLiteral("Select the database on the server to replicate."), error))
        return false;
    if (replica.isEmpty()) {
        *error = QStringLiteral("Give the path of the new replica.");
        return false;
    }
    if (sameFile(source, replica)) {
        *error = QStringLiteral("A database cannot be replaced by a replica of itself: %1")
                     .arg(toBox(source));
        return false;
    }
    return true;
}

bool ReplicaPaths::checkSynchronization(
    const QString& replica, const QString& server, QString* error)
{
    if (!checkServerFile(
            server, QStringLiteral("Select the path to the database on the server."), error))
        return false;
    if (replica.isEmpty()) {
        *error = QStringLiteral("Give the path to your replica.");
        return false;
    }
    if (!QFileInfo(replica).isFile()) {
        *error = QStringLiteral("The replica %1 could not be found.").arg(toBox(replica));
        return false;
    }
    if (sameFile(replica, server)) {
        *error = QStringLiteral("The replica and the database on the server are the same file: %1")
                     .arg(toBox(server));
        return false;
    }
    return true;
}

} // namespace vantrel::maintenance
