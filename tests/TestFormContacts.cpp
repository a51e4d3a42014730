#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "app/ScreenCatalog.h"
#include "companies/FormArchive.h"
#include "companies/FormCompanies.h"
#include "companies/FormContacts.h"
#include "data/BoundView.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "office/WorkbookLoader.h"
#include "office/WorkbookWriter.h"
#include "platform/MessageBox.h"
#include "ui/FieldScrollArea.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "TestFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace vantrel;
using companies::FormContacts;
using test::businessDatabase;
using test::insertRow;
using ui::RecordViews;

namespace {

const QDate today(2026, 3, 11);

} // namespace

class TestFormContacts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsByFirstNameAndPicksByBookmark();
    void viewModeHidesEmptyFieldsEditModeShowsCombos();
    void newContactStartsWithTheCompanyNumbers();
    void newContactWithoutCompanyNumbersStartsEmpty();
    void newContactNeedsACompany();
    void contactsOfANewCompanyStoreTheCompanyFirst();
    void saveStoresTheFullNameAndShowsTheFirstContact();
    void fullNameFollowsEditsAndLeavingTheRowStoresIt();
    void deleteAsksAndCopesWithAnEmptyList();
    void archiveModeOffersNoNewContactNorActivities();
    void hintsNameTheContactAndItsCompany();
    void contactOnShowFollowsTheMarkedEntry();
    void fullNameIsDerivedWhenAContactIsShown();
    void companyComesFromTheCompanyTheScreenWasOpenedFor();
    void newContactStartsInTheFirstFieldAndTabReadsOn();
    void fieldsGetTheWidthBeforeTheList();
    void valuesShowWholeOnASmallScreenAndSideBySideOnALargeOne();

private:
    template <class T = QWidget> T* control(QWidget* screen, const char* name)
    {
        return test::findControl<T>(screen, name);
    }
    FormContacts* openContacts(RecordViews::Branch branch = RecordViews::Branch::Companies);
    QString current(FormContacts* screen, const char* field)
    {
        return screen->view()->value(QLatin1String(field)).toString();
    }

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestFormContacts::initTestCase()
{
    app::registerScreens();
}

void TestFormContacts::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(today, QTime(9, 0)));
}

void TestFormContacts::cleanup()
{
    ui::Screens::closeAll();
    data::Clock::reset();
    platform::MessageBox::setHandler(nullptr);
    m_folder.reset();
}

FormContacts* TestFormContacts::openContacts(RecordViews::Branch branch)
{
    RecordViews::show(RecordViews::View::Contacts, branch);
    auto* screen
        = dynamic_cast<FormContacts*>(ui::Screens::existing(QStringLiteral("FormContacts")));
    if (!screen)
        qFatal("contacts screen not opened");
    return screen;
}

void TestFormContacts::listsByFirstNameAndPicksByBookmark()
{
    const qint64 company = insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "O'Neill & Sons" }, { "TEXT20", "Company" } });
    const qint64 other = insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "Other Ltd" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Zoe" }, { "TEXT03", "Adams" }, { "NUMBER01", company } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "D'Arcy" }, { "TEXT03", "O'Hara" }, { "NUMBER01", company },
            { "TEXT08", "555 12" }, { "DATE03", "2025-01-02" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Alan" }, { "TEXT03", "Moss" }, { "NUMBER01", other } });
    FormContacts* screen = openContacts();

    auto* list = control<QListView>(screen, "DBListSelect");
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("D'Arcy O'Hara"));
    QCOMPARE(list->model()->index(1, 0).data().toString(), QStringLiteral("Zoe Adams"));
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("D'Arcy"));
    QCOMPARE(control<QLabel>(screen, "LabelEntered")->text(),
        QStringLiteral("D'Arcy O'Hara was Entered on ")
            + QLocale().toString(QDate(2025, 1, 2), QLocale::ShortFormat));
    QVERIFY(!control(screen, "Command1")->isHidden());
    QCOMPARE(control<QLabel>(screen, "Label1")->text(), QStringLiteral("555 12"));
    QVERIFY(!control(screen, "CommandTel")->isHidden());
    QVERIFY(control(screen, "Command2")->isHidden());
    QVERIFY(control(screen, "CommandCel")->isHidden());

    screen->pickContact(1);
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("Zoe"));
    QVERIFY(control(screen, "Command1")->isHidden());

    // A pick beyond the list keeps the contact and says so.
    screen->pickContact(7);
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("Zoe"));
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.last().text, QStringLiteral("There are no records to choose from"));
    QCOMPARE(m_messages->shown.last().icon, platform::MessageBox::Icon::Critical);
}

