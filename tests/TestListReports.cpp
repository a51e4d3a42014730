#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "app/ScreenCatalog.h"
#include "data/Database.h"
#include "data/WorkbookReader.h"
#include "data/ZipArchive.h"
#include "office/SpreadsheetProgram.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "reports/FormListReport.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "TestFolder.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace vantrel;
using reports::FormListReport;
using test::insertRow;

namespace {

QByteArray zipEntry(const QString& path, const QString& entry)
{
    data::ZipArchive zip;
    QString reason;
    QByteArray content;
    if (!zip.open(path, &reason) || !zip.read(entry, &content, &reason))
        qFatal("cannot read %s of %s", qPrintable(entry), qPrintable(path));
    return content;
}

// Columns (1-based) that a <col hidden="1"> element of the sheet covers.
QList<int> hiddenColumns(const QByteArray& sheetXml)
{
    QList<int> hidden;
    const QRegularExpression col(QStringLiteral("<col min=\"(\\d+)\" max=\"(\\d+)\"([^>]*)/>"));
    for (const QRegularExpressionMatch& match : col.globalMatch(QString::fromUtf8(sheetXml))) {
        if (!match.captured(3).contains(QStringLiteral("hidden=\"1\"")))
            continue;
        for (int c = match.captured(1).toInt(); c <= match.captured(2).toInt(); ++c)
            hidden << c;
    }
    return hidden;
}

QList<int> range(int first, int last)
{
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers << n;
    return numbers;
}

} // namespace

class TestListReports : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void companyListWithoutTicksShowsOnlyTheCompanyWithAllDataInTheFile();
    void companyListFormatsTheWorkbookAndHidesUntickedColumns();
    void contactListWithoutTicksHidesEveryColumnAndSkipsCompaniesWithoutContacts();
    void selectAllTicksEveryBoxAndNeverClears();
    void twoReportsGiveTwoFilesAndReopenTheScreenCleared();
    void aFailedSaveIsReportedAndLeavesTheClipboardAlone();

private:
    FormListReport* open(const char* screen)
    {
        auto* form = ui::Screens::bringToFront<FormListReport>(QLatin1String(screen));
        if (!form)
            qFatal("no screen %s", screen);
        return form;
    }
    void tick(FormListReport* form, int box)
    {
        test::findControl<QCheckBox>(form, qPrintable(QStringLiteral("Check%1").arg(box)))
            ->setChecked(true);
    }
    // The workbook the last report handed to the spreadsheet program.
    QString shownWorkbook() const
    {
        if (m_opener->opened.isEmpty())
            return {};
        return QDir::current().relativeFilePath(m_opener->opened.last().toLocalFile());
    }
    data::Worksheet readBack(const QString& path)
    {
        data::Worksheet sheet;
        QString error;
        if (!data::readWorksheet(path, QString(), &sheet, &error))
            qFatal("%s", qPrintable(error));
        return sheet;
    }
    void addCompanies();

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    platform::RecordingOpener* m_opener = nullptr;
};

void TestListReports::initTestCase()
{
    app::registerScreens();
}

void TestListReports::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
}

void TestListReports::cleanup()
{
    ui::Screens::closeAll();
    office::SpreadsheetProgram::setInstance(nullptr);
    platform::Desktop::setOpener(nullptr);
    platform::MessageBox::setHandler(nullptr);
    m_folder.reset();
}

void TestListReports::addCompanies()
{
    const qint64 zulu = insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Zulu Mining" }, { "TEXT03", "P.O. Box 7" }, { "TEXT06", "1 Main Rd" },
            { "TEXT07", "Block B" }, { "TEXT08", "Durban" }, { "TEXT18", "Anna" },
            { "DATE01", "2026-02-03" }, { "NUMBER01", 30 }, { "TEXT20", "Company" } });
    insertRow(QStringLiteral("TABLE01"),
        { { "TEXT01", "Acme, \"Best\" Ltd" }, { "TEXT08", "Cape Town" }, { "TEXT20", "Company" } });
    const qint64 archived = insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "Old Archive Co" }, { "TEXT20", "Archive" } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Thandi" }, { "TEXT03", "Nkosi" }, { "TEXT05", "t@zulu.example" },
            { "NUMBER01", zulu } });
    insertRow(QStringLiteral("TABLE03"),
        { { "TEXT02", "Gone" }, { "TEXT03", "Away" }, { "NUMBER01", archived } });
}

