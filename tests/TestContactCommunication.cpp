#include "ApplicationTest.h"
#include "RecordingMailProgram.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingWordProcessor.h"
#include "app/ScreenCatalog.h"
#include "companies/Correspondent.h"
#include "companies/FormContacts.h"
#include "data/Clock.h"
#include "data/WorkbookReader.h"
#include "office/AgendaStore.h"
#include "office/DefaultLetterhead.h"
#include "office/MailProgram.h"
#include "office/WordDocument.h"
#include "office/Workbook.h"
#include "office/WorkbookWriter.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "shell/MDIFormMain.h"
#include "ui/AgendaWindow.h"
#include "ui/AppointmentWindow.h"
#include "ui/AutoSave.h"
#include "ui/MailWindow.h"
#include "ui/RecordViews.h"
#include "ui/SaveQuestion.h"
#include "ui/Screens.h"
#include "ui/TaskWindow.h"
#include "ui/WordWindow.h"
#include "ui/WorkingFiles.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "ShellFakes.h"
#include "TestFolder.h"
#include "TopLevelWindows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>

#include <functional>
#include <memory>

using namespace vantrel;
using companies::FormContacts;
using platform::MessageBox;
using test::insertRow;
using test::visibleWindows;
using ui::AutoSave;
using ui::SaveQuestion;

namespace {

const QDate today(2026, 3, 11);
const QString shortToday = QLocale().toString(today, QLocale::ShortFormat);

// The correspondence browser as far as the contacts screen drives it: it lists
// the company's rows and remembers the questions it was asked.
class FakeCorrespondence : public test::FakeRecordScreen, public SaveQuestion {
public:
    void askToSave(Pending pending) override
    {
        questions.append(pending);
        if (watch)
            watch();
    }
    bool storePending(Pending) override { return false; }
    void discardPending(Pending) override { }

    QList<Pending> questions;
    std::function<void()> watch;
};

// Answers like RecordingMessageBoxHandler and lets the test look at the
// screen at the moment a message shows.
class WatchingMessages : public MessageBox::Handler {
public:
    MessageBox::Button show(QWidget*, const MessageBox::Message& message) override
    {
        shown.append(message);
        busyWhenShown.append(platform::BusyCursor::isBusy());
        if (watch)
            watch();
        return MessageBox::Ok;
    }

    QList<MessageBox::Message> shown;
    QList<bool> busyWhenShown;
    std::function<void()> watch;
};

QString bodyOf(const QString& rtfFile)
{
    office::WordDocument document;
    QString error;
    if (!document.loadTemplate(rtfFile, &error))
        return QStringLiteral("unreadable: ") + error;
    return document.body()->toPlainText();
}

} // namespace

class TestContactCommunication : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addressBlocksNameTheContactWithAndWithoutTitle();
    void letterOpensOnTheLetterheadAndAsksToSave();
    void faxIsSavedAtOnceAndMinimizesTheMainWindow();
    void faxAndMailNeedANumberAndAnAddress();
    void timerKeepsTheWorkingFileOfTheNewestDocument();
    void eMailOpensAddressedAndItsTextIsKept();
    void appointmentGoesToTheAgendaAndNotesTheCompany();
    void taskIsDueTodayWithATrailingBlank();
    void failuresRestoreThePointerAndStartNoTimer();
    void dialButtonsDialAndCannotStartTwice();
    void callLogButtonsWriteTheTopRow();
    void callReportButtonAndStoppingTheTimers();

private:
    template <class T = QWidget> T* control(const char* name)
    {
        return test::findControl<T>(m_screen, name);
    }
    AutoSave* timer(const char* name) { return control<AutoSave>(name); }
    // The loading indicator's text while it shows, else empty.
    QString loading()
    {
        auto* label = control<QLabel>("LabelLoad");
        return label->parentWidget()->isHidden() ? QString() : label->text();
    }
    // Ann Lee of O'Neill & Sons, with the numbers and addresses the operations use.
    void openAnnLee(const QVariantMap& changes = {});

    std::unique_ptr<test::TestFolder> m_folder;
    WatchingMessages* m_messages = nullptr;
    test::FakeCompanyScreen* m_company = nullptr;
    FakeCorrespondence* m_correspondence = nullptr;
    FormContacts* m_screen = nullptr;
};

