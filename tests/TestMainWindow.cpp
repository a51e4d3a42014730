#include "ApplicationTest.h"
#include "BusinessRows.h"
#include "Controls.h"
#include "RecordingMessageBoxHandler.h"
#include "ShellFakes.h"
#include "TestFolder.h"

#include "office/MailItem.h"
#include "platform/MessageBox.h"
#include "shell/FormHelp.h"
#include "shell/FormMain.h"
#include "shell/MDIFormMain.h"
#include "shell/NotificationIcon.h"
#include "ui/AgendaWindow.h"
#include "ui/MailWindow.h"
#include "ui/ScreenArea.h"
#include "ui/Screens.h"
#include "ui/Twips.h"
#include "ui/WordWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace vantrel;
using ui::Screens;

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aScreenLargerThanTheWindowScrolls();

    void startsAtItsSizeWithTheSetupMenu();
    void minimumSizeSnapsBack();
    void placeAndMaximizedStateSurviveARestart();
    void navigationWindowLayout();
    void childScreensFillTheAreaRightOfNavigation();
    void screensAreSingleInstances();
    void lastScreenBroughtToFrontLiesOnTop();
    void screenInFrontHidesTheOnesBehind();
    void screensAreActivatedWhenTheyComeToFront();
    void hidingInNotificationAreaAndRestoring_data();
    void hidingInNotificationAreaAndRestoring();
    void withoutNotificationAreaTheWindowIsMinimized();
    void restoringAfterTheProgramMinimizedTheWindow();
    void closingEndsTheProgram();
    void closingWithMaintenanceOpenKeepsItRunning();
    void closingStoresPendingEditsOrStaysOpen();
    void everyWindowCarriesTheProgramIcon();

private:
    int twipsX(int pixels) const { return ui::pixelsToTwipsX(pixels, m_main.get()); }
    int twipsY(int pixels) const { return ui::pixelsToTwipsY(pixels, m_main.get()); }
    // The start width, as far as the screen allows: the offscreen test screen is
    // 800 pixels wide, less than the start size.
    int startWidth() const
    {
        return qMin(12900, twipsX(m_main->screen()->availableGeometry().width()));
    }

    std::unique_ptr<test::TestFolder> m_folder;
    std::unique_ptr<shell::MDIFormMain> m_main;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestMainWindow::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    for (const char* name : { "FormScreenA", "FormScreenB", "FormDelete" })
        Screens::registerScreen(QLatin1String(name), [] { return new test::FakeActivatedScreen; });
    Screens::registerScreen(
        QStringLiteral("FormMaintenance"), [] { return new QWidget; }, Screens::Placement::Window);
    m_main = std::make_unique<shell::MDIFormMain>();
    QTRY_VERIFY(m_main->isVisible());
}

void TestMainWindow::cleanup()
{
    m_main.reset();
    Screens::closeAll();
    shell::NotificationIcon::setAvailableForTesting(std::nullopt);
    platform::MessageBox::setHandler(nullptr);
    m_folder.reset();
}

void TestMainWindow::startsAtItsSizeWithTheSetupMenu()
{
    QCOMPARE(twipsX(m_main->width()), startWidth());
    QVERIFY(m_main->width() <= m_main->screen()->availableGeometry().width());
    QCOMPARE(twipsY(m_main->height()), 7530);
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Vantrel"));
    QCOMPARE(twipsX(m_main->navigation()->width()), 3300);
    QCOMPARE(m_main->navigation()->height(), m_main->centralWidget()->height());
    if (Screens::isRegistered(QStringLiteral("FormMenu"))) {
        QWidget* menu = Screens::existing(QStringLiteral("FormMenu"));
        QVERIFY(menu);
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->parentWidget(), m_main->screenArea());
        QCOMPARE(menu->geometry(), m_main->screenArea()->rect());
        QCOMPARE(twipsX(menu->width()), startWidth() - 3300);
    }
}