void TestListReports::companyListWithoutTicksShowsOnlyTheCompanyWithAllDataInTheFile()
{
    addCompanies();
    FormListReport* form = open("FormReportCompanies");
    QVERIFY(form->go());
    const QString path = shownWorkbook();
    QVERIFY2(
        QRegularExpression(QStringLiteral("^Temp/Report \\d{6}\\.xlsx$")).match(path).hasMatch(),
        qPrintable(path));

    const data::Worksheet sheet = readBack(path);
    QCOMPARE(sheet.rows.size(), 3); // headings, two active companies; the archived one absent
    QCOMPARE(sheet.rows.at(0).value(0).toString(), QStringLiteral("COMPANY"));
    QCOMPARE(sheet.rows.at(0).value(18).toString(), QStringLiteral("SALES PERSON"));
    QCOMPARE(sheet.rows.at(1).value(0).toString(), QStringLiteral("Acme, \"Best\" Ltd"));
    QCOMPARE(sheet.rows.at(2).value(0).toString(), QStringLiteral("Zulu Mining"));
    QCOMPARE(sheet.rows.at(2).value(5).toString(), QStringLiteral("Block B"));
    QCOMPARE(sheet.rows.at(2).value(15).toDate(), QDate(2026, 2, 3));
    QCOMPARE(sheet.rows.at(2).value(16).toInt(), 30);
    QCOMPARE(sheet.rows.at(2).value(18).toString(), QStringLiteral("Anna"));

    const QByteArray sheetXml = zipEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    QCOMPARE(hiddenColumns(sheetXml), range(2, 19));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestListReports::companyListFormatsTheWorkbookAndHidesUntickedColumns()
{
    addCompanies();
    FormListReport* form = open("FormReportCompanies");
    tick(form, 4); // both street address lines
    tick(form, 17); // date last visited
    tick(form, 14); // sales person
    QVERIFY(form->go());
    const QString path = shownWorkbook();

    const data::Worksheet sheet = readBack(path);
    for (const data::CellFormat& heading : sheet.headerFormats) {
        QCOMPARE(heading.fontName, QStringLiteral("Arial Narrow"));
        QCOMPARE(heading.fontSize, 8.0);
        QVERIFY(heading.bold);
    }
    const QByteArray sheetXml = zipEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    QList<int> expected = range(2, 19);
    for (int shown : { 5, 6, 16, 19 })
        expected.removeOne(shown);
    QCOMPARE(hiddenColumns(sheetXml), expected);
    QVERIFY2(sheetXml.contains("<autoFilter ref=\"A1:S3\"/>"), sheetXml.constData());
    QVERIFY2(sheetXml.contains("ySplit=\"1\"") && sheetXml.contains("state=\"frozen\""),
        sheetXml.constData());
    // Fitted: the long address column is wider than the default width.
    QVERIFY(sheetXml.contains("customWidth=\"1\""));

    const QByteArray styles = zipEntry(path, QStringLiteral("xl/styles.xml"));
    QVERIFY2(styles.contains("formatCode=\"mm/dd/yyyy\""), styles.constData());
    QVERIFY2(styles.contains("horizontal=\"left\""), styles.constData());
    QVERIFY2(styles.contains("<name val=\"Arial Narrow\"/>"), styles.constData());
    QVERIFY2(styles.contains("<sz val=\"8\"/>"), styles.constData());
}

void TestListReports::contactListWithoutTicksHidesEveryColumnAndSkipsCompaniesWithoutContacts()
{
    addCompanies();
    FormListReport* form = open("FormReportContacts");
    QVERIFY(form->go());
    const QString path = shownWorkbook();
    const data::Worksheet sheet = readBack(path);
    // Acme has no contacts, the archived company's contact is left out.
    QCOMPARE(sheet.rows.size(), 2);
    QCOMPARE(sheet.rows.at(0).value(4).toString(), QStringLiteral("E-MAIL"));
    QCOMPARE(sheet.rows.at(1).value(0).toString(), QStringLiteral("Zulu Mining"));
    QCOMPARE(sheet.rows.at(1).value(1).toString(), QStringLiteral("Thandi"));
    QCOMPARE(sheet.rows.at(1).value(4).toString(), QStringLiteral("t@zulu.example"));
    const QByteArray sheetXml = zipEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    QCOMPARE(hiddenColumns(sheetXml), range(1, 10));

    // Telephone is the eighth column but the fourth box.
    form = open("FormReportContacts");
    tick(form, 4);
    tick(form, 1);
    QVERIFY(form->go());
    const QByteArray second = zipEntry(shownWorkbook(), QStringLiteral("xl/worksheets/sheet1.xml"));
    QList<int> expected = range(2, 10);
    expected.removeOne(8);
    QCOMPARE(hiddenColumns(second), expected);
}

void TestListReports::selectAllTicksEveryBoxAndNeverClears()
{
    FormListReport* form = open("FormReportCompanies");
    QCOMPARE(
        test::findControl<QCheckBox>(form, "Check4")->text(), QStringLiteral("Street Address"));
    QCOMPARE(
        test::findControl<QCheckBox>(form, "Check17")->text(), QStringLiteral("Date Last Visited"));
    auto* selectAll = test::findControl<QCheckBox>(form, "Check18");
    QCOMPARE(selectAll->text(), QStringLiteral("Select All"));
    QVERIFY(form->tickedBoxes().isEmpty());
    selectAll->click();
    QCOMPARE(form->tickedBoxes().size(), 17);
    selectAll->click();
    QCOMPARE(form->tickedBoxes().size(), 17);
    QVERIFY(selectAll->isChecked());
}

void TestListReports::twoReportsGiveTwoFilesAndReopenTheScreenCleared()
{
    addCompanies();
    FormListReport* form = open("FormReportCompanies");
    tick(form, 1);
    QVERIFY(form->go());
    const QString first = shownWorkbook();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form = ui::Screens::existing(QStringLiteral("FormReportCompanies"))
        ? qobject_cast<FormListReport*>(
            ui::Screens::existing(QStringLiteral("FormReportCompanies")))
        : nullptr;
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QVERIFY(form->tickedBoxes().isEmpty());
    QVERIFY(form->go());
    const QString second = shownWorkbook();
    QVERIFY(first != second);
    QVERIFY(QFileInfo::exists(first));
    QVERIFY(QFileInfo::exists(second));
    QCOMPARE(
        hiddenColumns(zipEntry(first, QStringLiteral("xl/worksheets/sheet1.xml"))), range(3, 19));
}

void TestListReports::aFailedSaveIsReportedAndLeavesTheClipboardAlone()
{
    addCompanies();
    QGuiApplication::clipboard()->setText(QStringLiteral("the user's own text"));
    // A file where the Temp folder belongs: the workbook cannot be saved.
    QFile blocker(QStringLiteral("Temp"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FormListReport* form = open("FormReportCompanies");
    QVERIFY(!form->go());
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Critical);
    QVERIFY(m_opener->opened.isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("the user's own text"));
}

VANTREL_TEST_MAIN(TestListReports)
#include "TestListReports.moc"