void TestContactCommunication::initTestCase()
{
    app::registerScreens();
    ui::Screens::registerScreen(
        QStringLiteral("FormCompanies"), [] { return new test::FakeCompanyScreen; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCorrespondence"), [] { return new FakeCorrespondence; });
}

void TestContactCommunication::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    QString error;
    QVERIFY2(office::writeDefaultLetterhead(m_folder->path(), &error), qPrintable(error));
    auto messages = std::make_unique<WatchingMessages>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(today, QTime(9, 10)));
}

void TestContactCommunication::cleanup()
{
    // Deleted rather than closed: closing would ask about unsaved documents.
    QList<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<ui::WordWindow*>(widget) || qobject_cast<ui::MailWindow*>(widget)
            || qobject_cast<ui::AppointmentWindow*>(widget) || qobject_cast<ui::TaskWindow*>(widget)
            || qobject_cast<ui::AgendaWindow*>(widget))
            windows.append(widget);
    }
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
    ui::Screens::closeAll();
    office::WordProcessor::setInstance(nullptr);
    office::MailProgram::setInstance(nullptr);
    data::Clock::reset();
    MessageBox::setHandler(nullptr);
    m_folder.reset();
}

void TestContactCommunication::openAnnLee(const QVariantMap& changes)
{
    const qint64 company = insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "O'Neill & Sons" }, { "TEXT20", "Company" } });
    QVariantMap ann { { "TEXT01", "Dr." }, { "TEXT02", "Ann" }, { "TEXT03", "Lee" },
        { "TEXT04", "082 555 0199" }, { "TEXT05", "ann@oneill.example" },
        { "TEXT08", "021 555 0101" }, { "TEXT09", "021 555 0102" }, { "NUMBER01", company } };
    for (auto change = changes.begin(); change != changes.end(); ++change)
        ann.insert(change.key(), change.value());
    insertRow(QStringLiteral("TABLE03"), ann);

    m_company = ui::Screens::instance<test::FakeCompanyScreen>(QStringLiteral("FormCompanies"));
    m_company->standOn(company, QStringLiteral("O'Neill & Sons"), QStringLiteral("A-1"));
    m_company->values.insert(QStringLiteral("TEXT03"), QStringLiteral("P.O. Box 12"));
    m_company->values.insert(QStringLiteral("TEXT04"), QStringLiteral("Cape Town"));
    m_company->values.insert(QStringLiteral("TEXT05"), QStringLiteral("8000"));
    m_company->values.insert(QStringLiteral("TEXT06"), QStringLiteral("1 Long Street"));
    m_company->values.insert(QStringLiteral("TEXT07"), QStringLiteral("Block B"));
    m_company->values.insert(QStringLiteral("TEXT08"), QStringLiteral("Gardens"));

    ui::RecordViews::show(ui::RecordViews::View::Contacts, ui::RecordViews::Branch::Companies);
    m_screen = dynamic_cast<FormContacts*>(ui::Screens::existing(QStringLiteral("FormContacts")));
    QVERIFY(m_screen);
    m_correspondence
        = ui::Screens::instance<FakeCorrespondence>(QStringLiteral("FormCorrespondence"));
    QVERIFY(m_correspondence);
}

