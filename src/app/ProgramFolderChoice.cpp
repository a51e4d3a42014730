#include "app/ProgramFolderChoice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantrel::app {

namespace {

bool isProgramFile(const QFileInfo& entry)
{
    return entry.fileName() == QLatin1String("lib") || entry.isExecutable();
}

bool copyMissing(const QDir& from, const QDir& to, bool topLevel, QString* error)
{
    if (!to.exists() && !QDir().mkpath(to.path())) {
        *error = QStringLiteral("The folder '%1' cannot be created.").arg(to.path());
        return false;
    }
    const QFileInfoList entries
        = from.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        if (topLevel && isProgramFile(entry))
            continue;
        const QString target = to.filePath(entry.fileName());
        if (entry.isDir()) {
            if (!copyMissing(QDir(entry.filePath()), QDir(target), false, error))
                return false;
            continue;
        }
        if (QFileInfo::exists(target))
            continue;
        if (!QFile::copy(entry.filePath(), target)) {
            *error = QStringLiteral("The file '%1' cannot be copied to '%2'.")
                         .arg(entry.fileName(), to.path());
            return false;
        }
        // Installed files are read-only; the user's copies are the user's to change.
        QFile::setPermissions(
            target, QFile::permissions(target) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    }
    return true;
}

} // namespace

QString ProgramFolderChoice::choose(const QString& requested, const QString& image)
{
    if (!requested.isEmpty())
        return requested;
    if (QFileInfo(image).isWritable())
        return image;
    return userFolder();
}

QString ProgramFolderChoice::userFolder()
{
    return QDir::home().filePath(QStringLiteral("Vantrel"));
}

bool ProgramFolderChoice::layOut(const QString& image, const QString& folder, QString* error)
{
    if (QFileInfo(folder).absoluteFilePath() == QFileInfo(image).absoluteFilePath())
        return true;
    return copyMissing(QDir(image), QDir(folder), true, error);
}

} // namespace vantrel::app
