#include "ApplicationTest.h"
#include "RecordingOpener.h"
#include "TestFolder.h"

#include "RecordingSpreadsheetProgram.h"
#include "data/WorkbookReader.h"
#include "data/ZipArchive.h"
#include "office/DeliveredWorkbooks.h"
#include "office/WorkbookLoader.h"
#include "office/WorkbookWriter.h"
#include "platform/Desktop.h"
#include "ui/BuiltInSpreadsheetProgram.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace vantrel;
using namespace vantrel::office;
using namespace vantrel::ui;

namespace {

QByteArray zipEntry(const QString& path, const QString& entry)
{
    data::ZipArchive zip;
    QString reason;
    if (!zip.open(path, &reason))
        return {};
    QByteArray content;
    zip.read(entry, &content, &reason);
    return content;
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The width attribute of the <col> element that covers one column (1-based).
QString columnElement(const QByteArray& sheetXml, int column)
{
    const QRegularExpression pattern(
        QStringLiteral("<col min=\"%1\" max=\"%1\"[^>]*/>").arg(column));
    return pattern.match(QString::fromUtf8(sheetXml)).captured(0);
}

// The report of all active projects, formatted as the screens do.
Workbook projectReport()
{
    Workbook workbook;
    Sheet& sheet = workbook.activeSheet();
    QString error;
    sheet.pasteText(QStringLiteral("INDUSTRY GROUP\tDATE ENTERED\tPRICE\tSECRET\tACTION STEP\n"
                                   "Pumps\t2024-02-29\t1234.5\tx\tCall Mr. Müller about the "
                                   "offer; he wants a second quote before the end of the month "
                                   "and a visit from our engineer to see the old pumps first\n"
                                   "Valves\t2023-11-01\t7\ty\tShort\n"
                                   "Öl & Gas\t2023-01-15\t-2\tz\tVisit\n"),
        &error);
    sheet.setFontName(CellRange::all(), QStringLiteral("Arial Narrow"));
    sheet.setFontSize(CellRange::all(), 8);
    sheet.setVerticalAlignment(CellRange::all(), VerticalAlignment::Top);
    sheet.setHorizontalAlignment(CellRange::fromReference(u"B:B"), HorizontalAlignment::Left);
    sheet.setNumberFormat(CellRange::fromReference(u"B:B"), QStringLiteral("mm/dd/yyyy"));
    sheet.setNumberFormat(CellRange::fromReference(u"C:C"), QStringLiteral("0.00"));
    sheet.setWrapText(CellRange::fromReference(u"E:E"), true);
    sheet.autoFitColumns(CellRange::all());
    sheet.setColumnWidth(CellRange::fromReference(u"E:E"), 50);
    sheet.setBold(CellRange::fromReference(u"1:1"), true);
    sheet.setAutoFilter(0);
    sheet.freezePanes(1, 0);
    sheet.setColumnHidden(CellRange::fromReference(u"D:D"), true);
    sheet.setActiveCell(0, 0);
    return workbook;
}

} // namespace

// Workbooks written as .xlsx and read back: what is in the file, not what the
// writer meant to put there.
class TestWorkbookWriter : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        platform::Desktop::setOpener(nullptr);
        SpreadsheetProgram::setInstance(nullptr);
    }

    void everyFormatIsInTheFile()
    {
        test::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("Report 123456.xlsx"));
        QString error;
        QVERIFY2(writeWorkbook(projectReport(), path, &error), qPrintable(error));

        data::Worksheet read;
        QVERIFY2(data::readWorksheet(path, QString(), &read, &error), qPrintable(error));
        QCOMPARE(read.name, QStringLiteral("Sheet1"));
        QCOMPARE(read.rows.size(), 4);
        QCOMPARE(read.rows.at(1).at(0), QVariant(QStringLiteral("Pumps")));
        QCOMPARE(read.rows.at(1).at(1), QVariant(QDate(2024, 2, 29)));
        QCOMPARE(read.rows.at(1).at(2).toDouble(), 1234.5);
        QCOMPARE(read.rows.at(3).at(0), QVariant(QStringLiteral("Öl & Gas")));
        QCOMPARE(read.rows.at(3).at(2).toDouble(), -2.0);
        QVERIFY(read.headerFormats.at(0).bold);
        QCOMPARE(read.headerFormats.at(0).fontName, QStringLiteral("Arial Narrow"));
        QCOMPARE(read.headerFormats.at(0).fontSize, 8.0);
        QCOMPARE(read.headerFormats.at(1).horizontalAlignment, Qt::AlignLeft);

        const QByteArray sheetXml = zipEntry(path, QStringLiteral("xl/worksheets/sheet1.xml"));
        const QByteArray styles = zipEntry(path, QStringLiteral("xl/styles.xml"));
        QVERIFY(!sheetXml.isEmpty() && !styles.isEmpty());
        QVERIFY2(sheetXml.contains("<autoFilter ref=\"A1:E4\"/>"), sheetXml.constData());
        QVERIFY(sheetXml.contains("ySplit=\"1\""));
        QVERIFY(sheetXml.contains("state=\"frozen\""));
        QVERIFY(sheetXml.contains("topLeftCell=\"A2\""));
        QVERIFY(columnElement(sheetXml, 4).contains(QStringLiteral("hidden=\"1\"")));
        QVERIFY(!columnElement(sheetXml, 5).contains(QStringLiteral("hidden")));
        // Widths are stored with the spreadsheet's cell padding added.
        QVERIFY(columnElement(sheetXml, 5).contains(QStringLiteral("width=\"50.7")));
        QVERIFY(columnElement(sheetXml, 1).contains(QStringLiteral("customWidth=\"1\"")));
        // The row with the long wrapped action step is as high as its lines; the
        // headings keep the default height.
        const QRegularExpression wrappedRow(QStringLiteral("<row r=\"2\"[^>]* ht=\"(\\d+)"));
        const QRegularExpressionMatch height = wrappedRow.match(QString::fromUtf8(sheetXml));
        QVERIFY2(height.hasMatch(), sheetXml.constData());
        QVERIFY(height.captured(1).toInt() >= 20);
        QVERIFY(!QString::fromUtf8(sheetXml).contains(
            QRegularExpression(QStringLiteral("<row r=\"1\"[^>]* ht="))));
        QVERIFY(styles.contains("formatCode=\"0.00\""));
        QVERIFY(styles.contains("formatCode=\"mm/dd/yyyy\""));
        QVERIFY(styles.contains("<b/>"));
        QVERIFY(styles.contains("<name val=\"Arial Narrow\"/>"));
        QVERIFY(styles.contains("<sz val=\"8\"/>"));
        QVERIFY(styles.contains("horizontal=\"left\""));
        QVERIFY(styles.contains("vertical=\"top\""));
        QVERIFY(styles.contains("wrapText=\"1\""));
    }

    void valuesOfEveryKindRoundTrip()
    {
        test::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("values.xlsx"));
        Workbook workbook;
        Sheet& sheet = workbook.activeSheet();
        sheet.setName(QStringLiteral("Call Log"));
        const QDateTime called(QDate(2024, 3, 1), QTime(9, 30, 15));
        sheet.setValue(0, 0, called);
        sheet.setValue(0, 1, QDate(1999, 12, 31));
        sheet.setValue(0, 2, QTime(17, 45));
        sheet.setValue(0, 3, qlonglong(4915112345678));
        sheet.setValue(0, 4, true);
        sheet.setValue(0, 5, QStringLiteral("=HYPERLINK(\"http://example.com\")"));
        sheet.setValue(1, 0, QString(40000, QChar(0x00e4)));
        sheet.setValue(1, 1, QStringLiteral("Zoë \U0001F600 <&>"));
        Sheet& second = workbook.addSheet(QStringLiteral("Second"));
        second.setValue(0, 0, QStringLiteral("on the second sheet"));
        workbook.setActiveSheet(1);
        QString error;
        QVERIFY2(writeWorkbook(workbook, path, &error), qPrintable(error));

        QStringList names;
        QVERIFY(data::readSheetNames(path, &names, &error));
        QCOMPARE(names, (QStringList { "Call Log", "Second" }));
        data::Worksheet read;
        QVERIFY2(data::readWorksheet(path, QStringLiteral("Call Log"), &read, &error),
            qPrintable(error));
        QCOMPARE(read.rows.at(0).at(0), QVariant(called));
        QCOMPARE(read.rows.at(0).at(1), QVariant(QDate(1999, 12, 31)));
        QCOMPARE(read.rows.at(0).at(2), QVariant(QTime(17, 45)));
        QCOMPARE(read.rows.at(0).at(3).toLongLong(), 4915112345678);
        QCOMPARE(read.rows.at(0).at(4), QVariant(true));
        // A text that looks like a formula stays text.
        QCOMPARE(
            read.rows.at(0).at(5), QVariant(QStringLiteral("=HYPERLINK(\"http://example.com\")")));
        QCOMPARE(read.rows.at(1).at(0).toString(), QString(32767, QChar(0x00e4)));
        QCOMPARE(read.rows.at(1).at(1), QVariant(QStringLiteral("Zoë \U0001F600 <&>")));
        QVERIFY(!zipEntry(path, QStringLiteral("xl/worksheets/sheet1.xml")).contains("<f>"));
        QVERIFY(zipEntry(path, QStringLiteral("xl/workbook.xml")).contains("activeTab=\"1\""));

        // Loaded again: values of every sheet, the file remembered.
        Workbook loaded;
        QVERIFY2(loadWorkbook(path, &loaded, &error), qPrintable(error));
        QCOMPARE(loaded.sheetCount(), 2);
        QCOMPARE(loaded.filePath(), path);
        QCOMPARE(loaded.sheet(0).value(0, 0), QVariant(called));
        QCOMPARE(loaded.sheet(1).value(0, 0), QVariant(QStringLiteral("on the second sheet")));
    }

    void openedWorkbookKeepsItsHeadingFormats()
    {
        test::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("Competition.xlsx"));
        Workbook original;
        Sheet& sheet = original.activeSheet();
        sheet.setName(QStringLiteral("COMPETITION"));
        QString error;
        QVERIFY(
            sheet.pasteText(QStringLiteral("COMPETITOR'S PRODUCT\tCOMPETITOR'S NAME\tEQUIVALENT\n"
                                           "Pump A\tAcme\tOur pump\n"
                                           "Valve B\tBeta\tOur valve\n"),
                &error));
        sheet.setBold(CellRange::rows(0, 0), true);
        sheet.setFontName(CellRange::rows(0, 0), QStringLiteral("Arial"));
        sheet.setFontSize(CellRange::rows(0, 0), 12);
        sheet.setHorizontalAlignment(CellRange::cell(0, 1), HorizontalAlignment::Center);
        CellStyle filled = sheet.style(0, 2);
        filled.fillColor = QColor(0xff, 0xff, 0x00);
        sheet.setStyle(0, 2, filled);
        QVERIFY(writeWorkbook(original, path, &error));

        BuiltInSpreadsheetProgram program;
        Workbook workbook;
        QVERIFY2(program.open(path, &workbook, &error), qPrintable(error));
        Sheet& opened = workbook.activeSheet();
        QVERIFY(opened.style(0, 0).bold);
        QVERIFY(!opened.style(1, 0).bold);
        // The competition import's after-work: everything under the headings emptied.
        opened.clearContents(
            CellRange::area(1, 0, opened.rowCount() - 1, opened.columnCount() - 1));
        opened.setValue(1, 0, QStringLiteral("Pump C"));
        QVERIFY2(program.save(&workbook, &error), qPrintable(error));

        data::Worksheet read;
        QVERIFY(data::readWorksheet(path, QStringLiteral("COMPETITION"), &read, &error));
        QCOMPARE(read.rows.size(), 2);
        QCOMPARE(read.rows.at(0).at(0), QVariant(QStringLiteral("COMPETITOR'S PRODUCT")));
        QCOMPARE(read.rows.at(1).at(0), QVariant(QStringLiteral("Pump C")));
        for (const data::CellFormat& format : std::as_const(read.headerFormats)) {
            QVERIFY(format.bold);
            QCOMPARE(format.fontName, QStringLiteral("Arial"));
            QCOMPARE(format.fontSize, 12.0);
        }
        QCOMPARE(read.headerFormats.at(1).horizontalAlignment, Qt::AlignHCenter);
        QCOMPARE(read.headerFormats.at(2).fillColor, QColor(0xff, 0xff, 0x00));

        // A workbook read from another kind of file is saved as .xlsx beside it.
        writeFile(folder.filePath(QStringLiteral("Prices.csv")),
            "PRODUCT,CURRENCY,PRICE,NOTES\nPump,EUR,12.5,\n");
        QVERIFY2(program.open(QStringLiteral("Prices.csv"), &workbook, &error), qPrintable(error));
        workbook.activeSheet().setValue(1, 2, 13.75);
        QVERIFY2(program.save(&workbook, &error), qPrintable(error));
        QCOMPARE(workbook.filePath(), QStringLiteral("Prices.xlsx"));
        QVERIFY(data::readWorksheet(QStringLiteral("Prices.xlsx"), QString(), &read, &error));
        QCOMPARE(read.rows.at(1).at(2).toDouble(), 13.75);
        QCOMPARE(fileContent(QStringLiteral("Prices.csv")),
            QByteArray("PRODUCT,CURRENCY,PRICE,NOTES\nPump,EUR,12.5,\n"));

        QVERIFY(!program.open(QStringLiteral("Missing.xlsx"), &workbook, &error));
        QVERIFY2(error.contains(QStringLiteral("Missing.xlsx")), qPrintable(error));
        Workbook unsaved;
        QVERIFY(!program.save(&unsaved, &error));
    }

    void failedSaveLeavesTheOldFile()
    {
        test::TestFolder folder;
        Workbook workbook;
        workbook.activeSheet().setValue(0, 0, QStringLiteral("new"));
        QString error;

        QVERIFY(
            !writeWorkbook(workbook, folder.filePath(QStringLiteral("Temp/Report.xlsx")), &error));
        QVERIFY2(error.contains(QStringLiteral("does not exist")), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("Temp")), qPrintable(error));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("Temp/Report.xlsx"))));

        const QString target = folder.filePath(QStringLiteral("BCTelephone.xlsx"));
        Workbook old;
        old.activeSheet().setValue(0, 0, QStringLiteral("old"));
        QVERIFY(writeWorkbook(old, target, &error));
        const QByteArray before = fileContent(target);

        QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QVERIFY(!writeWorkbook(workbook, target, &error));
        QVERIFY2(error.contains(QStringLiteral("read-only")), qPrintable(error));
        QCOMPARE(fileContent(target), before);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);

        Workbook badName;
        badName.activeSheet().setName(QStringLiteral("Q1/Q2"));
        QVERIFY(!writeWorkbook(badName, target, &error));
        QVERIFY2(error.contains(QStringLiteral("Q1/Q2")), qPrintable(error));
        Workbook twice;
        twice.addSheet(QStringLiteral("SHEET1"));
        QVERIFY(!writeWorkbook(twice, target, &error));
        QVERIFY(
            !writeWorkbook(workbook, folder.filePath(QStringLiteral("BCTelephone.xls")), &error));
        QVERIFY2(error.contains(QStringLiteral(".xlsx")), qPrintable(error));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Folder.xlsx")));
        QVERIFY(!writeWorkbook(workbook, folder.filePath(QStringLiteral("Folder.xlsx")), &error));
        QCOMPARE(fileContent(target), before);

        // Nothing of the failed attempts is left behind.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { "BCTelephone.xlsx" });
    }

    void deliveredWorkbooksHaveBoldHeadings()
    {
        test::TestFolder folder;
        QString error;
        QVERIFY2(writeDeliveredWorkbooks(folder.path(), &error), qPrintable(error));
        const QList<std::pair<QString, QStringList>> expected {
            { QStringLiteral("Prices.xlsx"), { "PRODUCT", "CURRENCY", "PRICE", "NOTES" } },
            { QStringLiteral("Competition.xlsx"),
                { "COMPETITOR'S PRODUCT", "COMPETITOR'S NAME", "EQUIVALENT" } },
        };
        for (const auto& [name, headings] : expected) {
            data::Worksheet sheet;
            const QString sheetName = name.section(QLatin1Char('.'), 0, 0).toUpper();
            QVERIFY2(data::readWorksheet(folder.filePath(name), sheetName, &sheet, &error),
                qPrintable(error));
            QCOMPARE(sheet.rows.size(), 1);
            QStringList read;
            for (const QVariant& value : sheet.rows.first())
                read.append(value.toString());
            QCOMPARE(read, headings);
            QCOMPARE(sheet.headerFormats.size(), headings.size());
            for (const data::CellFormat& format : std::as_const(sheet.headerFormats))
                QVERIFY(format.bold);
        }
        data::Worksheet callLog;
        QVERIFY2(data::readWorksheet(folder.filePath(QStringLiteral("BCTelephone.xlsx")), QString(),
                     &callLog, &error),
            qPrintable(error));
        QVERIFY(callLog.rows.isEmpty());
    }

    void programFacade()
    {
        test::TestFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Temp")));
        const QRegularExpression reportName(QStringLiteral("^Temp/Report [1-9]\\d{5}\\.xlsx$"));
        const QString first = SpreadsheetProgram::newReportFileName();
        QVERIFY2(reportName.match(first).hasMatch(), qPrintable(first));

        // Two reports in a row: two files.
        SpreadsheetProgram& program = SpreadsheetProgram::instance();
        Workbook report = program.newWorkbook();
        report.activeSheet().setValue(0, 0, QStringLiteral("COMPANY"));
        QString error;
        QVERIFY2(program.saveAs(&report, first, &error), qPrintable(error));
        QCOMPARE(report.filePath(), first);
        const QString second = SpreadsheetProgram::newReportFileName();
        QVERIFY(second != first);
        QVERIFY(program.saveAs(&report, second, &error));
        QCOMPARE(QDir(folder.filePath(QStringLiteral("Temp"))).entryList(QDir::Files).size(), 2);

        auto opener = std::make_unique<platform::RecordingOpener>();
        const QList<QUrl>& opened = opener->opened;
        platform::Desktop::setOpener(std::move(opener));
        QVERIFY2(program.show(second, &error), qPrintable(error));
        QCOMPARE(opened, QList<QUrl> { QUrl::fromLocalFile(folder.filePath(second)) });
        QVERIFY(!program.show(QStringLiteral("Temp/Report 000000.xlsx"), &error));
        QVERIFY(!program.show(QStringLiteral("/etc/passwd"), &error));
        QCOMPARE(opened.size(), 1);

        QCOMPARE(SpreadsheetProgram::programWorkbookFileName(QStringLiteral("BCTelephone")),
            QStringLiteral("BCTelephone.xlsx"));
        writeFile(folder.filePath(QStringLiteral("BCTelephone.xls")), "legacy");
        QCOMPARE(SpreadsheetProgram::programWorkbookFileName(QStringLiteral("BCTelephone")),
            QStringLiteral("BCTelephone.xls"));
        writeFile(folder.filePath(QStringLiteral("BCTelephone.xlsx")), "current");
        QCOMPARE(SpreadsheetProgram::programWorkbookFileName(QStringLiteral("BCTelephone")),
            QStringLiteral("BCTelephone.xlsx"));

        // A double takes the program's place and records the call log's steps.
        auto recording = std::make_unique<RecordingSpreadsheetProgram>();
        RecordingSpreadsheetProgram* double_ = recording.get();
        double_->files.insert(QStringLiteral("BCTelephone.xlsx"), Workbook());
        SpreadsheetProgram::setInstance(std::move(recording));
        Workbook callLog;
        QVERIFY(SpreadsheetProgram::instance().open(
            QStringLiteral("BCTelephone.xlsx"), &callLog, &error));
        QVERIFY(callLog.activeSheet().insertRows(0, 1, &error));
        callLog.activeSheet().setValue(0, 1, QStringLiteral("030 1234"));
        QVERIFY(SpreadsheetProgram::instance().save(&callLog, &error));
        QCOMPARE(double_->savedPaths, QStringList { "BCTelephone.xlsx" });
        QCOMPARE(double_->files.value(QStringLiteral("BCTelephone.xlsx")).activeSheet().value(0, 1),
            QVariant(QStringLiteral("030 1234")));
        double_->failure = QStringLiteral("Spreadsheet missing");
        QVERIFY(!SpreadsheetProgram::instance().print(callLog.activeSheet(), &error));
        QCOMPARE(error, QStringLiteral("Spreadsheet missing"));
    }
};

VANTREL_TEST_MAIN(TestWorkbookWriter)
#include "TestWorkbookWriter.moc"