void TestMainWindow::aScreenLargerThanTheWindowScrolls()
{
    Screens::registerScreen(QStringLiteral("FormLarge"), [] {
        auto* screen = new QWidget;
        screen->setMinimumSize(2000, 1500);
        return screen;
    });
    QWidget* large = Screens::bringToFront(QStringLiteral("FormLarge"));
    auto* scroller = m_main->findChild<QScrollArea*>(QStringLiteral("ScreenScroller"));
    QVERIFY(scroller);
    // The screen keeps its size and the window its own; the rest is scrolled to.
    QTRY_VERIFY(scroller->horizontalScrollBar()->maximum() > 0);
    QVERIFY(scroller->verticalScrollBar()->maximum() > 0);
    QVERIFY(large->width() >= 2000 && large->height() >= 1500);
    QVERIFY(m_main->width() <= m_main->screen()->availableGeometry().width());
    // Back to a screen that fits, nothing is left to scroll.
    Screens::close(QStringLiteral("FormLarge"));
    QTRY_COMPARE(scroller->horizontalScrollBar()->maximum(), 0);
}

void TestMainWindow::minimumSizeSnapsBack()
{
    // The start size, as far as the screen reaches: a large scale factor on a small screen must
    // not ask for more than the screen has.
    const QSize available = m_main->screen()->availableGeometry().size();
    const QSize minimum = ui::twipsToPixels(QSize(12900, 7530), m_main.get()).boundedTo(available);
    QCOMPARE(m_main->minimumSize(), minimum);
    m_main->resize(ui::twipsToPixels(QSize(8000, 5000), m_main.get()));
    QCOMPARE(m_main->size(), minimum);
    m_main->resize(ui::twipsToPixels(QSize(15000, 5000), m_main.get()));
    QCOMPARE(twipsX(m_main->width()), 15000);
    QCOMPARE(m_main->height(), minimum.height());
}

void TestMainWindow::placeAndMaximizedStateSurviveARestart()
{
    const QRect available = m_main->screen()->availableGeometry();
    const QSize size(
        m_main->minimumWidth(), qMin(m_main->minimumHeight() + 30, available.height()));
    const QPoint corner(
        available.right() + 1 - size.width(), available.bottom() + 1 - size.height());
    m_main->resize(size);
    m_main->move(corner);
    const auto restart = [this] {
        QVERIFY(m_main->close());
        m_main.reset();
        Screens::closeAll();
        m_main = std::make_unique<shell::MDIFormMain>();
        QTRY_VERIFY(m_main->isVisible());
    };
    restart();
    QCOMPARE(m_main->size(), size);
    QCOMPARE(m_main->pos(), corner);
    QVERIFY(!m_main->isMaximized());

    m_main->showMaximized();
    QTRY_VERIFY(m_main->isMaximized());
    restart();
    QTRY_VERIFY(m_main->isMaximized());
    m_main->showNormal();
    QTRY_COMPARE(m_main->size(), size);
}

void TestMainWindow::navigationWindowLayout()
{
    shell::FormMain* navigation = m_main->navigation();
    auto* frame = navigation->findChild<QGroupBox*>(QStringLiteral("FrameNavigation"));
    auto* check = navigation->findChild<QCheckBox*>(QStringLiteral("CheckIconTray"));
    QVERIFY(frame && check);
    QCOMPARE(frame->title(), QStringLiteral("Navigation"));
    QCOMPARE(check->text(), QStringLiteral("Minimize in Icon Tray"));
    QCOMPARE(check->toolTip(),
        QStringLiteral("Minimizes the Program but does not disiplay an Icon in the Taskbar"));
    QVERIFY(frame->isAncestorOf(navigation->tree()));
    // The frame fills the window's height down to the check box, which follows a taller window.
    const int checkTop = check->y();
    QVERIFY(frame->geometry().bottom() < checkTop);
    m_main->resize(m_main->width(), m_main->height() + 100);
    QCOMPARE(check->y(), checkTop + 100);
    QCOMPARE(navigation->height(), m_main->centralWidget()->height());
}

