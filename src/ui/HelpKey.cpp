#include "ui/HelpKey.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace vantrel::ui {

HelpKey::HelpKey(QWidget* screen, std::function<void()> action)
    : QObject(screen)
    , m_screen(screen)
    , m_action(std::move(action))
{
    // Key events go to the focused control; watching the application sees them
    // whichever control of the screen that is.
    QCoreApplication::instance()->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyRelease || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->isAutoRepeat())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget != m_screen && !m_screen->isAncestorOf(widget))
        return false;
    m_action();
    return true;
}

} // namespace vantrel::ui
