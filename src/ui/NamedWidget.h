#pragma once

#include <QLatin1String>

#include <utility>

namespace vantrel::ui {

// A widget made with the object name tests, hints and the manual find it by:
// named<QPushButton>("CommandSynchronize", caption, parent).
template <typename Widget, typename... Arguments>
Widget* named(const char* objectName, Arguments&&... arguments)
{
    auto* widget = new Widget(std::forward<Arguments>(arguments)...);
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

} // namespace vantrel::ui
