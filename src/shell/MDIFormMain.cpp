#include "shell/MDIFormMain.h"

#include "data/WindowPlacement.h"
#include "shell/FormMain.h"
#include "ui/OfficeWindows.h"
#include "ui/Resources.h"
#include "ui/ScreenArea.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
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
    setMinimumSize(reachableSize(ui::twipsToPixels(mainWindowSize, this)));

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_navigation = new FormMain(central);
    m_area = new ui::ScreenArea;
    // A screen larger than the window (a small display, a large scale factor)
    // is scrolled, not cut off at the window's edge.
    auto* scroller = new QScrollArea(central);
    scroller->setObjectName(QStringLiteral("ScreenScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(m_area);
    layout->addWidget(m_navigation);
    layout->addWidget(scroller, 1);
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

QSize MDIFormMain::reachableSize(const QSize& wanted) const
{
    // A large scale factor on a small screen must not ask for a window larger than the screen.
    const QScreen* shownOn = screen();
    if (!shownOn)
        return wanted;
    // The window manager's title bar comes on top of the window's own height.
    const QSize frame(0, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    return wanted.boundedTo(shownOn->availableGeometry().size() - frame);
}

void MDIFormMain::start()
{
    setMinimumSize(reachableSize(ui::twipsToPixels(mainWindowSize, this)));
    resize(reachableSize(ui::twipsToPixels(mainWindowSize, this)));
    // Only as the program starts: shown again behind the maintenance window, it keeps its place.
    if (!m_placed) {
        m_placed = true;
        restorePlacement();
    }
    m_navigation->show();
    m_navigation->tree()->setFocus(Qt::OtherFocusReason);
    ui::Screens::bringToFront(QStringLiteral("FormMenu"));
    show();
    emit started();
}

void MDIFormMain::restorePlacement()
{
    data::WindowPlacement placement;
    // A workstation without a stored place, or one it cannot read, starts at the start size.
    if (!data::WindowPlacement::load(&placement, nullptr) || placement.normalGeometry.isEmpty())
        return;
    QRect frame = placement.normalGeometry;
    // The screen it stood on may be gone or smaller now: the window comes back whole on one.
    const QScreen* target = QGuiApplication::screenAt(frame.center());
    if (!target)
        target = screen();
    if (target) {
        const QRect available = target->availableGeometry();
        frame.setSize(frame.size().boundedTo(available.size()).expandedTo(minimumSize()));
        frame.moveRight(qMin(frame.right(), available.right()));
        frame.moveBottom(qMin(frame.bottom(), available.bottom()));
        frame.moveLeft(qMax(frame.left(), available.left()));
        frame.moveTop(qMax(frame.top(), available.top()));
    }
    resize(frame.size());
    move(frame.topLeft());
    if (placement.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MDIFormMain::storePlacement()
{
    data::WindowPlacement placement;
    placement.maximized = isMaximized();
    // The frame it comes back to: where a maximized window returns to, else where it stands.
    placement.normalGeometry = placement.maximized ? normalGeometry() : QRect(pos(), size());
    // Losing the place of the window is no reason to keep the program from ending.
    data::WindowPlacement::save(placement, nullptr);
}

void MDIFormMain::closeEvent(QCloseEvent* event)
{
    // A letter or an e-mail still being written would go with the program
    // unasked; the user may also choose to go on writing.
    if (!ui::closeOfficeWindows()) {
        event->ignore();
        return;
    }
    storePlacement();
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
