#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "companies/FormArchive.h"
#include "companies/FormCompanies.h"
#include "data/BoundView.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "ui/PrinterProvider.h"

#include "PdfPrinterProvider.h"
#include "data/Clock.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "shell/MDIFormMain.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "TestFolder.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace vantrel;
using companies::FormArchive;
using companies::FormCompanies;

using test::businessDatabase;
using test::PdfPrinterProvider;

namespace {

const QDate today(2026, 3, 11);

qint64 insertCompany(const QVariantMap& values)
{
    return test::insertRow(QStringLiteral("TABLE01"), values);
}

QVariant stored(qint64 key, const QString& column)
{
    return businessDatabase().scalar(
        QStringLiteral("SELECT %1 FROM TABLE01 WHERE AUTONUMBER = ?").arg(column), { key });
}

} // namespace

class TestFormCompanies : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listOfOneSalesPersonIsStoredAndMayBeEmpty();
    void viewModeHidesEmptyFieldsEditModeShowsAll();
    void visitFrequencyZeroIsHiddenAndLettersEmptyIt();
    void newCompanyIsEnteredTodayAndSaved();
    void listsFollowNewCompaniesAndNewSalesPeople();
    void archiveAsksAndKeepsTheChildRows();
    void googleMapsPutsTheAddressOnTheClipboard();
    void toolBarActsOnTheFocusedBox();
    void daysOverdueIsRecomputedWhenShown();
    void websiteOpensWebAddressesOnly();
    void printsALandscapeImageOfTheScreen();
    void otherScreensWriteIntoTheCurrentCompany();
    void editsThatCannotBeStoredAreReportedAndKept();
    void listsThatCannotBeReadAreReported();

private:
    template <class T = QWidget> T* control(QWidget* screen, const char* name)
    {
        return test::findControl<T>(screen, name);
    }
    void pick(FormCompanies* screen, const QString& name);

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    platform::RecordingOpener* m_opener = nullptr;
};

void TestFormCompanies::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
    data::Clock::setFixed(QDateTime(today, QTime(9, 0)));
    data::Database db = businessDatabase();
    for (const char* person : { "Tom Reyes", "D'Arcy Lane", "Anna Berg" })
        db.execute(
            QStringLiteral("INSERT INTO MT12 (TEXT01) VALUES (?)"), { QString::fromUtf8(person) });
}

void TestFormCompanies::cleanup()
{
    ui::Screens::closeAll();
    data::Clock::reset();
    platform::MessageBox::setHandler(nullptr);
    platform::Desktop::setOpener(nullptr);
    ui::PrinterProvider::setInstance(nullptr);
    m_folder.reset();
}

void TestFormCompanies::pick(FormCompanies* screen, const QString& name)
{
    auto* select = control<QComboBox>(screen, "DBComboSelect");
    const int index = select->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    select->setCurrentIndex(index);
    emit select->activated(index);
    QCOMPARE(screen->companyValue(QStringLiteral("TEXT01")).toString(), name);
}

