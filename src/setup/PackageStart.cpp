#include "setup/PackageStart.h"

#include "setup/LauncherDesktop.h"
#include "setup/LauncherMessages.h"

namespace vantrel::setup {

const char* const pathWarning
    = "Install Vantrel for yourself, into your home folder: DO NOT install the program into a "
      "system folder such as '/usr' or '/opt' by hand.\r\n"
      "Rather use the default installation path instead.";

bool startInstallation(QWidget* parent, const QString& package)
{
    LauncherMessages::show(parent, QMessageBox::Information, QString::fromUtf8(pathWarning));
    QString error;
    if (LauncherDesktop::instance().startPackage(package, &error))
        return true;
    LauncherMessages::show(parent, QMessageBox::Critical,
        QStringLiteral("The installation could not be started. ") + error);
    return false;
}

} // namespace vantrel::setup
