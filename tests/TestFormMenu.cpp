#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "shell/FormHelp.h"
#include "shell/FormMenu.h"
#include "ui/Screens.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"

#include "Controls.h"
#include "TestFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPdfWriter>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace vantrel;
using shell::FormMenu;

namespace {

void writePdf(const QString& path, int pages)
{
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(100, 100, QString("Page %1").arg(page));
    }
}

// The screens behind the menu's buttons, as the composition root makes them available.
void registerMenuScreens()
{
    for (const char* name : { "FormMastertables", "FormImport", "FormDelete", "FormSupport",
             "FormMaintenance", "FormImportSales", "FormExport" })
        ui::Screens::registerScreen(QLatin1String(name), [] { return new QWidget; });
}

const char* const lockedCommands[] = { "CommandMastertables", "CommandImport", "CommandSize" };

// A program folder with its databases and a main window holding the menu.
struct MenuFixture {
    MenuFixture()
    {
        folder.createDatabases();
        registerMenuScreens();
        main.setObjectName("MDIFormMain");
        main.setWindowTitle("Main Menu");
        auto* layout = new QVBoxLayout(&main);
        menu = new FormMenu(&main);
        layout->addWidget(menu);
        main.resize(700, 560);
        main.show();
        menu->screenActivated();
        auto handler = std::make_unique<platform::RecordingMessageBoxHandler>();
        messages = handler.get();
        platform::MessageBox::setHandler(std::move(handler));
    }
    ~MenuFixture() { platform::MessageBox::setHandler(nullptr); }

    template <class T = QPushButton> T* control(const char* name) const
    {
        return test::findControl<T>(menu, name);
    }
    QLineEdit* password() const { return control<QLineEdit>("TextPassword"); }
    QGroupBox* frame() const { return control<QGroupBox>("FramePassword"); }
    bool unlocked() const
    {
        for (const char* name : lockedCommands) {
            if (!control(name)->isEnabled())
                return false;
        }
        return control<QLabel>("LabelSize")->isEnabled();
    }
    QString storedPassword() const
    {
        data::Database db;
        data::openBusinessDatabase(db);
        return db.scalar("SELECT TEXT02 FROM TABLE02").toString();
    }
    // Closed and opened again: a new screen.
    void reopen()
    {
        delete menu;
        menu = new FormMenu(&main);
        main.layout()->addWidget(menu);
        menu->show();
        menu->screenActivated();
    }
    void changePasswordTo(const QString& password)
    {
        QTest::mouseClick(control("CommandEnter"), Qt::LeftButton);
        QTest::mouseClick(control("CommandChange"), Qt::LeftButton);
        QLineEdit* newPassword = control<QLineEdit>("TextNewPassword");
        QTest::keyClicks(newPassword, password);
        QTest::mouseClick(control("CommandSave"), Qt::LeftButton);
    }

    test::TestFolder folder;
    QWidget main;
    FormMenu* menu = nullptr;
    platform::RecordingMessageBoxHandler* messages = nullptr;
};

} // namespace

class TestFormMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void loadMakesTheFoldersAndLocksTheAdvancedOptions();
    void defaultPasswordUnlocksAtOnce();
    void changedPasswordRefusesTheDefault();
    void lettersCaseCounts();
    void changeNeedsTheCurrentPassword();
    void clickIntoTheBoxEmptiesAndMasksIt();
    void activationRefillsTheDefaultWithoutLocking();
    void missingDatabaseIsReportedAndKeepsTheMenuLocked();
    void screenButtonsAppendTheirCaption();
    void documentsAndWebPagesOpenThroughTheDesktop();
    void hintsExplainTheButtons();
};

void TestFormMenu::initTestCase()
{
    QCoreApplication::setApplicationVersion("2.7.1");
}

