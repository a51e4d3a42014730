#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingWordProcessor.h"
#include "activities/CallReportHeader.h"
#include "activities/FormCallReports.h"
#include "activities/FormCreateCallReport.h"
#include "app/ScreenCatalog.h"
#include "companies/FormCompanies.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Schema.h"
#include "office/DefaultLetterhead.h"
#include "office/RtfReader.h"
#include "office/WordDocument.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/AutoSave.h"
#include "ui/BuiltInWordProcessor.h"
#include "ui/ManualLink.h"
#include "ui/SaveQuestion.h"
#include "ui/Screens.h"
#include "ui/WordWindow.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "ShellFakes.h"
#include "TestFolder.h"
#include "TopLevelWindows.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include <memory>

using namespace vantrel;
using activities::CallReportHeader;
using activities::FormCreateCallReport;
using test::insertRow;
using ui::SaveQuestion;

namespace {

const QDate today(2026, 3, 11);

// The call report browser as far as the entry screen uses it: opened with the
// company's reports, then asked to put the save question.
class FakeCallReports : public test::FakeRecordScreen, public SaveQuestion {
public:
    void askToSave(Pending pending) override { questions.append(pending); }
    bool storePending(Pending) override { return false; }
    void discardPending(Pending) override { }
    QList<Pending> questions;
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString lines(const QStringList& list)
{
    return list.join(QStringLiteral("\r\n"));
}

} // namespace

class TestCallReportEntry : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void headerAndDocumentText();
    void stepsFollowEachOtherInOnePlace();
    void timeFormatComesFromTheListEntry();
    void activationRebuildsTheHeaderButTheStepsStay();
    void meetingSetsTheLastVisitAndOffersTheReminder();
    void reminderLeavesTheSaveQuestionInSight();
    void noReminderWithoutVisitFrequency_data();
    void noReminderWithoutVisitFrequency();
    void goWritesOnTheLetterheadAndAutoSaves();
    void failingWordProcessorStartsNothing();
    void hintsNameTheCompany();
    void meetingReportFromCompanyToStoredRow();
    void unreadableContactsAreReported_data();
    void unreadableContactsAreReported();

private:
    template <class T = QWidget> T* control(const char* name)
    {
        return test::findControl<T>(m_screen, name);
    }
    void openScreen();
    void pickMethod(const QString& method);
    void pickTime(const QString& entry);
    void pickDate(const QDate& date);
    void pickPerson(int row);
    QStringList baseLines() const;
    FakeCallReports* browser() const
    {
        return dynamic_cast<FakeCallReports*>(
            ui::Screens::existing(QStringLiteral("FormCallReports")));
    }
    office::RecordingWordProcessor* recordWord();

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    test::FakeCompanyScreen* m_company = nullptr;
    FormCreateCallReport* m_screen = nullptr;
    qint64 m_companyKey = 0;
};

void TestCallReportEntry::initTestCase()
{
    app::registerScreens();
}

void TestCallReportEntry::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    QString error;
    QVERIFY2(office::writeDefaultLetterhead(m_folder->path(), &error), qPrintable(error));
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(today, QTime(9, 7)));

    m_companyKey = insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "O'Neill & Sons" }, { "TEXT20", "Company" } });
    const qint64 other = insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "Other Ltd" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Zoe" }, { "TEXT03", "Adams" }, { "TEXT06", "Buyer" },
            { "NUMBER01", m_companyKey } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "D'Arcy" }, { "TEXT03", "O'Hara" }, { "NUMBER01", m_companyKey } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Alan" }, { "TEXT03", "Moss" }, { "NUMBER01", other } });

    ui::Screens::registerScreen(
        QStringLiteral("FormCompanies"), [] { return new test::FakeCompanyScreen; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCallReports"), [] { return new FakeCallReports; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCreateCallReport"), [] { return new FormCreateCallReport; });
    m_company = ui::Screens::instance<test::FakeCompanyScreen>(QStringLiteral("FormCompanies"));
    m_company->standOn(m_companyKey, QStringLiteral("O'Neill & Sons"), QStringLiteral("A100"));
    m_company->values.insert(QStringLiteral("TEXT17"), QStringLiteral("Customer"));
    m_company->values.insert(QStringLiteral("TEXT13"), QStringLiteral("Mining"));
    m_company->values.insert(QStringLiteral("TEXT18"), QStringLiteral("Ann Lee"));
    m_company->values.insert(
        QStringLiteral("MEMO02"), QStringLiteral("Gold and platinum.\r\nTwo shafts."));
    m_company->values.insert(QStringLiteral("NUMBER01"), 30);
}