void TestFormCompanies::listOfOneSalesPersonIsStoredAndMayBeEmpty()
{
    insertCompany(
        { { "TEXT01", "Zeta Mills" }, { "TEXT18", "D'Arcy Lane" }, { "TEXT20", "Company" } });
    insertCompany(
        { { "TEXT01", "Alpha Steel" }, { "TEXT18", "Tom Reyes" }, { "TEXT20", "Company" } });
    insertCompany(
        { { "TEXT01", "Beta Works" }, { "TEXT18", "D'Arcy Lane" }, { "TEXT20", "Company" } });
    insertCompany(
        { { "TEXT01", "Gone Ltd" }, { "TEXT18", "D'Arcy Lane" }, { "TEXT20", "Archive" } });
    FormCompanies screen;
    screen.show();
    QVERIFY(control<QRadioButton>(&screen, "Option1")->isChecked());
    QVERIFY(control(&screen, "DBComboName")->isHidden());
    QCOMPARE(screen.view()->rowCount(), 3);
    QCOMPARE(
        screen.companyValue(QStringLiteral("TEXT01")).toString(), QStringLiteral("Alpha Steel"));
    QCOMPARE(control<QComboBox>(&screen, "DBComboSelect")->currentText(), QString());
    QCOMPARE(control<QComboBox>(&screen, "DBComboSelect")->placeholderText(),
        QStringLiteral("Select a Company..."));

    // My Companies: the name combo lists the sales people in order.
    control<QRadioButton>(&screen, "Option2")->click();
    auto* names = control<QComboBox>(&screen, "DBComboName");
    QVERIFY(!names->isHidden());
    QVERIFY(!control(&screen, "LabelName")->isHidden());
    QCOMPARE(names->itemText(0), QStringLiteral("Anna Berg"));
    const int darcy = names->findText(QStringLiteral("D'Arcy Lane"));
    emit names->activated(darcy);
    QVERIFY(control(&screen, "LabelName")->isHidden());
    QCOMPARE(screen.view()->rowCount(), 2);
    QCOMPARE(
        screen.companyValue(QStringLiteral("TEXT01")).toString(), QStringLiteral("Beta Works"));

    // A sales person without companies: an empty list and an information line without a name.
    emit names->activated(names->findText(QStringLiteral("Anna Berg")));
    QCOMPARE(screen.view()->rowCount(), 0);
    QVERIFY(!screen.companyKey().isValid());
    QCOMPARE(
        control<QLabel>(&screen, "LabelInformation")->text(), QStringLiteral(" was entered on "));
    data::Database user;
    QVERIFY(data::openUserDatabase(user));
    QCOMPARE(user.scalar(QStringLiteral("SELECT TEXT03 FROM TABLE02")).toString(),
        QStringLiteral("Anna Berg"));

    // The choice is where the next screen starts.
    FormCompanies again;
    QVERIFY(control<QRadioButton>(&again, "Option2")->isChecked());
    QCOMPARE(control<QComboBox>(&again, "DBComboName")->currentText(), QStringLiteral("Anna Berg"));
    QCOMPARE(again.view()->rowCount(), 0);
    control<QRadioButton>(&again, "Option1")->click();
    QCOMPARE(again.view()->rowCount(), 3);
    QCOMPARE(user.scalar(QStringLiteral("SELECT TEXT03 FROM TABLE02")).toString(),
        QStringLiteral("All Companies"));
}

void TestFormCompanies::viewModeHidesEmptyFieldsEditModeShowsAll()
{
    const qint64 key = insertCompany(
        { { "TEXT01", "Alpha Steel" }, { "TEXT06", "1 Dock Road" }, { "TEXT20", "Company" } });
    businessDatabase().execute(QStringLiteral("INSERT INTO MT12 (TEXT01) VALUES ('Bea Zorn')"));
    FormCompanies screen;
    screen.show();
    auto* frame = control<QGroupBox>(&screen, "Frame1");
    QVERIFY(!frame->isEnabled());
    QCOMPARE(frame->title(), QString());
    for (const char* hidden : { "TEXT03", "Label03", "TEXT07", "TEXT18", "Label18", "MEMO01",
             "LabelM01", "CommandZoomNotes", "NUMBER01", "LabelN01" })
        QVERIFY2(control(&screen, hidden)->isHidden(), hidden);
    for (const char* shown : { "TEXT01", "Label01", "TEXT06", "Label06" })
        QVERIFY2(!control(&screen, shown)->isHidden(), shown);
    QVERIFY(control(&screen, "DBCombo12_18")->isHidden());

    control<QPushButton>(&screen, "CommandEdit")->click();
    QVERIFY(frame->isEnabled());
    QCOMPARE(frame->title(), QStringLiteral("Edit Mode"));
    QVERIFY(control(&screen, "CommandEdit")->isHidden());
    QVERIFY(!control(&screen, "CommandSave")->isHidden());
    for (const char* shown : { "TEXT03", "Label03", "TEXT07", "MEMO01", "LabelM01",
             "CommandZoomNotes", "NUMBER01", "Label18", "DBCombo12_18", "DBCombo13_19",
             "DBCombo02_15", "DBCombo10_17", "DBCombo08_09", "DBCombo03_13", "DBCombo01_14" })
        QVERIFY2(!control(&screen, shown)->isHidden(), shown);
    for (const char* hidden :
        { "TEXT18", "TEXT19", "TEXT17", "TEXT15", "TEXT14", "TEXT13", "TEXT09" })
        QVERIFY2(control(&screen, hidden)->isHidden(), hidden);

    // The edit mode fits the size the main window gives its screens at start: the
    // frame scrolls rather than squeezing its boxes.
    QVERIFY(screen.minimumSizeHint().height() <= 502);

    // The combo lists its master table in order and fills its field.
    auto* people = control<QComboBox>(&screen, "DBCombo12_18");
    QCOMPARE(people->count(), 4);
    QCOMPARE(people->itemText(0), QStringLiteral("Anna Berg"));
    QCOMPARE(people->itemText(3), QStringLiteral("Tom Reyes"));
    emit people->activated(people->findText(QStringLiteral("D'Arcy Lane")));
    QCOMPARE(control<QLineEdit>(&screen, "TEXT18")->text(), QStringLiteral("D'Arcy Lane"));
    QTest::keyClicks(control<QLineEdit>(&screen, "TEXT03"), "PO Box 7");

    control<QPushButton>(&screen, "CommandSave")->click();
    QVERIFY(!frame->isEnabled());
    QVERIFY(control(&screen, "CommandSave")->isHidden());
    QVERIFY(!control(&screen, "TEXT18")->isHidden());
    QVERIFY(!control(&screen, "TEXT03")->isHidden());
    QVERIFY(control(&screen, "DBCombo12_18")->isHidden());
    QCOMPARE(stored(key, QStringLiteral("TEXT18")).toString(), QStringLiteral("D'Arcy Lane"));
    QCOMPARE(stored(key, QStringLiteral("TEXT03")).toString(), QStringLiteral("PO Box 7"));
}

