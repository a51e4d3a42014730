#include "ApplicationTest.h"
#include "RecordingMailProgram.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingWordProcessor.h"
#include "activities/FormCallReports.h"
#include "data/BoundView.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "office/DefaultLetterhead.h"
#include "office/MailProgram.h"
#include "office/RtfReader.h"
#include "office/RtfWriter.h"
#include "office/WordProcessor.h"
#include "platform/MessageBox.h"
#include "ui/RecordViews.h"
#include "ui/ScreenArea.h"
#include "ui/Screens.h"
#include "ui/WordWindow.h"
#include "ui/WorkingFiles.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "ShellFakes.h"
#include "TestFolder.h"
#include "TopLevelWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace vantrel;
using activities::FormCallReports;
using platform::MessageBox;
using test::businessDatabase;

namespace {

const QDate today(2026, 3, 11);
const qint64 companyKey = 7;
const QString companyName = QStringLiteral("Acme & Sons");

QString rtfOf(const QString& text)
{
    QTextDocument document;
    document.setPlainText(text);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    QTextCharFormat size;
    size.setFontPointSize(12);
    all.mergeCharFormat(size);
    return QString::fromUtf8(office::writeRtf(document));
}

qint64 addReport(
    const QVariant& key, const QDate& date, const QString& text, const QVariant& name = {})
{
    return test::insertRow(QStringLiteral("TABLE08"),
        { { "NUMBER01", key }, { "DATE01", date }, { "MEMO01", rtfOf(text) }, { "TEXT01", name } });
}

QVariant storedMemo(qint64 row)
{
    data::Database db = businessDatabase();
    data::QueryResult result;
    if (!db.query(
            QStringLiteral("SELECT MEMO01 FROM TABLE08 WHERE AUTONUMBER = ?"), { row }, &result))
        qFatal("%s", qPrintable(db.lastError()));
    return result.rows.isEmpty() ? QVariant() : result.rows.first().value(0);
}

int reportCount()
{
    return test::rowCount(QStringLiteral("TABLE08"));
}

} // namespace

class TestCallReportBrowser : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pagesNewestFirstAndCountsEmptyAsZero();
    void findMatchesTheCompanysKeyAndResetBringsAllBack();
    void findTakesQuotesAndPercentAsText();
    void highlightMovesFromOccurrenceToOccurrenceAndStartsOver();
    void highlightTakesTheFocusOnlyFromItsOwnScreen();
    void zoomStopsAtItsLimitsAndNeverChangesTheStoredReport();
    void editedReportIsStoredWhenPagingOn();
    void deleteAsksFirst();
    void yesWithoutWorkingFileStoresNothing();
    void yesStoresTheWorkingDocumentAtOnceAndShowsItFirst();
    void noStoresNothingAndShowsTheList();
    void sendToWordPastesTheReportOnTheLetterhead();
    void failedSendLeavesAnInstanceThatTheAnswerQuits();
    void sendWithMailGivesSubjectAndPlainBody();
    void hintAndManualPage();

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
    void writeWorkingDocument(const QString& text);

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    test::FakeCompanyScreen* m_company = nullptr;
    FormCallReports* m_screen = nullptr;
};

