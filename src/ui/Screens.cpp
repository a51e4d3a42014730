#include "ui/Screens.h"

#include "ui/ScreenArea.h"

#include <QHash>
#include <QPointer>

#include <utility>

namespace vantrel::ui {

namespace {

struct Registration {
    Screens::Factory factory;
    Screens::Placement placement = Screens::Placement::Child;
};

struct Registry {
    QHash<QString, Registration> registrations;
    QHash<QString, QPointer<QWidget>> instances;
    QPointer<ScreenArea> area;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

bool isChild(const QString& name)
{
    return registry().registrations.value(name).placement == Screens::Placement::Child;
}

} // namespace

void Screens::registerScreen(const QString& name, Factory factory, Placement placement)
{
    registry().registrations.insert(name, { std::move(factory), placement });
}

bool Screens::isRegistered(const QString& name)
{
    return bool(registry().registrations.value(name).factory);
}

QWidget* Screens::instance(const QString& name)
{
    Registry& reg = registry();
    if (QWidget* screen = reg.instances.value(name))
        return screen;
    const auto found = reg.registrations.constFind(name);
    if (found == reg.registrations.constEnd() || !found->factory)
        return nullptr;
    QWidget* screen = found->factory();
    if (!screen)
        return nullptr;
    if (screen->objectName().isEmpty())
        screen->setObjectName(name);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    reg.instances.insert(name, screen);
    if (found->placement == Placement::Child && reg.area)
        reg.area->adopt(screen);
    return screen;
}

QWidget* Screens::existing(const QString& name)
{
    return registry().instances.value(name);
}

bool Screens::isVisible(const QString& name)
{
    const QWidget* screen = existing(name);
    return screen && screen->isVisible();
}

QWidget* Screens::bringToFront(const QString& name)
{
    QWidget* screen = instance(name);
    if (!screen)
        return nullptr;
    ScreenArea* host = registry().area;
    if (isChild(name) && host) {
        host->bringToFront(screen);
        return screen;
    }
    screen->show();
    screen->raise();
    screen->activateWindow();
    return screen;
}

bool Screens::close(const QString& name)
{
    QPointer<QWidget> screen = existing(name);
    if (!screen)
        return true;
    Registry& reg = registry();
    reg.instances.remove(name);
    // Closing deletes the screen later (WA_DeleteOnClose); a screen that refuses stays.
    if (!screen->close() && screen) {
        reg.instances.insert(name, screen);
        return false;
    }
    return true;
}

bool Screens::closeChildScreens()
{
    bool closed = true;
    const QStringList names = registry().instances.keys();
    for (const QString& name : names) {
        if (isChild(name))
            closed = close(name) && closed;
    }
    return closed;
}

bool Screens::closeEveryScreen()
{
    bool closed = true;
    const QStringList names = registry().instances.keys();
    for (const QString& name : names) {
        if (!isChild(name))
            closed = close(name) && closed;
    }
    return closeChildScreens() && closed;
}

void Screens::closeAll()
{
    const auto instances = std::exchange(registry().instances, {});
    for (const QPointer<QWidget>& screen : instances)
        delete screen.data();
}

void Screens::setArea(ScreenArea* area)
{
    Registry& reg = registry();
    reg.area = area;
    if (!area)
        return;
    for (auto it = reg.instances.cbegin(); it != reg.instances.cend(); ++it) {
        if (it.value() && !it.value()->parentWidget() && isChild(it.key()))
            area->adopt(it.value());
    }
}

void Screens::releaseArea(ScreenArea* area)
{
    Registry& reg = registry();
    if (reg.area == area)
        reg.area = nullptr;
}

ScreenArea* Screens::area()
{
    return registry().area;
}

} // namespace vantrel::ui