void TestFormCompanies::visitFrequencyZeroIsHiddenAndLettersEmptyIt()
{
    const qint64 key = insertCompany(
        { { "TEXT01", "Alpha Steel" }, { "NUMBER01", 0 }, { "TEXT20", "Company" } });
    FormCompanies screen;
    screen.show();
    QVERIFY(control(&screen, "NUMBER01")->isHidden());
    QVERIFY(control(&screen, "LabelN01")->isHidden());
    control<QPushButton>(&screen, "CommandEdit")->click();
    auto* frequency = control<QLineEdit>(&screen, "NUMBER01");
    frequency->clear();
    QTest::keyClicks(frequency, "abc");
    QCOMPARE(frequency->text(), QString());
    QTest::keyClicks(frequency, "14");
    QCOMPARE(frequency->text(), QStringLiteral("14"));
    QTest::keyClick(frequency, Qt::Key_X);
    QCOMPARE(frequency->text(), QString());
    QTest::keyClicks(frequency, "21");
    control<QPushButton>(&screen, "CommandSave")->click();
    QCOMPARE(stored(key, QStringLiteral("NUMBER01")).toInt(), 21);
    QVERIFY(!frequency->isHidden());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFormCompanies::newCompanyIsEnteredTodayAndSaved()
{
    insertCompany({ { "TEXT01", "Alpha Steel" }, { "TEXT20", "Company" } });
    FormCompanies screen;
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    control<QPushButton>(&screen, "CommandNew")->click();
    // The cursor waits in the company's name; Tab reads down the left half.
    QCOMPARE(QApplication::focusWidget(), control(&screen, "TEXT01"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control(&screen, "TEXT02"));
    QVERIFY(screen.isEditMode());
    QVERIFY(screen.view()->isNewRow());
    QCOMPARE(screen.companyValue(QStringLiteral("DATE03")).toDate(), today);
    QCOMPARE(screen.companyValue(QStringLiteral("TEXT20")).toString(), QStringLiteral("Company"));
    QVERIFY(control<QLabel>(&screen, "LabelInformation")
                ->text()
                .startsWith(QStringLiteral("Entered on ")));
    QTest::keyClicks(control<QLineEdit>(&screen, "TEXT01"), "Mc'Gill's Bakery");
    control<QPushButton>(&screen, "CommandSave")->click();
    QVERIFY(m_messages->shown.isEmpty());
    const QVariant key = screen.companyKey();
    QVERIFY(key.isValid());
    QCOMPARE(stored(key.toLongLong(), QStringLiteral("TEXT01")).toString(),
        QStringLiteral("Mc'Gill's Bakery"));
    QCOMPARE(stored(key.toLongLong(), QStringLiteral("DATE03")).toDate(), today);
    QCOMPARE(
        stored(key.toLongLong(), QStringLiteral("TEXT20")).toString(), QStringLiteral("Company"));
    QVERIFY(control<QLabel>(&screen, "LabelInformation")
                ->text()
                .startsWith(QStringLiteral("Mc'Gill's Bakery was entered on ")));
}

void TestFormCompanies::listsFollowNewCompaniesAndNewSalesPeople()
{
    insertCompany({ { "TEXT01", "Alpha Steel" }, { "TEXT20", "Company" } });
    insertCompany({ { "TEXT01", "Zeta Mills" }, { "TEXT20", "Company" } });
    shell::MDIFormMain main;
    main.show();
    auto* screen = ui::Screens::bringToFront<FormCompanies>(QStringLiteral("FormCompanies"));
    QVERIFY(screen);
    control<QPushButton>(screen, "CommandNew")->click();
    QTest::keyClicks(control<QLineEdit>(screen, "TEXT01"), "Mc'Gill's Bakery");
    control<QPushButton>(screen, "CommandSave")->click();
    auto* select = control<QComboBox>(screen, "DBComboSelect");
    QCOMPARE(select->count(), 3);
    QCOMPARE(select->itemText(1), QStringLiteral("Mc'Gill's Bakery"));
    QCOMPARE(select->itemText(2), QStringLiteral("Zeta Mills"));
    QCOMPARE(screen->companyValue(QStringLiteral("TEXT01")).toString(),
        QStringLiteral("Mc'Gill's Bakery"));
    pick(screen, QStringLiteral("Zeta Mills"));

    // A sales person entered in the master tables while the screen stays open.
    auto* names = control<QComboBox>(screen, "DBComboName");
    QCOMPARE(names->findText(QStringLiteral("Bea Hall")), -1);
    test::insertRow(QStringLiteral("MT12"), { { "TEXT01", "Bea Hall" } });
    QVERIFY(ui::Screens::bringToFront(QStringLiteral("FormArchive")));
    QVERIFY(ui::Screens::bringToFront(QStringLiteral("FormCompanies")));
    QCOMPARE(names->count(), 4);
    QCOMPARE(names->itemText(1), QStringLiteral("Bea Hall"));
    QVERIFY(m_messages->shown.isEmpty());
    ui::Screens::closeAll();
}

void TestFormCompanies::archiveAsksAndKeepsTheChildRows()
{
    insertCompany({ { "TEXT01", "Alpha Steel" }, { "TEXT20", "Company" } });
    const qint64 key = insertCompany({ { "TEXT01", "O'Brien & Sons" }, { "TEXT20", "Company" } });
    {
        data::Database db = businessDatabase();
        QVERIFY(db.execute(
            QStringLiteral("INSERT INTO TABLE03 (NUMBER01, TEXT02) VALUES (?, 'Mary')"), { key }));
        QVERIFY(db.execute(QStringLiteral("INSERT INTO TABLE08 (NUMBER01, TEXT01) VALUES (?, ?)"),
            { key, QStringLiteral("O'Brien & Sons") }));
    }
    FormCompanies screen;
    screen.show();
    pick(&screen, QStringLiteral("O'Brien & Sons"));

    m_messages->answers = { platform::MessageBox::No };
    screen.archiveCompany();
    QCOMPARE(m_messages->shown.size(), 1);
    const platform::MessageBox::Message& question = m_messages->shown.first();
    QCOMPARE(question.text,
        QStringLiteral("Are you sure you want to send O'Brien & Sons to the archives?"));
    QCOMPARE(question.icon, platform::MessageBox::Icon::Question);
    QCOMPARE(question.buttons, platform::MessageBox::Yes | platform::MessageBox::No);
    QCOMPARE(stored(key, QStringLiteral("TEXT20")).toString(), QStringLiteral("Company"));
    QCOMPARE(screen.view()->rowCount(), 2);

    auto* archive = ui::Screens::instance<FormArchive>(QStringLiteral("FormArchive"));
    QVERIFY(archive);
    QCOMPARE(archive->view()->rowCount(), 0);
    m_messages->answers = { platform::MessageBox::Yes };
    control<QPushButton>(&screen, "CommandArchive")->click();
    QCOMPARE(stored(key, QStringLiteral("TEXT20")).toString(), QStringLiteral("Archive"));
    QCOMPARE(screen.view()->rowCount(), 1);
    QCOMPARE(archive->view()->rowCount(), 1);
    QCOMPARE(archive->companyKey().toLongLong(), key);
    data::Database db = businessDatabase();
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE03 WHERE NUMBER01 = ?"), { key })
                 .toInt(),
        1);
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE08 WHERE NUMBER01 = ?"), { key })
                 .toInt(),
        1);
}