void TestFormContacts::viewModeHidesEmptyFieldsEditModeShowsCombos()
{
    const qint64 company
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("MT09"), { { "TEXT01", "Dr." } });
    insertRow(QStringLiteral("MT05"), { { "TEXT01", "Engineer" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Ann" }, { "TEXT03", "Lee" }, { "NUMBER01", company } });
    FormContacts* screen = openContacts();
    screen->show();

    QVERIFY(control(screen, "TEXT05")->isHidden());
    QVERIFY(control(screen, "Label05")->isHidden());
    QVERIFY(!control(screen, "TEXT01")->isHidden()); // the title always shows
    QVERIFY(!control(screen, "TEXT02")->isHidden());
    QVERIFY(control(screen, "DBCombo09_01")->isHidden());
    QVERIFY(!control(screen, "Frame1")->isEnabled());

    control<QPushButton>(screen, "CommandEdit")->click();
    QVERIFY(!control(screen, "TEXT05")->isHidden());
    QVERIFY(!control(screen, "Label05")->isHidden());
    QCOMPARE(control<QGroupBox>(screen, "Frame1")->title(), QStringLiteral("Edit Mode"));
    QVERIFY(control(screen, "CommandEdit")->isHidden());
    auto* titles = control<QComboBox>(screen, "DBCombo09_01");
    auto* occupations = control<QComboBox>(screen, "DBCombo05_06");
    QVERIFY(!titles->isHidden());
    QVERIFY(!occupations->isHidden());
    QVERIFY(control(screen, "TEXT01")->isHidden());
    QVERIFY(titles->findText(QStringLiteral("Dr.")) >= 0);
    QVERIFY(occupations->findText(QStringLiteral("Engineer")) >= 0);
}

void TestFormContacts::newContactStartsWithTheCompanyNumbers()
{
    const qint64 company = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Acme" }, { "TEXT10", "021 555" }, { "TEXT11", "021 556" },
            { "TEXT20", "Company" } });
    FormContacts* screen = openContacts();
    control<QPushButton>(screen, "CommandNew")->click();

    QVERIFY(screen->isEditMode());
    QVERIFY(screen->view()->isNewRow());
    QCOMPARE(current(screen, "TEXT08"), QStringLiteral("021 555"));
    QCOMPARE(current(screen, "TEXT09"), QStringLiteral("021 556"));
    QCOMPARE(screen->view()->value(QStringLiteral("NUMBER01")).toLongLong(), company);
    QCOMPARE(screen->view()->value(QStringLiteral("DATE03")).toDate(), today);
}

