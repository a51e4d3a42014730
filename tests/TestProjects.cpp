#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "activities/FormProjects.h"
#include "data/Clock.h"
#include "office/AgendaStore.h"
#include "office/MailProgram.h"
#include "platform/MessageBox.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "RecordingMailProgram.h"
#include "ShellFakes.h"
#include "TestFolder.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace vantrel;
using activities::FormProjects;
using platform::MessageBox;

namespace {

const QDate today(2026, 5, 4);
const QString companyName = QStringLiteral("O'Neill & Sons");

QVariant stored(const QString& sql, const QVariantList& parameters = {})
{
    data::Database db = test::businessDatabase();
    return db.scalar(sql, parameters);
}

} // namespace

class TestProjects : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newProjectIsStoredActiveFromToday();
    void emptyIndustryGroupTableIsNamed();
    void statusChangeMovesProjectBetweenLists();
    void probability_data();
    void probability();
    void enterInActionTextAddsNoLineBreak();
    void actionStepIsStoredAndScreenReopens();
    void followUp_data();
    void followUp();
    void failedFollowUpKeepsTheScreen();
    void deletingProjectKeepsItsActionSteps();
    void deletingActionStep();
    void pickingWithoutProjectsIsAnswered();
    void archivedCompanyOffersNoNewProject();
    void hintsNameCompanyAndProject();

private:
    template <class T = QWidget> T* control(const char* name)
    {
        return test::findControl<T>(m_screen, name);
    }
    void open(ui::RecordViews::Branch branch = ui::RecordViews::Branch::Companies);
    qint64 addProject(const QString& name, const QString& status,
        const QString& group = QStringLiteral("Mining"), qint64 company = 0);
    qint64 addStep(qint64 project, const QDate& date, const QString& text);
    QStringList listed();
    void clickRow(const char* list, int row);
    void pickName(const QString& name);
    void startStep(int projectRow, const QDate& date, const QString& text);
    QStringList messageTexts() const;

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    FormProjects* m_screen = nullptr;
    qint64 m_company = 0;
};

void TestProjects::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(today, QTime(10, 15)));
    m_company = test::insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", companyName }, { "TEXT20", "Company" } });
    for (const char* group : { "Mining", "Energy" })
        test::insertRow(QStringLiteral("MT04"), { { "TEXT01", group } });
    for (const char* name : { "Conveyor Belts", "Pumps" })
        test::insertRow(QStringLiteral("MT06"), { { "TEXT01", name } });
    ui::Screens::registerScreen(
        QStringLiteral("FormCompanies"), [] { return new test::FakeCompanyScreen; });
    ui::Screens::registerScreen(
        QStringLiteral("FormArchive"), [] { return new test::FakeCompanyScreen; });
    ui::Screens::instance<test::FakeCompanyScreen>(QStringLiteral("FormCompanies"))
        ->standOn(m_company, companyName, QStringLiteral("A-1"));
}

void TestProjects::cleanup()
{
    ui::Screens::closeAll();
    office::MailProgram::setInstance(nullptr);
    data::Clock::reset();
    MessageBox::setHandler(nullptr);
    m_screen = nullptr;
    m_folder.reset();
}

void TestProjects::open(ui::RecordViews::Branch branch)
{
    ui::RecordViews::show(ui::RecordViews::View::Projects, branch);
    m_screen = dynamic_cast<FormProjects*>(ui::Screens::existing(QStringLiteral("FormProjects")));
    QVERIFY(m_screen);
}

qint64 TestProjects::addProject(
    const QString& name, const QString& status, const QString& group, qint64 company)
{
    return test::insertRow(QStringLiteral("TABLE06"),
        { { "NUMBER01", company ? company : m_company }, { "DATE01", QDate(2026, 1, 10) },
            { "TEXT01", group }, { "TEXT02", name }, { "TEXT03", status } });
}

