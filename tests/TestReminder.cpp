#include "ApplicationTest.h"
#include "RecordingMailProgram.h"
#include "RecordingMessageBoxHandler.h"
#include "companies/FormCompanies.h"
#include "companies/FormReminder.h"
#include "companies/ReminderDate.h"
#include "data/BoundView.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Schema.h"
#include "office/MailProgram.h"
#include "platform/MessageBox.h"
#include "ui/CompanyAccess.h"
#include "ui/ScreenArea.h"
#include "ui/Screens.h"

#include "TestFolder.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace vantrel;
using companies::ReminderDate;

namespace {

// The companies screen as the reminder sees it: one company and what is written into it.
class TestCompany : public QWidget, public ui::CompanyAccess {
public:
    QVariant companyKey() const override { return 7; }
    QVariant companyValue(const QString& column) const override { return values.value(column); }
    bool setLastVisited(const QDate& date) override { return write("DATE01", date); }
    bool setAppointmentNote(const QString& note) override { return write("TEXT21", note); }
    bool setNotes(const QString& notes) override { return write("MEMO01", notes); }
    bool setCompanyDetails(const QString& details) override { return write("MEMO02", details); }

    bool write(const QString& column, const QVariant& value)
    {
        if (refuseWrites)
            return false;
        values.insert(column, value);
        return true;
    }

    QVariantMap values;
    bool refuseWrites = false;
};

const QDate today(2026, 12, 9); // a Wednesday

// Whether a window is blocked by a modal dialog.
class BlockWatch : public QObject {
public:
    explicit BlockWatch(QWidget* window) { window->installEventFilter(this); }
    bool blocked = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::WindowBlocked)
            blocked = true;
        else if (event->type() == QEvent::WindowUnblocked)
            blocked = false;
        return false;
    }
};

} // namespace

class TestReminder : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dueDay_data();
    void dueDay();
    void dueDayNeedsLastVisitOrFrequency_data();
    void dueDayNeedsLastVisitOrFrequency();
    void frequencyCountsItsLeadingNumber_data();
    void frequencyCountsItsLeadingNumber();

    void noClosesWithoutReminder();
    void yesShowsTheDueDayInTheCalendar();
    void goSavesTheTaskAndWritesTheNote();
    void companyWithoutDayGetsAMessageAndTheQuestionStays();
    void failedTaskLeavesTheNoteAndTheDialog();
    void reminderIsForTheCompaniesScreen();

private:
    QPushButton* button(companies::FormReminder& form, const char* name)
    {
        return form.findChild<QPushButton*>(name);
    }

    TestCompany* m_company = nullptr;
    office::RecordingMailProgram* m_mail = nullptr;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestReminder::init()
{
    data::Clock::setFixed(QDateTime(today, QTime(10, 30)));
    auto mail = std::make_unique<office::RecordingMailProgram>();
    m_mail = mail.get();
    office::MailProgram::setInstance(std::move(mail));
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    m_company = new TestCompany;
    m_company->values
        = { { "TEXT01", "O'Brien & Söhne" }, { "DATE01", QDate(2026, 11, 4) }, { "NUMBER01", 30 } };
}

void TestReminder::cleanup()
{
    delete m_company;
    office::MailProgram::setInstance(nullptr);
    platform::MessageBox::setHandler(nullptr);
    data::Clock::reset();
}

void TestReminder::dueDay_data()
{
    QTest::addColumn<QVariant>("lastVisited");
    QTest::addColumn<QVariant>("frequency");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("Wednesday plus 30 stays a Wednesday")
        << QVariant(QDate(2026, 11, 4)) << QVariant(30) << QDate(2026, 12, 2);
    QTest::newRow("Saturday moves to Monday")
        << QVariant(QDate(2026, 11, 7)) << QVariant(30) << QDate(2026, 12, 7);
    QTest::newRow("Sunday moves to Monday")
        << QVariant(QDate(2026, 11, 8)) << QVariant(30) << QDate(2026, 12, 7);
    QTest::newRow("no last visit counts from today")
        << QVariant() << QVariant(10) << QDate(2026, 12, 17);
    QTest::newRow("no frequency: two days before the last visit")
        << QVariant(QDate(2026, 11, 5)) << QVariant() << QDate(2026, 11, 3);
    QTest::newRow("no frequency, landing on a Sunday")
        << QVariant(QDate(2026, 12, 8)) << QVariant() << QDate(2026, 12, 7);
    QTest::newRow("last visit with a time of day")
        << QVariant(QDateTime(QDate(2026, 11, 4), QTime(23, 59))) << QVariant(30)
        << QDate(2026, 12, 2);
    QTest::newRow("last visit as stored text")
        << QVariant("2026-11-04") << QVariant("30") << QDate(2026, 12, 2);
}

void TestReminder::dueDay()
{
    QFETCH(QVariant, lastVisited);
    QFETCH(QVariant, frequency);
    QFETCH(QDate, expected);
    QDate day;
    QString error;
    QVERIFY2(ReminderDate::dueDay(lastVisited, frequency, today, &day, &error), qPrintable(error));
    QCOMPARE(day, expected);
}

