#include "data/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantrel::data {

namespace {

// The absolute path with every symbolic link resolved, also for a file that does
// not exist yet: its deepest existing folder is resolved and the rest appended.
// A dangling link resolves to where a write through it would land. Empty for a
// loop of links.
QString resolvedPath(const QString& absolutePath, int linksLeft = 40)
{
    const QString path = QDir::cleanPath(absolutePath);
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    if (info.isSymLink()) {
        if (linksLeft == 0)
            return {};
        return resolvedPath(
            QDir(info.absolutePath()).absoluteFilePath(info.symLinkTarget()), linksLeft - 1);
    }
    const QString parent = info.absolutePath();
    if (parent == path)
        return path;
    const QString resolvedParent = resolvedPath(parent, linksLeft);
    if (resolvedParent.isEmpty())
        return {};
    return QDir::cleanPath(resolvedParent + QLatin1Char('/') + info.fileName());
}

} // namespace

bool enterProgramFolder(const QString& folder)
{
    return QDir::setCurrent(folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder);
}

QString programFolder()
{
    return QDir::currentPath();
}

bool isInsideProgramFolder(const QString& path)
{
    const QString root = resolvedPath(programFolder());
    const QString target = resolvedPath(QDir::current().absoluteFilePath(path));
    return !root.isEmpty() && !target.isEmpty() && target.startsWith(root + QLatin1Char('/'));
}

bool prepareWorkingFile(const QString& path, QString* error)
{
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    const QString root = QDir::cleanPath(QFileInfo(programFolder()).absoluteFilePath());
    if (!absolute.startsWith(root + QLatin1Char('/')))
        return true;
    const QFileInfo info(absolute);
    if (info.isSymLink() && !QFile::remove(absolute)) {
        if (error)
            *error = QStringLiteral("The file '%1' could not be replaced.")
                         .arg(QDir::toNativeSeparators(absolute));
        return false;
    }
    if (!isInsideProgramFolder(absolute)) {
        if (error)
            *error = QStringLiteral("The file '%1' is not inside the program folder.")
                         .arg(QDir::toNativeSeparators(absolute));
        return false;
    }
    return true;
}

} // namespace vantrel::data
