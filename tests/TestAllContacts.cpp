#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "app/ScreenCatalog.h"
#include "companies/FormAllContacts.h"
#include "companies/FormOutlookDialog.h"
#include "data/BoundView.h"
#include "data/Clock.h"
#include "office/MailProgram.h"
#include "platform/MessageBox.h"
#include "ui/FieldScrollArea.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "RecordingMailProgram.h"
#include "TestFolder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace vantrel;
using companies::FormAllContacts;
using companies::FormOutlookDialog;
using test::insertRow;

class TestAllContacts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsContactsOfActiveCompaniesByFirstName();
    void keywordFilterFindsTheWordInAnyCaseAndTakesPatternsLiterally();
    void salesPersonWithApostropheAndChoosingOneDropsTheFilter();
    void mailMergeSkipsContactsWithoutAddressAndEndsEachWithSeparator();
    void mailMergeOfAnEmptyListOpensTheDialogWithoutRecipients();
    void dialogPutsRecipientsIntoToOrBccAndKeepsOpenOnFailure();
    void editingAndDeletingWorkOnTheJoinedList();
    void screenKeepsToItsOwnControlsHintsAndManualPage();

private:
    FormAllContacts* open()
    {
        auto* form = ui::Screens::bringToFront<FormAllContacts>(QStringLiteral("FormAllContacts"));
        if (!form)
            qFatal("all contacts screen not opened");
        return form;
    }
    QStringList listed(FormAllContacts* form)
    {
        QStringList names;
        auto* select = test::findControl<QComboBox>(form, "DBComboSelect");
        for (int i = 0; i < select->count(); ++i)
            names << select->itemText(i);
        return names;
    }
    void addPeople();

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    office::RecordingMailProgram* m_mail = nullptr;
};

void TestAllContacts::initTestCase()
{
    app::registerScreens();
}

void TestAllContacts::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    auto mail = std::make_unique<office::RecordingMailProgram>();
    m_mail = mail.get();
    office::MailProgram::setInstance(std::move(mail));
    data::Clock::setFixed(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
}

void TestAllContacts::cleanup()
{
    ui::Screens::closeAll();
    office::MailProgram::setInstance(nullptr);
    platform::MessageBox::setHandler(nullptr);
    data::Clock::reset();
    m_folder.reset();
}

void TestAllContacts::addPeople()
{
    const qint64 oneill = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "O'Neill Farms" }, { "TEXT18", "D'Arcy" }, { "TEXT20", "Company" } });
    const qint64 acme = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Acme" }, { "TEXT18", "Ben" }, { "TEXT20", "Company" } });
    const qint64 archived = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Closed Co" }, { "TEXT18", "Ben" }, { "TEXT20", "Archive" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Zelda" }, { "TEXT03", "Zulu" }, { "TEXT11", "Zelda Zulu" },
            { "TEXT05", "zelda@acme.example" }, { "MEMO02", "Minigolf, wine" },
            { "NUMBER01", acme } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Adam" }, { "TEXT03", "Ant" }, { "TEXT11", "Adam Ant" }, { "TEXT05", "" },
            { "MEMO02", "GOLF day; 50% off" }, { "NUMBER01", oneill } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Mia" }, { "TEXT03", "Moss" }, { "TEXT11", "Mia Moss" },
            { "TEXT05", " mia@oneill.example " }, { "MEMO02", "tennis [a]" },
            { "NUMBER01", oneill } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Bob" }, { "TEXT03", "Gone" }, { "TEXT11", "Bob Gone" },
            { "TEXT05", "bob@closed.example" }, { "MEMO02", "golf" }, { "NUMBER01", archived } });
    insertRow(QStringLiteral("MT12"), { { "TEXT01", "Ben" } });
    insertRow(QStringLiteral("MT12"), { { "TEXT01", "D'Arcy" } });
}

void TestAllContacts::listsContactsOfActiveCompaniesByFirstName()
{
    addPeople();
    FormAllContacts* form = open();
    QCOMPARE(listed(form), QStringList({ "Adam Ant", "Mia Moss", "Zelda Zulu" }));
    QCOMPARE(test::findControl<QLabel>(form, "LabelPosition")->text(),
        QStringLiteral("CONTACT 1 OF 3 CONTACTS"));
    QCOMPARE(test::findControl<QLabel>(form, "LabelCompany")->text(),
        QStringLiteral("COMPANY: O'Neill Farms"));
    form->chooseContact(2);
    QCOMPARE(form->view()->value(QStringLiteral("TEXT02")).toString(), QStringLiteral("Zelda"));
    QCOMPARE(test::findControl<QLabel>(form, "LabelPosition")->text(),
        QStringLiteral("CONTACT 3 OF 3 CONTACTS"));
    QCOMPARE(
        test::findControl<QLabel>(form, "LabelCompany")->text(), QStringLiteral("COMPANY: Acme"));
}