qint64 TestProjects::addStep(qint64 project, const QDate& date, const QString& text)
{
    return test::insertRow(QStringLiteral("TABLE07"),
        { { "NUMBER01", project }, { "NUMBER02", m_company }, { "DATE01", date },
            { "MEMO01", text } });
}

QStringList TestProjects::listed()
{
    auto* list = control<QListView>("DBListProjects");
    QStringList names;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        names.append(list->model()->index(row, 0).data().toString());
    return names;
}

void TestProjects::clickRow(const char* name, int row)
{
    auto* list = control<QListView>(name);
    // Frames shown a moment ago are laid out first.
    QApplication::processEvents();
    const QModelIndex index = list->model()->index(row, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

void TestProjects::pickName(const QString& name)
{
    auto* combo = control<QComboBox>("DBComboProjectName");
    const int index = combo->findText(name);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void TestProjects::startStep(int projectRow, const QDate& date, const QString& text)
{
    clickRow("DBListProjects", projectRow);
    QTest::mouseClick(control<QPushButton>("CommandActionSteps"), Qt::LeftButton);
    QVERIFY(!control<QGroupBox>("FrameAction")->isHidden());
    QTest::mouseClick(control<QPushButton>("CommandNewAction"), Qt::LeftButton);
    QVERIFY(control<QGroupBox>("FrameAction")->isHidden());
    QVERIFY(!control<QCalendarWidget>("MonthView1")->isHidden());
    QCOMPARE(control<QCalendarWidget>("MonthView1")->selectedDate(), today);
    QCOMPARE(control<QLabel>("LabelHelp")->text(), QStringLiteral("Select a date."));
    emit control<QCalendarWidget>("MonthView1")->clicked(date);
    QVERIFY(!control<QGroupBox>("FrameNew")->isHidden());
    QVERIFY(control<QCalendarWidget>("MonthView1")->isHidden());
    QTest::keyClicks(control<QPlainTextEdit>("TextAction"), text);
}

QStringList TestProjects::messageTexts() const
{
    QStringList texts;
    for (const MessageBox::Message& message : m_messages->shown)
        texts.append(message.text);
    return texts;
}

void TestProjects::newProjectIsStoredActiveFromToday()
{
    addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    open();
    QCOMPARE(listed(), QStringList { "Pumps" });
    QTest::mouseClick(control<QPushButton>("CommandNew"), Qt::LeftButton);
    QVERIFY(!control<QGroupBox>("FrameIndustryGroup")->isHidden());
    QVERIFY(control<QGroupBox>("FrameProjects")->isHidden());
    QVERIFY(control<QGroupBox>("FrameGoTo")->isHidden());
    QVERIFY(!control<QPushButton>("CommandNew")->isEnabled());
    QCOMPARE(control<QComboBox>("DBComboProjectName")->placeholderText(),
        QStringLiteral("Select Project Name..."));

    clickRow("DBListIndustryGroup", 0); // "Mining" comes after "Energy"
    QVERIFY(!control<QGroupBox>("FrameProjectName")->isHidden());
    QVERIFY(control<QPushButton>("CommandDone")->isHidden());
    pickName(QStringLiteral("Conveyor Belts"));
    QVERIFY(!control<QPushButton>("CommandDone")->isHidden());
    QTest::mouseClick(control<QPushButton>("CommandDone"), Qt::LeftButton);

    QVERIFY(control<QGroupBox>("FrameIndustryGroup")->isHidden());
    QVERIFY(!control<QGroupBox>("FrameProjects")->isHidden());
    QVERIFY(control<QPushButton>("CommandNew")->isEnabled());
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(test::rowCount(QStringLiteral("TABLE06")), 2);
    data::Database db = test::businessDatabase();
    data::QueryResult row;
    QVERIFY(db.query(
        QStringLiteral("SELECT * FROM TABLE06 WHERE TEXT02 = 'Conveyor Belts'"), {}, &row));
    QCOMPARE(row.value(0, "NUMBER01").toLongLong(), m_company);
    QCOMPARE(row.value(0, "DATE01").toDate(), today);
    QCOMPARE(row.value(0, "TEXT01").toString(), QStringLiteral("Energy"));
    QCOMPARE(row.value(0, "TEXT03").toString(), FormProjects::activeStatus);
    // Listed by industry group, descending.
    QCOMPARE(listed(), (QStringList { "Pumps", "Conveyor Belts" }));
}

void TestProjects::emptyIndustryGroupTableIsNamed()
{
    data::Database db = test::businessDatabase();
    QVERIFY(db.execute(QStringLiteral("DELETE FROM MT04")));
    open();
    QTest::mouseClick(control<QPushButton>("CommandNew"), Qt::LeftButton);
    auto* list = control<QListView>("DBListIndustryGroup");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(messageTexts(),
        QStringList { QStringLiteral("You must enter an 'Industry Group' in Mastertables") });
    QCOMPARE(m_messages->shown.first().icon, MessageBox::Icon::Critical);
    // The sequence goes on to the project name.
    QVERIFY(!control<QGroupBox>("FrameProjectName")->isHidden());
}

void TestProjects::statusChangeMovesProjectBetweenLists()
{
    addProject(QStringLiteral("Pumps"), FormProjects::activeStatus, QStringLiteral("Mining"));
    addProject(QStringLiteral("Belts"), FormProjects::activeStatus, QStringLiteral("Energy"));
    addProject(QStringLiteral("Valves"), FormProjects::cancelledStatus);
    addProject(QStringLiteral("Other company's"), FormProjects::activeStatus, QStringLiteral("X"),
        test::insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Other" } }));
    open();
    QCOMPARE(listed(), (QStringList { "Pumps", "Belts" }));
    QTest::mouseClick(control<QRadioButton>("OptionCancelledProjects"), Qt::LeftButton);
    QCOMPARE(listed(), QStringList { "Valves" });
    QTest::mouseClick(control<QRadioButton>("OptionCompletedProjects"), Qt::LeftButton);
    QVERIFY(listed().isEmpty());
    QTest::mouseClick(control<QRadioButton>("OptionActiveProjects"), Qt::LeftButton);

    clickRow("DBListProjects", 0);
    auto* status = control<QComboBox>("ComboStatus");
    QCOMPARE(status->currentText(), FormProjects::activeStatus);
    const int completed = status->findText(FormProjects::completedStatus);
    status->setCurrentIndex(completed);
    emit status->activated(completed);
    QCOMPARE(listed(), QStringList { "Belts" });
    QCOMPARE(stored(QStringLiteral("SELECT TEXT03 FROM TABLE06 WHERE TEXT02 = 'Pumps'")).toString(),
        FormProjects::completedStatus);
    QTest::mouseClick(control<QRadioButton>("OptionCompletedProjects"), Qt::LeftButton);
    QCOMPARE(listed(), QStringList { "Pumps" });
}

void TestProjects::probability_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("refusals");
    QTest::addColumn<QString>("kept");
    QTest::newRow("0") << "0" << 1 << "";
    QTest::newRow("101") << "101" << 1 << "";
    QTest::newRow("150 at its third digit") << "150" << 1 << "";
    // Each refused character empties the box again.
    QTest::newRow("abc") << "abc" << 3 << "";
    QTest::newRow("12.5") << "12.5" << 0 << "12.5";
    QTest::newRow("1") << "1" << 0 << "1";
    QTest::newRow("100") << "100" << 0 << "100";
    QTest::newRow("emptied") << "7\b" << 0 << "";
}

void TestProjects::probability()
{
    QFETCH(QString, typed);
    QFETCH(int, refusals);
    QFETCH(QString, kept);
    const qint64 project = addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    open();
    auto* box = control<QLineEdit>("TEXT06");
    // A backspace at the end erases what was typed.
    if (typed.endsWith(QLatin1Char('\b'))) {
        QTest::keyClicks(box, typed.chopped(1));
        QTest::keyClick(box, Qt::Key_Backspace);
    }
    else {
        QTest::keyClicks(box, typed);
    }
    QCOMPARE(messageTexts(),
        QStringList(
            refusals, QStringLiteral("You must enter a numerical value between 1 and 100")));
    if (refusals > 0)
        QCOMPARE(m_messages->shown.first().icon, MessageBox::Icon::Information);
    QCOMPARE(box->text(), kept);
    QTest::mouseClick(control<QPushButton>("CommandReset"), Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("SELECT TEXT06 FROM TABLE06 WHERE AUTONUMBER = ?"), { project })
                 .toString(),
        kept);
}

void TestProjects::enterInActionTextAddsNoLineBreak()
{
    addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    open();
    startStep(0, today, QStringLiteral("Called the buyer"));
    auto* text = control<QPlainTextEdit>("TextAction");
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Enter);
    QTest::keyClicks(text, QStringLiteral(" again"));
    QCOMPARE(text->toPlainText(), QStringLiteral("Called the buyer again"));
    QCOMPARE(text->document()->blockCount(), 1);
}

void TestProjects::actionStepIsStoredAndScreenReopens()
{
    const qint64 project = addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    addStep(project, QDate(2026, 3, 1), QStringLiteral("Later step"));
    addStep(project, QDate(2026, 2, 1), QStringLiteral("Earlier step"));
    open();
    clickRow("DBListProjects", 0);
    auto* grid = control<QTableView>("DBGrid1");
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("Earlier step"));
    QCOMPARE(
        grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Action Step"));
    FormProjects* first = m_screen;
    startStep(0, QDate(2026, 5, 6), QStringLiteral("Sent the quotation"));
    QVERIFY(!control<QListView>("DBListProjects")->isEnabled());
    QTest::mouseClick(control<QPushButton>("CommandSaveAction"), Qt::LeftButton);
    data::Database db = test::businessDatabase();
    data::QueryResult row;
    QVERIFY(db.query(
        QStringLiteral("SELECT * FROM TABLE07 WHERE MEMO01 = 'Sent the quotation'"), {}, &row));
    QCOMPARE(row.rows.size(), 1);
    QCOMPARE(row.value(0, "NUMBER01").toLongLong(), project);
    QCOMPARE(row.value(0, "NUMBER02").toLongLong(), m_company);
    QCOMPARE(row.value(0, "DATE01").toDate(), QDate(2026, 5, 6));
    // Reset closed the screen and opened it afresh on the active projects.
    QTRY_VERIFY(ui::Screens::existing(QStringLiteral("FormProjects")) != first);
    m_screen = dynamic_cast<FormProjects*>(ui::Screens::existing(QStringLiteral("FormProjects")));
    QVERIFY(m_screen);
    QCOMPARE(listed(), QStringList { "Pumps" });
    QVERIFY(control<QListView>("DBListProjects")->isEnabled());
}

void TestProjects::followUp_data()
{
    QTest::addColumn<bool>("allProjects");
    QTest::addColumn<QString>("subject");
    QTest::newRow("one project") << false << companyName + ": Follow up on Pumps.";
    QTest::newRow("all projects") << true << companyName + ": Follow up on all projects.";
}

void TestProjects::followUp()
{
    QFETCH(bool, allProjects);
    QFETCH(QString, subject);
    const qint64 project = addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    open();
    startStep(0, QDate(2026, 5, 5), QStringLiteral("Visited the plant"));
    QTest::mouseClick(control<QPushButton>("CommandFollowUp"), Qt::LeftButton);
    QVERIFY(!control<QGroupBox>("FrameFollowUp")->isHidden());
    QVERIFY(control<QPushButton>("CommandSaveAction")->isHidden());
    QCOMPARE(control<QLabel>("LabelHelp")->text(), QStringLiteral("Select a follow-up date."));
    QVERIFY(control<QPushButton>("CommandOutlook")->isHidden());
    const QDate due(2026, 6, 1);
    emit control<QCalendarWidget>("MonthView2")->clicked(due);
    auto* all = control<QCheckBox>("Check1");
    QCOMPARE(all->text(), "Follow up all projects for " + companyName);
    QCOMPARE(control<QLineEdit>("TEXT04")->text(), companyName + ": Follow up on Pumps.");
    if (allProjects)
        QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(control<QLineEdit>("TEXT04")->text(), subject);
    QTest::mouseClick(control<QPushButton>("CommandOutlook"), Qt::LeftButton);

    QCOMPARE(messageTexts(), QStringList { "Your Follow-Up has been saved in MS-Outlook" });
    QList<office::Appointment> appointments;
    QList<office::Task> tasks;
    QString error;
    QVERIFY2(office::AgendaStore().read(&appointments, &tasks, &error), qPrintable(error));
    QCOMPARE(tasks.size(), 1);
    QCOMPARE(tasks.first().subject, subject);
    QCOMPARE(tasks.first().dueDate, due);
    // The pending step and the follow-up are written as the screen closes.
    QCOMPARE(stored(QStringLiteral("SELECT MEMO01 FROM TABLE07 WHERE NUMBER01 = ?"), { project })
                 .toString(),
        QStringLiteral("Visited the plant"));
    data::Database db = test::businessDatabase();
    data::QueryResult row;
    QVERIFY(db.query(QStringLiteral("SELECT * FROM TABLE06"), {}, &row));
    QCOMPARE(row.value(0, "DATE02").toDate(), due);
    QCOMPARE(row.value(0, "TEXT04").toString(), subject);
}

void TestProjects::failedFollowUpKeepsTheScreen()
{
    auto mail = std::make_unique<office::RecordingMailProgram>();
    mail->failure = QStringLiteral("The agenda cannot be written.");
    office::MailProgram::setInstance(std::move(mail));
    addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    open();
    startStep(0, today, QStringLiteral("Visited"));
    QTest::mouseClick(control<QPushButton>("CommandFollowUp"), Qt::LeftButton);
    emit control<QCalendarWidget>("MonthView2")->clicked(today.addDays(7));
    QTest::mouseClick(control<QPushButton>("CommandOutlook"), Qt::LeftButton);
    QCOMPARE(messageTexts(),
        QStringList { MessageBox::errorText(QStringLiteral("The agenda cannot be written.")) });
    QCOMPARE(ui::Screens::existing(QStringLiteral("FormProjects")), m_screen);
    QVERIFY(!control<QPushButton>("CommandOutlook")->isHidden());
}

void TestProjects::deletingProjectKeepsItsActionSteps()
{
    const qint64 project = addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    addStep(project, QDate(2026, 2, 1), QStringLiteral("Step"));
    open();
    clickRow("DBListProjects", 0);
    m_messages->answers = { MessageBox::No };
    QTest::mouseClick(control<QPushButton>("CommandDelete"), Qt::LeftButton);
    QCOMPARE(test::rowCount(QStringLiteral("TABLE06")), 1);
    m_messages->answers = { MessageBox::Yes };
    QTest::mouseClick(control<QPushButton>("CommandDelete"), Qt::LeftButton);
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("Are you sure you want to delete this project?"));
    QCOMPARE(test::rowCount(QStringLiteral("TABLE06")), 0);
    QCOMPARE(test::rowCount(QStringLiteral("TABLE07")), 1);
    QVERIFY(listed().isEmpty());
    m_messages->answers = { MessageBox::Yes };
    QTest::mouseClick(control<QPushButton>("CommandDelete"), Qt::LeftButton);
    QCOMPARE(m_messages->shown.last().text, QStringLiteral("There are no projects to delete"));
}

