#pragma once

#include <QString>

class QWidget;

namespace vantrel::ui {

// The main window as the screens see it. The shell's main window registers
// itself while it exists, so screens name neither the shell nor its classes.
class MainWindow {
public:
    virtual ~MainWindow() = default;

    // The running program's main window; nullptr before it is made and after it is gone.
    static MainWindow* instance();
    static void setInstance(MainWindow* window);

    virtual QWidget* widget() = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual QString caption() const = 0;
    // Marks the navigation node with this key as the one in use.
    virtual void markNode(const QString& nodeKey) = 0;
    // Out of the way of the office window the user works in next.
    virtual void minimize() = 0;
};

} // namespace vantrel::ui