void TestFormContacts::newContactWithoutCompanyNumbersStartsEmpty()
{
    insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Acme" }, { "TEXT10", "" }, { "TEXT20", "Company" } });
    FormContacts* screen = openContacts();
    control<QPushButton>(screen, "CommandNew")->click();
    QVERIFY(screen->view()->value(QStringLiteral("TEXT08")).isNull());
    QVERIFY(screen->view()->value(QStringLiteral("TEXT09")).isNull());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFormContacts::newContactNeedsACompany()
{
    // Without a company a new contact would be stored under no company and never be listed again.
    FormContacts* screen = openContacts();
    control<QPushButton>(screen, "CommandNew")->click();
    QVERIFY(!screen->view()->isNewRow());
    QVERIFY(!screen->isEditMode());
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown[0].text, QStringLiteral("Please choose a company first."));
    QCOMPARE(businessDatabase().scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE03")).toInt(), 0);
}

void TestFormContacts::contactsOfANewCompanyStoreTheCompanyFirst()
{
    insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    auto* companyScreen
        = ui::Screens::instance<companies::FormCompanies>(QStringLiteral("FormCompanies"));
    QVERIFY(companyScreen);
    companyScreen->show();
    control<QPushButton>(companyScreen, "CommandNew")->click();

    // Without a name there is nothing to store yet, and the user is told so.
    RecordViews::show(RecordViews::View::Contacts, RecordViews::Branch::Companies);
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown[0].text,
        QStringLiteral(
            "The new company has no name yet. Please enter its name and save it first."));
    QVERIFY(companyScreen->view()->isNewRow());

    QTest::keyClicks(control<QLineEdit>(companyScreen, "TEXT01"), "Newco Ltd");
    FormContacts* screen = openContacts();
    QVERIFY(companyScreen->isEditMode());
    const QVariant key = companyScreen->companyKey();
    QVERIFY(key.isValid());
    QCOMPARE(businessDatabase()
                 .scalar(QStringLiteral("SELECT TEXT01 FROM TABLE01 WHERE AUTONUMBER = ?"), { key })
                 .toString(),
        QStringLiteral("Newco Ltd"));
    control<QPushButton>(screen, "CommandNew")->click();
    QVERIFY(screen->view()->isNewRow());
    QCOMPARE(screen->view()->value(QStringLiteral("NUMBER01")), key);
    QCOMPARE(m_messages->shown.size(), 1);

    // The contacts screen already open when the next new company is entered.
    control<QPushButton>(screen, "CommandSave")->click();
    control<QPushButton>(companyScreen, "CommandSave")->click();
    control<QPushButton>(companyScreen, "CommandNew")->click();
    QTest::keyClicks(control<QLineEdit>(companyScreen, "TEXT01"), "Zeta Mills");
    control<QPushButton>(screen, "CommandNew")->click();
    QCOMPARE(screen->view()->value(QStringLiteral("NUMBER01")), companyScreen->companyKey());
    QCOMPARE(businessDatabase()
                 .scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE01 WHERE TEXT01 = 'Zeta Mills'"))
                 .toInt(),
        1);
    QCOMPARE(m_messages->shown.size(), 1);
}

void TestFormContacts::saveStoresTheFullNameAndShowsTheFirstContact()
{
    const qint64 company
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Bea" }, { "TEXT03", "Kim" }, { "NUMBER01", company } });
    FormContacts* screen = openContacts();
    screen->show();
    control<QPushButton>(screen, "CommandNew")->click();
    QTest::keyClicks(control<QLineEdit>(screen, "TEXT02"), "Zack");
    QTest::keyClicks(control<QLineEdit>(screen, "TEXT03"), "O'Brien");
    QCOMPARE(control<QLineEdit>(screen, "TextFullName")->text(), QStringLiteral("Zack O'Brien"));
    control<QPushButton>(screen, "CommandSave")->click();

    QVERIFY(!screen->isEditMode());
    QCOMPARE(screen->view()->rowCount(), 2);
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("Bea"));
    QVERIFY(m_messages->shown.isEmpty());
    data::Database db = businessDatabase();
    QCOMPARE(
        db.scalar(QStringLiteral("SELECT TEXT11 FROM TABLE03 WHERE TEXT02 = 'Zack'")).toString(),
        QStringLiteral("Zack O'Brien"));
    QCOMPARE(db.scalar(QStringLiteral("SELECT NUMBER01 FROM TABLE03 WHERE TEXT02 = 'Zack'"))
                 .toLongLong(),
        company);
}

void TestFormContacts::fullNameFollowsEditsAndLeavingTheRowStoresIt()
{
    const qint64 company
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    const qint64 ann = insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Ann" }, { "TEXT03", "Lee" }, { "TEXT11", "Ann Lee" },
            { "NUMBER01", company } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Ben" }, { "TEXT03", "Fox" }, { "NUMBER01", company } });
    FormContacts* screen = openContacts();
    screen->show();
    control<QPushButton>(screen, "CommandEdit")->click();
    auto* lastName = control<QLineEdit>(screen, "TEXT03");
    lastName->selectAll();
    QTest::keyClicks(lastName, "O'Day");
    QCOMPARE(current(screen, "TEXT11"), QStringLiteral("Ann O'Day"));
    QCOMPARE(control<QLabel>(screen, "LabelEntered")->text(),
        QStringLiteral("Ann O'Day was Entered on "));

    // Another contact in edit mode: the mode stays, the row left is stored.
    screen->pickContact(1);
    QVERIFY(screen->isEditMode());
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("Ben"));
    QCOMPARE(businessDatabase()
                 .scalar(QStringLiteral("SELECT TEXT11 FROM TABLE03 WHERE AUTONUMBER = ?"), { ann })
                 .toString(),
        QStringLiteral("Ann O'Day"));
}

