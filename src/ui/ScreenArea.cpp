#include "ui/ScreenArea.h"

#include "ui/ActivatedScreen.h"
#include "ui/Screens.h"

#include <QApplication>
#include <QEvent>

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
    screen->installEventFilter(this);
    place(screen);
}

void ScreenArea::bringToFront(QWidget* screen)
{
    if (screen->parentWidget() != this)
        adopt(screen);
    place(screen);
    screen->show();
    screen->raise();
    updateGeometry();
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

QSize ScreenArea::minimumSizeHint() const
{
    const QWidget* front = frontScreen();
    if (!front)
        return QWidget::minimumSizeHint();
    return front->minimumSizeHint().expandedTo(front->minimumSize());
}

bool ScreenArea::eventFilter(QObject* watched, QEvent* event)
{
    // A screen in front that grew, shrank, came or went changes what the area needs.
    switch (event->type()) {
    case QEvent::LayoutRequest:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched->parent() == this)
            updateGeometry();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// Raising a screen moves it to the end of the area's children.
QWidget* ScreenArea::frontScreen() const
{
    const QObjectList& children = this->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto* widget = qobject_cast<QWidget*>(*it);
        if (widget && !widget->isHidden())
            return widget;
    }
    return nullptr;
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
