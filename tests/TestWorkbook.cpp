#include "office/CellText.h"
#include "office/Sheet.h"
#include "office/TabSeparatedText.h"
#include "office/Workbook.h"

#include <QDate>
#include <QTest>

using namespace vantrel::office;

// The in-memory workbook: what pasting, formatting, inserting rows, finding and
// replacing do to a sheet, and what its cells show.
class TestWorkbook : public QObject {
    Q_OBJECT
private slots:
    void cellReferences()
    {
        QCOMPARE(CellRange::fromReference(u"A1"), CellRange::cell(0, 0));
        QCOMPARE(CellRange::fromReference(u"$b$7"), CellRange::cell(6, 1));
        QCOMPARE(CellRange::fromReference(u"A2:D10"), CellRange::area(1, 0, 9, 3));
        QCOMPARE(CellRange::fromReference(u"D10:A2"), CellRange::area(1, 0, 9, 3));
        QCOMPARE(CellRange::fromReference(u"B:B"), CellRange::columns(1, 1));
        QCOMPARE(CellRange::fromReference(u"A:D"), CellRange::columns(0, 3));
        QCOMPARE(CellRange::fromReference(u"1:1"), CellRange::rows(0, 0));
        QCOMPARE(CellRange::fromReference(u"XFD1048576"), CellRange::cell(1048575, 16383));
        for (const char* bad :
            { "", "A0", "XFE1", "A1048577", "B", "1", "A1:", "AAAA1", "A-1", "Ä1", "A1:B" })
            QVERIFY2(!CellRange::fromReference(QString::fromUtf8(bad)).isValid(), bad);
        QCOMPARE(CellRange::area(1, 0, 9, 3).reference(), QStringLiteral("A2:D10"));
        QCOMPARE(CellRange::columnName(26), QStringLiteral("AA"));
        QCOMPARE(CellRange::columnName(16383), QStringLiteral("XFD"));
    }

    void pasteMakesOneCellPerValue()
    {
        Sheet sheet;
        const QString text = QStringLiteral("COMPETITOR'S PRODUCT\tCOMPETITOR'S NAME\tPRICE\r\n"
                                            "Kühlpumpe Ä-3\tMüller & Söhne\t12\r\n"
                                            "O'Brien's \"Best\" offer\tÖlwerke\t-3.5\n"
                                            "\"two\r\nlines\"\t01067\t1234567890123456\r\n"
                                            "=SUM(A1:A2)\t2024-02-29\t2024-02-29 13:45\r\n");
        QString error;
        QVERIFY2(sheet.pasteText(text, &error), qPrintable(error));
        QCOMPARE(sheet.rowCount(), 5);
        QCOMPARE(sheet.columnCount(), 3);
        QCOMPARE(sheet.value(0, 0), QVariant(QStringLiteral("COMPETITOR'S PRODUCT")));
        QCOMPARE(sheet.value(1, 1), QVariant(QStringLiteral("Müller & Söhne")));
        QCOMPARE(sheet.value(1, 2), QVariant(qlonglong(12)));
        QCOMPARE(sheet.value(2, 0), QVariant(QStringLiteral("O'Brien's \"Best\" offer")));
        QCOMPARE(sheet.value(2, 2), QVariant(-3.5));
        QCOMPARE(sheet.value(3, 0), QVariant(QStringLiteral("two\r\nlines")));
        // A postal code and an account number would lose digits as numbers.
        QCOMPARE(sheet.value(3, 1), QVariant(QStringLiteral("01067")));
        QCOMPARE(sheet.value(3, 2), QVariant(QStringLiteral("1234567890123456")));
        QCOMPARE(sheet.value(4, 0), QVariant(QStringLiteral("=SUM(A1:A2)")));
        QCOMPARE(sheet.value(4, 1), QVariant(QDate(2024, 2, 29)));
        QCOMPARE(sheet.value(4, 2), QVariant(QDateTime(QDate(2024, 2, 29), QTime(13, 45))));

        // Pasting again replaces values, empties cells given as empty, keeps formats.
        sheet.setBold(CellRange::cell(1, 1), true);
        QVERIFY(sheet.pasteText(QStringLiteral("x\t\ty\n"), &error));
        QCOMPARE(sheet.value(0, 0), QVariant(QStringLiteral("x")));
        QVERIFY(!sheet.value(0, 1).isValid());
        QCOMPARE(sheet.value(1, 1), QVariant(QStringLiteral("Müller & Söhne")));
        QVERIFY(sheet.style(1, 1).bold);
    }