void TestProjects::deletingActionStep()
{
    const qint64 project = addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    addStep(project, QDate(2026, 2, 1), QStringLiteral("First"));
    addStep(project, QDate(2026, 3, 1), QStringLiteral("Second"));
    open();
    clickRow("DBListProjects", 0);
    QTest::mouseClick(control<QPushButton>("CommandActionSteps"), Qt::LeftButton);
    QApplication::processEvents();
    auto* grid = control<QTableView>("DBGrid1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
        grid->visualRect(grid->model()->index(1, 1)).center());
    m_messages->answers = { MessageBox::Yes };
    QTest::mouseClick(control<QPushButton>("CommandDeleteAction"), Qt::LeftButton);
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("Are you sure you want to delete this action step?"));
    QCOMPARE(stored(QStringLiteral("SELECT group_concat(MEMO01) FROM TABLE07")).toString(),
        QStringLiteral("First"));
    QCOMPARE(grid->model()->rowCount(), 1);
}

void TestProjects::pickingWithoutProjectsIsAnswered()
{
    open();
    auto* list = control<QListView>("DBListProjects");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(messageTexts(), QStringList { "There are no records to choose from" });
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Critical);

    addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    QTest::mouseClick(control<QPushButton>("CommandReset"), Qt::LeftButton);
    m_screen = dynamic_cast<FormProjects*>(ui::Screens::existing(QStringLiteral("FormProjects")));
    QVERIFY(m_screen);
    // Listed, but not picked yet.
    QTest::mouseClick(control<QPushButton>("CommandActionSteps"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("CommandNewAction"), Qt::LeftButton);
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("You must select your Project before adding Action Steps."));
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Information);
    QCOMPARE(test::rowCount(QStringLiteral("TABLE07")), 0);
}

