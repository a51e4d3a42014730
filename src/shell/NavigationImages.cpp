#include "shell/NavigationImages.h"

#include "shell/NavigationNodes.h"
#include "shell/ShellResources.h"

namespace vantrel::shell {

QIcon navigationImage(const QString& key)
{
    if (!navigationImageKeys().contains(key))
        return {};
    ensureShellResources();
    return QIcon(QStringLiteral(":/shell/icons/") + key + QStringLiteral(".svg"));
}

} // namespace vantrel::shell
