#include "data/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vantrel::data {

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
    const QString root = QDir::cleanPath(QFileInfo(programFolder()).absoluteFilePath());
    const QString target = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    return target.startsWith(root + QLatin1Char('/'));
}

} // namespace vantrel::data