void TestReminder::dueDayNeedsLastVisitOrFrequency_data()
{
    QTest::addColumn<QVariant>("lastVisited");
    QTest::addColumn<QVariant>("frequency");
    QTest::addColumn<QString>("message");

    const QString neither = "The company has neither a date last visited nor a visit frequency.";
    QTest::newRow("both empty") << QVariant() << QVariant() << neither;
    QTest::newRow("empty text") << QVariant("") << QVariant("") << neither;
    QTest::newRow("frequency 0 is none") << QVariant() << QVariant(0) << neither;
    QTest::newRow("a last visit that is no date")
        << QVariant("soon") << QVariant(30) << "The date last visited \"soon\" is not a date.";
}

void TestReminder::dueDayNeedsLastVisitOrFrequency()
{
    QFETCH(QVariant, lastVisited);
    QFETCH(QVariant, frequency);
    QFETCH(QString, message);
    QDate day(2000, 1, 1);
    QString error;
    QVERIFY(!ReminderDate::dueDay(lastVisited, frequency, today, &day, &error));
    QCOMPARE(error, message);
    QCOMPARE(day, QDate(2000, 1, 1));
}

void TestReminder::frequencyCountsItsLeadingNumber_data()
{
    QTest::addColumn<QVariant>("frequency");
    QTest::addColumn<int>("days");
    QTest::newRow("number") << QVariant(30) << 30;
    QTest::newRow("real") << QVariant(30.0) << 30;
    QTest::newRow("fraction") << QVariant(14.5) << 14;
    QTest::newRow("text") << QVariant(" 21 days") << 21;
    QTest::newRow("not numeric") << QVariant("abc") << 0;
    QTest::newRow("empty") << QVariant() << 0;
}

void TestReminder::frequencyCountsItsLeadingNumber()
{
    QFETCH(QVariant, frequency);
    QFETCH(int, days);
    QCOMPARE(ReminderDate::frequencyDays(frequency), days);
}

void TestReminder::noClosesWithoutReminder()
{
    companies::FormReminder form(m_company);
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Reminder..."));
    QCOMPARE(form.findChild<QLabel*>("LabelReminder")->text(),
        QStringLiteral("Do you want to set a Reminder in MS-Outlook, advising you when "
                       "O'Brien & Söhne is due for a Meeting again?"));
    QVERIFY(!form.findChild<QCalendarWidget*>("MonthView1")->isVisible());
    QVERIFY(!button(form, "CommandGo")->isVisible());

    QTest::mouseClick(button(form, "CommandNo"), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QVERIFY(m_mail->savedTasks.isEmpty());
    QVERIFY(!m_company->values.contains("TEXT21"));
}

void TestReminder::yesShowsTheDueDayInTheCalendar()
{
    companies::FormReminder form(m_company);
    form.show();
    const int askingHeight = form.height();
    QTest::mouseClick(button(form, "CommandYes"), Qt::LeftButton);

    auto* calendar = form.findChild<QCalendarWidget*>("MonthView1");
    QVERIFY(calendar->isVisible());
    QCOMPARE(calendar->selectedDate(), QDate(2026, 12, 2));
    QVERIFY(button(form, "CommandGo")->isVisible());
    QVERIFY(!form.findChild<QLabel*>("LabelReminder")->isVisible());
    QVERIFY(!button(form, "CommandYes")->isVisible());
    QVERIFY(!button(form, "CommandNo")->isVisible());
    QVERIFY(form.height() > askingHeight);
    QCOMPARE(
        form.findChild<QLineEdit*>("TextDueDate")->text(), data::displayText(QDate(2026, 12, 2)));
    QCOMPARE(form.findChild<QLineEdit*>("TextDay")->text(), QLocale().dayName(Qt::Wednesday));

    // The hint over the calendar names the day.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(calendar, &enter);
    QCOMPARE(form.findChild<QLabel*>("LabelHelp")->text(),
        "Your reminder will be set at " + data::displayText(QDate(2026, 12, 2))
            + ", which is 2 days before a meeting is due. You can however choose a different "
              "date, using the calendar.");

    calendar->setSelectedDate(QDate(2026, 12, 4));
    QCOMPARE(
        form.findChild<QLineEdit*>("TextDueDate")->text(), data::displayText(QDate(2026, 12, 4)));
    QVERIFY(m_mail->savedTasks.isEmpty());
}

void TestReminder::goSavesTheTaskAndWritesTheNote()
{
    companies::FormReminder form(m_company);
    form.show();
    QTest::mouseClick(button(form, "CommandYes"), Qt::LeftButton);
    // The user picks another day than the one offered.
    form.findChild<QCalendarWidget*>("MonthView1")->setSelectedDate(QDate(2026, 12, 1));
    QTest::mouseClick(button(form, "CommandGo"), Qt::LeftButton);

    QCOMPARE(m_mail->savedTasks.size(), 1);
    QCOMPARE(m_mail->savedTasks.first().subject,
        QStringLiteral("Make an Appointment with O'Brien & Söhne"));
    QCOMPARE(m_mail->savedTasks.first().dueDate, QDate(2026, 12, 1));
    QVERIFY(m_mail->displayedTasks.isEmpty());
    QCOMPARE(m_company->values.value("TEXT21").toString(),
        "A new appointment will be scheduled on " + data::displayText(QDate(2026, 12, 1)) + ".");
    QVERIFY(!form.isVisible());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestReminder::companyWithoutDayGetsAMessageAndTheQuestionStays()
{
    m_company->values.remove("DATE01");
    m_company->values.insert("NUMBER01", QVariant());
    companies::FormReminder form(m_company);
    form.show();
    QTest::mouseClick(button(form, "CommandYes"), Qt::LeftButton);

    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("An error has occurred. The company has neither a date last visited nor "
                       "a visit frequency."));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Critical);
    QVERIFY(form.isVisible());
    QVERIFY(form.findChild<QLabel*>("LabelReminder")->isVisible());
    QVERIFY(!form.findChild<QCalendarWidget*>("MonthView1")->isVisible());
}