void TestFormContacts::deleteAsksAndCopesWithAnEmptyList()
{
    const qint64 company
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    FormContacts* screen = openContacts();

    // No contacts: the question names nobody, and nothing happens.
    m_messages->answers = { platform::MessageBox::Yes };
    control<QPushButton>(screen, "CommandDelete")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown[0].text, QStringLiteral("Are you sure you want to delete  ?"));

    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Al" }, { "TEXT03", "D'Souza" }, { "NUMBER01", company } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Cy" }, { "TEXT03", "Ng" }, { "NUMBER01", company } });
    screen = openContacts();
    m_messages->shown.clear();
    m_messages->answers = { platform::MessageBox::No };
    control<QPushButton>(screen, "CommandDelete")->click();
    QCOMPARE(
        m_messages->shown[0].text, QStringLiteral("Are you sure you want to delete Al D'Souza?"));
    QCOMPARE(m_messages->shown[0].defaultButton, platform::MessageBox::No);
    QCOMPARE(screen->view()->rowCount(), 2);

    m_messages->answers = { platform::MessageBox::Yes };
    control<QPushButton>(screen, "CommandDelete")->click();
    QCOMPARE(screen->view()->rowCount(), 1);
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("Cy"));
    QCOMPARE(businessDatabase().scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE03")).toInt(), 1);

    // A new row never stored cannot be deleted.
    control<QPushButton>(screen, "CommandNew")->click();
    m_messages->shown.clear();
    m_messages->answers = { platform::MessageBox::Yes };
    control<QPushButton>(screen, "CommandDelete")->click();
    QCOMPARE(m_messages->shown.size(), 2);
    QCOMPARE(m_messages->shown[1].text, QStringLiteral("There are no contacts to delete"));
    QCOMPARE(m_messages->shown[1].icon, platform::MessageBox::Icon::Information);
    QCOMPARE(businessDatabase().scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE03")).toInt(), 1);
}

void TestFormContacts::archiveModeOffersNoNewContactNorActivities()
{
    insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Live Co" }, { "TEXT20", "Company" } });
    const qint64 archived
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Old Co" }, { "TEXT20", "Archive" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Eve" }, { "TEXT03", "Hart" }, { "NUMBER01", archived } });

    FormContacts* screen = openContacts(RecordViews::Branch::Archive);
    QVERIFY(!control(screen, "CommandNew")->isEnabled());
    QVERIFY(control(screen, "FrameActivities")->isHidden());
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("Eve"));
    QVERIFY(control(screen, "CommandEdit")->isEnabled());
    QVERIFY(control(screen, "CommandDelete")->isEnabled());

    screen = openContacts(RecordViews::Branch::Companies);
    QVERIFY(control(screen, "CommandNew")->isEnabled());
    QVERIFY(!control(screen, "FrameActivities")->isHidden());
    QCOMPARE(screen->view()->rowCount(), 0);
}

