#include "ApplicationTest.h"
#include "RecordingMailProgram.h"
#include "RecordingMessageBoxHandler.h"
#include "activities/FormAllCallReports.h"
#include "activities/FormReportFilter.h"
#include "data/BoundView.h"
#include "data/Clock.h"
#include "office/MailProgram.h"
#include "office/RtfWriter.h"
#include "platform/MessageBox.h"
#include "shell/FormMain.h"
#include "shell/MDIFormMain.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "TestFolder.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace vantrel;
using activities::FormAllCallReports;
using platform::MessageBox;
using ui::Screens;

namespace {

const QDate today(2026, 3, 11);

QString rtfOf(const QString& text)
{
    QTextDocument document;
    document.setPlainText(text);
    return QString::fromUtf8(office::writeRtf(document));
}

void addReport(
    const QVariant& key, const QString& date, const QString& text, const QVariant& name = {})
{
    test::insertRow(QStringLiteral("TABLE08"),
        { { "NUMBER01", key }, { "DATE01", date }, { "MEMO01", rtfOf(text) }, { "TEXT01", name } });
}

// Notes what the loading indicator said while the mail was being handed over.
class WatchedMailProgram : public office::RecordingMailProgram {
public:
    using RecordingMailProgram::display;
    bool display(const office::MailItem& mail, QString* error) override
    {
        auto* screen = Screens::existing(QStringLiteral("FormAllCallReports"));
        auto* label = screen ? screen->findChild<QLabel*>(QStringLiteral("LabelLoad")) : nullptr;
        indicator = label && !label->parentWidget()->isHidden() ? label->text() : QString();
        return RecordingMailProgram::display(mail, error);
    }
    QString indicator;
};

} // namespace

class TestAllCallReports : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyCompanysReportsNewestFirstAndFindAcrossThem();
    void findTakesQuotesAndPercentAsTextAndResetBringsAllBack();
    void filterHandsOverItsReports();
    void searchNodeShowsEveryReportAfterAFilter();
    void sendWithMailShowsTheIndicatorAndGivesSubjectAndPlainBody();
    void hints();

private:
    template <class T = QWidget> T* control(const char* name)
    {
        return test::findControl<T>(m_screen, name);
    }
    void open();
    QString position() { return control<QLabel>("LabelPosition")->text(); }
    QString shownText() { return control<QTextEdit>("RichTextBox1")->toPlainText(); }
    void find(const QString& phrase)
    {
        control<QLineEdit>("TextFind")->setText(phrase);
        control<QPushButton>("CommandFind")->click();
    }
    QString hintOf(const char* name)
    {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(control(name), &enter);
        return control<QLabel>("LabelHelp")->text();
    }

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    QPointer<FormAllCallReports> m_screen;
};

void TestAllCallReports::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(today, QTime(9, 0)));
    Screens::registerScreen(
        QStringLiteral("FormAllCallReports"), [] { return new FormAllCallReports; });
    Screens::registerScreen(
        QStringLiteral("FormReportFilter"), [] { return new activities::FormReportFilter; });
}

void TestAllCallReports::cleanup()
{
    Screens::closeAll();
    office::MailProgram::setInstance(nullptr);
    data::Clock::reset();
    MessageBox::setHandler(nullptr);
    m_folder.reset();
}

void TestAllCallReports::open()
{
    m_screen = Screens::bringToFront<FormAllCallReports>(QStringLiteral("FormAllCallReports"));
    QVERIFY(m_screen);
    m_screen->resize(900, 700);
}