void TestAllContacts::keywordFilterFindsTheWordInAnyCaseAndTakesPatternsLiterally()
{
    addPeople();
    FormAllContacts* form = open();
    auto* filter = test::findControl<QLineEdit>(form, "TextFilter");
    auto* reset = test::findControl<QPushButton>(form, "CommandReset");
    QCOMPARE(filter->text(), QStringLiteral("Filter for Keywords..."));
    QVERIFY(reset->isHidden());
    QTest::mouseClick(filter, Qt::LeftButton);
    QVERIFY(filter->text().isEmpty());

    filter->setText(QStringLiteral("golf"));
    test::findControl<QPushButton>(form, "CommandGo")->click();
    QVERIFY(!reset->isHidden());
    // "Minigolf" holds the word inside a longer one; the archived company's contact stays out.
    QCOMPARE(listed(form), QStringList({ "Adam Ant", "Zelda Zulu" }));

    for (const auto& [pattern, expected] : { std::pair { "50%", QStringList { "Adam Ant" } },
             std::pair { "[a]", QStringList { "Mia Moss" } }, std::pair { "g_lf", QStringList {} },
             std::pair { "*", QStringList {} }, std::pair { "?", QStringList {} } }) {
        filter->setText(QLatin1String(pattern));
        form->applyFilter();
        QCOMPARE(listed(form), expected);
    }

    reset->click();
    QVERIFY(filter->text().isEmpty());
    QCOMPARE(listed(form).size(), 3);
}

void TestAllContacts::salesPersonWithApostropheAndChoosingOneDropsTheFilter()
{
    addPeople();
    FormAllContacts* form = open();
    auto* names = test::findControl<QComboBox>(form, "DBComboName");
    QCOMPARE(names->count(), 2);
    form->chooseSalesPerson(QStringLiteral("D'Arcy"));
    QCOMPARE(test::findControl<QLineEdit>(form, "TextName")->text(), QStringLiteral("D'Arcy"));
    QCOMPARE(listed(form), QStringList({ "Adam Ant", "Mia Moss" }));

    auto* filter = test::findControl<QLineEdit>(form, "TextFilter");
    filter->setText(QStringLiteral("tennis"));
    form->applyFilter();
    QCOMPARE(listed(form), QStringList({ "Mia Moss" }));
    // Choosing a sales person shows all their contacts, without the keyword.
    form->chooseSalesPerson(QStringLiteral("Ben"));
    QCOMPARE(listed(form), QStringList({ "Zelda Zulu" }));
    form->chooseSalesPerson(QStringLiteral("D'Arcy"));
    QCOMPARE(listed(form), QStringList({ "Adam Ant", "Mia Moss" }));
    // Reset keeps the sales person.
    form->resetFilter();
    QCOMPARE(listed(form), QStringList({ "Adam Ant", "Mia Moss" }));
}

void TestAllContacts::mailMergeSkipsContactsWithoutAddressAndEndsEachWithSeparator()
{
    addPeople();
    FormAllContacts* form = open();
    test::findControl<QPushButton>(form, "CommandMailMerge")->click();
    QCOMPARE(form->recipients(), QStringLiteral("mia@oneill.example; zelda@acme.example; "));
    QCOMPARE(test::findControl<QLineEdit>(form, "TextRecipients")->text(), form->recipients());
    auto* dialog = qobject_cast<FormOutlookDialog*>(
        ui::Screens::existing(QStringLiteral("FormOutlookDialog")));
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Vantrel"));
    QCOMPARE(dialog->recipients(), form->recipients());

    // The list as filtered is what is mailed.
    test::findControl<QLineEdit>(form, "TextFilter")->setText(QStringLiteral("GOLF"));
    form->applyFilter();
    form->mailMerge();
    QCOMPARE(form->recipients(), QStringLiteral("zelda@acme.example; "));
}

void TestAllContacts::mailMergeOfAnEmptyListOpensTheDialogWithoutRecipients()
{
    FormAllContacts* form = open();
    QCOMPARE(test::findControl<QLabel>(form, "LabelPosition")->text(),
        QStringLiteral("CONTACT 0 OF 0 CONTACTS"));
    form->mailMerge();
    QVERIFY(form->recipients().isEmpty());
    auto* dialog = qobject_cast<FormOutlookDialog*>(
        ui::Screens::existing(QStringLiteral("FormOutlookDialog")));
    QVERIFY(dialog && dialog->isVisible());
    dialog->place(FormOutlookDialog::Box::To);
    QCOMPARE(m_mail->displayedMails.size(), 1);
    QVERIFY(m_mail->displayedMails.first().to.isEmpty());
}

