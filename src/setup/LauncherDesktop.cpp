#include "setup/LauncherDesktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace vantrel::setup {

namespace {

bool checkExists(const QString& path, QString* error)
{
    if (QFileInfo::exists(path))
        return true;
    *error = QStringLiteral("The file '%1' is missing from the distribution folder.").arg(path);
    return false;
}

class SystemDesktop : public LauncherDesktop {
public:
    bool openDocument(const QString& path, QString* error) override
    {
        if (!checkExists(path, error))
            return false;
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())))
            return true;
        *error = QStringLiteral("No application on this desktop opens '%1'.").arg(path);
        return false;
    }

    bool startPackage(const QString& path, QString* error) override
    {
        if (!checkExists(path, error))
            return false;
        const QFileInfo package(path);
        // A script runs by itself; a package goes to the desktop's software installer.
        if (package.isExecutable()) {
            if (QProcess::startDetached(package.absoluteFilePath(), {}, package.absolutePath()))
                return true;
            *error = QStringLiteral("'%1' could not be started.").arg(path);
            return false;
        }
        return openDocument(path, error);
    }
};

std::unique_ptr<LauncherDesktop>& installed()
{
    static std::unique_ptr<LauncherDesktop> desktop;
    return desktop;
}

} // namespace

LauncherDesktop& LauncherDesktop::instance()
{
    if (!installed())
        installed() = std::make_unique<SystemDesktop>();
    return *installed();
}

void LauncherDesktop::setInstance(std::unique_ptr<LauncherDesktop> desktop)
{
    installed() = std::move(desktop);
}

} // namespace vantrel::setup