void TestCallReportBrowser::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    QDir().mkdir(QStringLiteral("Temp"));
    QString error;
    QVERIFY(office::writeDefaultLetterhead(m_folder->path(), &error));
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(today, QTime(9, 0)));
    ui::Screens::registerScreen(
        QStringLiteral("FormCompanies"), [] { return new test::FakeCompanyScreen; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCallReports"), [] { return new FormCallReports; });
    ui::Screens::registerScreen(QStringLiteral("FormCreateCallReport"), [] { return new QWidget; });
    m_company = ui::Screens::instance<test::FakeCompanyScreen>(QStringLiteral("FormCompanies"));
    m_company->standOn(companyKey, companyName, QStringLiteral("A-1"));
}

void TestCallReportBrowser::cleanup()
{
    ui::Screens::closeAll();
    test::deleteWordWindows();
    office::WordProcessor::setInstance(nullptr);
    office::MailProgram::setInstance(nullptr);
    data::Clock::reset();
    MessageBox::setHandler(nullptr);
    m_screen = nullptr;
    m_folder.reset();
}

void TestCallReportBrowser::open()
{
    ui::RecordViews::show(ui::RecordViews::View::CallReports, ui::RecordViews::Branch::Companies);
    m_screen
        = dynamic_cast<FormCallReports*>(ui::Screens::existing(QStringLiteral("FormCallReports")));
    QVERIFY(m_screen);
    m_screen->resize(900, 700);
}

void TestCallReportBrowser::writeWorkingDocument(const QString& text)
{
    // As the call report entry screen and its auto-save do it, with the real word processor.
    office::WordProcessor& word = office::WordProcessor::instance();
    const office::WordProcessor::Instance writer = word.start();
    QString error;
    QVERIFY2(word.addDocument(writer, ui::letterheadPath(), &error), qPrintable(error));
    QVERIFY(word.typeText(writer, text, &error));
    QVERIFY2(word.saveActiveDocument(writer, ui::workingDocumentPath(), &error), qPrintable(error));
    QVERIFY(word.quit(writer, &error));
}

void TestCallReportBrowser::pagesNewestFirstAndCountsEmptyAsZero()
{
    // A company without reports: nothing shown, and Delete answered Yes does nothing.
    addReport(99, today, QStringLiteral("Another company's visit"));
    open();
    QCOMPARE(position(), QStringLiteral("REPORT 0 OF 0 REPORTS"));
    QVERIFY(shownText().isEmpty());
    m_messages->answers = { MessageBox::Yes };
    control<QPushButton>("CommandDelete")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("Are you sure you want to delete this call report?"));
    QCOMPARE(reportCount(), 1);

    // Three reports: the newest first, paged by the arrows.
    addReport(companyKey, today.addDays(-30), QStringLiteral("Oldest"));
    addReport(companyKey, today, QStringLiteral("Newest"));
    addReport(companyKey, today.addDays(-7), QStringLiteral("Middle"));
    control<QPushButton>("CommandSearch")->click();
    control<QPushButton>("CommandReset")->click();
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 3 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Newest"));
    auto* arrows = control("DataTABLE08");
    QCOMPARE(arrows->toolTip(), QStringLiteral("Navigate your Records"));
    QVERIFY(!control<QToolButton>("MovePrevious")->isEnabled());
    control<QToolButton>("MoveNext")->click();
    QCOMPARE(position(), QStringLiteral("REPORT 2 OF 3 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Middle"));
    control<QToolButton>("MoveLast")->click();
    QCOMPARE(position(), QStringLiteral("REPORT 3 OF 3 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Oldest"));
    QVERIFY(!control<QToolButton>("MoveNext")->isEnabled());
    control<QToolButton>("MoveFirst")->click();
    QCOMPARE(shownText(), QStringLiteral("Newest"));
    QCOMPARE(control<QLineEdit>("DATE01")->isHidden(), true);
    QCOMPARE(m_screen->view()->value(QStringLiteral("NUMBER01")).toLongLong(), companyKey);
}