void TestFormCompanies::googleMapsPutsTheAddressOnTheClipboard()
{
    insertCompany({ { "TEXT01", "Alpha Steel" }, { "TEXT06", "1 Dock Road" }, { "TEXT08", "Cork" },
        { "TEXT20", "Company" } });
    FormCompanies screen;
    control<QPushButton>(&screen, "CommandGoogleMaps")->click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1 Dock Road  Cork"));
}

void TestFormCompanies::toolBarActsOnTheFocusedBox()
{
    insertCompany({ { "TEXT01", "Alpha Steel" }, { "TEXT20", "Company" } });
    FormCompanies screen;
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    control<QPushButton>(&screen, "CommandEdit")->click();
    auto* city = control<QLineEdit>(&screen, "TEXT08");
    city->setFocus();
    QTest::keyClicks(city, "Cork");
    city->selectAll();
    auto* bar = control<QToolBar>(&screen, "Toolbar1");
    auto action = [bar](const char* key) { return bar->findChild<QAction*>(QLatin1String(key)); };
    action("Copy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Cork"));
    action("Cut")->trigger();
    QCOMPARE(city->text(), QString());
    action("Undo")->trigger();
    QCOMPARE(city->text(), QStringLiteral("Cork"));
    city->end(false);
    action("Paste")->trigger();
    QCOMPARE(city->text(), QStringLiteral("CorkCork"));
    // A control without these actions is left alone.
    control<QComboBox>(&screen, "DBComboSelect")->setFocus();
    action("Paste")->trigger();
}