void TestContactCommunication::addressBlocksNameTheContactWithAndWithoutTitle()
{
    companies::Correspondent to;
    to.title = QStringLiteral("Dr.");
    to.firstName = QStringLiteral("Ann");
    to.lastName = QStringLiteral("Lee");
    to.company = QStringLiteral("O'Neill & Sons");
    to.postalAddress = QStringLiteral("P.O. Box 12");
    to.postalCity = QStringLiteral("Cape Town");
    to.postalCode = QStringLiteral("8000");
    to.directFax = QStringLiteral("021 555 0102");

    QCOMPARE(to.letterBlock(today),
        shortToday
            + "\r\n\r\nDr. Ann Lee\r\nO'Neill & Sons\r\nP.O. Box 12\r\nCape "
              "Town\r\n8000\r\n\r\nRE: ");
    QCOMPARE(to.faxBlock(today),
        shortToday
            + "\r\n\r\nDr. Ann Lee\r\nO'Neill & Sons\r\nP.O. Box 12\r\nCape Town\r\n8000\r\n\r\n"
              "Telefax No. 021 555 0102\r\n\r\nRE: ");
    to.title.clear();
    QCOMPARE(to.nameLine(), QStringLiteral("Ann Lee"));
    QVERIFY(to.letterBlock(today).contains("\r\nAnn Lee\r\n"));
    // Empty address lines stay, so the block keeps its shape.
    to.postalAddress.clear();
    QVERIFY(to.letterBlock(today).contains("\r\nO'Neill & Sons\r\n\r\nCape Town\r\n"));
}