void TestMainWindow::childScreensFillTheAreaRightOfNavigation()
{
    QWidget* a = Screens::bringToFront(QStringLiteral("FormScreenA"));
    QWidget* b = Screens::bringToFront(QStringLiteral("FormScreenB"));
    m_main->resize(ui::twipsToPixels(QSize(15000, 9000), m_main.get()));
    for (QWidget* screen : { a, b }) {
        QCOMPARE(twipsX(screen->width()), 11700);
        QCOMPARE(screen->height(), m_main->centralWidget()->height());
        QCOMPARE(screen->mapTo(m_main.get(), QPoint(0, 0)).x(), m_main->navigation()->width());
    }
    // A hidden screen keeps its size and is placed again when it comes back.
    a->hide();
    m_main->resize(ui::twipsToPixels(QSize(13500, 9000), m_main.get()));
    QCOMPARE(twipsX(b->width()), 10200);
    QCOMPARE(twipsX(a->width()), 11700);
    Screens::bringToFront(QStringLiteral("FormScreenA"));
    QCOMPARE(twipsX(a->width()), 10200);

    const QSize before = b->size();
    m_main->showMinimized();
    QCoreApplication::processEvents();
    QCOMPARE(b->size(), before);
}

void TestMainWindow::screensAreSingleInstances()
{
    int made = 0;
    Screens::registerScreen(QStringLiteral("FormScreenA"), [&made] {
        ++made;
        return new test::FakeActivatedScreen;
    });
    QPointer<QWidget> first = Screens::bringToFront(QStringLiteral("FormScreenA"));
    QCOMPARE(Screens::bringToFront(QStringLiteral("FormScreenA")), first.data());
    QCOMPARE(Screens::instance(QStringLiteral("FormScreenA")), first.data());
    QCOMPARE(made, 1);

    // Kept, with its state, while hidden.
    auto* option = first->findChild<QCheckBox*>(QStringLiteral("Option"));
    option->setChecked(true);
    first->hide();
    QCOMPARE(Screens::bringToFront(QStringLiteral("FormScreenA")), first.data());
    QVERIFY(option->isChecked());
    QCOMPARE(made, 1);

    // Destroyed when closed; the next use makes it afresh.
    Screens::close(QStringLiteral("FormScreenA"));
    QVERIFY(!Screens::existing(QStringLiteral("FormScreenA")));
    QTRY_VERIFY(first.isNull());
    QWidget* second = Screens::bringToFront(QStringLiteral("FormScreenA"));
    QCOMPARE(made, 2);
    QVERIFY(!second->findChild<QCheckBox*>(QStringLiteral("Option"))->isChecked());

    // A screen that closes itself is gone as well.
    QPointer<QWidget> closing = second;
    second->close();
    QTRY_VERIFY(closing.isNull());
    QVERIFY(!Screens::existing(QStringLiteral("FormScreenA")));

    QVERIFY(!Screens::bringToFront(QStringLiteral("FormNobodyRegistered")));
    QVERIFY(!Screens::instance(QStringLiteral("FormNobodyRegistered")));
}

void TestMainWindow::screenInFrontHidesTheOnesBehind()
{
    QWidget* behind = Screens::bringToFront(QStringLiteral("FormScreenA"));
    QPalette dark = behind->palette();
    dark.setColor(QPalette::Window, Qt::black);
    behind->setPalette(dark);
    behind->setAutoFillBackground(true); // stands for a screen full of controls
    QWidget* front = Screens::bringToFront(QStringLiteral("FormScreenB"));
    const QImage shown = m_main->screenArea()->grab().toImage();
    QCOMPARE(shown.pixelColor(shown.rect().center()), front->palette().color(QPalette::Window));
}

void TestMainWindow::lastScreenBroughtToFrontLiesOnTop()
{
    QWidget* a = Screens::bringToFront(QStringLiteral("FormScreenA"));
    QWidget* b = Screens::bringToFront(QStringLiteral("FormScreenB"));
    ui::ScreenArea* area = m_main->screenArea();
    const QPoint middle = area->rect().center();
    auto topScreenAt = [area](const QPoint& point) {
        QWidget* widget = area->childAt(point);
        while (widget && widget->parentWidget() != area)
            widget = widget->parentWidget();
        return widget;
    };
    QCOMPARE(topScreenAt(middle), b);
    QVERIFY(a->isVisible());
    Screens::bringToFront(QStringLiteral("FormScreenA"));
    QCOMPARE(topScreenAt(middle), a);
    Screens::close(QStringLiteral("FormScreenA"));
    QTRY_COMPARE(topScreenAt(middle), b);
}

