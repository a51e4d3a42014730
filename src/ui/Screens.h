#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace vantrel::ui {

class ScreenArea;

// The program's screens by name. Each screen exists once: it is made by its
// registered factory the first time anything asks for it, kept (with its rows
// and filters) while hidden, and destroyed when closed, so that the next use
// makes it afresh. Child screens live in the area right of the navigation
// window; windows keep their own size and place.
//
// A screen becomes available with one line in the composition root's registerScreens():
//     Screens::registerScreen(QStringLiteral("FormCompanies"), [] { return new FormCompanies; });
class Screens {
public:
    enum class Placement { Child, Window };
    using Factory = std::function<QWidget*()>;

    // A later registration under the same name replaces the earlier one; an
    // empty factory takes the name back.
    static void registerScreen(
        const QString& name, Factory factory, Placement placement = Placement::Child);
    static bool isRegistered(const QString& name);

    // The screen, made at first use; nullptr when nothing is registered by that name.
    static QWidget* instance(const QString& name);
    template <class T> static T* instance(const QString& name)
    {
        return dynamic_cast<T*>(instance(name));
    }
    // The screen if it exists, without making it.
    static QWidget* existing(const QString& name);
    static bool isVisible(const QString& name);

    // Makes the screen if needed, shows it in front of the others and gives it
    // the focus; nullptr when nothing is registered by that name.
    static QWidget* bringToFront(const QString& name);
    template <class T> static T* bringToFront(const QString& name)
    {
        return dynamic_cast<T*>(bringToFront(name));
    }

    // Destroys the screen; nothing happens when it does not exist. False when
    // the screen refuses to close (its pending edits could not be stored) and stays.
    static bool close(const QString& name);
    // Closes every child screen; windows stay. False when one of them stays.
    static bool closeChildScreens();
    // Closes every screen, windows before the child screens they write into,
    // before the program ends; false when one of them stays.
    static bool closeEveryScreen();
    // Destroys every screen (the program ends).
    static void closeAll();

    // The area that holds the child screens; child screens made before there is
    // one move into it.
    static void setArea(ScreenArea* area);
    static void releaseArea(ScreenArea* area);
    static ScreenArea* area();
};

} // namespace vantrel::ui