void TestContactCommunication::letterOpensOnTheLetterheadAndAsksToSave()
{
    openAnnLee({ { "TEXT01", QVariant() } });
    QString whileAsking;
    m_correspondence->watch
        = [&] { whileAsking = loading() + (platform::BusyCursor::isBusy() ? " busy" : ""); };
    control<QPushButton>("CommandLetter")->click();
    QCOMPARE(whileAsking, QStringLiteral("Loading MS-Word... busy"));

    const QList<ui::WordWindow*> windows = visibleWindows<ui::WordWindow>();
    QCOMPARE(windows.size(), 1);
    office::WordDocument* letter = windows[0]->document();
    QCOMPARE(letter->body()->toPlainText(),
        shortToday + "\n\nAnn Lee\nO'Neill & Sons\nP.O. Box 12\nCape Town\n8000\n\nRE: ");
    QVERIFY(letter->pageHeader()->toPlainText().contains("Your Company Name"));
    QVERIFY(letter->insertionPoint().atEnd());

    QCOMPARE(m_correspondence->questions,
        QList<SaveQuestion::Pending> { SaveQuestion::Pending::Document });
    QVERIFY(!m_correspondence->isHidden());
    QVERIFY(timer("TimerWord")->isActive());
    QVERIFY(!timer("TimerOutlook")->isActive());
    QVERIFY(loading().isEmpty());
    QVERIFY(!platform::BusyCursor::isBusy());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestContactCommunication::faxIsSavedAtOnceAndMinimizesTheMainWindow()
{
    shell::MDIFormMain main;
    main.show();
    openAnnLee();
    control<QPushButton>("CommandFax")->click();

    // On disk at once, before any tick of the auto-save.
    const QString expected = shortToday
        + "\n\nDr. Ann Lee\nO'Neill & Sons\nP.O. Box 12\nCape Town\n8000\n\n"
          "Telefax No. 021 555 0102\n\nRE: ";
    QCOMPARE(bodyOf(ui::workingDocumentPath()), expected);
    QCOMPARE(
        visibleWindows<ui::WordWindow>().value(0)->document()->body()->toPlainText(), expected);
    QVERIFY(main.isMinimized());
    QVERIFY(timer("TimerWord")->isActive());
    QCOMPARE(m_correspondence->questions,
        QList<SaveQuestion::Pending> { SaveQuestion::Pending::Document });
    QVERIFY(m_messages->shown.isEmpty());
}

void TestContactCommunication::faxAndMailNeedANumberAndAnAddress()
{
    openAnnLee({ { "TEXT09", "" }, { "TEXT05", QVariant() } });
    control<QPushButton>("CommandFax")->click();
    control<QPushButton>("CommandEMail")->click();

    QCOMPARE(m_messages->shown.size(), 2);
    QCOMPARE(m_messages->shown[0].text, QStringLiteral("Ann Lee does not have a fax number!"));
    QCOMPARE(m_messages->shown[1].text, QStringLiteral("Ann Lee has no e-mail address!"));
    for (const MessageBox::Message& message : m_messages->shown) {
        QCOMPARE(message.icon, MessageBox::Icon::Warning);
        QCOMPARE(message.title, QStringLiteral("Vantrel"));
    }
    QVERIFY(visibleWindows<ui::WordWindow>().isEmpty());
    QVERIFY(visibleWindows<ui::MailWindow>().isEmpty());
    QVERIFY(!QFile::exists(ui::workingDocumentPath()));
    QVERIFY(m_correspondence->questions.isEmpty());
    QVERIFY(!timer("TimerWord")->isActive());
    QVERIFY(!timer("TimerOutlook")->isActive());
}

void TestContactCommunication::timerKeepsTheWorkingFileOfTheNewestDocument()
{
    openAnnLee();
    const QString path = ui::workingDocumentPath();
    // Left by an earlier document: a "Yes" before the first tick must not store it.
    QVERIFY(QDir().mkpath(QStringLiteral("Temp")));
    QFile stale(path);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("{\\rtf1 The letter before}");
    stale.close();
    control<QPushButton>("CommandLetter")->click();
    QVERIFY(bodyOf(path).endsWith("8000\n\nRE: "));
    office::WordDocument* letter = visibleWindows<ui::WordWindow>().value(0)->document();
    letter->typeText(QStringLiteral("Thank you for the visit."));

    // The real timer, one tick a second.
    QTRY_VERIFY_WITH_TIMEOUT(bodyOf(path).endsWith("RE: Thank you for the visit."), 3000);

    // The fax replaces the letter's working file, and the ticks follow the fax.
    control<QPushButton>("CommandFax")->click();
    QVERIFY(bodyOf(path).endsWith("Telefax No. 021 555 0102\n\nRE: "));
    office::WordDocument* fax = nullptr;
    for (ui::WordWindow* window : visibleWindows<ui::WordWindow>()) {
        if (window->document() != letter)
            fax = window->document();
    }
    QVERIFY(fax);
    fax->typeText(QStringLiteral("Prices attached."));
    QVERIFY(timer("TimerWord")->saveNow());
    QVERIFY(bodyOf(path).endsWith("RE: Prices attached."));
}

void TestContactCommunication::eMailOpensAddressedAndItsTextIsKept()
{
    openAnnLee({ { "TEXT05", " ann@oneill.example " } });
    QVERIFY(QDir().mkpath(QStringLiteral("Temp")));
    QFile stale(ui::workingMailTextPath());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("To: someone@else.example\nSubject: The mail before\n\n");
    stale.close();
    QString whileAsking;
    m_correspondence->watch
        = [&] { whileAsking = loading() + (platform::BusyCursor::isBusy() ? " busy" : ""); };
    control<QPushButton>("CommandEMail")->click();
    QCOMPARE(whileAsking, QStringLiteral("Loading MS-Outlook... busy"));

    const QList<ui::MailWindow*> windows = visibleWindows<ui::MailWindow>();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows[0]->item().to, QStringLiteral("ann@oneill.example"));
    QCOMPARE(windows[0]->focusWidget()->objectName(), QStringLiteral("Subject"));
    QCOMPARE(
        m_correspondence->questions, QList<SaveQuestion::Pending> { SaveQuestion::Pending::Mail });
    QVERIFY(timer("TimerOutlook")->isActive());
    QCOMPARE(timer("TimerOutlook")->interval(), 5000);
    QVERIFY(!timer("TimerWord")->isActive());
    QVERIFY(loading().isEmpty());
    QFile text(ui::workingMailTextPath());
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(
        QString::fromUtf8(text.readAll()), QStringLiteral("To: ann@oneill.example\nSubject: \n\n"));
    text.close();

    windows[0]->findChild<QLineEdit*>(QStringLiteral("Subject"))->setText(QStringLiteral("Offer"));
    windows[0]
        ->findChild<QPlainTextEdit*>(QStringLiteral("Body"))
        ->setPlainText(QStringLiteral("Dear Ann"));
    QVERIFY(timer("TimerOutlook")->saveNow());
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(text.readAll()),
        QStringLiteral("To: ann@oneill.example\nSubject: Offer\n\nDear Ann"));
}