void TestAllContacts::dialogPutsRecipientsIntoToOrBccAndKeepsOpenOnFailure()
{
    addPeople();
    FormAllContacts* form = open();
    form->mailMerge();
    auto* dialog = qobject_cast<FormOutlookDialog*>(
        ui::Screens::existing(QStringLiteral("FormOutlookDialog")));
    QVERIFY(dialog);
    m_mail->failure = QStringLiteral("no mail window");
    test::findControl<QRadioButton>(dialog, "OptionBcc")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(
        m_messages->shown.first().text, QStringLiteral("An error has occurred. no mail window"));
    QVERIFY(ui::Screens::existing(QStringLiteral("FormOutlookDialog")));
    QVERIFY(!test::findControl<QWidget>(dialog, "LabelLoad")->isVisible());

    m_mail->failure.clear();
    test::findControl<QRadioButton>(dialog, "OptionBcc")->click();
    QCOMPARE(m_mail->displayedMails.size(), 1);
    QCOMPARE(m_mail->displayedMails.last().bcc, form->recipients());
    QVERIFY(m_mail->displayedMails.last().to.isEmpty());
    QVERIFY(!ui::Screens::existing(QStringLiteral("FormOutlookDialog")));

    form->mailMerge();
    dialog = qobject_cast<FormOutlookDialog*>(
        ui::Screens::existing(QStringLiteral("FormOutlookDialog")));
    test::findControl<QRadioButton>(dialog, "OptionTo")->click();
    QCOMPARE(m_mail->displayedMails.last().to, form->recipients());
    QVERIFY(m_mail->displayedMails.last().bcc.isEmpty());
}

void TestAllContacts::editingAndDeletingWorkOnTheJoinedList()
{
    addPeople();
    FormAllContacts* form = open();
    form->chooseContact(1); // Mia
    form->enterEditMode();
    QVERIFY(form->view()->setValue(QStringLiteral("TEXT05"), QStringLiteral("mia@new.example")));
    form->saveChanges();
    QCOMPARE(test::businessDatabase()
                 .scalar(QStringLiteral("SELECT TEXT05 FROM TABLE03 WHERE TEXT02 = 'Mia'"))
                 .toString(),
        QStringLiteral("mia@new.example"));
    QCOMPARE(test::businessDatabase()
                 .scalar(QStringLiteral("SELECT TEXT01 FROM TABLE01 WHERE TEXT01 = 'Acme'"))
                 .toString(),
        QStringLiteral("Acme"));

    m_messages->answers << platform::MessageBox::Yes;
    form->chooseContact(2); // Zelda
    form->deleteContact();
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("Are you sure you want to delete Zelda Zulu?"));
    QCOMPARE(test::rowCount(QStringLiteral("TABLE03")), 3);
    QCOMPARE(test::rowCount(QStringLiteral("TABLE01")), 3);
    QCOMPARE(listed(form), QStringList({ "Adam Ant", "Mia Moss" }));
}

void TestAllContacts::screenKeepsToItsOwnControlsHintsAndManualPage()
{
    addPeople();
    FormAllContacts* form = open();
    QVERIFY(test::findControl<QWidget>(form, "CommandNew")->isHidden());
    QVERIFY(test::findControl<QWidget>(form, "FrameActivities")->isHidden());
    QVERIFY(!test::findControl<QWidget>(form, "FrameAutodial")->isHidden());
    QCOMPARE(form->findChild<ui::ManualLink*>()->page(), 64);
    form->resize(640, 502);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    auto* label = test::findControl<QLabel>(form, "LabelHelp");
    QTest::mouseMove(test::findControl<QWidget>(form, "CommandMailMerge"));
    QTRY_COMPARE(label->text(),
        QStringLiteral("Opens MS-Outlook in order to send a message to all selected contacts."));
    QTest::mouseMove(test::findControl<QWidget>(form, "TextFilter"));
    QTRY_VERIFY(label->text().startsWith(
        QStringLiteral("This function allows you to filter for keywords")));
    QVERIFY(label->text().endsWith(QStringLiteral("Filters are not case-sensitive. For more "
                                                  "information, press F1.")));
    // The contact's own company, not the one the companies screen stands on.
    form->chooseContact(1); // Mia of O'Neill Farms
    form->enterEditMode();
    // At this size the fields stand in one column; the user scrolls down to the fax.
    QTRY_VERIFY(form->detailsArea()->verticalScrollBar()->maximum() > 0);
    form->detailsArea()->ensureWidgetVisible(test::findControl<QWidget>(form, "TEXT09"));
    QTest::mouseMove(test::findControl<QWidget>(form, "TEXT09"));
    QTRY_COMPARE(label->text(),
        QStringLiteral("Enter Mia Moss's direct telefax number if it differs from O'Neill "
                       "Farms's telefax number."));
}

VANTREL_TEST_MAIN(TestAllContacts)
#include "TestAllContacts.moc"
