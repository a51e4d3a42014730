#include "ui/ScreenArea.h"

#include "ui/ActivatedScreen.h"
#include "ui/Screens.h"

#include <QApplication>

namespace vantrel::ui {

namespace {

bool takesTabFocus(const QWidget* widget, const QWidget* screen)
{
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled()
        && widget->isVisibleTo(screen);
}

void focusFirstControl(QWidget* screen)
{
    QWidget* remembered = screen->focusWidget();
    if (remembered && remembered != screen && takesTabFocus(remembered, screen)) {
        remembered->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* widget = screen->nextInFocusChain(); widget && widget != screen;
         widget = widget->nextInFocusChain()) {
        if (!screen->isAncestorOf(widget))
            break;
        if (takesTabFocus(widget, screen)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    screen->setFocus(Qt::OtherFocusReason);
}

} // namespace

ScreenArea::ScreenArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ScreenArea"));
    connect(qApp, &QApplication::focusChanged, this, &ScreenArea::focusChanged);
    Screens::setArea(this);
}

ScreenArea::~ScreenArea()
{
    Screens::releaseArea(this);
}

void ScreenArea::adopt(QWidget* screen)
{
    screen->setParent(this);
    // Screens lie on top of each other: each paints its own background so the one
    // in front hides the ones behind it.
    screen->setAutoFillBackground(true);
    place(screen);
}

void ScreenArea::bringToFront(QWidget* screen)
{
    if (screen->parentWidget() != this)
        adopt(screen);
    place(screen);
    screen->show();
    screen->raise();
    if (m_active != screen)
        activate(screen);
    focusFirstControl(screen);
}

void ScreenArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const auto screens = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    // Shown screens, also while the main window itself is still hidden.
    for (QWidget* screen : screens) {
        if (!screen->isHidden())
            place(screen);
    }
}

void ScreenArea::place(QWidget* screen)
{
    screen->setGeometry(rect());
}

void ScreenArea::activate(QWidget* screen)
{
    m_active = screen;
    if (auto* activated = dynamic_cast<ActivatedScreen*>(screen))
        activated->screenActivated();
}

void ScreenArea::focusChanged(QWidget*, QWidget* now)
{
    if (!now)
        return;
    QWidget* screen = screenOf(now);
    if (!screen) {
        // Focus in the navigation window: the next screen to get it is activated again.
        if (window()->isAncestorOf(now))
            m_active = nullptr;
        return;
    }
    if (screen != m_active) {
        screen->raise();
        activate(screen);
    }
}

QWidget* ScreenArea::screenOf(QWidget* widget) const
{
    while (widget && widget->parentWidget() != this)
        widget = widget->parentWidget();
    return widget;
}

} // namespace vantrel::ui