void TestContactCommunication::appointmentGoesToTheAgendaAndNotesTheCompany()
{
    shell::MDIFormMain main;
    main.show();
    openAnnLee();
    control<QPushButton>("CommandAppointment")->click();

    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(visibleWindows<ui::AgendaWindow>().size(), 1);
    QCOMPARE(visibleWindows<ui::AgendaWindow>()[0]->findChild<QTabWidget*>()->currentIndex(), 0);
    QVERIFY(main.isMinimized());
    QCOMPARE(m_company->values.value("TEXT21").toString(),
        QStringLiteral("A new appointment has been made."));
    QVERIFY(loading().isEmpty());
    QVERIFY(!platform::BusyCursor::isBusy());

    const QList<ui::AppointmentWindow*> windows = visibleWindows<ui::AppointmentWindow>();
    QCOMPARE(windows.size(), 1);
    windows[0]->findChild<QPushButton*>(QStringLiteral("Save"))->click();
    QList<office::Appointment> appointments;
    QList<office::Task> tasks;
    QString error;
    QVERIFY2(office::AgendaStore().read(&appointments, &tasks, &error), qPrintable(error));
    QCOMPARE(appointments.size(), 1);
    QCOMPARE(appointments[0].subject,
        QStringLiteral(
            "Ann Lee O'Neill & Sons 1 Long Street Block B Gardens 021 555 0101 082 555 0199"));
    QCOMPARE(appointments[0].durationMinutes, 60);
    QCOMPARE(appointments[0].start, QDateTime(today, QTime(9, 30)));

    // With the agenda open the calendar is not shown again.
    m_company->values.remove("TEXT21");
    control<QPushButton>("CommandAppointment")->click();
    QCOMPARE(visibleWindows<ui::AgendaWindow>().size(), 1);
    QCOMPARE(visibleWindows<ui::AppointmentWindow>().size(), 1);
    QCOMPARE(m_company->values.value("TEXT21").toString(),
        QStringLiteral("A new appointment has been made."));
    QVERIFY(!timer("TimerWord")->isActive());
    QVERIFY(!timer("TimerOutlook")->isActive());
    QVERIFY(m_correspondence->questions.isEmpty());
}

void TestContactCommunication::taskIsDueTodayWithATrailingBlank()
{
    openAnnLee({ { "TEXT04", QVariant() } });
    control<QPushButton>("CommandTask")->click();

    QCOMPARE(visibleWindows<ui::AgendaWindow>().size(), 1);
    QCOMPARE(visibleWindows<ui::AgendaWindow>()[0]->findChild<QTabWidget*>()->currentIndex(), 1);
    const QList<ui::TaskWindow*> windows = visibleWindows<ui::TaskWindow>();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows[0]->task().subject, QStringLiteral("Ann Lee O'Neill & Sons 021 555 0101  "));
    QCOMPARE(windows[0]->task().dueDate, today);
    QVERIFY(!m_company->values.contains("TEXT21"));
    QVERIFY(m_messages->shown.isEmpty());

    windows[0]->findChild<QPushButton*>(QStringLiteral("Save"))->click();
    QList<office::Appointment> appointments;
    QList<office::Task> tasks;
    QString error;
    QVERIFY2(office::AgendaStore().read(&appointments, &tasks, &error), qPrintable(error));
    QCOMPARE(tasks.size(), 1);
    QCOMPARE(tasks[0].subject, QStringLiteral("Ann Lee O'Neill & Sons 021 555 0101  "));
    QCOMPARE(tasks[0].dueDate, today);
}