void TestFormCompanies::daysOverdueIsRecomputedWhenShown()
{
    const qint64 late
        = insertCompany({ { "TEXT01", "Alpha Steel" }, { "DATE01", today.addDays(-40) },
            { "NUMBER01", 30 }, { "NUMBER02", 3 }, { "TEXT20", "Company" } });
    const qint64 onTime
        = insertCompany({ { "TEXT01", "Beta Works" }, { "DATE01", today.addDays(-20) },
            { "NUMBER01", 30 }, { "NUMBER02", 5 }, { "TEXT20", "Company" } });
    const qint64 unknown = insertCompany({ { "TEXT01", "Gamma Ltd" }, { "NUMBER01", 30 },
        { "NUMBER02", 7 }, { "TEXT20", "Company" } });
    FormCompanies screen;
    QCOMPARE(screen.companyValue(QStringLiteral("NUMBER02")).toInt(), 10);
    pick(&screen, QStringLiteral("Beta Works"));
    QCOMPARE(screen.companyValue(QStringLiteral("NUMBER02")).toInt(), 0);
    pick(&screen, QStringLiteral("Gamma Ltd"));
    QCOMPARE(screen.companyValue(QStringLiteral("NUMBER02")).toInt(), 7);
    QCOMPARE(stored(late, QStringLiteral("NUMBER02")).toInt(), 10);
    QCOMPARE(stored(onTime, QStringLiteral("NUMBER02")).toInt(), 0);
    QCOMPARE(stored(unknown, QStringLiteral("NUMBER02")).toInt(), 7);

    // A meeting recorded by another screen ends the delay at once.
    pick(&screen, QStringLiteral("Alpha Steel"));
    QVERIFY(screen.setLastVisited(today));
    QCOMPARE(screen.companyValue(QStringLiteral("NUMBER02")).toInt(), 0);
}

void TestFormCompanies::websiteOpensWebAddressesOnly()
{
    const qint64 key = insertCompany({ { "TEXT01", "Alpha Steel" },
        { "TEXT12", "www.alpha.example" }, { "TEXT20", "Company" } });
    FormCompanies screen;
    auto* browse = control<QPushButton>(&screen, "CommandBrowse");
    browse->click();
    QCOMPARE(m_opener->opened, QList<QUrl> { QUrl(QStringLiteral("http://www.alpha.example")) });

    const char* refused[]
        = { "file:///etc/passwd", "mailto:sales@alpha.example", "javascript:alert(1)", " " };
    for (const char* address : refused) {
        businessDatabase().execute(
            QStringLiteral("UPDATE TABLE01 SET TEXT12 = ? WHERE AUTONUMBER = ?"),
            { QString::fromUtf8(address), key });
        screen.reloadList();
        m_messages->shown.clear();
        browse->click();
        QCOMPARE(m_opener->opened.size(), 1);
        QCOMPARE(m_messages->shown.size(), 1);
        QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Warning);
    }
    businessDatabase().execute(
        QStringLiteral(
            "UPDATE TABLE01 SET TEXT12 = 'https://alpha.example/shop' WHERE AUTONUMBER = ?"),
        { key });
    screen.reloadList();
    browse->click();
    QCOMPARE(m_opener->opened.last(), QUrl(QStringLiteral("https://alpha.example/shop")));
}

