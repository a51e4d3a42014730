#include "shell/MDIFormMain.h"

#include "shell/FormMain.h"
#include "ui/OfficeWindows.h"
#include "ui/Resources.h"
#include "ui/ScreenArea.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

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
    setWindowIcon(ui::programIcon());
    setMinimumSize(ui::twipsToPixels(mainWindowSize, this));

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_navigation = new FormMain(central);
    m_area = new ui::ScreenArea(central);
    layout->addWidget(m_navigation);
    layout->addWidget(m_area, 1);
    setCentralWidget(central);
    current() = this;
    ui::MainWindow::setInstance(this);

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
    if (ui::MainWindow::instance() == this)
        ui::MainWindow::setInstance(nullptr);
}

void MDIFormMain::markNode(const QString& nodeKey)
{
    m_navigation->markNode(nodeKey);
}

MDIFormMain* MDIFormMain::instance()
{
    return current();
}

void MDIFormMain::start()
{
    resize(ui::twipsToPixels(mainWindowSize, this));
    m_navigation->show();
    m_navigation->tree()->setFocus(Qt::OtherFocusReason);
    ui::Screens::bringToFront(QStringLiteral("FormMenu"));
    show();
    emit started();
}

void MDIFormMain::closeEvent(QCloseEvent* event)
{
    // A letter or an e-mail still being written would go with the program
    // unasked; the user may also choose to go on writing.
    if (!ui::closeOfficeWindows()) {
        event->ignore();
        return;
    }
    ui::Screens::close(QStringLiteral("FormDelete"));
    // The maintenance window outlives the main window; the screens go, so that
    // no database stays open behind it.
    if (ui::Screens::isVisible(QStringLiteral("FormMaintenance"))) {
        if (!ui::Screens::closeChildScreens()) {
            event->ignore();
            return;
        }
        event->accept();
        m_closedBehindMaintenance = true;
        return;
    }
    // A screen whose edits cannot be stored has said why and stays open, and so
    // does the program, so that the user can still save or undo them.
    if (!ui::Screens::closeEveryScreen()) {
        event->ignore();
        return;
    }
    event->accept();
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