void TestCallReportBrowser::findMatchesTheCompanysKeyAndResetBringsAllBack()
{
    // A row that names the company but carries no key is listed; Find goes by key only.
    addReport(QVariant(), today, QStringLiteral("Budget talk, name only"), companyName);
    const qint64 keyed
        = addReport(companyKey, today.addDays(-1), QStringLiteral("Budget approved"));
    addReport(companyKey, today.addDays(-2), QStringLiteral("Delivery on time"));
    open();
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 3 REPORTS"));
    QVERIFY(control("TextFind")->isHidden());
    QVERIFY(control("CommandFind")->isHidden());
    control<QPushButton>("CommandSearch")->click();
    QVERIFY(!control("TextFind")->isHidden());
    QVERIFY(!control("CommandReset")->isHidden());

    find(QStringLiteral("BUDGET"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
    QCOMPARE(m_screen->view()->bookmark().toLongLong(), keyed);
    auto* timer = m_screen->findChild<QTimer*>(QStringLiteral("TimerSearch"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);

    // A phrase in no report empties the list; Reset brings every report back.
    find(QStringLiteral("zebra"));
    QCOMPARE(position(), QStringLiteral("REPORT 0 OF 0 REPORTS"));
    QVERIFY(shownText().isEmpty());
    control<QPushButton>("CommandReset")->click();
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 3 REPORTS"));
    QVERIFY(control<QLineEdit>("TextFind")->text().isEmpty());
    QVERIFY(!timer->isActive());

    // Find reads the text the report shows: the markup is not searched, and
    // escaped letters are found as the letters they are.
    find(QStringLiteral("rtf1"));
    QCOMPARE(position(), QStringLiteral("REPORT 0 OF 0 REPORTS"));
    addReport(companyKey, today.addDays(-3), QStringLiteral("Frau Köhler bestellt"));
    find(QStringLiteral("KÖHLER"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Frau Köhler bestellt"));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestCallReportBrowser::findTakesQuotesAndPercentAsText()
{
    addReport(companyKey, today, QStringLiteral("Mr O'Brien agreed"));
    addReport(companyKey, today.addDays(-1), QStringLiteral("A 50% discount"));
    addReport(companyKey, today.addDays(-2), QStringLiteral("500 units [urgent] ordered"));
    open();
    control<QPushButton>("CommandSearch")->click();
    find(QStringLiteral("o'brien"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Mr O'Brien agreed"));
    find(QStringLiteral("50%"));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("A 50% discount"));
    find(QStringLiteral("[urgent]"));
    QCOMPARE(shownText(), QStringLiteral("500 units [urgent] ordered"));
    find(QStringLiteral("0_u"));
    QCOMPARE(position(), QStringLiteral("REPORT 0 OF 0 REPORTS"));
    find(QStringLiteral("'; DROP TABLE TABLE08; --"));
    QCOMPARE(position(), QStringLiteral("REPORT 0 OF 0 REPORTS"));
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(reportCount(), 3);
}

void TestCallReportBrowser::highlightMovesFromOccurrenceToOccurrenceAndStartsOver()
{
    addReport(companyKey, today, QStringLiteral("Visit: Alpha line shown, then alpha again."));
    open();
    control<QPushButton>("CommandSearch")->click();
    find(QStringLiteral("alpha"));
    auto* view = control<QTextEdit>("RichTextBox1");
    const int first = int(shownText().indexOf(QStringLiteral("Alpha")));
    const int second = int(shownText().indexOf(QStringLiteral("alpha")));

    // The timer itself takes the first step a second after Find.
    QTRY_VERIFY_WITH_TIMEOUT(view->textCursor().hasSelection(), 2500);
    QCOMPARE(view->textCursor().selectionStart(), first);
    QCOMPARE(view->textCursor().selectedText(), QStringLiteral("Alpha"));
    control<QTimer>("TimerSearch")->stop();

    m_screen->highlightStep();
    QCOMPARE(view->textCursor().selectionStart(), second);
    // No third occurrence: the selection stays, and the next step starts near the beginning.
    m_screen->highlightStep();
    QCOMPARE(view->textCursor().selectionStart(), second);
    m_screen->highlightStep();
    QCOMPARE(view->textCursor().selectionStart(), first);
    QCOMPARE(view->textCursor().selectedText(), QStringLiteral("Alpha"));
    // Zooming shows the report again and keeps the occurrence highlighted.
    control<QPushButton>("CommandZoomIn")->click();
    QCOMPARE(view->textCursor().selectionStart(), first);
    QCOMPARE(view->textCursor().selectedText(), QStringLiteral("Alpha"));
}

void TestCallReportBrowser::highlightTakesTheFocusOnlyFromItsOwnScreen()
{
    addReport(companyKey, today, QStringLiteral("alpha and alpha"));
    ui::ScreenArea area;
    const auto releaseArea = qScopeGuard([&area] {
        ui::Screens::closeAll();
        ui::Screens::releaseArea(&area);
    });
    ui::Screens::setArea(&area);
    area.resize(900, 700);
    area.show();
    area.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&area));
    ui::Screens::registerScreen(QStringLiteral("FormOther"), [] {
        auto* screen = new QWidget;
        new QLineEdit(screen);
        return screen;
    });
    open();
    control<QPushButton>("CommandSearch")->click();
    find(QStringLiteral("alpha"));
    control<QTimer>("TimerSearch")->stop();
    auto* view = control<QTextEdit>("RichTextBox1");
    control<QLineEdit>("TextFind")->setFocus();
    m_screen->highlightStep();
    QVERIFY(view->hasFocus());

    // The user went on to another screen while the steps go on: the highlight
    // moves, but the other screen stays in front.
    QWidget* other = ui::Screens::bringToFront(QStringLiteral("FormOther"));
    QCOMPARE(area.activeScreen(), other);
    const int before = view->textCursor().selectionStart();
    m_screen->highlightStep();
    QVERIFY(view->textCursor().selectionStart() != before);
    QCOMPARE(area.activeScreen(), other);
}

void TestCallReportBrowser::zoomStopsAtItsLimitsAndNeverChangesTheStoredReport()
{
    const qint64 row = addReport(companyKey, today, QStringLiteral("Zoom me"));
    const QVariant stored = storedMemo(row);
    open();
    auto* view = control<QTextEdit>("RichTextBox1");
    const auto shownSize = [view] {
        return view->document()->begin().begin().fragment().charFormat().fontPointSize();
    };
    QCOMPARE(shownSize(), 12.0);
    const int start = m_screen->fontSize();
    control<QPushButton>("CommandZoomIn")->click();
    QCOMPARE(m_screen->fontSize(), start + 2);
    QVERIFY(shownSize() > 12.0);

    int presses = 0;
    while (m_messages->shown.isEmpty() && presses < 100) {
        control<QPushButton>("CommandZoomOut")->click();
        ++presses;
    }
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text, QStringLiteral("Cannot zoom any further."));
    QCOMPARE(m_messages->shown.first().icon, MessageBox::Icon::Information);
    const int smallest = m_screen->fontSize();
    QVERIFY(smallest > 0);
    QVERIFY(shownSize() < 12.0);
    while (m_messages->shown.size() < 2 && presses < 200) {
        control<QPushButton>("CommandZoomIn")->click();
        ++presses;
    }
    QCOMPARE(m_messages->shown.size(), 2);
    QVERIFY(m_screen->fontSize() > smallest);

    // Paging on and back stores nothing: zooming is no edit.
    QVERIFY(!m_screen->view()->isEdited());
    QVERIFY(m_screen->view()->refresh());
    QCOMPARE(storedMemo(row), stored);
}

void TestCallReportBrowser::editedReportIsStoredWhenPagingOn()
{
    const qint64 newest = addReport(companyKey, today, QStringLiteral("Meeting went well"));
    addReport(companyKey, today.addDays(-1), QStringLiteral("Older"));
    open();
    auto* view = control<QTextEdit>("RichTextBox1");
    QVERIFY(view->isReadOnly());
    // Edited while zoomed in: what is stored keeps the report's own size.
    control<QPushButton>("CommandZoomIn")->click();
    control<QPushButton>("CommandEdit")->click();
    QVERIFY(!view->isReadOnly());
    QCOMPARE(view->palette().color(QPalette::Base), QColor(Qt::white));
    QTextCursor cursor = view->textCursor();
    cursor.movePosition(QTextCursor::End);
    view->setTextCursor(cursor);
    view->insertPlainText(QStringLiteral(", order follows"));
    QCOMPARE(storedMemo(newest).toString(), rtfOf(QStringLiteral("Meeting went well")));

    control<QToolButton>("MoveNext")->click();
    QCOMPARE(shownText(), QStringLiteral("Older"));
    const QByteArray memo = storedMemo(newest).toString().toUtf8();
    QCOMPARE(office::plainTextOfRtf(memo), QStringLiteral("Meeting went well, order follows"));
    QTextDocument reread;
    QString error;
    QVERIFY(office::readRtf(memo, &reread, nullptr, &error));
    QCOMPARE(reread.begin().begin().fragment().charFormat().fontPointSize(), 12.0);
    QVERIFY(memo.startsWith("{\\rtf"));

    // Closing the screen stores an edit as well.
    view->moveCursor(QTextCursor::End);
    view->insertPlainText(QStringLiteral(" (checked)"));
    ui::Screens::close(QStringLiteral("FormCallReports"));
    QCOMPARE(office::plainTextOfRtf(storedMemo(newest + 1).toString().toUtf8()),
        QStringLiteral("Older (checked)"));
}

void TestCallReportBrowser::deleteAsksFirst()
{
    const qint64 newest = addReport(companyKey, today, QStringLiteral("First"));
    addReport(companyKey, today.addDays(-1), QStringLiteral("Second"));
    open();
    m_messages->answers = { MessageBox::No };
    control<QPushButton>("CommandDelete")->click();
    QCOMPARE(m_messages->shown.last().icon, MessageBox::Icon::Question);
    QCOMPARE(m_messages->shown.last().defaultButton, MessageBox::No);
    QCOMPARE(reportCount(), 2);
    m_messages->answers = { MessageBox::Yes };
    control<QPushButton>("CommandDelete")->click();
    QCOMPARE(reportCount(), 1);
    QVERIFY(storedMemo(newest).isNull());
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Second"));
    QCOMPARE(m_messages->shown.size(), 2);
}

void TestCallReportBrowser::yesWithoutWorkingFileStoresNothing()
{
    addReport(companyKey, today.addDays(-1), QStringLiteral("Earlier"));
    open();
    ui::Screens::instance(QStringLiteral("FormCreateCallReport"));
    m_screen->askToSave(ui::SaveQuestion::Pending::Document);
    QVERIFY(!control("FrameSave")->isHidden());
    QVERIFY(control("RichTextBox1")->isHidden());
    QVERIFY(control("FrameHelp")->isHidden());
    QCOMPARE(control<QLabel>("LabelSave")->text(),
        QStringLiteral("Would you like to save this Call Report in Vantrel?"));
    QCOMPARE(control<QPushButton>("CommandYes")->text(), QStringLiteral("&Yes"));
    QCOMPARE(control<QPushButton>("CommandNo")->text(), QStringLiteral("&No"));
    // The report it would act on is out of sight: no deleting, editing or sending it.
    for (const char* command : { "CommandDelete", "CommandEdit", "CommandWord", "CommandOutlook" })
        QVERIFY(!control(command)->isEnabled());

    control<QPushButton>("CommandYes")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QCOMPARE(m_messages->shown.first().icon, MessageBox::Icon::Critical);
    QCOMPARE(reportCount(), 1);
    QVERIFY(!control("FrameSave")->isHidden());
    QVERIFY(control("ProgressBar1")->isHidden());
    // The entry screen keeps saving, so the next Yes can succeed.
    QVERIFY(ui::Screens::existing(QStringLiteral("FormCreateCallReport")));
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
}

void TestCallReportBrowser::yesStoresTheWorkingDocumentAtOnceAndShowsItFirst()
{
    addReport(companyKey, today, QStringLiteral("Earlier today"));
    addReport(companyKey, today.addDays(-3), QStringLiteral("Last week"));
    writeWorkingDocument(QStringLiteral("CALL REPORT\r\n\r\nCompany: Acme & Sons"));
    open();
    ui::Screens::instance(QStringLiteral("FormCreateCallReport"));
    m_screen->askToSave(ui::SaveQuestion::Pending::Document);
    control<QPushButton>("CommandYes")->click();

    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(reportCount(), 3);
    data::Database db = businessDatabase();
    data::QueryResult stored;
    QVERIFY(db.query(QStringLiteral("SELECT NUMBER01, DATE01, MEMO01, TEXT01 FROM TABLE08"
                                    " ORDER BY AUTONUMBER DESC LIMIT 1"),
        {}, &stored));
    QCOMPARE(stored.rows.first().value(0).toLongLong(), companyKey);
    QCOMPARE(stored.rows.first().value(1).toDate(), today);
    const QByteArray memo = stored.rows.first().value(2).toString().toUtf8();
    QVERIFY(memo.startsWith("{\\rtf"));
    // The body only: the letterhead is not part of the report.
    QCOMPARE(office::plainTextOfRtf(memo), QStringLiteral("CALL REPORT\n\nCompany: Acme & Sons"));
    QVERIFY(stored.rows.first().value(3).isNull());

    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 3 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("CALL REPORT\n\nCompany: Acme & Sons"));
    QVERIFY(control("FrameSave")->isHidden());
    QVERIFY(!control("RichTextBox1")->isHidden());
    QVERIFY(control("ProgressBar1")->isHidden());
    QCOMPARE(control<QProgressBar>("ProgressBar1")->value(), 0);
    QVERIFY(!ui::Screens::existing(QStringLiteral("FormCreateCallReport")));
    QVERIFY(!m_screen->view()->isEdited());
}

void TestCallReportBrowser::noStoresNothingAndShowsTheList()
{
    addReport(companyKey, today, QStringLiteral("Kept"));
    writeWorkingDocument(QStringLiteral("Not wanted"));
    open();
    ui::Screens::instance(QStringLiteral("FormCreateCallReport"));
    m_screen->askToSave(ui::SaveQuestion::Pending::Document);
    control<QPushButton>("CommandNo")->click();
    QCOMPARE(reportCount(), 1);
    QVERIFY(control("FrameSave")->isHidden());
    QVERIFY(!control("RichTextBox1")->isHidden());
    QCOMPARE(position(), QStringLiteral("REPORT 1 OF 1 REPORTS"));
    QCOMPARE(shownText(), QStringLiteral("Kept"));
    QVERIFY(!ui::Screens::existing(QStringLiteral("FormCreateCallReport")));
    QVERIFY(control("CommandDelete")->isEnabled());
    QVERIFY(QFile::exists(ui::workingDocumentPath()));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestCallReportBrowser::sendToWordPastesTheReportOnTheLetterhead()
{
    addReport(companyKey, today, QStringLiteral("Report for the printer"));
    open();
    QVERIFY(m_screen->sendToWord());
    QVERIFY(m_messages->shown.isEmpty());
    const QMimeData* left = QApplication::clipboard()->mimeData();
    QVERIFY(!left || !left->hasFormat(QStringLiteral("text/rtf")));
    QVERIFY(control("LabelLoad")->parentWidget()->isHidden());

    // The user's new document: the report in the body, the letterhead in the page header.
    office::WordProcessor& word = office::WordProcessor::instance();
    office::WordProcessor::Instance shown = 0;
    QString error;
    QVERIFY(word.attach(&shown, &error));
    QVERIFY(word.saveActiveDocument(shown, QStringLiteral("Temp/sent.doc"), &error));
    QFile sent(QStringLiteral("Temp/sent.doc"));
    QVERIFY(sent.open(QIODevice::ReadOnly));
    QTextDocument body;
    QTextDocument header;
    QVERIFY(office::readRtf(sent.readAll(), &body, &header, &error));
    QVERIFY2(body.toPlainText().contains(QStringLiteral("Report for the printer")),
        qPrintable(body.toPlainText()));
    QVERIFY(!header.isEmpty());
    QCOMPARE(reportCount(), 1);
}

void TestCallReportBrowser::failedSendLeavesAnInstanceThatTheAnswerQuits()
{
    auto recording = std::make_unique<office::RecordingWordProcessor>();
    office::RecordingWordProcessor* word = recording.get();
    office::WordProcessor::setInstance(std::move(recording));
    QFile::remove(ui::letterheadPath());
    addReport(companyKey, today, QStringLiteral("Report"));
    open();
    QVERIFY(!m_screen->sendToWord());
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QCOMPARE(word->started, 1);
    QVERIFY(word->quitInstances.isEmpty());

    m_screen->askToSave(ui::SaveQuestion::Pending::Document);
    control<QPushButton>("CommandNo")->click();
    QCOMPARE(word->quitInstances.size(), 1);
}

void TestCallReportBrowser::sendWithMailGivesSubjectAndPlainBody()
{
    auto recording = std::make_unique<office::RecordingMailProgram>();
    office::RecordingMailProgram* mail = recording.get();
    office::MailProgram::setInstance(std::move(recording));
    addReport(companyKey, today, QStringLiteral("Line one\nLine two"));
    open();
    control<QPushButton>("CommandOutlook")->click();
    QCOMPARE(mail->displayedMails.size(), 1);
    QCOMPARE(mail->displayedMails.first().subject, QStringLiteral("Call Report - Acme & Sons"));
    QCOMPARE(mail->displayedMails.first().body, QStringLiteral("Line one\nLine two"));
    QVERIFY(mail->sentMails.isEmpty());

    mail->failure = QStringLiteral("The mail program is not available.");
    QVERIFY(!m_screen->sendWithMail());
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("An error has occurred. The mail program is not available."));
}

void TestCallReportBrowser::hintAndManualPage()
{
    open();
    auto* search = control<QPushButton>("CommandSearch");
    QCOMPARE(search->toolTip(), QStringLiteral("Search"));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(search, &enter);
    QCOMPARE(control<QLabel>("LabelHelp")->text(),
        QStringLiteral("Search call reports related to Acme & Sons containing text you enter. "
                       "Searches are not case sensitive."));
    QApplication::sendEvent(control("TextFind"), &enter);
    QCOMPARE(control<QLabel>("LabelHelp")->text(),
        QStringLiteral("Enter the phrase you are looking for."));
    // The mouse over the report itself counts as background; its viewport receives the moves.
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen));
    QVERIFY(control("FrameHelp")->isVisible());
    QWidget* report = control<QTextEdit>("RichTextBox1")->viewport();
    QTest::mouseMove(report, report->rect().center());
    QTRY_VERIFY(control("FrameHelp")->isHidden());
    QCOMPARE(control<QPushButton>("CommandWord")->toolTip(), QStringLiteral("Send to MS-Word"));
    QCOMPARE(
        control<QPushButton>("CommandOutlook")->toolTip(), QStringLiteral("Send with MS-Outlook"));
    QCOMPARE(control<QPushButton>("CommandHelp")->text(), QStringLiteral("Help (F1)"));
    for (const char* key : { "Copy", "Cut", "Undo", "Paste" })
        QVERIFY(control("Toolbar1")->findChild<QAction*>(QLatin1String(key)));
}

VANTREL_TEST_MAIN(TestCallReportBrowser)
#include "TestCallReportBrowser.moc"