void TestFormCompanies::printsALandscapeImageOfTheScreen()
{
    insertCompany({ { "TEXT01", "Alpha Steel" }, { "TEXT20", "Company" } });
    const QString pdf = m_folder->filePath(QStringLiteral("screen.pdf"));
    ui::PrinterProvider::setInstance(std::make_unique<PdfPrinterProvider>(pdf));
    FormCompanies screen;
    screen.resize(900, 600);
    screen.show();
    control<QPushButton>(&screen, "CommandPrint")->click();
    QVERIFY(m_messages->shown.isEmpty());
    QPdfDocument document;
    QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
    QCOMPARE(document.pageCount(), 1);
    const QSizeF page = document.pagePointSize(0);
    QVERIFY2(page.width() > page.height(),
        qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
}

void TestFormCompanies::otherScreensWriteIntoTheCurrentCompany()
{
    insertCompany({ { "TEXT01", "Alpha Steel" }, { "TEXT20", "Company" } });
    const qint64 key = insertCompany({ { "TEXT01", "Beta Works" }, { "TEXT20", "Company" } });
    FormCompanies screen;
    screen.show();
    pick(&screen, QStringLiteral("Beta Works"));
    QCOMPARE(screen.companyKey().toLongLong(), key);
    QVERIFY(screen.setLastVisited(today));
    QVERIFY(screen.setAppointmentNote(QStringLiteral("A new appointment has been made.")));
    QVERIFY(screen.setNotes(QStringLiteral("Likes tea")));
    QVERIFY(screen.setCompanyDetails(QStringLiteral("Founded 1901")));
    // Shown at once, in view mode too.
    QVERIFY(!control(&screen, "MEMO01")->isHidden());
    QCOMPARE(
        control<QPlainTextEdit>(&screen, "MEMO01")->toPlainText(), QStringLiteral("Likes tea"));
    QCOMPARE(control<QLineEdit>(&screen, "Text21")->text(),
        QStringLiteral("A new appointment has been made."));
    // Stored at once: nothing of the user's is pending in view mode.
    QCOMPARE(stored(key, QStringLiteral("DATE01")).toDate(), today);
    QCOMPARE(stored(key, QStringLiteral("TEXT21")).toString(),
        QStringLiteral("A new appointment has been made."));
    QCOMPARE(stored(key, QStringLiteral("MEMO01")).toString(), QStringLiteral("Likes tea"));
    QCOMPARE(stored(key, QStringLiteral("MEMO02")).toString(), QStringLiteral("Founded 1901"));

    // The zoom viewer opens on the note of the company on show, in view mode too.
    pick(&screen, QStringLiteral("Beta Works"));
    control<QPushButton>(&screen, "CommandZoomDetails")->click();
    QWidget* viewer = ui::Screens::existing(QStringLiteral("FormDetails"));
    QVERIFY(viewer && viewer->isVisible());
    QCOMPARE(viewer->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText(),
        QStringLiteral("Founded 1901"));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Beta Works - Company Details"));
    ui::Screens::close(QStringLiteral("FormDetails"));

    // While the user edits the company, a written value waits for Save with the user's changes.
    control<QPushButton>(&screen, "CommandEdit")->click();
    QVERIFY(screen.setNotes(QStringLiteral("Prefers coffee")));
    QCOMPARE(stored(key, QStringLiteral("MEMO01")).toString(), QStringLiteral("Likes tea"));
    control<QPushButton>(&screen, "CommandSave")->click();
    QCOMPARE(stored(key, QStringLiteral("MEMO01")).toString(), QStringLiteral("Prefers coffee"));
}

// The engine refuses the write (a full disk, a locked file); the user is told in
// its words, and the screen stays on the company with what was typed.
void TestFormCompanies::editsThatCannotBeStoredAreReportedAndKept()
{
    const qint64 alpha = insertCompany({ { "TEXT01", "Alpha Steel" }, { "TEXT20", "Company" } });
    insertCompany({ { "TEXT01", "Beta Mills" }, { "TEXT20", "Company" } });
    QVERIFY(businessDatabase().execute(
        QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON TABLE01 "
                       "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END")));
    FormCompanies screen;
    screen.show();
    pick(&screen, QStringLiteral("Alpha Steel"));
    control<QPushButton>(&screen, "CommandEdit")->click();
    QTest::keyClicks(control<QLineEdit>(&screen, "TEXT03"), "PO Box 7");

    auto* select = control<QComboBox>(&screen, "DBComboSelect");
    const int beta = select->findText(QStringLiteral("Beta Mills"));
    select->setCurrentIndex(beta);
    emit select->activated(beta);
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.at(0).text.contains(
        QStringLiteral("The changes to Alpha Steel could not be saved")));
    QVERIFY(m_messages->shown.at(0).text.contains(QStringLiteral("the disk is full")));
    QCOMPARE(select->currentText(), QStringLiteral("Alpha Steel"));
    QCOMPARE(
        screen.companyValue(QStringLiteral("TEXT01")).toString(), QStringLiteral("Alpha Steel"));
    QCOMPARE(control<QLineEdit>(&screen, "TEXT01")->text(), QStringLiteral("Alpha Steel"));
    QCOMPARE(control<QLineEdit>(&screen, "TEXT03")->text(), QStringLiteral("PO Box 7"));

    // Closing stores the edits first; refused, the screen stays open with them.
    QVERIFY(!screen.close());
    QCOMPARE(m_messages->shown.size(), 2);
    QVERIFY(m_messages->shown.at(1).text.contains(QStringLiteral("the disk is full")));
    QVERIFY(screen.isVisible());
    QCOMPARE(control<QLineEdit>(&screen, "TEXT03")->text(), QStringLiteral("PO Box 7"));

    QVERIFY(businessDatabase().execute(QStringLiteral("DROP TRIGGER refuse")));
    QVERIFY(screen.close());
    QCOMPARE(m_messages->shown.size(), 2);
    QCOMPARE(stored(alpha, QStringLiteral("TEXT03")).toString(), QStringLiteral("PO Box 7"));
}

