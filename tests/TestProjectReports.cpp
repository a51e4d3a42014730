#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "activities/FormAllProjects.h"
#include "activities/FormProjectSummary.h"
#include "activities/FormProjects.h"
#include "activities/ProjectSummarySheet.h"
#include "data/Clock.h"
#include "data/WorkbookReader.h"
#include "data/ZipArchive.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "ui/PrinterProvider.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "PdfPrinterProvider.h"
#include "ShellFakes.h"
#include "TestFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfDocument>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace vantrel;
using activities::FormAllProjects;
using activities::FormProjects;
using activities::FormProjectSummary;
using activities::projectSeparator;

namespace {

const QString twinName = QStringLiteral("Twin Trading");

QByteArray zipEntry(const QString& path, const QString& entry)
{
    data::ZipArchive zip;
    QString reason;
    QByteArray content;
    if (zip.open(path, &reason))
        zip.read(entry, &content, &reason);
    return content;
}

// The <col> element that covers one column (1-based).
QString columnElement(const QByteArray& sheetXml, int column)
{
    const QRegularExpression pattern(
        QStringLiteral("<col min=\"%1\" max=\"%1\"[^>]*/>").arg(column));
    return pattern.match(QString::fromUtf8(sheetXml)).captured(0);
}

QString pdfText(const QString& path)
{
    QPdfDocument document;
    if (document.load(path) != QPdfDocument::Error::None)
        return {};
    QString text;
    for (int page = 0; page < document.pageCount(); ++page)
        text += document.getAllText(page).text() + QLatin1Char('\n');
    return text;
}

QStringList reportFiles()
{
    return QDir(QStringLiteral("Temp")).entryList({ QStringLiteral("Report *.xlsx") }, QDir::Files);
}

} // namespace

class TestProjectReports : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void summarySheetGroupsStepsByProjectName();
    void summaryWithoutStepsHasTitleAndHeadingsOnly();
    void summaryPrintsTheCompanyOfTheScreenOnly();
    void allProjectsWorkbookReadsBack();
    void progressAdvancesAtSevenPoints();
    void twoReportsInARowGiveTwoFiles();
    void failedReportIsNamed();

private:
    qint64 addProject(qint64 company, const QString& name, const QString& status,
        const QString& group = QStringLiteral("Mining"));
    void addStep(qint64 project, const QDate& date, const QString& text);
    void addFixture();

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingOpener* m_opener = nullptr;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    qint64 m_twin = 0;
    qint64 m_otherTwin = 0;
};

void TestProjectReports::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    QDir().mkdir(QStringLiteral("Temp"));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
}

void TestProjectReports::cleanup()
{
    ui::Screens::closeAll();
    ui::PrinterProvider::setInstance(nullptr);
    platform::Desktop::setOpener(nullptr);
    platform::MessageBox::setHandler(nullptr);
    data::Clock::reset();
    m_folder.reset();
}

qint64 TestProjectReports::addProject(
    qint64 company, const QString& name, const QString& status, const QString& group)
{
    return test::insertRow(QStringLiteral("TABLE06"),
        { { "NUMBER01", company }, { "DATE01", QDate(2026, 1, 15) }, { "TEXT01", group },
            { "TEXT02", name }, { "TEXT03", status } });
}

void TestProjectReports::addStep(qint64 project, const QDate& date, const QString& text)
{
    test::insertRow(QStringLiteral("TABLE07"),
        { { "NUMBER01", project }, { "DATE01", date }, { "MEMO01", text } });
}

// Two active companies of one name; the first has two projects called "Pumps",
// one without steps, and a cancelled and a completed one; the second its own.
void TestProjectReports::addFixture()
{
    m_twin = test::insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", twinName }, { "TEXT13", "North" }, { "TEXT18", "Sam" },
            { "TEXT20", "Company" } });
    m_otherTwin = test::insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", twinName }, { "TEXT13", "South" }, { "TEXT20", "Company" } });
    const qint64 archived = test::insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "Archived Co" }, { "TEXT20", "Archive" } });
    const qint64 pumps = addProject(m_twin, QStringLiteral("Pumps"), FormProjects::activeStatus);
    addStep(pumps, QDate(2026, 2, 1), QStringLiteral("First call"));
    addStep(pumps, QDate(2026, 4, 1), QStringLiteral("Quotation sent"));
    const qint64 morePumps = addProject(
        m_twin, QStringLiteral("Pumps"), FormProjects::activeStatus, QStringLiteral("Energy"));
    addStep(morePumps, QDate(2026, 3, 1), QStringLiteral("Site visit"));
    addProject(m_twin, QStringLiteral("Belts"), FormProjects::activeStatus);
    addStep(addProject(m_twin, QStringLiteral("Valves"), FormProjects::cancelledStatus),
        QDate(2026, 2, 2), QStringLiteral("Cancelled step"));
    addStep(addProject(m_twin, QStringLiteral("Gears"), FormProjects::completedStatus),
        QDate(2026, 2, 3), QStringLiteral("Completed step"));
    addStep(addProject(m_otherTwin, QStringLiteral("Secret"), FormProjects::activeStatus),
        QDate(2026, 2, 4), QStringLiteral("Other company's step"));
    addStep(addProject(archived, QStringLiteral("Old"), FormProjects::activeStatus),
        QDate(2026, 2, 5), QStringLiteral("Archived step"));
}