void TestAllCallReports::everyCompanysReportsNewestFirstAndFindAcrossThem()
{
    addReport(1, QStringLiteral("2026-01-05"), QStringLiteral("Budget talk at Acme"));
    addReport(2, QStringLiteral("2026-02-20 16:45:00"), QStringLiteral("Budget approved by Bravo"));
    addReport(QVariant(), QStringLiteral("2026-03-01"), QStringLiteral("Delivery check"),
        QStringLiteral("Old Mill"));
    addReport(1, QStringLiteral("2025-12-01"), QStringLiteral("First visit"));
    // Written later on the same day: it comes first.
    addReport(3, QStringLiteral("2026-03-01"), QStringLiteral("Delivery follow-up"));
    open();
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 5 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Delivery follow-up"));
    m_screen->view()->moveNext();
    QCOMPARE(shownText(), QStringLiteral("Delivery check"));
    for (const char* name : { "TextFind", "CommandFind", "CommandReset" })
        QVERIFY(!control(name)->isHidden());
    for (const char* name : { "CommandSearch", "CommandDelete", "CommandEdit", "Toolbar1" })
        QVERIFY(!m_screen->findChild<QWidget*>(QLatin1String(name)));
    QVERIFY(control<QTextEdit>("RichTextBox1")->isReadOnly());

    find(QStringLiteral("BUDGET"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 2 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Budget approved by Bravo"));
    QCOMPARE(m_screen->view()->value(QStringLiteral("NUMBER01")).toInt(), 2);
    QVERIFY(control<QTimer>("TimerSearch")->isActive());
    m_screen->view()->moveNext();
    QCOMPARE(shownText(), QStringLiteral("Budget talk at Acme"));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestAllCallReports::findTakesQuotesAndPercentAsTextAndResetBringsAllBack()
{
    addReport(1, QStringLiteral("2026-03-02"), QStringLiteral("Mr O'Brien agreed"));
    addReport(2, QStringLiteral("2026-03-01"), QStringLiteral("A 50% discount"));
    addReport(3, QStringLiteral("2026-02-01"), QStringLiteral("500 units"));
    open();
    find(QStringLiteral("o'brien"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Mr O'Brien agreed"));
    find(QStringLiteral("50%"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("A 50% discount"));

    // The search reads the reports' text, not their markup.
    addReport(4, QStringLiteral("2026-01-15"), QStringLiteral("Herr Müller: Grüße"));
    find(QStringLiteral("MÜLLER: grüße"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Herr Müller: Grüße"));
    find(QStringLiteral("par"));
    QCOMPARE(position(), QStringLiteral("REPORT 0 OF 0 REPORTS"));

    find(QStringLiteral("zebra"));
    QCOMPARE(position(), QStringLiteral("REPORT 0 OF 0 REPORTS"));
    QVERIFY(shownText().isEmpty());
    control<QPushButton>("CommandReset")->click();
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 4 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Mr O'Brien agreed"));
    QVERIFY(control<QLineEdit>("TextFind")->text().isEmpty());
    QVERIFY(!control<QTimer>("TimerSearch")->isActive());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestAllCallReports::filterHandsOverItsReports()
{
    addReport(1, QStringLiteral("2009-05-31 18:30:00"), QStringLiteral("End of May at Acme"),
        QStringLiteral("Acme"));
    addReport(
        2, QStringLiteral("2009-05-10"), QStringLiteral("Bravo in May"), QStringLiteral("Bravo"));
    addReport(1, QStringLiteral("2009-05-01"), QStringLiteral("Start of May at Acme"),
        QStringLiteral("Acme"));
    addReport(
        1, QStringLiteral("2009-06-01"), QStringLiteral("June at Acme"), QStringLiteral("Acme"));
    addReport(1, QStringLiteral("2009-05-01"), QStringLiteral("Later on the first of May"),
        QStringLiteral("Acme"));
    open();
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 5 REPORTS"));

    auto* filter
        = Screens::bringToFront<activities::FormReportFilter>(QStringLiteral("FormReportFilter"));
    QVERIFY(filter);
    auto* calendar = filter->findChild<QCalendarWidget*>(QStringLiteral("MonthView1"));
    emit calendar->clicked(QDate(2009, 5, 1));
    emit calendar->clicked(QDate(2009, 5, 31));
    filter->findChild<QLineEdit*>(QStringLiteral("TextCompany"))->setText(QStringLiteral("a*"));
    filter->findChild<QPushButton*>(QStringLiteral("CommandFilter"))->click();

    QCOMPARE(Screens::existing(QStringLiteral("FormAllCallReports")), m_screen.data());
    QCOMPARE(m_screen->windowTitle(), QStringLiteral("Filter Call Reports"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 3 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("End of May at Acme"));
    m_screen->view()->moveNext();
    QCOMPARE(shownText(), QStringLiteral("Later on the first of May"));
    m_screen->view()->moveNext();
    QCOMPARE(shownText(), QStringLiteral("Start of May at Acme"));
    QTRY_VERIFY(!Screens::existing(QStringLiteral("FormReportFilter")));

    control<QPushButton>("CommandReset")->click();
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 5 REPORTS"));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestAllCallReports::searchNodeShowsEveryReportAfterAFilter()
{
    addReport(
        1, QStringLiteral("2009-05-10"), QStringLiteral("May at Acme"), QStringLiteral("Acme"));
    addReport(2, QStringLiteral("2009-07-10"), QStringLiteral("July at Bravo"));
    shell::MDIFormMain main;
    main.show();
    const auto clickNode = [&main](const QString& text) {
        const QList<QTreeWidgetItem*> nodes
            = main.navigation()->tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!nodes.isEmpty());
        main.navigation()->clickNode(nodes.first());
    };
    clickNode(QStringLiteral("Filter Call Reports"));
    auto* filter = Screens::existing(QStringLiteral("FormReportFilter"));
    QVERIFY(filter);
    auto* calendar = filter->findChild<QCalendarWidget*>(QStringLiteral("MonthView1"));
    emit calendar->clicked(QDate(2009, 6, 1));
    emit calendar->clicked(QDate(2009, 6, 30));
    filter->findChild<QPushButton*>(QStringLiteral("CommandFilter"))->click();
    m_screen = qobject_cast<FormAllCallReports*>(
        Screens::existing(QStringLiteral("FormAllCallReports")));
    QVERIFY(m_screen);
    QCOMPARE(position(), QStringLiteral("REPORT 0 OF 0 REPORTS"));

    clickNode(QStringLiteral("Search Call Reports"));
    QCOMPARE(Screens::existing(QStringLiteral("FormAllCallReports")), m_screen.data());
    QCOMPARE(m_screen->windowTitle(), QStringLiteral("Search Call Reports"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 2 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("July at Bravo"));
    QVERIFY(m_messages->shown.isEmpty());
    Screens::closeAll();
}

void TestAllCallReports::sendWithMailShowsTheIndicatorAndGivesSubjectAndPlainBody()
{
    auto recording = std::make_unique<WatchedMailProgram>();
    WatchedMailProgram* mail = recording.get();
    office::MailProgram::setInstance(std::move(recording));
    addReport(4, QStringLiteral("2026-03-02"), QStringLiteral("Line one\nLine two"));
    open();
    control<QPushButton>("CommandOutlook")->click();
    QCOMPARE(mail->displayedMails.size(), 1);
    QCOMPARE(mail->displayedMails.first().subject, QStringLiteral("Call Report"));
    QCOMPARE(mail->displayedMails.first().body, QStringLiteral("Line one\nLine two"));
    QCOMPARE(mail->indicator, QStringLiteral("Loading MS-Outlook..."));
    QVERIFY(control("LabelLoad")->parentWidget()->isHidden());
    QVERIFY(mail->sentMails.isEmpty());

    mail->failure = QStringLiteral("The mail program is not available.");
    control<QPushButton>("CommandOutlook")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("An error has occurred. The mail program is not available."));
    QCOMPARE(m_messages->shown.first().icon, MessageBox::Icon::Critical);
    QVERIFY(control("LabelLoad")->parentWidget()->isHidden());
}

void TestAllCallReports::hints()
{
    open();
    QCOMPARE(hintOf("CommandFind"),
        QStringLiteral(
            "Search all call reports containing text you enter. Searches are not case sensitive."));
    QCOMPARE(hintOf("TextFind"), QStringLiteral("Enter the phrase you are looking for."));
    QCOMPARE(hintOf("CommandZoomIn"), QStringLiteral("Zoom in."));
    QCOMPARE(hintOf("CommandZoomOut"), QStringLiteral("Zoom out."));
    QCOMPARE(hintOf("CommandWord"), QStringLiteral("Send to MS-Word"));
    QCOMPARE(hintOf("CommandOutlook"), QStringLiteral("Send to MS-Outlook"));
    QCOMPARE(hintOf("DataTABLE08"), QStringLiteral("Navigate your call reports."));
    QCOMPARE(control<QPushButton>("CommandFind")->text(), QStringLiteral("&Find"));
    QCOMPARE(control<QPushButton>("CommandReset")->text(), QStringLiteral("&Reset"));
}

VANTREL_TEST_MAIN(TestAllCallReports)
#include "TestAllCallReports.moc"
