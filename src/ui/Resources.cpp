#include "ui/Resources.h"

static void registerResourceFile()
{
    Q_INIT_RESOURCE(ui);
}

namespace vantrel::ui {

void ensureResources()
{
    static const bool registered = (registerResourceFile(), true);
    Q_UNUSED(registered);
}

QIcon programIcon()
{
    ensureResources();
    return QIcon(QStringLiteral(":/ui/icons/vantrel.svg"));
}

} // namespace vantrel::ui
