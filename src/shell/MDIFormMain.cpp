#include "shell/MDIFormMain.h"

#include "shell/FormMain.h"
#include "shell/ScreenArea.h"
#include "shell/Screens.h"
#include "shell/ShellResources.h"
#include "shell/Twips.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

namespace vantrel::shell {

namespace {

// Start size and minimum size, in 1/1440 inch.
const QSize mainWindowSize(12900, 7530);
constexpr int startDelayMs = 10;

QPointer<MDIFormMain>& current()
{
    static QPointer<MDIFormMain> window;
    return window;
}

} // namespace

MDIFormMain::MDIFormMain(QWidget* parent)
    : QMainWindow(parent)
    , m_navigation(nullptr)
    , m_area(nullptr)
    , m_startTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("MDIFormMain"));
    setWindowTitle(QStringLiteral("Vantrel"));
    setWindowIcon(programIcon());
    setMinimumSize(twipsToPixels(mainWindowSize, this));

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_navigation = new FormMain(central);
    m_area = new ScreenArea(central);
    layout->addWidget(m_navigation);
    layout->addWidget(m_area, 1);
    setCentralWidget(central);
    current() = this;

    m_startTimer->setObjectName(QStringLiteral("TimerStart"));
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(startDelayMs);
    connect(m_startTimer, &QTimer::timeout, this, &MDIFormMain::start);
    m_startTimer->start();
}

MDIFormMain::~MDIFormMain()
{
    if (current() == this)
        current() = nullptr;
}

MDIFormMain* MDIFormMain::instance()
{
    return current();
}

void MDIFormMain::start()
{
    resize(twipsToPixels(mainWindowSize, this));
    m_navigation->show();
    m_navigation->tree()->setFocus(Qt::OtherFocusReason);
    Screens::bringToFront(QStringLiteral("FormMenu"));
    show();
    emit started();
}

void MDIFormMain::closeEvent(QCloseEvent* event)
{
    Screens::close(QStringLiteral("FormDelete"));
    event->accept();
    // The maintenance window outlives the main window; the screens go, so that
    // no database stays open behind it.
    if (Screens::isVisible(QStringLiteral("FormMaintenance"))) {
        Screens::closeChildScreens();
        m_closedBehindMaintenance = true;
        return;
    }
    emit programEnding();
}

void MDIFormMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_closedBehindMaintenance) {
        m_closedBehindMaintenance = false;
        m_startTimer->start();
    }
}

} // namespace vantrel::shell