    void pastedValueKinds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("whole") << "42" << QVariant(qlonglong(42));
        QTest::newRow("signed") << "+7" << QVariant(qlonglong(7));
        QTest::newRow("zero") << "0" << QVariant(qlonglong(0));
        QTest::newRow("decimal") << "0.25" << QVariant(0.25);
        QTest::newRow("leading point") << ".5" << QVariant(0.5);
        QTest::newRow("exponent is a code") << "12E4" << QVariant(QStringLiteral("12E4"));
        QTest::newRow("spaces") << " 12" << QVariant(QStringLiteral(" 12"));
        QTest::newRow("sign only") << "-" << QVariant(QStringLiteral("-"));
        QTest::newRow("percent") << "50%" << QVariant(QStringLiteral("50%"));
        QTest::newRow("phone") << "0049 30 1234" << QVariant(QStringLiteral("0049 30 1234"));
        QTest::newRow("bad date") << "2023-02-30" << QVariant(QStringLiteral("2023-02-30"));
        QTest::newRow("apostrophe") << "'123" << QVariant(QStringLiteral("'123"));
    }

    void pastedValueKinds()
    {
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        Sheet sheet;
        QString error;
        QVERIFY(sheet.pasteText(text, &error));
        QCOMPARE(sheet.value(0, 0), value);
    }

    void tabSeparatedText()
    {
        const QList<QStringList> rows { { QStringLiteral("a\tb"), QStringLiteral("\"quoted\"") },
            { QStringLiteral("line\r\nbreak"), QString() }, { QStringLiteral("plain") } };
        const QString text = joinTabSeparated(rows);
        QCOMPARE(parseTabSeparated(text), rows);
        // Rows end with CR LF, LF or a lone CR; a final line break adds no row.
        QCOMPARE(parseTabSeparated(QStringLiteral("a\tb\rc\nd\r\n")),
            (QList<QStringList> { { "a", "b" }, { "c" }, { "d" } }));
        QCOMPARE(parseTabSeparated(QStringLiteral("a\t")), (QList<QStringList> { { "a", "" } }));
        // An opening quote without its closing one is an ordinary character.
        QCOMPARE(parseTabSeparated(QStringLiteral("\"open\tx")),
            (QList<QStringList> { { "\"open", "x" } }));
        QVERIFY(parseTabSeparated(QString()).isEmpty());
    }

    void callLogInsertsRowsAtTheTop()
    {
        Sheet sheet;
        QString error;
        const auto logCall = [&](const QString& number, const QString& name) {
            QVERIFY(sheet.insertRows(0, 1, &error));
            sheet.setValue(0, 0, QDateTime(QDate(2024, 3, 1), QTime(9, 30)));
            sheet.setValue(0, 1, number);
            sheet.setValue(0, 2, name);
        };
        logCall(QStringLiteral("030 1234"), QStringLiteral("Anna Schmidt"));
        sheet.setNumberFormat(CellRange::cell(0, 0), QStringLiteral("yyyy-mm-dd hh:mm"));
        logCall(QStringLiteral("040 9876"), QStringLiteral("Ben O'Neil"));
        QCOMPARE(sheet.rowCount(), 2);
        QCOMPARE(sheet.value(0, 2), QVariant(QStringLiteral("Ben O'Neil")));
        QCOMPARE(sheet.value(1, 2), QVariant(QStringLiteral("Anna Schmidt")));
        // The new top row took the format of the row it pushed down.
        QCOMPARE(sheet.style(0, 0).numberFormat, QStringLiteral("yyyy-mm-dd hh:mm"));
        QCOMPARE(sheet.text(0, 0), QStringLiteral("2024-03-01 09:30"));
        // A column nobody sized grows to show the date instead of "#####".
        QVERIFY(sheet.columnWidth(0) > Sheet::defaultColumnWidth);
        QVERIFY(!sheet.hasColumnWidth(1));
        sheet.setColumnWidth(CellRange::columns(3, 3), 4);
        sheet.setValue(0, 3, QDate(2024, 3, 1));
        QCOMPARE(sheet.columnWidth(3), 4.0);
    }

    void insertAndDeleteRowsMoveCellsFormatsAndFilter()
    {
        Sheet sheet;
        QString error;
        QVERIFY(sheet.pasteText(QStringLiteral("H1\tH2\n1\t2\n3\t4\n"), &error));
        sheet.setBold(CellRange::rows(0, 0), true);
        sheet.setAutoFilter(0);
        // Three rows above the headings, as the project summary does.
        QVERIFY(sheet.insertRows(0, 3, &error));
        QCOMPARE(sheet.value(3, 0), QVariant(QStringLiteral("H1")));
        QVERIFY(sheet.style(3, 1).bold);
        QVERIFY(sheet.style(0, 0).bold); // formatted like the row below at the top
        QVERIFY(!sheet.value(0, 0).isValid());
        QCOMPARE(sheet.autoFilterRow(), 3);
        QCOMPARE(sheet.autoFilterRange(), CellRange::area(3, 0, 5, 1));
        // A row under the headings takes the headings' format, as inserted rows do.
        QVERIFY(sheet.insertRows(4, 1, &error));
        QVERIFY(sheet.style(4, 0).bold);
        QCOMPARE(sheet.value(5, 0), QVariant(qlonglong(1)));

        sheet.deleteRows(0, 3);
        QCOMPARE(sheet.value(0, 0), QVariant(QStringLiteral("H1")));
        QCOMPARE(sheet.autoFilterRow(), 0);
        QCOMPARE(sheet.value(3, 1), QVariant(qlonglong(4)));
        sheet.deleteRows(0, 1);
        QCOMPARE(sheet.autoFilterRow(), -1);
        QVERIFY(!sheet.autoFilterRange().isValid());

        sheet.setValue(-1, 0, QStringLiteral("outside"));
        sheet.setValue(0, CellRange::maxColumns, QStringLiteral("outside"));
        QCOMPARE(sheet.columnCount(), 2);

        // Values pushed off the end of the sheet would be lost: refused, nothing moves.
        Sheet full;
        full.setValue(CellRange::maxRows - 1, 0, QStringLiteral("last"));
        full.setValue(0, 0, QStringLiteral("first"));
        QVERIFY(!full.insertRows(0, 1, &error));
        QVERIFY2(error.contains(QStringLiteral("1048576"))
                || error.contains(QStringLiteral("1,048,576")),
            qPrintable(error));
        QCOMPARE(full.value(CellRange::maxRows - 1, 0), QVariant(QStringLiteral("last")));
        QCOMPARE(full.value(0, 0), QVariant(QStringLiteral("first")));
    }

    void findHeadingAndReplace()
    {
        Sheet sheet;
        QString error;
        QVERIFY(sheet.pasteText(QStringLiteral("COMPANY\tSTREET ADDRESS 2\tStreet Address\n"
                                               "Acme Count\t12\tAcme count street\n"
                                               "Grand Count\t\tx\n"),
            &error));
        int row = -1;
        int column = -1;
        QVERIFY(sheet.find(QStringLiteral("street address"), &row, &column));
        QCOMPARE(row, 0);
        QCOMPARE(column, 2);
        QVERIFY(sheet.find(QStringLiteral("12"), &row, &column));
        QCOMPARE(column, 1);
        QVERIFY(!sheet.find(QStringLiteral("STREET"), &row, &column));

        QCOMPARE(sheet.replace(CellRange::all(), QStringLiteral("grand count"), QString()), 1);
        QVERIFY(!sheet.value(2, 0).isValid());
        QCOMPARE(sheet.replace(
                     CellRange::columns(0, 0), QStringLiteral(" COUNT"), QStringLiteral(" ____")),
            1);
        QCOMPARE(sheet.value(1, 0), QVariant(QStringLiteral("Acme ____")));
        QCOMPARE(sheet.value(1, 2), QVariant(QStringLiteral("Acme count street")));
        QCOMPARE(sheet.replace(CellRange::all(), QStringLiteral("1"), QStringLiteral("9")), 0);
        QCOMPARE(sheet.value(1, 1), QVariant(qlonglong(12)));
    }

    void formatsReachTheCellsInUse()
    {
        Sheet sheet;
        QString error;
        QVERIFY(sheet.pasteText(QStringLiteral("A\tB\tC\n1\t2\t3\n"), &error));
        sheet.setFontName(CellRange::all(), QStringLiteral("Arial Narrow"));
        sheet.setFontSize(CellRange::all(), 8);
        sheet.setBold(CellRange::fromReference(u"1:1"), true);
        sheet.setHorizontalAlignment(CellRange::fromReference(u"B:B"), HorizontalAlignment::Left);
        sheet.setVerticalAlignment(CellRange::all(), VerticalAlignment::Top);
        sheet.setWrapText(CellRange::fromReference(u"C:C"), true);
        sheet.setNumberFormat(CellRange::fromReference(u"C:C"), QStringLiteral("0.00"));
        QCOMPARE(sheet.usedRowCount(), 2);
        QCOMPARE(sheet.usedColumnCount(0), 3);

        const CellStyle heading = sheet.style(0, 0);
        QCOMPARE(heading.fontName, QStringLiteral("Arial Narrow"));
        QCOMPARE(heading.fontSize, 8.0);
        QVERIFY(heading.bold);
        QCOMPARE(heading.verticalAlignment, VerticalAlignment::Top);
        QVERIFY(!sheet.style(1, 0).bold);
        QCOMPARE(sheet.style(1, 1).horizontalAlignment, HorizontalAlignment::Left);
        QCOMPARE(sheet.style(1, 0).horizontalAlignment, HorizontalAlignment::General);
        QVERIFY(sheet.style(1, 2).wrapText);
        QCOMPARE(sheet.text(1, 2), QStringLiteral("3.00"));
        // Nothing beyond the cells in use.
        QCOMPARE(sheet.style(5, 5), CellStyle());
        QCOMPARE(sheet.usedRowCount(), 2);

        // clearContents keeps formats.
        sheet.clearContents(CellRange::fromReference(u"A2:C2"));
        QCOMPARE(sheet.rowCount(), 1);
        QCOMPARE(sheet.usedRowCount(), 2);
        QVERIFY(sheet.style(1, 2).wrapText);
    }

    void columnsFitTheirContent()
    {
        Sheet sheet;
        sheet.setValue(0, 0, QStringLiteral("ID"));
        sheet.setValue(0, 1, QStringLiteral("A rather long company name, Ltd."));
        sheet.setValue(1, 1, QStringLiteral("Short"));
        sheet.setValue(0, 2, QStringLiteral("Wrapped text that would be very wide"));
        sheet.setValue(0, 3, QString(400, QLatin1Char('W')));
        sheet.setWrapText(CellRange::columns(2, 2), true);
        sheet.setColumnWidth(CellRange::columns(2, 2), 20);
        sheet.autoFitColumns(CellRange::all());
        QVERIFY(sheet.columnWidth(0) < Sheet::defaultColumnWidth);
        QVERIFY(sheet.columnWidth(1) > 25 && sheet.columnWidth(1) < 40);
        QCOMPARE(sheet.columnWidth(2), 20.0);
        QCOMPARE(sheet.columnWidth(3), Sheet::maxColumnWidth);
        QVERIFY(!sheet.hasColumnWidth(4));
        QCOMPARE(sheet.columnWidth(4), Sheet::defaultColumnWidth);

        // Bold and larger text need more room, a narrow font less.
        const double plain = sheet.columnWidth(1);
        sheet.setBold(CellRange::cell(0, 1), true);
        sheet.autoFitColumns(CellRange::columns(1, 1));
        QVERIFY(sheet.columnWidth(1) > plain);
        sheet.setFontName(CellRange::columns(1, 1), QStringLiteral("Arial Narrow"));
        sheet.setFontSize(CellRange::columns(1, 1), 8);
        sheet.autoFitColumns(CellRange::columns(1, 1));
        QVERIFY(sheet.columnWidth(1) < plain * 0.8);
        // Only the rows of the range count.
        sheet.autoFitColumns(CellRange::fromReference(u"B2"));
        QVERIFY(sheet.columnWidth(1) < 6);

        // Rows grow for wrapped text and larger fonts.
        Sheet rows;
        rows.setValue(0, 0, QStringLiteral("short"));
        rows.setValue(1, 0,
            QStringLiteral("Step 1: called the buyer and agreed on a visit next "
                           "week to show the new pump"));
        rows.setValue(2, 0, QStringLiteral("one\ntwo\nthree"));
        rows.setValue(3, 0, QStringLiteral("Title"));
        rows.setWrapText(CellRange::rows(1, 2), true);
        rows.setColumnWidth(CellRange::columns(0, 0), 20);
        rows.setFontSize(CellRange::rows(3, 3), 20);
        QCOMPARE(rows.rowHeight(0), Sheet::defaultRowHeight);
        QVERIFY(rows.rowHeight(1) >= 3 * Sheet::defaultRowHeight);
        QVERIFY(rows.rowHeight(1) <= 5 * Sheet::defaultRowHeight);
        QCOMPARE(rows.rowHeight(2), 3 * Sheet::defaultRowHeight);
        QVERIFY(rows.rowHeight(3) > 25 && rows.rowHeight(3) < 30);
        QCOMPARE(rows.rowHeight(9), Sheet::defaultRowHeight);
        rows.setColumnWidth(CellRange::columns(0, 0), 120);
        QCOMPARE(rows.rowHeight(1), Sheet::defaultRowHeight);

        sheet.setColumnHidden(CellRange::fromReference(u"E:F"), true);
        QVERIFY(sheet.isColumnHidden(4) && sheet.isColumnHidden(5) && !sheet.isColumnHidden(3));
        QCOMPARE(sheet.columnLayoutCount(), 6);
    }

    void cellTextFollowsNumberFormats_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::newRow("general whole") << QVariant(qlonglong(4915112345678)) << ""
                                       << "4915112345678";
        QTest::newRow("general decimal") << QVariant(0.1 + 0.2) << "General"
                                         << "0.3";
        QTest::newRow("general third") << QVariant(1.0 / 3) << ""
                                       << "0.333333333";
        QTest::newRow("general huge") << QVariant(1.5e12) << ""
                                      << "1.5E+12";
        QTest::newRow("general negative") << QVariant(-2.5) << ""
                                          << "-2.5";
        QTest::newRow("two decimals") << QVariant(3.14159) << "0.00"
                                      << "3.14";
        QTest::newRow("rounding") << QVariant(2.005) << "0.0"
                                  << "2.0";
        QTest::newRow("thousands") << QVariant(1234567.891) << "#,##0.00"
                                   << "1,234,567.89";
        QTest::newRow("optional decimals") << QVariant(2.5) << "0.##"
                                           << "2.5";
        QTest::newRow("percent") << QVariant(0.256) << "0%"
                                 << "26%";
        QTest::newRow("negative section") << QVariant(-4.0) << "0.00;(0.00)"
                                          << "(4.00)";
        QTest::newRow("negative sign") << QVariant(-4.0) << "0.00"
                                       << "-4.00";
        QTest::newRow("zero section") << QVariant(0.0) << "0;-0;\"none\""
                                      << "none";
        QTest::newRow("literal") << QVariant(5.0) << "\"EUR \"0.00"
                                 << "EUR 5.00";
        QTest::newRow("date") << QVariant(QDate(2024, 2, 9)) << "mm/dd/yyyy"
                              << "02/09/2024";
        QTest::newRow("date short") << QVariant(QDate(2024, 2, 9)) << "d.m.yy"
                                    << "9.2.24";
        QTest::newRow("month name") << QVariant(QDate(2024, 2, 9)) << "d mmm yyyy"
                                    << "9 Feb 2024";
        QTest::newRow("minutes") << QVariant(QDateTime(QDate(2024, 2, 9), QTime(14, 5, 7)))
                                 << "yyyy-mm-dd hh:mm:ss"
                                 << "2024-02-09 14:05:07";
        QTest::newRow("am pm") << QVariant(QTime(14, 5)) << "h:mm AM/PM"
                               << "2:05 PM";
        QTest::newRow("serial as date") << QVariant(45331.5) << "yyyy-mm-dd hh:mm"
                                        << "2024-02-09 12:00";
        QTest::newRow("text") << QVariant(QStringLiteral("0.5")) << "0.00"
                              << "0.5";
        QTest::newRow("truth") << QVariant(true) << ""
                               << "TRUE";
        QTest::newRow("empty") << QVariant() << "0.00"
                               << "";
    }

    void cellTextFollowsNumberFormats()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, text);
        QCOMPARE(cellText(value, format), text);
    }

    void workbookSheets()
    {
        Workbook workbook;
        QCOMPARE(workbook.sheetCount(), 1);
        QCOMPARE(workbook.activeSheet().name(), QStringLiteral("Sheet1"));
        workbook.addSheet(QStringLiteral("PRICES"));
        QVERIFY(workbook.sheet(QStringLiteral("prices")));
        QVERIFY(!workbook.sheet(QStringLiteral("COMPETITION")));
        workbook.setActiveSheet(1);
        QCOMPARE(workbook.activeSheet().name(), QStringLiteral("PRICES"));
        workbook.setActiveSheet(7);
        QCOMPARE(workbook.activeSheetIndex(), 1);
    }
};

QTEST_GUILESS_MAIN(TestWorkbook)
#include "TestWorkbook.moc"
