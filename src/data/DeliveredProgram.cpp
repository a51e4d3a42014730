#include "data/DeliveredProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

namespace vantrel::data {

namespace {

// Any object of this library tells dladdr which file the library was loaded from.
const char libraryAnchor = 0;

QString libraryFolder()
{
    Dl_info info {};
    if (dladdr(&libraryAnchor, &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QFile::decodeName(info.dli_fname)).canonicalPath();
}

} // namespace

QString deliveredProgramPath(const QString& name)
{
    const QString library = libraryFolder();
    if (!library.isEmpty()) {
        const QString beside = QDir(library).absoluteFilePath(QStringLiteral("../") + name);
        if (QFileInfo::exists(beside))
            return QDir::cleanPath(beside);
    }
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name);
}

} // namespace vantrel::data
