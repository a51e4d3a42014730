#include "products/FormAllSales.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "products/SalesFigures.h"
#include "ui/Screens.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel::products {

FormAllSales::FormAllSales(QWidget* parent)
    : QWidget(parent)
    , m_progress(new QProgressBar(this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("FormAllSales"));
    setWindowTitle(QStringLiteral("All Sales"));
    auto* loading = new QLabel(QStringLiteral("Loading MS-Excel..."), this);
    loading->setObjectName(QStringLiteral("LabelLoad"));
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(32, 32));
    auto* wait = new QLabel(QStringLiteral("Please wait while sales figures are loading..."), this);
    wait->setObjectName(QStringLiteral("Label1"));
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(100);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(loading);
    layout->addWidget(picture);
    layout->addWidget(wait);
    layout->addWidget(m_progress);
    layout->addStretch();
    connect(m_timer, &QTimer::timeout, this, &FormAllSales::tick);
}

void FormAllSales::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    screenActivated();
}

void FormAllSales::screenActivated()
{
    // One job for the life of the screen.
    if (!m_started)
        m_timer->start();
}

void FormAllSales::advance()
{
    m_progress->setValue(std::min(m_progress->maximum(), m_progress->value() + 10));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool FormAllSales::sendAllSales(QString* error)
{
    advance();
    data::Database user;
    SalesSettings settings;
    if (!data::openUserDatabase(user)) {
        *error = user.lastError();
        return false;
    }
    if (!SalesSettings::read(user, &settings, error))
        return false;
    advance();
    // Loaded, put in the workbook (the grid and clipboard steps of old), formatted, saved.
    int steps = 0;
    const bool sent = sendSalesReport(user, allSalesQuery(settings), {}, error, [&] {
        advance();
        if (++steps == 2)
            advance();
    });
    if (sent)
        advance();
    return sent;
}

void FormAllSales::tick()
{
    m_timer->stop();
    if (m_started)
        return;
    m_started = true;
    QString error;
    bool sent = false;
    {
        platform::BusyCursor busy;
        sent = sendAllSales(&error);
    }
    if (!sent) {
        platform::MessageBox::error(this, error);
        return;
    }
    QMetaObject::invokeMethod(
        qApp,
        [] {
            ui::Screens::close(QStringLiteral("FormAllSales"));
            ui::Screens::bringToFront(QStringLiteral("FormMenu"));
        },
        Qt::QueuedConnection);
}

} // namespace vantrel::products