void TestProjects::archivedCompanyOffersNoNewProject()
{
    const qint64 archived = test::insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "Old Mill" }, { "TEXT20", "Archive" } });
    addProject(QStringLiteral("Old pumps"), FormProjects::activeStatus, QStringLiteral("Mining"),
        archived);
    ui::Screens::instance<test::FakeCompanyScreen>(QStringLiteral("FormArchive"))
        ->standOn(archived, QStringLiteral("Old Mill"), QStringLiteral("B-2"));
    open(ui::RecordViews::Branch::Archive);
    QCOMPARE(listed(), QStringList { "Old pumps" });
    QVERIFY(!control<QPushButton>("CommandNew")->isEnabled());
    QCOMPARE(m_screen->companyName(), QStringLiteral("Old Mill"));

    // Reset goes back to the current company of the companies screen.
    QTest::mouseClick(control<QPushButton>("CommandReset"), Qt::LeftButton);
    m_screen = dynamic_cast<FormProjects*>(ui::Screens::existing(QStringLiteral("FormProjects")));
    QVERIFY(m_screen);
    QVERIFY(listed().isEmpty());
    QVERIFY(control<QPushButton>("CommandNew")->isEnabled());
}

void TestProjects::hintsNameCompanyAndProject()
{
    addProject(QStringLiteral("Pumps"), FormProjects::activeStatus);
    open();
    const auto hintOver = [this](const char* name) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(control(name), &enter);
        return control<QLabel>("LabelHelp")->text();
    };
    QCOMPARE(hintOver("CommandSummary"),
        "Print all active projects and action steps for " + companyName + ".");
    QCOMPARE(hintOver("OptionCompletedProjects"),
        "Go to all completed projects for " + companyName + ".");
    QCOMPARE(hintOver("TEXT05"), QStringLiteral("Enter the potetial value of Project Pumps."));
    QCOMPARE(hintOver("CommandReset"), QStringLiteral("Go back to where you started."));
}

VANTREL_TEST_MAIN(TestProjects)
#include "TestProjects.moc"
