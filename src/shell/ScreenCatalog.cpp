#include "shell/ScreenCatalog.h"

#include "shell/FormMenu.h"
#include "shell/Screens.h"

namespace vantrel::shell {

void registerScreens()
{
    Screens::registerScreen(QStringLiteral("FormMenu"), [] { return new FormMenu; });
}

} // namespace vantrel::shell