void TestContactCommunication::failuresRestoreThePointerAndStartNoTimer()
{
    openAnnLee();
    // Without its template the real word processor cannot add the letter.
    QVERIFY(QFile::remove(ui::letterheadPath()));
    QList<bool> indicatorWhenShown;
    m_messages->watch = [&] { indicatorWhenShown.append(!loading().isEmpty()); };
    control<QPushButton>("CommandLetter")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown[0].text.startsWith(
        "An error has occurred. The template 'Letterhead.dot' could not be opened"));
    QCOMPARE(m_messages->shown[0].icon, MessageBox::Icon::Critical);
    QVERIFY(visibleWindows<ui::WordWindow>().isEmpty());

    // A word processor that fails part way: the fax leaves no working file.
    auto word = std::make_unique<office::RecordingWordProcessor>();
    word->failure = QStringLiteral("Word is not installed.");
    office::WordProcessor::setInstance(std::move(word));
    control<QPushButton>("CommandFax")->click();
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("An error has occurred. Word is not installed."));
    QVERIFY(!QFile::exists(ui::workingDocumentPath()));

    auto mail = std::make_unique<office::RecordingMailProgram>();
    mail->failure = QStringLiteral("The mail program is broken.");
    office::MailProgram::setInstance(std::move(mail));
    control<QPushButton>("CommandEMail")->click();
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("An error has occurred. The mail program is broken."));
    // Appointments and tasks say only what went wrong.
    control<QPushButton>("CommandAppointment")->click();
    QCOMPARE(m_messages->shown.last().text, QStringLiteral("The mail program is broken."));
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Critical);
    QVERIFY(!m_company->values.contains("TEXT21"));
    control<QPushButton>("CommandTask")->click();
    QCOMPARE(m_messages->shown.last().text, QStringLiteral("The mail program is broken."));

    QCOMPARE(m_messages->shown.size(), 5);
    QCOMPARE(m_messages->busyWhenShown, QList<bool>(5, false));
    QCOMPARE(indicatorWhenShown, QList<bool>(5, false));
    QVERIFY(!platform::BusyCursor::isBusy());
    QVERIFY(loading().isEmpty());
    QVERIFY(!timer("TimerWord")->isActive());
    QVERIFY(!timer("TimerOutlook")->isActive());
    QVERIFY(m_correspondence->questions.isEmpty());
}

void TestContactCommunication::dialButtonsDialAndCannotStartTwice()
{
    openAnnLee({ { "TEXT08", "123" }, { "TEXT04", "" } });
    QVERIFY(!control("Command1")->isHidden());
    QVERIFY(control("Command2")->isHidden());
    QList<bool> enabledWhileDialling;
    m_messages->watch = [&] {
        enabledWhileDialling << control("Command1")->isEnabled()
                             << control("CommandLetter")->isEnabled();
    };
    control<QPushButton>("Command1")->click();

    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(
        m_messages->shown[0].text, QStringLiteral("Phone number apears to be incorrect. \"123\""));
    QCOMPARE(m_messages->shown[0].title, QStringLiteral("Vantrel"));
    QCOMPARE(m_messages->shown[0].buttons, int(MessageBox::Ok));
    QCOMPARE(m_messages->shown[0].icon, MessageBox::Icon::None);
    QCOMPARE(enabledWhileDialling, QList<bool>({ false, false }));
    QVERIFY(control("Command1")->isEnabled());
    QVERIFY(control("CommandLetter")->isEnabled());
}

