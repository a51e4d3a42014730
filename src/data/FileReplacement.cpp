#include "data/FileReplacement.h"

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

std::filesystem::path nativePath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace

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

bool replaceFile(const QString& source, const QString& target, QString* error)
{
    std::error_code code;
    std::filesystem::rename(nativePath(source), nativePath(target), code);
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
