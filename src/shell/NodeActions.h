#pragma once

#include <QString>

#include <functional>

namespace vantrel::shell {

// What a click on a navigation node does, found by the node's key. The shell's
// defaults cover every node: screens are brought to front by name, so a screen
// that later registers with Screens is reached without touching this table. A
// node whose key has no action, or whose screen is not registered, does nothing.
//
// A later registration replaces the default, for a node that must do more than
// bring its screen to front:
//     NodeActions::registerAction(QStringLiteral("child8_child3"), [] { ... });
class NodeActions {
public:
    using Action = std::function<void()>;

    static void registerAction(const QString& nodeKey, Action action);
    static bool hasAction(const QString& nodeKey);
    // Runs the node's action; false when the key has none.
    static bool run(const QString& nodeKey);
};

} // namespace vantrel::shell
