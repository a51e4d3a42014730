#include "shell/ScreenCatalog.h"

#include "shell/Screens.h"

namespace vantrel::shell {

void registerScreens()
{
}

} // namespace vantrel::shell