void TestFormCompanies::listsThatCannotBeReadAreReported()
{
    insertCompany({ { "TEXT01", "Alpha Steel" }, { "TEXT20", "Company" } });
    QVERIFY(businessDatabase().execute(QStringLiteral("DROP TABLE MT08")));
    QVERIFY(businessDatabase().execute(QStringLiteral("DROP TABLE MT12")));
    data::Database user;
    QVERIFY(data::openUserDatabase(user));
    QVERIFY(user.execute(QStringLiteral("ALTER TABLE TABLE02 RENAME TO Settings")));
    user.close();
    FormCompanies screen;
    QCOMPARE(m_messages->shown.size(), 2);
    QVERIFY(m_messages->shown.at(0).text.contains(
        QStringLiteral("Your choice of companies could not be read")));
    QVERIFY(m_messages->shown.at(0).text.contains(QStringLiteral("TABLE02")));
    QVERIFY(m_messages->shown.at(1).text.contains(
        QStringLiteral("The list of sales people could not be read")));
    QVERIFY(m_messages->shown.at(1).text.contains(QStringLiteral("MT12")));
    // Without a stored choice the screen lists every company.
    QCOMPARE(control<QComboBox>(&screen, "DBComboSelect")->count(), 1);
    screen.show();
    control<QPushButton>(&screen, "CommandEdit")->click();
    QCOMPARE(m_messages->shown.size(), 3);
    const QString message = m_messages->shown.at(2).text;
    QVERIFY2(message.contains(QStringLiteral("could not be read")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("MT08: no such table: MT08")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("MT12: no such table: MT12")), qPrintable(message));
    // The other lists are filled as usual.
    QVERIFY(control<QComboBox>(&screen, "DBCombo03_13")->isVisible());
}

VANTREL_TEST_MAIN(TestFormCompanies)
#include "TestFormCompanies.moc"
