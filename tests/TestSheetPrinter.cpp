#include "ApplicationTest.h"
#include "PdfPrinterProvider.h"
#include "TestFolder.h"

#include "office/Sheet.h"
#include "ui/BuiltInSpreadsheetProgram.h"
#include "ui/PrinterProvider.h"
#include "ui/SheetPrinter.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <QTest>

using namespace vantrel::office;
using namespace vantrel::ui;

using vantrel::test::NoPrinterProvider;
using vantrel::test::PdfPrinterProvider;

namespace {

QString pageText(QPdfDocument& document, int page)
{
    return document.getAllText(page).text();
}

// The project summary as it is printed: a title, headings, rows, separators.
Sheet projectSummary(int steps)
{
    Sheet sheet;
    QString text
        = QStringLiteral("DATE ENTERED\tDIVISION\tPROJECT NAME\tACTION DATE\tACTION TAKEN\n");
    for (int step = 1; step <= steps; ++step)
        text += QStringLiteral("2024-01-15\tNorth\tPump for Müller\t2024-02-%1\tStep %2: called "
                               "the buyer and agreed on a visit next week to show the new pump\n")
                    .arg(step % 28 + 1, 2, 10, QLatin1Char('0'))
                    .arg(step);
    QString error;
    sheet.pasteText(text, &error);
    sheet.setFontName(CellRange::all(), QStringLiteral("Calibri"));
    sheet.setFontSize(CellRange::all(), 9);
    sheet.setVerticalAlignment(CellRange::fromReference(u"A:D"), VerticalAlignment::Top);
    sheet.autoFitColumns(CellRange::fromReference(u"A:D"));
    sheet.setWrapText(CellRange::fromReference(u"E:E"), true);
    sheet.setColumnWidth(CellRange::fromReference(u"E:E"), 20);
    sheet.setBold(CellRange::rows(0, 0), true);
    sheet.insertRows(0, 3, &error);
    sheet.setValue(0, 0, QStringLiteral("Poject Report for O'Brien & Söhne"));
    sheet.setBold(CellRange::cell(0, 0), true);
    return sheet;
}

} // namespace

// Sheets printed through the printer provider into real PDF files.
class TestSheetPrinter : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { PrinterProvider::setInstance(nullptr); }

    void printsTheSheetIntoAPdf()
    {
        vantrel::test::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("summary.pdf"));
        PrinterProvider::setInstance(std::make_unique<PdfPrinterProvider>(path));
        Sheet sheet = projectSummary(3);
        sheet.setValue(3, 6, QStringLiteral("SECRET COLUMN"));
        sheet.setColumnHidden(CellRange::columns(6, 6), true);

        BuiltInSpreadsheetProgram program;
        QString error;
        QVERIFY2(program.print(sheet, &error), qPrintable(error));

        QPdfDocument document;
        QCOMPARE(document.load(path), QPdfDocument::Error::None);
        QCOMPARE(document.pageCount(), 1);
        const QString text = pageText(document, 0);
        QVERIFY2(
            text.contains(QStringLiteral("Poject Report for O'Brien & Söhne")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("PROJECT NAME")));
        QVERIFY(text.contains(QStringLiteral("Pump for Müller")));
        QVERIFY(text.contains(QStringLiteral("Step 3")));
        QVERIFY(!text.contains(QStringLiteral("SECRET")));
        // Portrait A4.
        QVERIFY(document.pagePointSize(0).height() > document.pagePointSize(0).width());
    }

    void longSheetsGoDownThenAcross()
    {
        vantrel::test::TestFolder folder;
        Sheet sheet;
        QString text;
        for (int row = 1; row <= 120; ++row)
            text += QStringLiteral("Row %1\tLeft part\tRight part %1\n").arg(row);
        QString error;
        QVERIFY(sheet.pasteText(text, &error));
        sheet.setColumnWidth(CellRange::columns(0, 1), 12);
        sheet.setColumnWidth(CellRange::columns(2, 2), 100);

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("long.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setCopyCount(3);
        printer.setCollateCopies(false);
        QVERIFY2(SheetPrinter(sheet).print(&printer, &error), qPrintable(error));
        QCOMPARE(printer.copyCount(), 1);
        QVERIFY(printer.collateCopies());

        QPdfDocument document;
        QCOMPARE(
            document.load(folder.filePath(QStringLiteral("long.pdf"))), QPdfDocument::Error::None);
        // 120 rows of 15 points need three A4 pages; column C is too wide to
        // share a page with A and B, so it goes on pages of its own.
        QCOMPARE(document.pageCount(), 6);
        QVERIFY(pageText(document, 0).contains(QStringLiteral("Row 1")));
        QVERIFY(!pageText(document, 0).contains(QStringLiteral("Right part")));
        QVERIFY(pageText(document, 1).contains(QStringLiteral("Row 60")));
        QVERIFY(pageText(document, 3).contains(QStringLiteral("Right part 1")));
        QVERIFY(!pageText(document, 3).contains(QStringLiteral("Row 1")));
        QVERIFY(pageText(document, 5).contains(QStringLiteral("Right part 120")));
    }

    void nothingToPrintOrNoPrinter()
    {
        vantrel::test::TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("empty.pdf"));
        PrinterProvider::setInstance(std::make_unique<PdfPrinterProvider>(path));
        BuiltInSpreadsheetProgram program;
        QString error;
        Sheet empty(QStringLiteral("Empty"));
        empty.setBold(CellRange::all(), true);
        QVERIFY(!program.print(empty, &error));
        QVERIFY2(error.contains(QStringLiteral("nothing to print")), qPrintable(error));
        QVERIFY(!QFile::exists(path));

        Sheet hiddenOnly;
        hiddenOnly.setValue(0, 0, QStringLiteral("x"));
        hiddenOnly.setColumnHidden(CellRange::columns(0, 0), true);
        QVERIFY(!program.print(hiddenOnly, &error));

        PrinterProvider::setInstance(std::make_unique<NoPrinterProvider>());
        QVERIFY(!program.print(projectSummary(1), &error));
        QCOMPARE(error, QStringLiteral("No default printer is set up on this computer."));

        PrinterProvider::setInstance(std::make_unique<PdfPrinterProvider>(
            folder.filePath(QStringLiteral("missing/folder/out.pdf"))));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!program.print(projectSummary(1), &error));
        QVERIFY2(error.contains(QStringLiteral("could not start")), qPrintable(error));
    }
};

VANTREL_TEST_MAIN(TestSheetPrinter)
#include "TestSheetPrinter.moc"