void TestContactCommunication::callLogButtonsWriteTheTopRow()
{
    openAnnLee();
    const QString log = QStringLiteral("BCTelephone.xlsx");

    // No workbook: a message, and none is made.
    control<QPushButton>("CommandTel")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY2(m_messages->shown[0].text.contains("BCTelephone.xlsx")
            && m_messages->shown[0].text.contains("missing"),
        qPrintable(m_messages->shown[0].text));
    QCOMPARE(m_messages->shown[0].icon, MessageBox::Icon::Warning);
    QVERIFY(!QFile::exists(log));

    QString error;
    QVERIFY2(office::writeWorkbook(office::Workbook(), log, &error), qPrintable(error));
    control<QPushButton>("CommandTel")->click();
    data::Clock::setFixed(QDateTime(today, QTime(9, 45, 30)));
    control<QPushButton>("CommandCel")->click();
    QCOMPARE(m_messages->shown.size(), 1);

    data::Worksheet sheet;
    QVERIFY2(data::readWorksheet(log, QString(), &sheet, &error), qPrintable(error));
    QCOMPARE(sheet.rows.size(), 2);
    QCOMPARE(sheet.rows[0].value(0).toDateTime(), QDateTime(today, QTime(9, 45, 30)));
    QCOMPARE(sheet.rows[0].value(1).toString(), QStringLiteral("082 555 0199"));
    QCOMPARE(sheet.rows[0].value(2).toString(), QStringLiteral("Ann Lee"));
    QCOMPARE(sheet.rows[0].value(3).toString(), QStringLiteral("O'Neill & Sons"));
    QCOMPARE(sheet.rows[1].value(0).toDateTime(), QDateTime(today, QTime(9, 10)));
    QCOMPARE(sheet.rows[1].value(1).toString(), QStringLiteral("021 555 0101"));

    // A contact of an archived company is logged with that company, not the current one.
    const qint64 archived
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Old Co" }, { "TEXT20", "Archive" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Eve" }, { "TEXT03", "Hart" }, { "TEXT08", "011 222 3333" },
            { "NUMBER01", archived } });
    ui::Screens::registerScreen(
        QStringLiteral("FormArchive"), [] { return new test::FakeCompanyScreen; });
    ui::Screens::instance<test::FakeCompanyScreen>(QStringLiteral("FormArchive"))
        ->standOn(archived, QStringLiteral("Old Co"), QStringLiteral("A-2"));
    ui::RecordViews::show(ui::RecordViews::View::Contacts, ui::RecordViews::Branch::Archive);
    QVERIFY(m_screen->findChild<QWidget*>(QStringLiteral("FrameActivities"))->isHidden());
    control<QPushButton>("CommandTel")->click();
    QVERIFY2(data::readWorksheet(log, QString(), &sheet, &error), qPrintable(error));
    QCOMPARE(sheet.rows.size(), 3);
    QCOMPARE(sheet.rows[0].value(1).toString(), QStringLiteral("011 222 3333"));
    QCOMPARE(sheet.rows[0].value(2).toString(), QStringLiteral("Eve Hart"));
    QCOMPARE(sheet.rows[0].value(3).toString(), QStringLiteral("Old Co"));
}

void TestContactCommunication::callReportButtonAndStoppingTheTimers()
{
    openAnnLee();
    control<QPushButton>("CommandLetter")->click();
    control<QPushButton>("CommandEMail")->click();
    QVERIFY(timer("TimerWord")->isActive());
    QVERIFY(timer("TimerOutlook")->isActive());

    auto* owner = dynamic_cast<ui::AutoSaveOwner*>(m_screen);
    QVERIFY(owner);
    owner->stopAutoSave(AutoSave::Kind::Document);
    QVERIFY(!timer("TimerWord")->isActive());
    QVERIFY(timer("TimerOutlook")->isActive());
    owner->stopAutoSave(AutoSave::Kind::MailText);
    QVERIFY(!timer("TimerOutlook")->isActive());

    ui::Screens::registerScreen(
        QStringLiteral("FormCreateCallReport"), [] { return new test::FakeActivatedScreen; });
    control<QPushButton>("CommandReport")->click();
    QVERIFY(ui::Screens::isVisible(QStringLiteral("FormCreateCallReport")));
}

VANTREL_TEST_MAIN(TestContactCommunication)
#include "TestContactCommunication.moc"