void TestFormMenu::loadMakesTheFoldersAndLocksTheAdvancedOptions()
{
    test::TestFolder folder;
    folder.createDatabases();
    registerMenuScreens();
    QVERIFY(QDir().mkdir("Documents"));
    QFile kept("Documents/kept.txt");
    QVERIFY(kept.open(QIODevice::WriteOnly));
    kept.close();

    FormMenu menu;
    for (const char* name : { "Temp", "Documents", "Attachments" })
        QVERIFY2(QDir(name).exists(), name);
    QVERIFY(QFile::exists("Documents/kept.txt"));

    QCOMPARE(menu.objectName(), QStringLiteral("FormMenu"));
    QCOMPARE(menu.findChild<QLabel*>("LabelTitle")->text(), QStringLiteral("Vantrel"));
    QCOMPARE(menu.findChild<QLabel*>("LabelVersion")->text(), QStringLiteral("Version 2.7"));
    QCOMPARE(
        menu.findChild<QGroupBox*>("FrameAdvanced")->title(), QStringLiteral("Advanced Options"));
    QCOMPARE(menu.findChild<QGroupBox*>("FrameOther")->title(), QStringLiteral("Other Options"));
    QCOMPARE(
        menu.findChild<QGroupBox*>("FrameSetup")->title(), QStringLiteral("Setup and Maintenance"));
    QCOMPARE(menu.findChild<QLabel*>("LabelCheckVersion")->text(),
        QStringLiteral("Check for New Versions"));
    QVERIFY(menu.findChild<QGroupBox*>("FramePassword")->title().isEmpty());
    for (const char* name : lockedCommands)
        QVERIFY2(!menu.findChild<QPushButton*>(name)->isEnabled(), name);
    for (const char* name : { "LabelMastertables", "LabelImport", "LabelSize" })
        QVERIFY2(!menu.findChild<QLabel*>(name)->isEnabled(), name);
    for (const char* name : { "CommandSlideShow", "CommandManual", "CommandSupport",
             "CommandMaintenance", "CommandImportSales", "CommandExport", "CommandUpgrade" })
        QVERIFY2(menu.findChild<QPushButton*>(name)->isEnabled(), name);
    for (const char* name :
        { "CommandChange", "CommandSave", "TextNewPassword", "LabelNewPassword" })
        QVERIFY2(menu.findChild<QWidget*>(name)->isHidden(), name);
}