void TestMainWindow::screensAreActivatedWhenTheyComeToFront()
{
    auto* a = qobject_cast<test::FakeActivatedScreen*>(
        Screens::bringToFront(QStringLiteral("FormScreenA")));
    QCOMPARE(a->activations, 1);
    Screens::bringToFront(QStringLiteral("FormScreenA"));
    QCOMPARE(a->activations, 1);
    auto* b = qobject_cast<test::FakeActivatedScreen*>(
        Screens::bringToFront(QStringLiteral("FormScreenB")));
    QCOMPARE(b->activations, 1);
    Screens::bringToFront(QStringLiteral("FormScreenA"));
    QCOMPARE(a->activations, 2);
    QCOMPARE(m_main->screenArea()->activeScreen(), a);
}

void TestMainWindow::hidingInNotificationAreaAndRestoring_data()
{
    QTest::addColumn<int>("reason");
    QTest::newRow("left click") << int(QSystemTrayIcon::Trigger);
    QTest::newRow("right click") << int(QSystemTrayIcon::Context);
}

void TestMainWindow::hidingInNotificationAreaAndRestoring()
{
    QFETCH(int, reason);
    shell::NotificationIcon::setAvailableForTesting(true);
    shell::FormMain* navigation = m_main->navigation();
    auto* check = navigation->findChild<QCheckBox*>(QStringLiteral("CheckIconTray"));
    check->click();
    QVERIFY(!m_main->isVisible());
    QVERIFY(navigation->notificationIcon()->isShown());
    auto* tray = navigation->findChild<QSystemTrayIcon*>();
    QVERIFY(tray);
    QCOMPARE(tray->toolTip(), QStringLiteral("Vantrel"));
    QVERIFY(!tray->icon().isNull());

    emit tray->activated(QSystemTrayIcon::ActivationReason(reason));
    QVERIFY(m_main->isVisible());
    QVERIFY(!navigation->notificationIcon()->isShown());
    QVERIFY(!check->isChecked());
    // Clearing the box does nothing further.
    QVERIFY(m_main->isVisible());
}

void TestMainWindow::withoutNotificationAreaTheWindowIsMinimized()
{
    shell::NotificationIcon::setAvailableForTesting(false);
    auto* check = m_main->navigation()->findChild<QCheckBox*>(QStringLiteral("CheckIconTray"));
    check->click();
    QVERIFY(m_main->isMinimized());
    QVERIFY(!m_main->navigation()->notificationIcon()->isShown());
    QVERIFY(!check->isChecked());
}

void TestMainWindow::restoringAfterTheProgramMinimizedTheWindow()
{
    shell::NotificationIcon::setAvailableForTesting(true);
    shell::FormMain* navigation = m_main->navigation();
    // Opening the word processor minimizes the main window; then the user hides it in the tray.
    m_main->minimize();
    QVERIFY(m_main->isMinimized());
    navigation->findChild<QCheckBox*>(QStringLiteral("CheckIconTray"))->click();
    QVERIFY(!m_main->isVisible());

    emit navigation->findChild<QSystemTrayIcon*>()->activated(QSystemTrayIcon::Trigger);
    QVERIFY(m_main->isVisible());
    QVERIFY(!m_main->isMinimized());
    QVERIFY(!navigation->notificationIcon()->isShown());
}

void TestMainWindow::closingEndsTheProgram()
{
    QPointer<QWidget> deleteScreen = Screens::bringToFront(QStringLiteral("FormDelete"));
    QSignalSpy ending(m_main.get(), &shell::MDIFormMain::programEnding);
    QVERIFY(m_main->close());
    QCOMPARE(ending.size(), 1);
    QVERIFY(!Screens::existing(QStringLiteral("FormDelete")));
    QTRY_VERIFY(deleteScreen.isNull());
}

