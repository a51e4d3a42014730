#include "ui/HintLine.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace vantrel::ui {

HintLine::HintLine(QWidget* screen)
    : QObject(screen)
    , m_screen(screen)
    , m_frame(new QGroupBox(QStringLiteral("Help"), screen))
    , m_label(new QLabel(m_frame))
{
    m_frame->setObjectName(QStringLiteral("FrameHelp"));
    m_label->setObjectName(QStringLiteral("LabelHelp"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(m_frame);
    layout->addWidget(m_label);
    // Hiding the frame must not make the screen's layout jump.
    QSizePolicy policy = m_frame->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_frame->setSizePolicy(policy);
    m_frame->hide();
    addBackground(screen);
}

void HintLine::setHint(QWidget* control, const QString& text)
{
    setHint(control, [text] { return text; });
}

void HintLine::setHint(QWidget* control, TextSource text)
{
    if (!m_hints.contains(control)) {
        control->installEventFilter(this);
        connect(control, &QObject::destroyed, this, [this, control] { m_hints.remove(control); });
    }
    m_hints.insert(control, std::move(text));
}

void HintLine::addBackground(QWidget* area)
{
    // Moves over a widget reach it only while it tracks the mouse.
    area->setMouseTracking(true);
    area->installEventFilter(this);
    m_backgrounds.insert(area);
    connect(area, &QObject::destroyed, this, [this, area] { m_backgrounds.remove(area); });
    // A scrolled view (a report, a list) gets no moves itself: its viewport does.
    if (auto* scrolled = qobject_cast<QAbstractScrollArea*>(area))
        addBackground(scrolled->viewport());
}

bool HintLine::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Enter && m_hints.contains(widget)) {
        showHint(widget);
    }
    else if (event->type() == QEvent::MouseMove && m_backgrounds.contains(widget)) {
        // Moves over controls that do not take them (buttons, disabled controls)
        // arrive here too; what lies under the mouse decides.
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        QWidget* under = widget->childAt(position);
        if (QWidget* control = hintedControlAt(under)) {
            showHint(control);
        }
        else if (!under || m_backgrounds.contains(under)) {
            m_frame->hide();
            emit backgroundHovered();
        }
    }
    return false;
}

QWidget* HintLine::hintedControlAt(QWidget* widget) const
{
    for (QWidget* candidate = widget; candidate && candidate != m_screen;
         candidate = candidate->parentWidget()) {
        if (m_hints.contains(candidate))
            return candidate;
    }
    return nullptr;
}

void HintLine::showHint(QWidget* control)
{
    m_label->setText(m_hints.value(control)());
    m_frame->show();
}

} // namespace vantrel::ui
