#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "activities/FormReportFilter.h"
#include "activities/ReportFilterQuery.h"
#include "app/ScreenCatalog.h"
#include "data/Clock.h"
#include "platform/MessageBox.h"
#include "shell/FormMain.h"
#include "shell/MDIFormMain.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "ShellFakes.h"
#include "TestFolder.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace vantrel;
using activities::FormReportFilter;
using activities::ReportFilterQuery;
using test::insertRow;
using ui::Screens;

namespace {

const QDate today(2026, 3, 11);

void report(const char* date, const char* text, const QVariant& company = {},
    const QVariant& salesPerson = {})
{
    insertRow(QStringLiteral("TABLE08"),
        { { "DATE01", date }, { "MEMO01", text }, { "TEXT01", company },
            { "TEXT03", salesPerson } });
}

} // namespace

class TestReportFilter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void datesReadAsOnEveryOtherScreen();
    void calendarStartsSixtyDaysBackAndClicksFillStartThenEnd();
    void rangeIncludesBothEndDaysAndHandsOverNewestFirst();
    void startAfterEndFindsNothing();
    void typedCompanyIsAPatternPickedOneIsLiteral();
    void companyWithApostropheAndSalesPerson();
    void reportsOfTheSystemMatchThroughTheirCompany();
    void missingDatesAreToldAndTheScreenStays();
    void treeNodeOpensTheFilterAndTheCaptionFollows();
    void hints();

private:
    template <class T = QWidget> T* control(QWidget* screen, const char* name)
    {
        return test::findControl<T>(screen, name);
    }
    FormReportFilter* openFilter();
    void pick(FormReportFilter* screen, const QDate& start, const QDate& end);
    // Picks the range, applies the filter and returns the texts of the reports handed over.
    QStringList filter(FormReportFilter* screen, const QDate& start, const QDate& end);

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    QPointer<test::FakeRecordScreen> m_reports;
};

void TestReportFilter::initTestCase()
{
    app::registerScreens();
}

void TestReportFilter::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(today, QTime(9, 0)));
    Screens::registerScreen(
        QStringLiteral("FormReportFilter"), [] { return new FormReportFilter; });
    Screens::registerScreen(QStringLiteral("FormAllCallReports"), [this] {
        m_reports = new test::FakeRecordScreen;
        return m_reports.data();
    });
}

void TestReportFilter::cleanup()
{
    Screens::closeAll();
    data::Clock::reset();
    platform::MessageBox::setHandler(nullptr);
    m_folder.reset();
}

FormReportFilter* TestReportFilter::openFilter()
{
    return Screens::bringToFront<FormReportFilter>(QStringLiteral("FormReportFilter"));
}

void TestReportFilter::pick(FormReportFilter* screen, const QDate& start, const QDate& end)
{
    auto* calendar = control<QCalendarWidget>(screen, "MonthView1");
    emit calendar->clicked(start);
    emit calendar->clicked(end);
}

QStringList TestReportFilter::filter(FormReportFilter* screen, const QDate& start, const QDate& end)
{
    pick(screen, start, end);
    control<QPushButton>(screen, "CommandFilter")->click();
    if (!m_reports)
        return { QStringLiteral("nothing handed over") };
    QStringList texts;
    for (const QVariant& text : m_reports->column(QStringLiteral("MEMO01")))
        texts.append(text.toString());
    return texts;
}

