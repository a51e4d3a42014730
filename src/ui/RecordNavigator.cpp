#include "ui/RecordNavigator.h"

#include "data/BoundView.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace vantrel::ui {

RecordNavigator::RecordNavigator(
    data::BoundView* view, const QString& objectName, const QString& tip, QWidget* parent)
    : QWidget(parent)
    , m_view(view)
{
    setObjectName(objectName);
    setToolTip(tip);
    m_first = makeArrow("MoveFirst", QStringLiteral("|\u25C0"), QStringLiteral("First Record"));
    m_previous
        = makeArrow("MovePrevious", QStringLiteral("\u25C0"), QStringLiteral("Previous Record"));
    m_next = makeArrow("MoveNext", QStringLiteral("\u25B6"), QStringLiteral("Next Record"));
    m_last = makeArrow("MoveLast", QStringLiteral("\u25B6|"), QStringLiteral("Last Record"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (QToolButton* arrow : { m_first, m_previous, m_next, m_last })
        layout->addWidget(arrow);
    connect(m_first, &QToolButton::clicked, this, &RecordNavigator::moveFirst);
    connect(m_previous, &QToolButton::clicked, this, &RecordNavigator::movePrevious);
    connect(m_next, &QToolButton::clicked, this, &RecordNavigator::moveNext);
    connect(m_last, &QToolButton::clicked, this, &RecordNavigator::moveLast);
    connect(view, &data::BoundView::currentRowChanged, this, &RecordNavigator::updateArrows);
    connect(view, &data::BoundView::rowsReloaded, this, &RecordNavigator::updateArrows);
    connect(view, &data::BoundView::rowInserted, this, &RecordNavigator::updateArrows);
    connect(view, &data::BoundView::rowRemoved, this, &RecordNavigator::updateArrows);
    updateArrows();
}

void RecordNavigator::moveFirst()
{
    moveTo(0);
}

void RecordNavigator::movePrevious()
{
    if (m_view)
        moveTo(m_view->position() - 1);
}

void RecordNavigator::moveNext()
{
    if (m_view)
        moveTo(m_view->position() + 1);
}

void RecordNavigator::moveLast()
{
    if (m_view)
        moveTo(m_view->rowCount() - 1);
}

QToolButton* RecordNavigator::makeArrow(const char* name, const QString& arrow, const QString& tip)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setText(arrow);
    // All four equally wide, the bar-and-arrow ones setting the width.
    button->setMinimumWidth(
        button->fontMetrics().horizontalAdvance(QStringLiteral("|\u25C0")) + 14);
    return button;
}

void RecordNavigator::moveTo(int row)
{
    if (!m_view || row < 0 || row >= m_view->rowCount() || row == m_view->position())
        return;
    if (!m_view->moveTo(row))
        emit moveFailed(m_view->lastError());
    updateArrows();
}

void RecordNavigator::updateArrows()
{
    const int rows = m_view ? m_view->rowCount() : 0;
    const int row = m_view ? m_view->position() : -1;
    const bool back = rows > 0 && row > 0;
    const bool forward = rows > 0 && row >= 0 && row < rows - 1;
    m_first->setEnabled(back);
    m_previous->setEnabled(back);
    m_next->setEnabled(forward);
    m_last->setEnabled(forward);
}

} // namespace vantrel::ui