void TestProjectReports::summarySheetGroupsStepsByProjectName()
{
    using activities::ProjectSummaryRow;
    const QDate entered(2026, 1, 15);
    const QList<ProjectSummaryRow> rows = {
        { entered, "North", "Belts", QDate(2026, 2, 1), "Called" },
        { entered, "North", "Pumps", QDate(2026, 2, 1), "First call" },
        { entered, "North", "pumps", QDate(2026, 3, 1), "Site visit of a second project" },
    };
    const office::Sheet sheet = activities::buildProjectSummarySheet(twinName, rows);
    QCOMPARE(sheet.value(0, 0).toString(), "Poject Report for " + twinName);
    QVERIFY(sheet.style(0, 0).bold);
    QCOMPARE(sheet.value(3, 0).toString(), QStringLiteral("DATE ENTERED"));
    QCOMPARE(sheet.value(3, 4).toString(), QStringLiteral("ACTION TAKEN"));
    QVERIFY(sheet.style(3, 2).bold);
    QCOMPARE(projectSeparator.size(), 61);
    QCOMPARE(sheet.value(4, 1).toString(), projectSeparator);
    QCOMPARE(sheet.value(5, 2).toString(), QStringLiteral("Belts"));
    QCOMPARE(sheet.value(6, 1).toString(), projectSeparator);
    QCOMPARE(sheet.value(7, 4).toString(), QStringLiteral("First call"));
    // One group for one name: no separator between the two projects of that name.
    QCOMPARE(sheet.value(8, 2).toString(), QStringLiteral("pumps"));
    QCOMPARE(sheet.value(9, 1).toString(), projectSeparator);
    QCOMPARE(sheet.rowCount(), 10);
    QCOMPARE(sheet.value(5, 0).toDate(), entered);
    QCOMPARE(sheet.style(5, 4).effectiveFontName(), QStringLiteral("Calibri"));
    QCOMPARE(sheet.style(5, 4).effectiveFontSize(), 9.0);
    QVERIFY(sheet.style(5, 4).wrapText);
    QCOMPARE(sheet.columnWidth(4), 20.0);
    QCOMPARE(sheet.style(5, 0).horizontalAlignment, office::HorizontalAlignment::Left);
    QCOMPARE(sheet.style(5, 3).horizontalAlignment, office::HorizontalAlignment::Left);
    QCOMPARE(sheet.style(5, 1).verticalAlignment, office::VerticalAlignment::Top);
    // The separators run over the empty cells beside them rather than widening column B.
    QVERIFY(sheet.columnWidth(1) < 20);
}

void TestProjectReports::summaryWithoutStepsHasTitleAndHeadingsOnly()
{
    const office::Sheet sheet = activities::buildProjectSummarySheet(twinName, {});
    QCOMPARE(sheet.rowCount(), 5);
    QCOMPARE(sheet.value(3, 2).toString(), QStringLiteral("PROJECT NAME"));
    QCOMPARE(sheet.value(4, 1).toString(), projectSeparator);
}

void TestProjectReports::summaryPrintsTheCompanyOfTheScreenOnly()
{
    addFixture();
    const QString pdf = m_folder->filePath(QStringLiteral("summary.pdf"));
    ui::PrinterProvider::setInstance(std::make_unique<test::PdfPrinterProvider>(pdf));
    ui::Screens::registerScreen(
        QStringLiteral("FormCompanies"), [] { return new test::FakeCompanyScreen; });
    ui::Screens::instance<test::FakeCompanyScreen>(QStringLiteral("FormCompanies"))
        ->standOn(m_twin, twinName, QStringLiteral("T-1"));
    ui::RecordViews::show(ui::RecordViews::View::Projects, ui::RecordViews::Branch::Companies);
    QWidget* projects = ui::Screens::existing(QStringLiteral("FormProjects"));
    QVERIFY(projects);
    QTest::mouseClick(test::findControl<QPushButton>(projects, "CommandSummary"), Qt::LeftButton);

    QTRY_VERIFY(QFileInfo(pdf).size() > 0);
    auto* summary = ui::Screens::instance<FormProjectSummary>(QStringLiteral("FormProjectSummary"));
    QVERIFY(summary && summary->isVisible());
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains("Poject Report for " + twinName), qPrintable(text));
    for (const char* shown : { "DATE ENTERED", "ACTION TAKEN", "First call", "Quotation sent",
             "Site visit", "North", "_______________" })
        QVERIFY2(text.contains(QLatin1String(shown)), shown);
    for (const char* absent :
        { "Belts", "Cancelled step", "Completed step", "Other company", "South", "Archived step" })
        QVERIFY2(!text.contains(QLatin1String(absent)), absent);
    QVERIFY(m_messages->shown.isEmpty());
}

