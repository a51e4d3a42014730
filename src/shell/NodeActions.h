#pragma once

#include <QString>

#include <functional>

namespace vantrel::shell {

// What a click on a navigation node does, found by the node's text (trailing
// blanks included). The shell's defaults cover every node: screens are brought
// to front by name, so a screen that later registers with Screens is reached
// without touching this table. A node whose text has no action, or whose
// screen is not registered, does nothing.
//
// A later registration replaces the default, for a node that must do more than
// bring its screen to front:
//     NodeActions::registerAction(QStringLiteral("Sales Figures"), [] { ... });
class NodeActions {
public:
    using Action = std::function<void()>;

    static void registerAction(const QString& nodeText, Action action);
    static bool hasAction(const QString& nodeText);
    // Runs the node's action; false when the text has none.
    static bool run(const QString& nodeText);
};

} // namespace vantrel::shell