void TestFormContacts::hintsNameTheContactAndItsCompany()
{
    const qint64 company = insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "O'Neill & Sons" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "D'Arcy" }, { "TEXT03", "O'Hara" }, { "NUMBER01", company },
            { "TEXT04", "082 1" } });
    FormContacts* screen = openContacts();
    // The size the main window gives its screens at its start size.
    screen->resize(640, 502);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen));
    auto* label = control<QLabel>(screen, "LabelHelp");

    QTest::mouseMove(control(screen, "CommandLetter"));
    QTRY_COMPARE(label->text(), QStringLiteral("Write a letter to D'Arcy O'Hara."));
    QTest::mouseMove(control(screen, "CommandReport"));
    QTRY_COMPARE(label->text(), QStringLiteral("Write a call report related to O'Neill & Sons."));
    QTest::mouseMove(control(screen, "Command2"));
    QTRY_COMPARE(label->text(), QStringLiteral("Dial 082 1, using your modem."));
    control<QPushButton>(screen, "CommandEdit")->click();
    // At this size the fields stand in one column; the user scrolls down to the fax.
    QTRY_VERIFY(screen->detailsArea()->verticalScrollBar()->maximum() > 0);
    screen->detailsArea()->ensureWidgetVisible(control(screen, "TEXT09"));
    QTest::mouseMove(control(screen, "TEXT09"));
    QTRY_COMPARE(label->text(),
        QStringLiteral("Enter D'Arcy O'Hara's direct telefax number if it differs from"
                       " O'Neill & Sons's telefax number."));

    auto* manual = screen->findChild<ui::ManualLink*>();
    QVERIFY(manual);
    QCOMPARE(manual->page(), 30);
}

void TestFormContacts::contactOnShowFollowsTheMarkedEntry()
{
    const qint64 company
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Al" }, { "TEXT03", "D'Souza" }, { "NUMBER01", company } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Cy" }, { "TEXT03", "Ng" }, { "NUMBER01", company }, { "TEXT04", "082 7" } });
    FormContacts* screen = openContacts();
    screen->show();
    auto* list = control<QListView>(screen, "DBListSelect");
    QCOMPARE(list->currentIndex().row(), 0);

    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex().row(), 1);
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("Cy"));
    QCOMPARE(control<QLabel>(screen, "Label2")->text(), QStringLiteral("082 7"));
    m_messages->answers = { platform::MessageBox::No };
    control<QPushButton>(screen, "CommandDelete")->click();
    QCOMPARE(m_messages->shown[0].text, QStringLiteral("Are you sure you want to delete Cy Ng?"));

    // The program moving the contact moves the mark with it, so the arrows go on from there.
    screen->pickContact(0);
    QCOMPARE(list->currentIndex().row(), 0);
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("Cy"));
    control<QPushButton>(screen, "CommandEdit")->click();
    control<QPushButton>(screen, "CommandSave")->click();
    QCOMPARE(current(screen, "TEXT02"), QStringLiteral("Al"));
    QCOMPARE(list->currentIndex().row(), 0);
}

void TestFormContacts::fullNameIsDerivedWhenAContactIsShown()
{
    const qint64 company
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    const qint64 ann = insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Ann" }, { "TEXT03", "Lee" }, { "TEXT11", "Ann Smith" },
            { "NUMBER01", company } });
    const qint64 ben = insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Ben" }, { "TEXT03", "Fox" }, { "NUMBER01", company } });
    FormContacts* screen = openContacts();
    screen->show();
    QCOMPARE(control<QLineEdit>(screen, "TextFullName")->text(), QStringLiteral("Ann Lee"));

    control<QPushButton>(screen, "CommandEdit")->click();
    control<QPushButton>(screen, "CommandSave")->click();
    const auto storedName = [](qint64 key) {
        return businessDatabase()
            .scalar(QStringLiteral("SELECT TEXT11 FROM TABLE03 WHERE AUTONUMBER = ?"), { key })
            .toString();
    };
    QCOMPARE(storedName(ann), QStringLiteral("Ann Lee"));

    // Merely looking at a contact and going on stores the name with the row too.
    screen->pickContact(1);
    QCOMPARE(control<QLineEdit>(screen, "TextFullName")->text(), QStringLiteral("Ben Fox"));
    screen->pickContact(0);
    QCOMPARE(storedName(ben), QStringLiteral("Ben Fox"));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFormContacts::companyComesFromTheCompanyTheScreenWasOpenedFor()
{
    insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Nobody's Ltd" }, { "TEXT20", "Company" } });
    FormContacts* screen = openContacts();
    screen->resize(640, 502);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen));
    auto* label = control<QLabel>(screen, "LabelHelp");
    QTest::mouseMove(control(screen, "CommandReport"));
    QTRY_COMPARE(label->text(), QStringLiteral("Write a call report related to Nobody's Ltd."));

    // In archive mode the call log names the archived company, not the current one.
    const qint64 archived
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Old Co" }, { "TEXT20", "Archive" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Eve" }, { "TEXT03", "Hart" }, { "TEXT08", "021 9" },
            { "NUMBER01", archived } });
    QString error;
    QVERIFY2(office::writeWorkbook(office::Workbook(), QStringLiteral("BCTelephone.xlsx"), &error),
        qPrintable(error));
    screen = openContacts(RecordViews::Branch::Archive);
    control<QPushButton>(screen, "CommandTel")->click();
    office::Workbook log;
    QVERIFY2(
        office::loadWorkbook(QStringLiteral("BCTelephone.xlsx"), &log, &error), qPrintable(error));
    QCOMPARE(log.sheet(0).value(0, 2).toString(), QStringLiteral("Eve Hart"));
    QCOMPARE(log.sheet(0).value(0, 3).toString(), QStringLiteral("Old Co"));
}