void TestReportFilter::datesReadAsOnEveryOtherScreen()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(ReportFilterQuery::dateText(QDate(2009, 5, 1)), QStringLiteral("01.05.09"));
    QCOMPARE(ReportFilterQuery::parseDate(QStringLiteral("31.05.09")), QDate(2009, 5, 31));
    QCOMPARE(ReportFilterQuery::parseDate(QStringLiteral("31.05.2009")), QDate(2009, 5, 31));
    QVERIFY(!ReportFilterQuery::parseDate(QStringLiteral("05/31/2009")).isValid());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(ReportFilterQuery::dateText(QDate(2009, 5, 1)), QStringLiteral("5/1/09"));
    QCOMPARE(ReportFilterQuery::parseDate(QStringLiteral("5/31/09")), QDate(2009, 5, 31));
    QLocale::setDefault(before);
    QCOMPARE(ReportFilterQuery::dateText(QDate(2009, 5, 1)),
        QLocale().toString(QDate(2009, 5, 1), QLocale::ShortFormat));
    QVERIFY(!ReportFilterQuery::parseDate(QStringLiteral("From which Date?")).isValid());
    ui::RecordQuery query;
    QVERIFY(!ReportFilterQuery::build(ReportFilterQuery::dateText(QDate(2009, 5, 1)),
        QStringLiteral("Until which Date?"), {}, {}, &query));
}

void TestReportFilter::calendarStartsSixtyDaysBackAndClicksFillStartThenEnd()
{
    FormReportFilter* screen = openFilter();
    auto* calendar = control<QCalendarWidget>(screen, "MonthView1");
    QCOMPARE(calendar->selectedDate(), QDate(2026, 1, 10));
    QCOMPARE(calendar->monthShown(), 1);
    QCOMPARE(calendar->yearShown(), 2026);

    auto* from = control<QLineEdit>(screen, "TextFrom");
    auto* until = control<QLineEdit>(screen, "TextUntil");
    QCOMPARE(from->text(), QStringLiteral("From which Date?"));
    QCOMPARE(until->text(), QStringLiteral("Until which Date?"));
    QVERIFY(!until->isEnabled());
    QCOMPARE(from->toolTip(), QStringLiteral("Click the starting date on the Calendar"));
    QCOMPARE(until->toolTip(), QStringLiteral("Click the ending date on the Calendar"));

    // The picked days read as the dates of every other screen.
    const QString first = QLocale().toString(QDate(2026, 1, 12), QLocale::ShortFormat);
    const QString last = QLocale().toString(QDate(2026, 2, 3), QLocale::ShortFormat);
    emit calendar->clicked(QDate(2026, 1, 12));
    QCOMPARE(from->text(), first);
    QVERIFY(until->isEnabled());
    QCOMPARE(until->text(), QStringLiteral("Until which Date?"));
    emit calendar->clicked(QDate(2026, 2, 3));
    QCOMPARE(until->text(), last);
    emit calendar->clicked(QDate(2026, 2, 9));
    QCOMPARE(from->text(), first);
    QCOMPARE(until->text(), last);
}

void TestReportFilter::rangeIncludesBothEndDaysAndHandsOverNewestFirst()
{
    report("2009-04-30 23:59:59", "april");
    report("2009-05-01", "first day");
    report("2009-05-15 10:00:00", "middle", "Acme");
    report("2009-05-31 18:30:00", "last day evening");
    report("2009-06-01", "june");

    const QStringList shown = filter(openFilter(), QDate(2009, 5, 1), QDate(2009, 5, 31));
    QCOMPARE(shown, (QStringList { "last day evening", "middle", "first day" }));
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(m_reports->windowTitle(), QStringLiteral("Filter Call Reports"));
    QTRY_VERIFY(!Screens::existing(QStringLiteral("FormReportFilter")));
}

void TestReportFilter::startAfterEndFindsNothing()
{
    report("2009-05-15", "middle");
    QCOMPARE(filter(openFilter(), QDate(2009, 5, 31), QDate(2009, 5, 1)), QStringList());
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(m_reports->queries, 1);
}

