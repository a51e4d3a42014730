#include "ui/FieldScrollArea.h"

#include <QScrollBar>

namespace vantrel::ui {

FieldScrollArea::FieldScrollArea(QWidget* widget, QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    // The widget is stretched to the area but never below its own minimum size;
    // what is left over is reached with the scroll bars.
    setWidgetResizable(true);
    setWidget(widget);
}

int FieldScrollArea::usableWidth() const
{
    return width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width();
}

void FieldScrollArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    emit resized();
}

} // namespace vantrel::ui
