#include "ui/VerticalScrollArea.h"

#include <QEvent>
#include <QScrollBar>

namespace vantrel::ui {

VerticalScrollArea::VerticalScrollArea(QWidget* widget, QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(widget);
    widget->installEventFilter(this);
}

QSize VerticalScrollArea::minimumSizeHint() const
{
    QSize hint = QScrollArea::minimumSizeHint();
    if (widget()) {
        // Room for the scroll bar is kept, so showing it never hides a field's edge.
        hint.setWidth(widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width()
            + 2 * frameWidth());
    }
    return hint;
}

bool VerticalScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    // The widget's fields were shown, hidden or resized: the width it needs may have changed.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

} // namespace vantrel::ui