void TestReportFilter::typedCompanyIsAPatternPickedOneIsLiteral()
{
    insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "#1 Motors" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Acme" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Old Mill" }, { "TEXT20", "Archive" } });
    report("2009-05-02", "acme", "Acme");
    report("2009-05-03", "atlas", "atlas Ltd");
    report("2009-05-04", "bravo", "Bravo");
    report("2009-05-05", "motors", "#1 Motors");
    report("2009-05-06", "no company");

    FormReportFilter* screen = openFilter();
    auto* companies = control<QComboBox>(screen, "DBCombo2");
    QCOMPARE(companies->placeholderText(), QStringLiteral("Select a Company..."));
    QCOMPARE(companies->currentIndex(), -1);
    QCOMPARE(companies->count(), 2);
    QCOMPARE(companies->itemText(0), QStringLiteral("#1 Motors"));
    QCOMPARE(companies->itemText(1), QStringLiteral("Acme"));
    control<QLineEdit>(screen, "TextCompany")->setText(QStringLiteral("A*"));
    QCOMPARE(
        filter(screen, QDate(2009, 5, 1), QDate(2009, 5, 31)), (QStringList { "atlas", "acme" }));

    screen = openFilter();
    companies = control<QComboBox>(screen, "DBCombo2");
    companies->setCurrentIndex(0);
    emit companies->activated(0);
    QCOMPARE(control<QLineEdit>(screen, "TextCompany")->text(), QStringLiteral("#1 Motors"));
    QCOMPARE(filter(screen, QDate(2009, 5, 1), QDate(2009, 5, 31)), QStringList { "motors" });

    // Nothing chosen: every report of the range, also those that name no company.
    QCOMPARE(filter(openFilter(), QDate(2009, 5, 1), QDate(2009, 5, 31)).size(), 5);
}

void TestReportFilter::companyWithApostropheAndSalesPerson()
{
    insertRow(QStringLiteral("MT12"), { { "TEXT01", "Zoe Price" } });
    insertRow(QStringLiteral("MT12"), { { "TEXT01", "Anne O'Brien" } });
    report("2009-05-02", "hers", "O'Neill & Sons", "Anne O'Brien");
    report("2009-05-03", "his", "O'Neill & Sons", "Zoe Price");
    report("2009-05-04", "other", "Other", "Anne O'Brien");

    FormReportFilter* screen = openFilter();
    auto* people = control<QComboBox>(screen, "DBCombo1");
    QCOMPARE(people->placeholderText(), QStringLiteral("Select a Sales Person..."));
    QCOMPARE(people->itemText(0), QStringLiteral("Anne O'Brien"));
    people->setCurrentIndex(0);
    emit people->activated(0);
    QCOMPARE(control<QLineEdit>(screen, "TextSalesPerson")->text(), QStringLiteral("Anne O'Brien"));
    control<QLineEdit>(screen, "TextCompany")->setText(QStringLiteral("o'neill*"));
    QCOMPARE(filter(screen, QDate(2009, 5, 1), QDate(2009, 5, 31)), QStringList { "hers" });
    QVERIFY(m_messages->shown.isEmpty());
}

void TestReportFilter::reportsOfTheSystemMatchThroughTheirCompany()
{
    // Rows as the call report entry writes them: the company's key and no names.
    const auto keyedReport = [](const char* date, const char* text, const QVariant& company) {
        insertRow(QStringLiteral("TABLE08"),
            { { "DATE01", date }, { "MEMO01", text }, { "NUMBER01", company } });
    };
    const qint64 acme = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Acme" }, { "TEXT18", "Anne O'Brien" }, { "TEXT20", "Company" } });
    const qint64 neill = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "O'Neill & Sons" }, { "TEXT18", "Zoe Price" }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("MT12"), { { "TEXT01", "Anne O'Brien" } });
    insertRow(QStringLiteral("MT12"), { { "TEXT01", "Zoe Price" } });
    keyedReport("2009-05-02", "acme visit", acme);
    keyedReport("2009-05-03", "neill call", neill);
    keyedReport("2009-05-04", "gone company", 9999);
    report("2009-05-05", "named", "Atlas", "Zoe Price");

    FormReportFilter* screen = openFilter();
    control<QLineEdit>(screen, "TextCompany")->setText(QStringLiteral("a*"));
    QCOMPARE(filter(screen, QDate(2009, 5, 1), QDate(2009, 5, 31)),
        (QStringList { "named", "acme visit" }));

    screen = openFilter();
    auto* companies = control<QComboBox>(screen, "DBCombo2");
    const int neillIndex = companies->findText(QStringLiteral("O'Neill & Sons"));
    companies->setCurrentIndex(neillIndex);
    emit companies->activated(neillIndex);
    QCOMPARE(filter(screen, QDate(2009, 5, 1), QDate(2009, 5, 31)), QStringList { "neill call" });

    screen = openFilter();
    control<QLineEdit>(screen, "TextSalesPerson")->setText(QStringLiteral("Zoe Price"));
    QCOMPARE(filter(screen, QDate(2009, 5, 1), QDate(2009, 5, 31)),
        (QStringList { "named", "neill call" }));

    QCOMPARE(filter(openFilter(), QDate(2009, 5, 1), QDate(2009, 5, 31)).size(), 4);
    QVERIFY(m_messages->shown.isEmpty());
}

