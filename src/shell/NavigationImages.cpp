#include "shell/NavigationImages.h"

#include "shell/NavigationNodes.h"
#include "ui/Resources.h"

namespace vantrel::shell {

QIcon navigationImage(const QString& key)
{
    if (!navigationImageKeys().contains(key))
        return {};
    ui::ensureResources();
    return QIcon(QStringLiteral(":/ui/icons/") + key + QStringLiteral(".svg"));
}

} // namespace vantrel::shell