void TestFormMenu::defaultPasswordUnlocksAtOnce()
{
    MenuFixture f;
    QCOMPARE(f.password()->text(), QStringLiteral("Keystone"));
    QCOMPARE(f.password()->echoMode(), QLineEdit::Normal);

    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QVERIFY(f.unlocked());
    QCOMPARE(f.frame()->title(), QStringLiteral("Advanced Setup Enabled"));
    QCOMPARE(f.frame()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(f.control("CommandChange")->isVisible());
    QVERIFY(f.messages->shown.isEmpty());
}

void TestFormMenu::changedPasswordRefusesTheDefault()
{
    MenuFixture f;
    f.changePasswordTo("Harbour 7");
    QVERIFY(f.messages->shown.isEmpty());
    QCOMPARE(f.storedPassword(), QStringLiteral("Harbour 7"));
    {
        data::Database db;
        QVERIFY(data::openBusinessDatabase(db));
        QCOMPARE(db.scalar("SELECT TEXT01 FROM TABLE02").toString(), QStringLiteral("Harbour 7"));
    }
    QCOMPARE(f.password()->text(), QStringLiteral("Harbour 7"));
    QVERIFY(f.control<QLineEdit>("TextNewPassword")->isHidden());
    QVERIFY(f.control("CommandChange")->isVisible());

    // Reopened, the menu is locked again and the pre-filled default is refused.
    f.reopen();
    QVERIFY(!f.unlocked());
    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QVERIFY(!f.unlocked());
    QCOMPARE(f.frame()->title(), QStringLiteral("INCORRECT PASSWORD"));
    QCOMPARE(f.frame()->palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(f.password()->text().isEmpty());
    QCOMPARE(f.password()->echoMode(), QLineEdit::Password);
    QVERIFY(f.control("CommandChange")->isHidden());
    // The caption's colour stays in the caption.
    QVERIFY(f.control<QLabel>("LabelNewPassword")->palette().color(QPalette::WindowText)
        != QColor(Qt::red));

    QTest::keyClicks(f.password(), "Harbour 7");
    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QVERIFY(f.unlocked());
    QCOMPARE(f.frame()->title(), QStringLiteral("Advanced Setup Enabled"));
}

void TestFormMenu::lettersCaseCounts()
{
    MenuFixture f;
    f.changePasswordTo("Secret");
    for (const char* attempt : { "secret", "SECRET", "Secret " }) {
        QTest::mouseClick(f.password(), Qt::LeftButton);
        QTest::keyClicks(f.password(), attempt);
        QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
        QCOMPARE(f.frame()->title(), QStringLiteral("INCORRECT PASSWORD"));
    }
    // A wrong password after a correct one does not lock the menu again.
    QVERIFY(f.unlocked());

    f.reopen();
    QTest::mouseClick(f.password(), Qt::LeftButton);
    QTest::keyClicks(f.password(), "secret");
    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QVERIFY(!f.unlocked());
}

void TestFormMenu::changeNeedsTheCurrentPassword()
{
    MenuFixture f;
    // Before a correct Enter there is no Change button to click.
    QVERIFY(f.control("CommandChange")->isHidden());

    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QTest::mouseClick(f.password(), Qt::LeftButton);
    QTest::keyClicks(f.password(), "Keyston");
    QTest::mouseClick(f.control("CommandChange"), Qt::LeftButton);
    QCOMPARE(f.messages->shown.size(), 1);
    QCOMPARE(f.messages->shown.first().text,
        QStringLiteral("Please enter your current password first."));
    QCOMPARE(f.messages->shown.first().title, QStringLiteral("Vantrel"));
    QCOMPARE(f.messages->shown.first().buttons, int(platform::MessageBox::Ok));
    QVERIFY(f.control<QLineEdit>("TextNewPassword")->isHidden());
    QCOMPARE(f.storedPassword(), QStringLiteral("Keystone"));

    QTest::keyClick(f.password(), Qt::Key_E);
    QTest::mouseClick(f.control("CommandChange"), Qt::LeftButton);
    QCOMPARE(f.messages->shown.size(), 1);
    QVERIFY(f.control<QLabel>("LabelNewPassword")->isVisible());
    QVERIFY(f.control<QLineEdit>("TextNewPassword")->isVisible());
    QVERIFY(f.control<QLineEdit>("TextNewPassword")->text().isEmpty());
    QVERIFY(f.control("CommandSave")->isVisible());
    QVERIFY(f.control("CommandChange")->isHidden());
}

void TestFormMenu::clickIntoTheBoxEmptiesAndMasksIt()
{
    MenuFixture f;
    QTest::mouseClick(f.password(), Qt::LeftButton);
    QVERIFY(f.password()->text().isEmpty());
    QTest::keyClicks(f.password(), "Keystone");
    QCOMPARE(f.password()->echoMode(), QLineEdit::Password);
    QCOMPARE(f.password()->displayText(), QStringLiteral("********"));
    QTest::keyClick(f.password(), Qt::Key_Return);
    QVERIFY(f.unlocked());
}

void TestFormMenu::activationRefillsTheDefaultWithoutLocking()
{
    MenuFixture f;
    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QTest::mouseClick(f.password(), Qt::LeftButton);
    QTest::keyClicks(f.password(), "something");
    f.menu->screenActivated();
    QCOMPARE(f.password()->text(), QStringLiteral("Keystone"));
    // Masking, once on, stays on.
    QCOMPARE(f.password()->echoMode(), QLineEdit::Password);
    QVERIFY(f.unlocked());
}

void TestFormMenu::missingDatabaseIsReportedAndKeepsTheMenuLocked()
{
    MenuFixture f;
    QVERIFY(QFile::rename("CONTACT.mdb", "CONTACT.away"));
    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QVERIFY(!f.unlocked());
    QCOMPARE(f.messages->shown.size(), 1);
    QVERIFY(f.messages->shown.first().text.startsWith("An error has occurred. "));
    QVERIFY(!QFile::exists("CONTACT.mdb"));

    // A new password that cannot be stored is not lost from the box.
    QVERIFY(QFile::rename("CONTACT.away", "CONTACT.mdb"));
    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QTest::mouseClick(f.control("CommandChange"), Qt::LeftButton);
    QTest::keyClicks(f.control<QLineEdit>("TextNewPassword"), "Lighthouse");
    QVERIFY(QFile::rename("CONTACT.mdb", "CONTACT.away"));
    QTest::mouseClick(f.control("CommandSave"), Qt::LeftButton);
    QCOMPARE(f.messages->shown.size(), 2);
    QVERIFY(f.control<QLineEdit>("TextNewPassword")->isVisible());
    QCOMPARE(f.control<QLineEdit>("TextNewPassword")->text(), QStringLiteral("Lighthouse"));
    QVERIFY(QFile::rename("CONTACT.away", "CONTACT.mdb"));
    QTest::mouseClick(f.control("CommandSave"), Qt::LeftButton);
    QCOMPARE(f.storedPassword(), QStringLiteral("Lighthouse"));
}

void TestFormMenu::screenButtonsAppendTheirCaption()
{
    MenuFixture f;
    QPointer<QWidget> made;
    ui::Screens::registerScreen("FormMastertables", [&made] { return made = new QWidget; });
    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QTest::mouseClick(f.control("CommandMastertables"), Qt::LeftButton);
    QTest::mouseClick(f.control("CommandMastertables"), Qt::LeftButton);
    QVERIFY(made && made->isVisible());
    QCOMPARE(f.main.windowTitle(), QStringLiteral("Main Menu - Mastertables - Mastertables"));

    // A screen that is not there yet: its button is greyed and its hint says why.
    ui::Screens::registerScreen("FormSupport", {});
    ui::Screens::registerScreen("FormDelete", {});
    f.reopen();
    QVERIFY(!f.control("CommandSupport")->isEnabled());
    QVERIFY(!f.control<QLabel>("LabelSupport")->isEnabled());
    QTest::mouseClick(f.control("CommandEnter"), Qt::LeftButton);
    QVERIFY(f.control("CommandImport")->isEnabled());
    QVERIFY(!f.control("CommandSize")->isEnabled()); // unlocked, still not there
    QVERIFY(QTest::qWaitForWindowExposed(&f.main));
    QTest::mouseMove(f.control("CommandSupport"));
    QTRY_COMPARE(f.control<QLabel>("LabelHelp")->text(),
        QStringLiteral("Not available in this version of Vantrel yet. Request technical support "
                       "or contact Orvane."));
    QTest::mouseClick(f.control("CommandSupport"), Qt::LeftButton);
    QCOMPARE(f.main.windowTitle(), QStringLiteral("Main Menu - Mastertables - Mastertables"));
    QVERIFY(f.messages->shown.isEmpty());
    QVERIFY(!ui::Screens::existing("FormSupport"));

    // Once it lands, the menu offers it the next time it comes to the front.
    ui::Screens::registerScreen("FormSupport", [] { return new QWidget; });
    f.menu->screenActivated();
    QVERIFY(f.control("CommandSupport")->isEnabled());
    QVERIFY(f.control<QLabel>("LabelSupport")->isEnabled());
    QTest::mouseMove(f.control("CommandManual"));
    QTest::mouseMove(f.control("CommandSupport"));
    QTRY_COMPARE(f.control<QLabel>("LabelHelp")->text(),
        QStringLiteral("Request technical support or contact Orvane."));
    QTest::mouseClick(f.control("CommandSupport"), Qt::LeftButton);
    QCOMPARE(f.main.windowTitle(),
        QStringLiteral("Main Menu - Mastertables - Mastertables - Technical Support"));
    ui::Screens::closeAll();
}

void TestFormMenu::documentsAndWebPagesOpenThroughTheDesktop()
{
    MenuFixture f;
    auto opener = std::make_unique<platform::RecordingOpener>();
    platform::RecordingOpener* opened = opener.get();
    platform::Desktop::setOpener(std::move(opener));

    // Without the file the program's own viewer says that it is missing.
    QTest::mouseClick(f.control("CommandManual"), Qt::LeftButton);
    QPointer<shell::FormHelp> viewer = f.main.findChild<shell::FormHelp*>();
    QVERIFY(viewer && viewer->isVisible());
    QVERIFY(viewer->findChild<QLabel*>("LabelMissing")->text().startsWith("The user manual "));
    QTest::mouseClick(f.control("CommandSlideShow"), Qt::LeftButton);
    QVERIFY(viewer->findChild<QLabel*>("LabelMissing")->text().startsWith("The slide show "));
    QVERIFY(viewer->findChild<QLabel*>("LabelMissing")->text().contains("Presentation.pdf"));
    QVERIFY(opened->opened.isEmpty());
    delete viewer;

    for (const char* name : { "Help.pdf", "Presentation.pdf" }) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QTest::mouseClick(f.control("CommandSlideShow"), Qt::LeftButton);
    QTest::mouseClick(f.control("CommandManual"), Qt::LeftButton);
    // F1 on the menu opens the whole manual, not the viewer.
    QTest::keyRelease(f.password(), Qt::Key_F1);
    QTest::mouseClick(f.control("CommandUpgrade"), Qt::LeftButton);
    QTest::mouseClick(f.control<QLabel>("LabelWebsite"), Qt::LeftButton);

    QCOMPARE(opened->opened.size(), 5);
    QCOMPARE(opened->opened.at(0), QUrl::fromLocalFile(f.folder.filePath("Presentation.pdf")));
    QCOMPARE(opened->opened.at(1), QUrl::fromLocalFile(f.folder.filePath("Help.pdf")));
    QCOMPARE(opened->opened.at(2), QUrl::fromLocalFile(f.folder.filePath("Help.pdf")));
    QCOMPARE(opened->opened.at(3), QUrl("https://vantrel.example/Version.htm"));
    QCOMPARE(opened->opened.at(4), QUrl("https://vantrel.example/"));
    QVERIFY(!f.main.findChild<shell::FormHelp*>());
    QVERIFY(f.messages->shown.isEmpty());

    // Without a PDF viewer on the desktop both open in the program's own viewer; without a
    // browser the web pages say why.
    opened->succeed = false;
    writePdf(f.folder.filePath("Help.pdf"), 3);
    writePdf(f.folder.filePath("Presentation.pdf"), 2);
    QTest::mouseClick(f.control("CommandManual"), Qt::LeftButton);
    viewer = f.main.findChild<shell::FormHelp*>();
    QVERIFY(viewer && viewer->isVisible());
    QVERIFY(viewer->findChild<QLabel*>("LabelMissing")->isHidden());
    QCOMPARE(viewer->currentPage(), 1);
    QTest::mouseClick(f.control("CommandSlideShow"), Qt::LeftButton);
    QCOMPARE(f.main.findChild<shell::FormHelp*>(), viewer.data());
    QCOMPARE(viewer->findChild<QPdfView*>("WebBrowser1")->document()->pageCount(), 2);
    QVERIFY(f.messages->shown.isEmpty());
    QTest::mouseClick(f.control<QLabel>("LabelWebsite"), Qt::LeftButton);
    QCOMPARE(f.messages->shown.size(), 1);
    QCOMPARE(f.messages->shown.first().text,
        QStringLiteral("No web browser is set up on this computer to open vantrel.example."));
    QCOMPARE(f.messages->shown.first().icon, platform::MessageBox::Icon::Warning);
    delete viewer;
    platform::Desktop::setOpener(nullptr);
}

void TestFormMenu::hintsExplainTheButtons()
{
    MenuFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.main));
    auto* help = f.control<QGroupBox>("FrameHelp");
    auto* text = f.control<QLabel>("LabelHelp");

    QTest::mouseMove(f.password());
    QTRY_VERIFY(help->isVisible());
    QCOMPARE(text->text(),
        QStringLiteral("The Advanced Setup Menu is Password protected. The default password is "
                       "'Keystone'. Change this in order to restrict access. Passwords are "
                       "case sensitive."));
    // The locked buttons explain themselves too.
    QTest::mouseMove(f.control("CommandSize"));
    QTRY_VERIFY(text->text().contains("The database can contain 2 GB of data."));
    QTest::mouseMove(f.control("CommandImportSales"));
    QTRY_VERIFY(
        text->text().contains("on your PC or network.This action can be done periodically"));
    QTest::mouseMove(f.control("CommandManual"));
    QTRY_COMPARE(text->text(), QStringLiteral("Display the user manual."));

    auto* website = f.control<QLabel>("LabelWebsite");
    QTest::mouseMove(website);
    QTRY_COMPARE(website->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QTest::mouseMove(f.menu, QPoint(f.menu->width() - 3, f.menu->height() - 3));
    QTRY_VERIFY(help->isHidden());
    QCOMPARE(website->palette().color(QPalette::WindowText), QColor(Qt::black));
}

VANTREL_TEST_MAIN(TestFormMenu)
#include "TestFormMenu.moc"
