#include "shell/ScreenCatalog.h"

#include "companies/FormArchive.h"
#include "companies/FormCompanies.h"
#include "shell/FormMenu.h"
#include "shell/Screens.h"

namespace vantrel::shell {

void registerScreens()
{
    Screens::registerScreen(QStringLiteral("FormMenu"), [] { return new FormMenu; });
    Screens::registerScreen(QStringLiteral("FormCompanies"), [] { return new companies::FormCompanies; });
    Screens::registerScreen(QStringLiteral("FormArchive"), [] { return new companies::FormArchive; });
}

} // namespace vantrel::shell
