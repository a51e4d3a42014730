#pragma once

#include <QIcon>
#include <QString>

namespace vantrel::ui {

// The program's pictures, sound and blank template live in a resource file of the
// ui library; registering it from running code keeps it whatever the linker does.
void ensureResources();

// The program's icon (main window, navigation window, notification area).
QIcon programIcon();

} // namespace vantrel::ui
