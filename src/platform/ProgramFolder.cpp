#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vantrel::platform {

bool enterProgramFolder()
{
    return QDir::setCurrent(QCoreApplication::applicationDirPath());
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

} // namespace vantrel::platform