void TestProjectReports::allProjectsWorkbookReadsBack()
{
    addFixture();
    ui::Screens::bringToFront(QStringLiteral("FormReportProjects"));
    QTRY_COMPARE(reportFiles().size(), 1);
    QTRY_VERIFY(!ui::Screens::existing(QStringLiteral("FormReportProjects")));
    const QString path = QStringLiteral("Temp/") + reportFiles().first();
    QVERIFY(QRegularExpression(QStringLiteral("^Report \\d{6}\\.xlsx$"))
                .match(reportFiles().first())
                .hasMatch());
    QCOMPARE(m_opener->opened.size(), 1);
    QVERIFY(m_opener->opened.first().toLocalFile().endsWith(reportFiles().first()));

    data::Worksheet read;
    QString error;
    QVERIFY2(data::readWorksheet(path, QString(), &read, &error), qPrintable(error));
    QStringList headings;
    for (const QVariant& heading : read.rows.first())
        headings.append(heading.toString());
    QCOMPARE(headings,
        (QStringList { "INDUSTRY GROUP", "DATE ENTERED", "COMPANY", "DIVISION", "SALES PERSON",
            "PROJECT NAME", "PROJECT STATUS", "ACTION DATE", "ACTION STEP" }));
    QStringList steps;
    for (const QVariantList& row : read.rows.mid(1))
        steps.append(row.at(8).toString());
    // By company, industry group, project name and action date: the two companies
    // of one name mix by industry group; cancelled, completed and archived are absent.
    QCOMPARE(steps,
        (QStringList { "Site visit", "First call", "Quotation sent", "Other company's step" }));
    QCOMPARE(read.rows.at(1).at(1), QVariant(QDate(2026, 1, 15)));
    QVERIFY(read.headerFormats.at(0).bold);
    QCOMPARE(read.headerFormats.at(0).fontName, QStringLiteral("Arial Narrow"));
    QCOMPARE(read.headerFormats.at(0).fontSize, 8.0);

    const QByteArray sheetXml = zipEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QByteArray styles = zipEntry(path, QStringLiteral("xl/styles.xml"));
    QVERIFY2(sheetXml.contains("<autoFilter ref=\"A1:I5\"/>"), sheetXml.constData());
    QVERIFY(sheetXml.contains("state=\"frozen\""));
    QVERIFY(sheetXml.contains("topLeftCell=\"A2\""));
    QVERIFY2(columnElement(sheetXml, 9).contains(QStringLiteral("width=\"50.7")),
        qPrintable(columnElement(sheetXml, 9)));
    QVERIFY(styles.contains("wrapText=\"1\""));
    QVERIFY(styles.contains("vertical=\"top\""));
    QVERIFY(styles.contains("horizontal=\"left\""));
}

void TestProjectReports::progressAdvancesAtSevenPoints()
{
    addFixture();
    auto* waiting = ui::Screens::instance<FormAllProjects>(QStringLiteral("FormAllProjects"));
    QVERIFY(waiting);
    auto* bar = test::findControl<QProgressBar>(waiting, "ProgressBar1");
    QSignalSpy progress(bar, &QProgressBar::valueChanged);
    QVERIFY(waiting->run());
    QList<int> values;
    for (const QList<QVariant>& change : progress)
        values.append(change.first().toInt());
    QCOMPARE(values, (QList<int> { 10, 20, 30, 40, 50, 60, 70, 0 }));
    QVERIFY(QFileInfo::exists(waiting->reportPath()));
}

void TestProjectReports::twoReportsInARowGiveTwoFiles()
{
    addFixture();
    auto* waiting = ui::Screens::instance<FormAllProjects>(QStringLiteral("FormAllProjects"));
    QVERIFY(waiting->run());
    const QString first = waiting->reportPath();
    QVERIFY(waiting->run());
    QVERIFY(waiting->reportPath() != first);
    QCOMPARE(reportFiles().size(), 2);
}

void TestProjectReports::failedReportIsNamed()
{
    QVERIFY(QDir(QStringLiteral("Temp")).removeRecursively());
    // A file where the Temp folder belongs: the workbook cannot be saved.
    QFile blocker(QStringLiteral("Temp"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto* waiting = ui::Screens::instance<FormAllProjects>(QStringLiteral("FormAllProjects"));
    QVERIFY(!waiting->run());
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Critical);
    QVERIFY(m_opener->opened.isEmpty());
}

VANTREL_TEST_MAIN(TestProjectReports)
#include "TestProjectReports.moc"