void TestReminder::failedTaskLeavesTheNoteAndTheDialog()
{
    m_mail->failure = "The agenda file is read-only.";
    companies::FormReminder form(m_company);
    form.show();
    QTest::mouseClick(button(form, "CommandYes"), Qt::LeftButton);
    QTest::mouseClick(button(form, "CommandGo"), Qt::LeftButton);

    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("An error has occurred. The agenda file is read-only."));
    QVERIFY(!m_company->values.contains("TEXT21"));
    QVERIFY(form.isVisible());
    QVERIFY(!form.findChild<QLabel*>("LabelLoad")->isVisible());

    // Once the agenda takes it, the same dialog finishes the job.
    m_mail->failure.clear();
    QTest::mouseClick(button(form, "CommandGo"), Qt::LeftButton);
    QCOMPARE(m_mail->savedTasks.size(), 1);
    QVERIFY(m_company->values.contains("TEXT21"));
}

void TestReminder::reminderIsForTheCompaniesScreen()
{
    test::TestFolder folder;
    folder.createDatabases();
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY(db.execute(
        "INSERT INTO TABLE01 (TEXT01, TEXT20, DATE01, NUMBER01) VALUES "
        "('Keller AG', 'Company', '2026-11-07', 30), ('Zeta Mills', 'Company', NULL, NULL)"));
    auto* screen = ui::Screens::instance<companies::FormCompanies>("FormCompanies");
    QVERIFY(screen);
    QCOMPARE(screen->companyValue("TEXT01").toString(), QStringLiteral("Keller AG"));

    // The question blocks the main window, not the word processor's window where a
    // call report may be under way.
    QWidget mainWindow;
    auto* area = new ui::ScreenArea(&mainWindow);
    ui::Screens::setArea(area);
    auto* tree = new QPushButton(QStringLiteral("Contacts"), &mainWindow);
    tree->move(0, 0);
    mainWindow.resize(400, 300);
    mainWindow.show();
    QPushButton wordWindow(QStringLiteral("Details:"));
    wordWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wordWindow));
    const BlockWatch mainBlock(&mainWindow);
    const BlockWatch wordBlock(&wordWindow);
    auto* form = ui::Screens::bringToFront<companies::FormReminder>("FormReminder");
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QVERIFY(mainBlock.blocked);
    QVERIFY(!wordBlock.blocked);
    QVERIFY(form->findChild<QLabel*>("LabelReminder")->text().contains("when Keller AG is due"));
    QTest::mouseClick(form->findChild<QPushButton*>("CommandYes"), Qt::LeftButton);
    QCOMPARE(form->findChild<QCalendarWidget*>("MonthView1")->selectedDate(), QDate(2026, 12, 7));
    QTest::mouseClick(form->findChild<QPushButton*>("CommandGo"), Qt::LeftButton);
    QTRY_VERIFY(!ui::Screens::existing("FormReminder"));

    const QString note
        = "A new appointment will be scheduled on " + data::displayText(QDate(2026, 12, 7)) + ".";
    QCOMPARE(m_mail->savedTasks.size(), 1);
    QCOMPARE(
        m_mail->savedTasks.first().subject, QStringLiteral("Make an Appointment with Keller AG"));
    QCOMPARE(screen->findChild<QLineEdit*>("Text21")->text(), note);
    // Stored with the company at its next save.
    QVERIFY(screen->view()->moveNext());
    QCOMPARE(db.scalar("SELECT TEXT21 FROM TABLE01 WHERE TEXT01 = 'Keller AG'").toString(), note);
    ui::Screens::closeAll();
    ui::Screens::releaseArea(area);
}

VANTREL_TEST_MAIN(TestReminder)
#include "TestReminder.moc"
