#pragma once

#include <QApplication>
#include <QList>
#include <QWidget>

namespace vantrel::test {

// Windows such as the word processor's, the mail's, the agenda's and the help
// viewer have no parent the test holds; only the application knows them.
template <class Window> QList<Window*> topLevelWindows()
{
    QList<Window*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget))
            windows.append(window);
    }
    return windows;
}

// Those still shown: a closed window lingers hidden until it is deleted.
template <class Window> QList<Window*> visibleWindows()
{
    QList<Window*> windows = topLevelWindows<Window>();
    windows.removeIf([](const Window* window) { return !window->isVisible(); });
    return windows;
}

// Deleted rather than closed, since closing asks about unsaved documents, so
// that no word processor window outlives the test that opened it.
void deleteWordWindows();

} // namespace vantrel::test