void TestMainWindow::closingWithMaintenanceOpenKeepsItRunning()
{
    QPointer<QWidget> maintenance = Screens::bringToFront(QStringLiteral("FormMaintenance"));
    QPointer<QWidget> screen = Screens::bringToFront(QStringLiteral("FormScreenA"));
    QVERIFY(maintenance->isWindow());
    QVERIFY(maintenance->isVisible());
    QSignalSpy ending(m_main.get(), &shell::MDIFormMain::programEnding);
    QVERIFY(m_main->close());
    QCOMPARE(ending.size(), 0);
    QVERIFY(!m_main->isVisible());
    QVERIFY(maintenance->isVisible());
    // The screens behind the main window are closed; the maintenance window stays.
    QTRY_VERIFY(screen.isNull());
    QVERIFY(!maintenance.isNull());

    // Shown again (by the maintenance window), it starts anew with the setup menu.
    QSignalSpy started(m_main.get(), &shell::MDIFormMain::started);
    m_main->show();
    QTRY_COMPARE(started.size(), 1);
    QVERIFY(m_main->isVisible());
    QCOMPARE(twipsX(m_main->width()), startWidth());
    if (Screens::isRegistered(QStringLiteral("FormMenu")))
        QVERIFY(Screens::isVisible(QStringLiteral("FormMenu")));
}

// The user ends the program with a company's edits that the engine refuses to
// store: they are told why, and the program stays until the edits are stored.
void TestMainWindow::closingStoresPendingEditsOrStaysOpen()
{
    const qint64 key = test::insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "Alpha Steel" }, { "TEXT20", "Company" } });
    QPointer<QWidget> companies = Screens::bringToFront(QStringLiteral("FormCompanies"));
    QVERIFY(companies);
    auto* select = test::findControl<QComboBox>(companies, "DBComboSelect");
    emit select->activated(select->findText(QStringLiteral("Alpha Steel")));
    test::findControl<QPushButton>(companies, "CommandEdit")->click();
    QTest::keyClicks(test::findControl<QLineEdit>(companies, "TEXT03"), "PO Box 7");
    QVERIFY(test::businessDatabase().execute(
        QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON TABLE01 "
                       "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END")));
    QSignalSpy ending(m_main.get(), &shell::MDIFormMain::programEnding);

    QVERIFY(!m_main->close());
    QCOMPARE(ending.size(), 0);
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.at(0).text.contains(QStringLiteral("the disk is full")));
    QVERIFY(m_main->isVisible());
    QCOMPARE(Screens::existing(QStringLiteral("FormCompanies")), companies.data());

    QVERIFY(test::businessDatabase().execute(QStringLiteral("DROP TRIGGER refuse")));
    QVERIFY(m_main->close());
    QCOMPARE(ending.size(), 1);
    QCOMPARE(test::businessDatabase()
                 .scalar(QStringLiteral("SELECT TEXT03 FROM TABLE01 WHERE AUTONUMBER = ?"), { key })
                 .toString(),
        QStringLiteral("PO Box 7"));
    QTRY_VERIFY(companies.isNull());
}

void TestMainWindow::everyWindowCarriesTheProgramIcon()
{
    const QIcon icon = QApplication::windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.availableSizes().isEmpty() || !icon.pixmap(32, 32).isNull());
    ui::WordWindow word;
    ui::MailWindow mail { office::MailItem() };
    ui::AgendaWindow agenda(m_folder->filePath(QStringLiteral("Agenda.ics")));
    QPointer<shell::FormHelp> manual = shell::FormHelp::showPage(m_main.get(), 1);
    QVERIFY(manual);
    for (QWidget* window : { static_cast<QWidget*>(&word), static_cast<QWidget*>(&mail),
             static_cast<QWidget*>(&agenda), static_cast<QWidget*>(manual.data()),
             static_cast<QWidget*>(m_main.get()) })
        QVERIFY2(window->windowIcon().cacheKey() == icon.cacheKey()
                || window->windowIcon().pixmap(32, 32).toImage() == icon.pixmap(32, 32).toImage(),
            qPrintable(window->objectName()));
    delete manual;
}

VANTREL_TEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