void TestReportFilter::missingDatesAreToldAndTheScreenStays()
{
    FormReportFilter* screen = openFilter();
    auto* calendar = control<QCalendarWidget>(screen, "MonthView1");
    auto* command = control<QPushButton>(screen, "CommandFilter");
    QCOMPARE(command->text(), QStringLiteral("&Filter"));
    QCOMPARE(command->toolTip(), QStringLiteral("Filter and Display"));
    command->click();
    emit calendar->clicked(QDate(2026, 1, 12));
    command->click();
    control<QLineEdit>(screen, "TextUntil")->setText(QStringLiteral("45.13.2026"));
    command->click();

    QCOMPARE(m_messages->shown.size(), 3);
    for (const platform::MessageBox::Message& message : std::as_const(m_messages->shown)) {
        QCOMPARE(message.text, QStringLiteral("You must Select Starting and Ending Dates."));
        QCOMPARE(message.icon, platform::MessageBox::Icon::Information);
    }
    QVERIFY(!m_reports);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(Screens::existing(QStringLiteral("FormReportFilter")), screen);
}

void TestReportFilter::treeNodeOpensTheFilterAndTheCaptionFollows()
{
    report("2026-02-01", "february");
    shell::MDIFormMain main;
    main.show();
    QTreeWidget* tree = main.navigation()->tree();
    const QList<QTreeWidgetItem*> nodes = tree->findItems(
        QStringLiteral("Filter Call Reports"), Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!nodes.isEmpty());
    main.navigation()->clickNode(nodes.first());
    auto* screen
        = qobject_cast<FormReportFilter*>(Screens::existing(QStringLiteral("FormReportFilter")));
    QVERIFY(screen);
    QVERIFY(screen->isVisible());

    QCOMPARE(filter(screen, QDate(2026, 1, 1), QDate(2026, 3, 1)), QStringList { "february" });
    QCOMPARE(main.windowTitle(), QStringLiteral("Filter Call Reports"));
    QVERIFY(m_reports->isVisible());
}

void TestReportFilter::hints()
{
    FormReportFilter* screen = openFilter();
    const auto hintOf = [this, screen](const char* name) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(control(screen, name), &enter);
        return control<QLabel>(screen, "LabelHelp")->text();
    };
    QCOMPARE(hintOf("TextFrom"),
        QStringLiteral("Click on a starting date for the range of reports you want to filter. "
                       "This selection is compulsory."));
    QCOMPARE(hintOf("TextUntil"),
        QStringLiteral("Click on an ending date for the range of reports you want to filter. "
                       "This selection is compulsory."));
    QCOMPARE(hintOf("CommandFilter"), QStringLiteral("Apply filter and display."));
    QCOMPARE(hintOf("DBCombo1"),
        QStringLiteral("Select a sales person for the range of reports you want to filter. "
                       "This selection is optional."));
    QCOMPARE(hintOf("DBCombo2"),
        QStringLiteral("Select a company for the range of reports you want to filter. "
                       "This selection is optional."));
    QCOMPARE(control<QPushButton>(screen, "CommandHelp")->text(), QStringLiteral("Help (F1)"));
}

VANTREL_TEST_MAIN(TestReportFilter)
#include "TestReportFilter.moc"