void TestCallReportEntry::cleanup()
{
    ui::Screens::closeAll();
    m_screen = nullptr;
    office::WordProcessor::setInstance(nullptr);
    test::deleteWordWindows();
    data::Clock::reset();
    platform::MessageBox::setHandler(nullptr);
    m_folder.reset();
}

void TestCallReportEntry::openScreen()
{
    m_screen = ui::Screens::instance<FormCreateCallReport>(QStringLiteral("FormCreateCallReport"));
    QVERIFY(m_screen);
    m_screen->resize(900, 650);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen));
    // The screen area does this each time the screen comes to the front.
    m_screen->screenActivated();
}

void TestCallReportEntry::pickMethod(const QString& method)
{
    auto* list = control<QListWidget>("ListMethod");
    const QList<QListWidgetItem*> found = list->findItems(method, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(
        list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

void TestCallReportEntry::pickTime(const QString& entry)
{
    auto* combo = control<QComboBox>("ComboTime");
    const int index = combo->findText(entry);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void TestCallReportEntry::pickDate(const QDate& date)
{
    auto* calendar = control<QCalendarWidget>("MonthView1");
    calendar->setSelectedDate(date);
    emit calendar->clicked(date);
}

void TestCallReportEntry::pickPerson(int row)
{
    auto* list = control<QListView>("DBListNames");
    const QModelIndex index = list->model()->index(row, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

QStringList TestCallReportEntry::baseLines() const
{
    return { "CALL REPORT", "", "Company: O'Neill & Sons", "Type of Company: Customer",
        "Division: Mining", "Sales Person: Ann Lee" };
}

office::RecordingWordProcessor* TestCallReportEntry::recordWord()
{
    auto word = std::make_unique<office::RecordingWordProcessor>();
    office::RecordingWordProcessor* recorder = word.get();
    office::WordProcessor::setInstance(std::move(word));
    return recorder;
}

void TestCallReportEntry::headerAndDocumentText()
{
    CallReportHeader header;
    header.reset(m_company);
    QCOMPARE(header.text(), lines(baseLines()));

    header.addMethod(QStringLiteral("Telephone Call"));
    header.addDateAndTime(QDate(2026, 3, 9), QStringLiteral("02:30 PM"));
    header.addPerson(QStringLiteral("Zoe Adams   (Buyer)"));
    header.addPerson(QStringLiteral("Zoe Adams   (Buyer)"));
    const QStringList full = baseLines()
        + QStringList { "Method of Contact: Telephone Call",
              "Date and Time: " + data::displayText(QDate(2026, 3, 9)) + " 02:30 PM",
              "Person Contacted: Zoe Adams   (Buyer)", "Person Contacted: Zoe Adams   (Buyer)" };
    QCOMPARE(header.text(), lines(full));
    QVERIFY(!header.text().endsWith('\n'));

    QCOMPARE(header.documentText(QStringLiteral("Gold.\r\nTwo shafts.")),
        lines(full) + "\r\n\r\nPreamble: \r\nGold.\r\nTwo shafts.\r\n\r\nDetails: \r\n");
    QCOMPARE(header.documentText(QString()), lines(full) + "\r\n\r\nDetails: \r\n");

    // Another company: only its base lines; without one the values stay empty.
    m_company->standOn(7, QStringLiteral("Other Ltd"), QString());
    header.reset(m_company);
    QCOMPARE(header.lines().size(), 6);
    QCOMPARE(header.lines().at(2), QStringLiteral("Company: Other Ltd"));
    QCOMPARE(header.lines().at(3), QStringLiteral("Type of Company: "));
    header.reset(nullptr);
    QCOMPARE(header.lines().at(5), QStringLiteral("Sales Person: "));
}

void TestCallReportEntry::stepsFollowEachOtherInOnePlace()
{
    openScreen();
    auto* method = control<QGroupBox>("FrameMethod");
    auto* time = control<QGroupBox>("FrameTime");
    auto* date = control<QGroupBox>("FrameDate");
    auto* contacts = control<QGroupBox>("FrameContacts");
    auto* go = control<QPushButton>("CommandGo");
    auto* header = control<QTextEdit>("RichTextBoxHeader");
    QVERIFY(method->isVisible());
    QVERIFY(!time->isVisible() && !date->isVisible() && !contacts->isVisible() && !go->isVisible());
    QVERIFY(control<QGroupBox>("FrameHeader")->isVisible());
    QCOMPARE(header->toPlainText(), baseLines().join('\n'));
    QCOMPARE(control<QLineEdit>("TextTime")->text(), QStringLiteral("09:07"));
    QCOMPARE(control<QListWidget>("ListMethod")->count(), 5);
    auto* times = control<QComboBox>("ComboTime");
    QCOMPARE(times->count(), 48);
    QCOMPARE(times->itemText(0), QStringLiteral("06:00 AM"));
    QCOMPARE(times->itemText(23), QStringLiteral("11:45 AM"));
    QCOMPARE(times->itemText(24), QStringLiteral("12:00 PM"));
    QCOMPARE(times->itemText(28), QStringLiteral("01:00 PM"));
    QCOMPARE(times->itemText(47), QStringLiteral("05:45 PM"));
    const int leftmost = method->x();

    data::Clock::setFixed(QDateTime(today, QTime(14, 47)));
    pickMethod(QStringLiteral("Telephone Call"));
    QVERIFY(!method->isVisible());
    QVERIFY(time->isVisible());
    QVERIFY(!date->isVisible());
    QVERIFY(!control<QCheckBox>("CheckFormat")->isVisible());
    QCOMPARE(control<QLineEdit>("TextTime")->text(), QStringLiteral("14:47"));
    QVERIFY(header->toPlainText().endsWith("\nMethod of Contact: Telephone Call"));
    QTRY_COMPARE(time->x(), leftmost);
    // Telephone calls leave the date of the last visit alone.
    QVERIFY(!m_company->values.contains(QStringLiteral("DATE01")));

    pickTime(QStringLiteral("02:30 PM"));
    QCOMPARE(control<QLineEdit>("TextTime")->text(), QStringLiteral("02:30 PM"));
    QVERIFY(control<QCheckBox>("CheckFormat")->isVisible());
    QVERIFY(date->isVisible());
    QTRY_VERIFY(date->x() > time->x() + time->width() - 1);

    const QDate picked(2026, 3, 9);
    pickDate(picked);
    QVERIFY(!time->isVisible() && !date->isVisible());
    QVERIFY(contacts->isVisible());
    QVERIFY(go->isVisible());
    QTRY_COMPARE(contacts->x(), leftmost);

    auto* names = control<QListView>("DBListNames");
    QCOMPARE(names->model()->rowCount(), 2);
    QCOMPARE(names->model()->index(0, 0).data().toString(), QStringLiteral("D'Arcy O'Hara   ()"));
    QCOMPARE(names->model()->index(1, 0).data().toString(), QStringLiteral("Zoe Adams   (Buyer)"));
    pickPerson(1);
    pickPerson(1);
    pickPerson(0);
    const QStringList expected = baseLines()
        + QStringList { "Method of Contact: Telephone Call",
              "Date and Time: " + data::displayText(picked) + " 02:30 PM",
              "Person Contacted: Zoe Adams   (Buyer)", "Person Contacted: Zoe Adams   (Buyer)",
              "Person Contacted: D'Arcy O'Hara   ()" };
    QCOMPARE(m_screen->header().text(), lines(expected));
    QCOMPARE(header->toPlainText(), expected.join('\n'));
}

void TestCallReportEntry::timeFormatComesFromTheListEntry()
{
    openScreen();
    auto* text = control<QLineEdit>("TextTime");
    auto* format = control<QCheckBox>("CheckFormat");
    pickMethod(QStringLiteral("Delivery"));
    QCOMPARE(format->toolTip(), QStringLiteral("Change to 24 Hour Setting"));
    QCOMPARE(format->text(), QStringLiteral("Change Format"));

    // Clicking into the time box offers the date for a time typed by hand.
    QTest::mouseClick(text, Qt::LeftButton);
    QVERIFY(control<QGroupBox>("FrameDate")->isVisible());
    QVERIFY(!format->isVisible());

    pickTime(QStringLiteral("02:30 PM"));
    text->clear();
    QTest::keyClicks(text, "14:47");
    QTest::mouseClick(format, Qt::LeftButton, {}, QPoint(6, format->height() / 2));
    QVERIFY(format->isChecked());
    QCOMPARE(text->text(), QStringLiteral("14:30"));
    QTest::mouseClick(format, Qt::LeftButton, {}, QPoint(6, format->height() / 2));
    QCOMPARE(text->text(), QStringLiteral("02:30 PM"));

    pickTime(QStringLiteral("09:15 AM"));
    QTest::mouseClick(format, Qt::LeftButton, {}, QPoint(6, format->height() / 2));
    QCOMPARE(text->text(), QStringLiteral("09:15"));
    pickDate(today);
    QVERIFY(m_screen->header().text().endsWith(
        "Date and Time: " + data::displayText(today) + " 09:15"));
}

void TestCallReportEntry::activationRebuildsTheHeaderButTheStepsStay()
{
    openScreen();
    pickMethod(QStringLiteral("Other"));
    pickTime(QStringLiteral("06:00 AM"));
    pickDate(QDate(2026, 2, 2));
    pickPerson(0);
    QCOMPARE(m_screen->header().lines().size(), 9);

    // Back from another screen, now standing on another company.
    const qint64 other
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Third" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Bea" }, { "TEXT03", "Cole" }, { "TEXT06", "CEO" }, { "NUMBER01", other } });
    m_company->standOn(other, QStringLiteral("Third"), QStringLiteral("C3"));
    m_screen->screenActivated();

    QCOMPARE(m_screen->header().lines().size(), 6);
    QCOMPARE(m_screen->header().lines().at(2), QStringLiteral("Company: Third"));
    QCOMPARE(control<QTextEdit>("RichTextBoxHeader")->toPlainText(),
        m_screen->header().lines().join('\n'));
    QCOMPARE(control<QCalendarWidget>("MonthView1")->selectedDate(), today);
    QVERIFY(control<QGroupBox>("FrameContacts")->isVisible());
    QVERIFY(control<QPushButton>("CommandGo")->isVisible());
    QVERIFY(!control<QGroupBox>("FrameMethod")->isVisible());
    auto* names = control<QListView>("DBListNames");
    QCOMPARE(names->model()->rowCount(), 1);
    QCOMPARE(names->model()->index(0, 0).data().toString(), QStringLiteral("Bea Cole   (CEO)"));
}

void TestCallReportEntry::meetingSetsTheLastVisitAndOffersTheReminder()
{
    office::RecordingWordProcessor* word = recordWord();
    m_company->values.remove(QStringLiteral("MEMO02"));
    openScreen();
    pickMethod(QStringLiteral("Meeting"));
    QCOMPARE(m_company->values.value(QStringLiteral("DATE01")).toDate(), today);
    QVERIFY(!ui::Screens::isVisible(QStringLiteral("FormReminder")));

    pickTime(QStringLiteral("10:00 AM"));
    const QDate visited(2026, 3, 6);
    pickDate(visited);
    pickPerson(1);
    QCOMPARE(m_company->values.value(QStringLiteral("DATE01")).toDate(), today);
    control<QPushButton>("CommandGo")->click();

    QCOMPARE(m_company->values.value(QStringLiteral("DATE01")).toDate(), visited);
    QVERIFY(ui::Screens::isVisible(QStringLiteral("FormReminder")));
    QVERIFY(ui::Screens::existing(QStringLiteral("FormReminder"))
                ->findChild<QLabel*>(QStringLiteral("LabelReminder"))
                ->text()
                .contains(u"O'Neill & Sons is due"));
    // Without details there is no preamble: the header, an empty line, "Details: ".
    QCOMPARE(word->templates, QStringList { QStringLiteral("Letterhead.dot") });
    QCOMPARE(word->typed, QStringList { m_screen->header().text() + "\r\n\r\nDetails: \r\n" });
    QCOMPARE(word->movesToEnd, 1);
    QVERIFY(m_messages->shown.isEmpty());
}

void TestCallReportEntry::noReminderWithoutVisitFrequency_data()
{
    QTest::addColumn<QVariant>("frequency");
    QTest::newRow("zero") << QVariant(0);
    QTest::newRow("zero text") << QVariant(QStringLiteral("0"));
    QTest::newRow("empty") << QVariant();
}

void TestCallReportEntry::noReminderWithoutVisitFrequency()
{
    QFETCH(QVariant, frequency);
    recordWord();
    m_company->values.insert(QStringLiteral("NUMBER01"), frequency);
    openScreen();
    pickMethod(QStringLiteral("Meeting"));
    pickTime(QStringLiteral("10:00 AM"));
    pickDate(today.addDays(-1));
    // A reminder still on show from before is hidden as well.
    ui::Screens::bringToFront(QStringLiteral("FormReminder"));
    QVERIFY(ui::Screens::isVisible(QStringLiteral("FormReminder")));
    control<QPushButton>("CommandGo")->click();

    QCOMPARE(m_company->values.value(QStringLiteral("DATE01")).toDate(), today.addDays(-1));
    QVERIFY(!ui::Screens::isVisible(QStringLiteral("FormReminder")));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestCallReportEntry::goWritesOnTheLetterheadAndAutoSaves()
{
    openScreen();
    pickMethod(QStringLiteral("Correspondence"));
    pickTime(QStringLiteral("08:45 AM"));
    pickDate(today);
    pickPerson(1);
    const QString typed
        = m_screen->header().documentText(QStringLiteral("Gold and platinum.\r\nTwo shafts."));
    QVERIFY(typed.contains(
        u"\r\nPreamble: \r\nGold and platinum.\r\nTwo shafts.\r\n\r\nDetails: \r\n"));
    control<QPushButton>("CommandGo")->click();

    QVERIFY(m_messages->shown.isEmpty());
    QVERIFY(!platform::BusyCursor::isBusy());
    QVERIFY(!control<QWidget>("LabelLoad")->isVisible());
    // Not a meeting: the last visit stays as it was.
    QVERIFY(!m_company->values.contains(QStringLiteral("DATE01")));

    // The built-in word processor shows a new document on the letterhead with the text typed in.
    ui::WordWindow* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<ui::WordWindow*>(widget))
            window = found;
    }
    QVERIFY(window);
    QVERIFY(window->isVisible());
    const QString expectedBody = QString(typed).replace("\r\n", "\n");
    QCOMPARE(window->document()->body()->toPlainText(), expectedBody);
    QVERIFY(window->document()->pageHeader()->toPlainText().contains(u"Your Company"));
    auto* body = window->findChild<QTextEdit*>(QStringLiteral("Body"));
    QCOMPARE(body->textCursor().position(), window->document()->body()->characterCount() - 1);

    // The company's call reports ask whether to store it.
    QVERIFY(browser());
    QCOMPARE(browser()->queries, 1);
    QCOMPARE(
        browser()->questions, QList<SaveQuestion::Pending> { SaveQuestion::Pending::Document });

    auto* timer = m_screen->findChild<ui::AutoSave*>(QStringLiteral("TimerWord"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    QTest::keyClicks(body, "Met the buyer.");
    const QString working = m_folder->filePath(QStringLiteral("Temp/Vantrel Document.doc"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(working), 3000);
    QTextDocument savedBody;
    QTextDocument savedHeader;
    QString error;
    QVERIFY2(
        office::readRtf(readFile(working), &savedBody, &savedHeader, &error), qPrintable(error));
    QCOMPARE(savedBody.toPlainText(), expectedBody + "Met the buyer.");
    QVERIFY(savedHeader.toPlainText().contains(u"Your Company"));
}

void TestCallReportEntry::failingWordProcessorStartsNothing()
{
    office::RecordingWordProcessor* word = recordWord();
    word->failure = QStringLiteral("The word processor could not be started.");
    openScreen();
    pickMethod(QStringLiteral("Telephone Call"));
    pickTime(QStringLiteral("08:45 AM"));
    pickDate(today);
    control<QPushButton>("CommandGo")->click();

    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("An error has occurred. The word processor could not be started."));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Critical);
    QVERIFY(!platform::BusyCursor::isBusy());
    QVERIFY(!control<QWidget>("LabelLoad")->isVisible());
    QVERIFY(!m_screen->findChild<ui::AutoSave*>());
    QVERIFY(!browser());
    // The steps stay, so the user may try again.
    QVERIFY(control<QPushButton>("CommandGo")->isVisible());

    // The built-in word processor without its template names the file and opens no window.
    office::WordProcessor::setInstance(nullptr);
    QVERIFY(QFile::remove(m_folder->filePath(QStringLiteral("Letterhead.dot"))));
    control<QPushButton>("CommandGo")->click();
    QCOMPARE(m_messages->shown.size(), 2);
    QVERIFY2(m_messages->shown.last().text.contains(u"Letterhead.dot"),
        qPrintable(m_messages->shown.last().text));
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<ui::WordWindow*>(widget));
    // Nor is an empty instance left behind for a later auto-save to attach to.
    office::WordProcessor::Instance running = 0;
    QString error;
    QVERIFY(!office::WordProcessor::instance().attach(&running, &error));
    QVERIFY(!m_screen->findChild<ui::AutoSave*>());
    QVERIFY(!browser());
}

void TestCallReportEntry::hintsNameTheCompany()
{
    openScreen();
    auto* label = control<QLabel>("LabelHelp");
    QTest::mouseMove(control("ListMethod"));
    QTRY_COMPARE(label->text(),
        QStringLiteral(
            "Select how you were in contact with O'Neill & Sons. A Meeting also sets the date "
            "of your last visit."));
    QCOMPARE(control<QPushButton>("CommandGo")->toolTip(),
        QStringLiteral("Start writing your Call Report"));
    QVERIFY(m_screen->findChild<ui::ManualLink*>());
    QCOMPARE(control<QPushButton>("CommandHelp")->text(), QStringLiteral("Help (F1)"));
}

void TestCallReportEntry::meetingReportFromCompanyToStoredRow()
{
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY(
        db.execute(QStringLiteral("UPDATE TABLE01 SET TEXT17 = 'Customer', TEXT13 = 'Mining',"
                                  " TEXT18 = 'Ann Lee', MEMO02 = 'Gold and platinum.', NUMBER01 = 0"
                                  " WHERE AUTONUMBER = ?"),
            { m_companyKey }));
    ui::Screens::close(QStringLiteral("FormCompanies"));
    ui::Screens::registerScreen(
        QStringLiteral("FormCompanies"), [] { return new companies::FormCompanies; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCallReports"), [] { return new activities::FormCallReports; });
    auto* companies
        = ui::Screens::instance<companies::FormCompanies>(QStringLiteral("FormCompanies"));
    auto* select = companies->findChild<QComboBox*>(QStringLiteral("DBComboSelect"));
    const int index = select->findText(QStringLiteral("O'Neill & Sons"));
    QVERIFY(index >= 0);
    select->setCurrentIndex(index);
    emit select->activated(index);
    QCOMPARE(companies->companyKey().toLongLong(), m_companyKey);

    openScreen();
    QCOMPARE(m_screen->header().lines(), baseLines());
    pickMethod(QStringLiteral("Meeting"));
    pickTime(QStringLiteral("11:30 AM"));
    const QDate visited = today.addDays(-2);
    pickDate(visited);
    pickPerson(1);
    const QString header = m_screen->header().text();
    control<QPushButton>("CommandGo")->click();
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(companies->companyValue(QStringLiteral("DATE01")).toDate(), visited);

    auto* browser = ui::Screens::existing(QStringLiteral("FormCallReports"));
    QVERIFY(browser && browser->isVisible());
    QVERIFY(!browser->findChild<QWidget*>(QStringLiteral("FrameSave"))->isHidden());
    ui::WordWindow* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<ui::WordWindow*>(widget))
            window = found;
    }
    QVERIFY(window);
    QTest::keyClicks(
        window->findChild<QTextEdit*>(QStringLiteral("Body")), "Agreed on a trial order.");
    const QString working = m_folder->filePath(QStringLiteral("Temp/Vantrel Document.doc"));
    QTRY_VERIFY_WITH_TIMEOUT(
        office::plainTextOfRtf(readFile(working)).endsWith(u"Agreed on a trial order."), 3000);

    browser->findChild<QPushButton*>(QStringLiteral("CommandYes"))->click();
    QVERIFY2(m_messages->shown.isEmpty(), qPrintable(m_messages->shown.value(0).text));
    QVERIFY(!ui::Screens::existing(QStringLiteral("FormCreateCallReport")));
    data::QueryResult stored;
    QVERIFY(db.query(QStringLiteral("SELECT NUMBER01, DATE01, MEMO01 FROM TABLE08"), {}, &stored));
    QCOMPARE(stored.rows.size(), 1);
    QCOMPARE(stored.rows.first().value(0).toLongLong(), m_companyKey);
    // Stored under the day of saving; the day of the meeting is in the text.
    QCOMPARE(stored.rows.first().value(1).toDate(), today);
    const QByteArray memo = stored.rows.first().value(2).toString().toUtf8();
    QVERIFY(memo.startsWith("{\\rtf"));
    QCOMPARE(office::plainTextOfRtf(memo),
        QString(header).replace("\r\n", "\n")
            + "\n\nPreamble: \nGold and platinum.\n\nDetails: \nAgreed on a trial order.");
}

void TestCallReportEntry::unreadableContactsAreReported_data()
{
    QTest::addColumn<bool>("withoutFile");
    QTest::addColumn<QString>("reason");
    QTest::newRow("database gone") << true << QStringLiteral("CONTACT.mdb");
    QTest::newRow("contacts table gone") << false << QStringLiteral("no such table: TABLE03");
}

void TestCallReportEntry::unreadableContactsAreReported()
{
    QFETCH(bool, withoutFile);
    QFETCH(QString, reason);
    if (withoutFile)
        QVERIFY(QFile::remove(m_folder->filePath(QStringLiteral("CONTACT.mdb"))));
    else
        QVERIFY(test::businessDatabase().execute(QStringLiteral("DROP TABLE TABLE03")));
    openScreen();
    QCOMPARE(m_messages->shown.size(), 1);
    const QString message = m_messages->shown.first().text;
    QVERIFY2(message.contains(QStringLiteral("The contacts of the company could not be read"))
            && message.contains(reason),
        qPrintable(message));
    // The report can still be written, without a contact person.
    QVERIFY(control<QGroupBox>("FrameMethod")->isVisible());
}

void TestCallReportEntry::reminderLeavesTheSaveQuestionInSight()
{
    recordWord();
    ui::Screens::registerScreen(
        QStringLiteral("FormCallReports"), [] { return new activities::FormCallReports; });
    QWidget* reports = ui::Screens::bringToFront(QStringLiteral("FormCallReports"));
    reports->resize(640, 502);
    openScreen();
    pickMethod(QStringLiteral("Meeting"));
    pickTime(QStringLiteral("10:00 AM"));
    pickDate(QDate(2026, 3, 6));
    pickPerson(1);
    control<QPushButton>("CommandGo")->click();

    QWidget* reminder = ui::Screens::existing(QStringLiteral("FormReminder"));
    QVERIFY(reminder && reminder->isVisible());
    QWidget* question = reports->findChild<QWidget*>(QStringLiteral("FrameSave"));
    QVERIFY(question && question->isVisible());
    const QRect asked(question->mapToGlobal(QPoint(0, 0)), question->size());
    QVERIFY(!reminder->frameGeometry().intersects(asked));
}

VANTREL_TEST_MAIN(TestCallReportEntry)
#include "TestCallReportEntry.moc"