void TestFormContacts::newContactStartsInTheFirstFieldAndTabReadsOn()
{
    insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    FormContacts* screen = openContacts();
    screen->show();
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    control<QPushButton>(screen, "CommandNew")->click();
    QCOMPARE(QApplication::focusWidget(), control(screen, "DBCombo09_01"));

    // The left half down to the notes, then the right half down to the keywords.
    const QStringList expected = { "TEXT02", "TEXT03", "TEXT04", "TEXT05", "MEMO01", "DBCombo05_06",
        "TEXT07", "TEXT08", "TEXT09", "TEXT10", "MEMO02" };
    QStringList reached;
    for (qsizetype step = 0; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(reached, expected);
}

void TestFormContacts::fieldsGetTheWidthBeforeTheList()
{
    const qint64 company
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Jens" }, { "TEXT03", "Nordmann" }, { "NUMBER01", company },
            { "TEXT05", "jens.nordmann@nordwind.example" } });
    FormContacts* screen = openContacts();
    // The size the main window gives its screens at its start size.
    screen->resize(640, 502);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen));
    auto* list = control<QListView>(screen, "DBListSelect");
    QVERIFY(list->width() <= list->fontMetrics().averageCharWidth() * 24);
    QVERIFY2(screen->detailsFrame()->width() * 3 >= screen->width() * 2,
        qPrintable(QString::number(screen->detailsFrame()->width())));
}

void TestFormContacts::valuesShowWholeOnASmallScreenAndSideBySideOnALargeOne()
{
    const qint64 company
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT01", "Dr." }, { "TEXT02", "Jens" }, { "TEXT03", "Nordmann" },
            { "TEXT04", "+49 171 555 01234" }, { "TEXT05", "jens.nordmann@nordwind-handel.de" },
            { "TEXT06", "Purchasing" }, { "TEXT07", "Head of Procurement" },
            { "TEXT08", "+49 40 555 123 456" }, { "TEXT09", "+49 40 555 123 457" },
            { "TEXT10", "Birgit Sommerfeld" }, { "NUMBER01", company } });
    FormContacts* screen = openContacts();
    screen->resize(640, 502);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen));
    const auto wholeValues = [&] {
        for (const char* field : { "TEXT04", "TEXT05", "TEXT07", "TEXT08", "TEXT09", "TEXT10" }) {
            auto* box = control<QLineEdit>(screen, field);
            if (box->contentsRect().width() < box->fontMetrics().horizontalAdvance(box->text()))
                return QByteArray(field) + " is cut at " + QByteArray::number(screen->width());
        }
        return QByteArray();
    };
    const auto sideBySide = [&] {
        return control<QLineEdit>(screen, "TEXT06")->y()
            == control<QLineEdit>(screen, "TEXT01")->y();
    };
    QTRY_VERIFY2(wholeValues().isEmpty(), wholeValues().constData());
    QVERIFY(!sideBySide());
    screen->resize(1300, 700);
    QTRY_VERIFY(sideBySide());
    QVERIFY2(wholeValues().isEmpty(), wholeValues().constData());
}

VANTREL_TEST_MAIN(TestFormContacts)
#include "TestFormContacts.moc"
