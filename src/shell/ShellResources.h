#pragma once

#include <QIcon>
#include <QString>

namespace vantrel::shell {

// The shell's pictures and sound live in a resource file of the static library;
// it must be registered by running code, or the linker drops it.
void ensureShellResources();

// The program's icon (main window, navigation window, notification area).
QIcon programIcon();

} // namespace vantrel::shell
