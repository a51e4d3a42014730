#include "shell/FormWait.h"

#include "platform/MessageBox.h"
#include "shell/MapLink.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel::shell {

FormWait::FormWait(QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , m_progress(new QProgressBar(this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("FormWait"));
    setWindowTitle(QStringLiteral("Loading Google Maps..."));
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(tickInterval);
    connect(m_timer, &QTimer::timeout, this, &FormWait::tick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    resize(ui::twipsToPixels(QSize(6120, 1365), this));
}

void FormWait::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_timer->isActive())
        return;
    // Taken now: whatever is copied during the wait must not become the address.
    m_address = QApplication::clipboard()->text();
    m_progress->setValue(0);
    m_timer->start();
}

void FormWait::hideEvent(QHideEvent* event)
{
    // A box closed for a later request must not open the map for the earlier one.
    m_timer->stop();
    QWidget::hideEvent(event);
}

void FormWait::tick()
{
    m_progress->setValue(m_progress->value() + 1);
    if (m_progress->value() < m_progress->maximum())
        return;
    m_timer->stop();
    QString error;
    const bool opened = MapLink::open(m_address, &error);
    close();
    if (!opened)
        platform::MessageBox::warning(nullptr, error);
}

} // namespace vantrel::shell
