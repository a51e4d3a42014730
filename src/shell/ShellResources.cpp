#include "shell/ShellResources.h"

static void registerShellResourceFile()
{
    Q_INIT_RESOURCE(shell);
}

namespace vantrel::shell {

void ensureShellResources()
{
    static const bool registered = (registerShellResourceFile(), true);
    Q_UNUSED(registered);
}

QIcon programIcon()
{
    ensureShellResources();
    return QIcon(QStringLiteral(":/shell/icons/vantrel.svg"));
}

} // namespace vantrel::shell
