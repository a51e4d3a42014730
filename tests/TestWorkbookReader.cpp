#include "TestFolder.h"

#include "data/WorkbookReader.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <xlsxwriter.h>
#include <zip.h>

using namespace vantrel::data;

namespace {

using ZipEntries = QList<std::pair<QByteArray, QByteArray>>;

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void writeZip(const QString& path, const ZipEntries& entries)
{
    int code = 0;
    zip_t* archive
        = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    QVERIFY(archive);
    for (const auto& [name, data] : entries) {
        zip_source_t* source
            = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_OVERWRITE);
        QVERIFY(index >= 0);
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    }
    QCOMPARE(zip_close(archive), 0);
}

// The smallest .xlsx the reader accepts, around the given parts.
ZipEntries xlsxParts(const QByteArray& sheetXml, const QByteArray& sharedStrings = {},
    const QByteArray& styles = {}, const QByteArray& workbookProperties = {})
{
    const QByteArray relationshipsNs
        = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QByteArray workbookRelationships
        = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\""
        + relationshipsNs + "/worksheet\" Target=\"/xl/worksheets/data.xml\"/>";
    if (!sharedStrings.isEmpty())
        workbookRelationships += "<Relationship Id=\"rId2\" Type=\"" + relationshipsNs
            + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    if (!styles.isEmpty())
        workbookRelationships += "<Relationship Id=\"rId3\" Type=\"" + relationshipsNs
            + "/styles\" Target=\"styles.xml\"/>";
    workbookRelationships += "</Relationships>";
    ZipEntries entries {
        { "_rels/.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\""
                + relationshipsNs
                + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                  "</Relationships>" },
        { "xl/workbook.xml",
            "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:x=\""
                + relationshipsNs + "\">" + workbookProperties
                + "<sheets><sheet name=\"Data\" sheetId=\"1\" "
                  "x:id=\"rId1\"/></sheets></workbook>" },
        { "xl/_rels/workbook.xml.rels", workbookRelationships },
        { "xl/worksheets/data.xml",
            "<worksheet "
            "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                + sheetXml + "</sheetData></worksheet>" },
    };
    if (!sharedStrings.isEmpty())
        entries.append({ "xl/sharedStrings.xml",
            "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                + sharedStrings + "</sst>" });
    if (!styles.isEmpty())
        entries.append({ "xl/styles.xml",
            "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                + styles + "</styleSheet>" });
    return entries;
}

ZipEntries odsParts(const QByteArray& tables)
{
    return {
        { "mimetype", "application/vnd.oasis.opendocument.spreadsheet" },
        { "content.xml",
            "<office:document-content "
            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:"
            "spreadsheet>"
                + tables + "</office:spreadsheet></office:body></office:document-content>" },
    };
}

Worksheet readOrFail(const QString& path, const QString& sheetName = {})
{
    Worksheet sheet;
    QString error;
    if (!readWorksheet(path, sheetName, &sheet, &error))
        qWarning("%s", qPrintable(error));
    return sheet;
}

QString readError(const QString& path, const QString& sheetName = {})
{
    Worksheet sheet;
    QString error;
    if (readWorksheet(path, sheetName, &sheet, &error))
        return QStringLiteral("(read without error)");
    return error;
}

} // namespace

class TestWorkbookReader : public QObject {
    Q_OBJECT
private slots:
    void xlsxWrittenByLibxlsxwriter();
    void xlsxDateSystemsStringsAndSparseCells();
    void odsFromGnumeric();
    void odsRepeatsParagraphsAndNotes();
    void legacyXlsFromGnumeric();
    void csvDelimitersQuotesAndEncodings();
    void csvValuesAreTyped();
    void errorsNameTheProblem();
    void hostileFilesAreRefusedQuickly();

private:
    vantrel::test::TestFolder m_folder;
};

void TestWorkbookReader::xlsxWrittenByLibxlsxwriter()
{
    const QString path = m_folder.filePath(QStringLiteral("Competition.xlsx"));
    lxw_workbook* workbook = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "COMPETITION");
    lxw_worksheet* second = workbook_add_worksheet(workbook, "Prices");
    lxw_format* heading = workbook_add_format(workbook);
    format_set_bold(heading);
    format_set_font_name(heading, "Arial");
    format_set_font_size(heading, 12);
    format_set_align(heading, LXW_ALIGN_CENTER);
    format_set_bg_color(heading, 0xFFFF00);
    lxw_format* dateFormat = workbook_add_format(workbook);
    format_set_num_format(dateFormat, "dd/mm/yyyy");
    lxw_format* stampFormat = workbook_add_format(workbook);
    format_set_num_format(stampFormat, "yyyy-mm-dd hh:mm");
    lxw_format* moneyFormat = workbook_add_format(workbook);
    format_set_num_format(moneyFormat, "[$€-407] #,##0.00;[Red]-#,##0.00");

    worksheet_write_string(sheet, 0, 0, "COMPETITOR'S PRODUCT", heading);
    worksheet_write_string(sheet, 0, 1, "COMPETITOR'S NAME", heading);
    worksheet_write_string(sheet, 0, 2, "PRICE", nullptr);
    worksheet_write_string(sheet, 0, 3, "LISTED", heading);
    worksheet_write_string(sheet, 0, 4, "ACTIVE", heading);
    worksheet_write_string(sheet, 0, 5, "DOUBLE", heading);
    worksheet_write_string(sheet, 0, 6, "UPDATED", heading);
    worksheet_write_string(sheet, 1, 0, "Pump X200", nullptr);
    worksheet_write_string(sheet, 1, 1, "Béta GmbH", nullptr);
    worksheet_write_number(sheet, 1, 2, 1250.5, moneyFormat);
    lxw_datetime listed = { 2023, 5, 17, 0, 0, 0 };
    worksheet_write_datetime(sheet, 1, 3, &listed, dateFormat);
    worksheet_write_boolean(sheet, 1, 4, 1, nullptr);
    worksheet_write_formula_num(sheet, 1, 5, "=C2*2", nullptr, 2501);
    lxw_datetime updated = { 2024, 2, 29, 13, 45, 30 };
    worksheet_write_datetime(sheet, 1, 6, &updated, stampFormat);
    worksheet_write_string(sheet, 2, 0, "Line one\nline two", nullptr);
    worksheet_write_number(sheet, 2, 2, 80, nullptr);
    worksheet_write_boolean(sheet, 2, 4, 0, nullptr);
    worksheet_write_blank(sheet, 9, 9, heading); // formatted but empty: no extra rows
    worksheet_write_string(second, 0, 0, "ITEM", nullptr);
    worksheet_write_number(second, 1, 0, 7, nullptr);
    QCOMPARE(workbook_close(workbook), LXW_NO_ERROR);

    QStringList names;
    QString error;
    QVERIFY2(readSheetNames(path, &names, &error), qPrintable(error));
    QCOMPARE(names, QStringList({ QStringLiteral("COMPETITION"), QStringLiteral("Prices") }));

    const Worksheet competition = readOrFail(path, QStringLiteral("competition"));
    QCOMPARE(competition.name, QStringLiteral("COMPETITION"));
    QCOMPARE(competition.rows.size(), 3);
    QCOMPARE(competition.rows.at(0).value(0), QVariant(QStringLiteral("COMPETITOR'S PRODUCT")));
    const QVariantList& first = competition.rows.at(1);
    QCOMPARE(first.value(1), QVariant(QStringLiteral("Béta GmbH")));
    QCOMPARE(first.value(2).typeId(), QMetaType::Double);
    QCOMPARE(first.value(2).toDouble(), 1250.5);
    QCOMPARE(first.value(3), QVariant(QDate(2023, 5, 17)));
    QCOMPARE(first.value(4), QVariant(true));
    QCOMPARE(first.value(5), QVariant(qlonglong(2501)));
    QCOMPARE(first.value(6), QVariant(QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30))));
    const QVariantList& nextRow = competition.rows.at(2);
    QCOMPARE(nextRow.value(0), QVariant(QStringLiteral("Line one\nline two")));
    QVERIFY(!nextRow.value(1).isValid());
    QCOMPARE(nextRow.value(2), QVariant(qlonglong(80)));
    QCOMPARE(nextRow.value(4), QVariant(false));
    QCOMPARE(nextRow.size(), 5);

    QCOMPARE(competition.headerFormats.size(), 7);
    const CellFormat& bold = competition.headerFormats.at(0);
    QVERIFY(bold.bold);
    QCOMPARE(bold.fontName, QStringLiteral("Arial"));
    QCOMPARE(bold.fontSize, 12.0);
    QCOMPARE(bold.horizontalAlignment, Qt::AlignHCenter);
    QCOMPARE(bold.fillColor, QColor(255, 255, 0));
    const CellFormat& plain = competition.headerFormats.at(2);
    QVERIFY(!plain.bold);
    QCOMPARE(plain.fontName, QStringLiteral("Calibri"));
    QCOMPARE(plain.fontSize, 11.0);
    QVERIFY(!plain.fillColor.isValid());

    const Worksheet firstSheet = readOrFail(path);
    QCOMPARE(firstSheet.name, QStringLiteral("COMPETITION"));
    const Worksheet prices = readOrFail(path, QStringLiteral("PRICES"));
    QCOMPARE(prices.rows, QList<QVariantList>({ { QStringLiteral("ITEM") }, { qlonglong(7) } }));
}

void TestWorkbookReader::xlsxDateSystemsStringsAndSparseCells()
{
    const QByteArray styles
        = "<numFmts><numFmt numFmtId=\"164\" formatCode=\"&quot;Day&quot; d\\.m\\.yyyy\"/>"
          "<numFmt numFmtId=\"165\" formatCode=\"0.0&quot;h&quot;\"/></numFmts>"
          "<fonts><font><sz val=\"10\"/><name val=\"Arial\"/></font>"
          "<font><b val=\"0\"/><i/><name val=\"Verdana\"/></font></fonts>"
          "<cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>"
          "<cellXfs><xf numFmtId=\"0\" fontId=\"0\"/><xf numFmtId=\"164\" fontId=\"0\"/>"
          "<xf numFmtId=\"165\" fontId=\"1\"><alignment horizontal=\"right\"/></xf>"
          "<xf numFmtId=\"20\" fontId=\"0\"/></cellXfs>"
          "<dxfs><dxf><font><b/></font></dxf></dxfs>";
    const QByteArray strings = "<si><t>Name</t></si>"
                               "<si><r><t>Rich </t></r><r><rPr><b/></rPr><t>text</t></r>"
                               "<rPh><t>ignored</t></rPh></si>"
                               "<si><t>Tab_x0009_here</t></si>";
    // Row 1 is empty, the header is row 2; cells of row 3 carry no references.
    const QByteArray rows
        = "<row r=\"2\"><c r=\"B2\" t=\"s\" s=\"2\"><v>0</v></c><c r=\"C2\" "
          "t=\"inlineStr\"><is><t>When</t></is></c>"
          "<c r=\"D2\" t=\"s\"><v>2</v></c></row>"
          "<row r=\"3\"><c/><c t=\"s\"><v>1</v></c><c s=\"1\"><v>43601</v></c><c "
          "s=\"2\"><v>7.5</v></c>"
          "<c t=\"e\"><v>#N/A</v></c><c t=\"str\"><f>A1</f><v>cached</v></c>"
          "<c s=\"3\"><v>0.75</v></c><c t=\"d\"><v>2020-02-03T04:05:06</v></c></row>"
          "<row r=\"9\"><c r=\"Z9\" s=\"2\"/></row>";
    const QString path = m_folder.filePath(QStringLiteral("Handmade.xlsx"));
    writeZip(path, xlsxParts(rows, strings, styles, "<workbookPr date1904=\"1\"/>"));

    const Worksheet sheet = readOrFail(path, QStringLiteral("data"));
    QCOMPARE(sheet.rows.size(), 3);
    QVERIFY(sheet.rows.at(0).isEmpty());
    QCOMPARE(sheet.rows.at(1),
        QVariantList({ QVariant(), QStringLiteral("Name"), QStringLiteral("When"),
            QStringLiteral("Tab\there") }));
    const QVariantList& data = sheet.rows.at(2);
    QCOMPARE(data.value(1), QVariant(QStringLiteral("Rich text")));
    QCOMPARE(data.value(2), QVariant(QDate(2023, 5, 17))); // 1904 date system
    QCOMPARE(data.value(3), QVariant(7.5)); // "h" in quotes is no time format
    QVERIFY(!data.value(4).isValid());
    QCOMPARE(data.value(5), QVariant(QStringLiteral("cached")));
    QCOMPARE(data.value(6), QVariant(QTime(18, 0)));
    QCOMPARE(data.value(7), QVariant(QDateTime(QDate(2020, 2, 3), QTime(4, 5, 6))));

    QCOMPARE(sheet.headerFormats.size(), 4);
    QCOMPARE(sheet.headerFormats.at(1).fontName, QStringLiteral("Verdana"));
    QVERIFY(!sheet.headerFormats.at(1).bold);
    QVERIFY(sheet.headerFormats.at(1).italic);
    QCOMPARE(sheet.headerFormats.at(1).horizontalAlignment, Qt::AlignRight);
    QCOMPARE(sheet.headerFormats.at(2).fontName, QStringLiteral("Arial"));
    QCOMPARE(sheet.headerFormats.at(2).fontSize, 10.0);

    // The 1900 system, with Excel's phantom 29 February 1900 before 1 March.
    const QString path1900 = m_folder.filePath(QStringLiteral("Dates1900.xlsx"));
    writeZip(path1900,
        xlsxParts(
            "<row r=\"1\"><c r=\"A1\" s=\"1\"><v>45063.5</v></c><c r=\"B1\" s=\"1\"><v>59</v></c>"
            "<c r=\"C1\" s=\"1\"><v>61</v></c></row>",
            {}, "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"22\"/></cellXfs>"));
    const Worksheet dates = readOrFail(path1900);
    QCOMPARE(dates.rows.value(0).value(0), QVariant(QDateTime(QDate(2023, 5, 17), QTime(12, 0))));
    QCOMPARE(dates.rows.value(0).value(1), QVariant(QDateTime(QDate(1900, 2, 28), QTime(0, 0))));
    QCOMPARE(dates.rows.value(0).value(2), QVariant(QDateTime(QDate(1900, 3, 1), QTime(0, 0))));
}

void TestWorkbookReader::odsFromGnumeric()
{
    const QString path = QStringLiteral(VANTREL_TEST_DATA_DIR "/workbooks/Competition.ods");
    QStringList names;
    QString error;
    QVERIFY2(readSheetNames(path, &names, &error), qPrintable(error));
    QCOMPARE(names, QStringList({ QStringLiteral("COMPETITION"), QStringLiteral("Notes") }));

    // 65,532 empty rows repeated below the data cost nothing and are dropped.
    const Worksheet competition = readOrFail(path, QStringLiteral("Competition"));
    QCOMPARE(competition.rows.size(), 4);
    QCOMPARE(competition.rows.at(0).value(0), QVariant(QStringLiteral("COMPETITOR'S PRODUCT")));
    QCOMPARE(competition.rows.at(2),
        QVariantList({ QStringLiteral("Valve V9"), QStringLiteral("Béta GmbH"),
            QStringLiteral("Valve K2"), qlonglong(80), QDate(2021, 1, 2) }));
    QCOMPARE(competition.rows.at(1).value(3), QVariant(1250.5));
    QVERIFY(competition.headerFormats.isEmpty());

    const Worksheet notes = readOrFail(path, QStringLiteral("notes"));
    QCOMPARE(notes.rows.at(1), QVariantList({ qlonglong(123), qlonglong(5), true, qlonglong(10) }));
    QCOMPARE(notes.rows.at(2).value(3), QVariant(14.5)); // a formula's value
}

void TestWorkbookReader::odsRepeatsParagraphsAndNotes()
{
    const QByteArray tables
        = "<table:table table:name=\"First\"><table:table-column "
          "table:number-columns-repeated=\"3\"/>"
          "<table:table-row><table:table-cell "
          "office:value-type=\"string\"><text:p>A</text:p></table:table-cell>"
          "</table:table-row></table:table>"
          "<table:table table:name=\"Second\">"
          "<table:table-header-rows><table:table-row>"
          "<table:table-cell table:number-columns-repeated=\"2\"/>"
          "<table:table-cell office:value-type=\"string\"><text:p>Two<text:s "
          "text:c=\"3\"/>words</text:p>"
          "<text:p>and <text:span>a</text:span><text:tab/>line</text:p>"
          "<office:annotation><text:p>a note</text:p></office:annotation></table:table-cell>"
          "</table:table-row></table:table-header-rows>"
          "<table:table-row table:number-rows-repeated=\"2\">"
          "<table:table-cell office:value-type=\"percentage\" office:value=\"0.25\" "
          "table:number-columns-repeated=\"2\"><text:p>25%</text:p></table:table-cell>"
          "<table:covered-table-cell/>"
          "<table:table-cell office:value-type=\"time\" office:time-value=\"PT13H05M30S\"/>"
          "<table:table-cell office:value-type=\"date\" office:date-value=\"2022-12-31T08:30:00\"/>"
          "</table:table-row>"
          "<table:table-row table:number-rows-repeated=\"1000000\"><table:table-cell "
          "table:number-columns-repeated=\"16384\"/></table:table-row>"
          "</table:table>";
    const QString path = m_folder.filePath(QStringLiteral("Handmade.ods"));
    writeZip(path, odsParts(tables));

    const Worksheet sheet = readOrFail(path, QStringLiteral("second"));
    QCOMPARE(sheet.rows.size(), 3);
    QCOMPARE(sheet.rows.at(0),
        QVariantList({ QVariant(), QVariant(), QStringLiteral("Two   words\nand a\tline") }));
    const QVariantList expected { 0.25, 0.25, QVariant(), QTime(13, 5, 30),
        QDateTime(QDate(2022, 12, 31), QTime(8, 30)) };
    QCOMPARE(sheet.rows.at(1), expected);
    QCOMPARE(sheet.rows.at(2), expected);
}

void TestWorkbookReader::legacyXlsFromGnumeric()
{
    const QString path = QStringLiteral(VANTREL_TEST_DATA_DIR "/workbooks/Competition.xls");
    QStringList names;
    QString error;
    QVERIFY2(readSheetNames(path, &names, &error), qPrintable(error));
    QCOMPARE(names, QStringList({ QStringLiteral("COMPETITION"), QStringLiteral("Notes") }));

    const Worksheet competition = readOrFail(path, QStringLiteral("COMPETITION"));
    QCOMPARE(competition.rows.size(), 4);
    QCOMPARE(competition.rows.at(0),
        QVariantList({ QStringLiteral("COMPETITOR'S PRODUCT"), QStringLiteral("COMPETITOR'S NAME"),
            QStringLiteral("EQUIVALENT"), QStringLiteral("PRICE"), QStringLiteral("LISTED") }));
    QCOMPARE(competition.rows.at(1),
        QVariantList({ QStringLiteral("Pump X200"), QStringLiteral("Acme Ltd"),
            QStringLiteral("Pump P1"), 1250.5, QDate(2023, 5, 17) }));
    QCOMPARE(competition.rows.at(2).value(1), QVariant(QStringLiteral("Béta GmbH")));
    QCOMPARE(competition.rows.at(2).value(3), QVariant(qlonglong(80)));

    // Booleans come through FreeXL as 1 and 0.
    const Worksheet notes = readOrFail(path, QStringLiteral("Notes"));
    QCOMPARE(notes.rows.at(2).value(0), QVariant(qlonglong(456)));
    QCOMPARE(notes.rows.at(2).value(1), QVariant(7.25));
    QCOMPARE(notes.rows.at(1).value(2), QVariant(qlonglong(1)));
}

void TestWorkbookReader::csvDelimitersQuotesAndEncodings()
{
    const QString commas = m_folder.filePath(QStringLiteral("Sales 2023.csv"));
    writeFile(commas,
        "\xEF\xBB\xBF"
        "NAME,\"NOTE, WITH COMMA\",CITY\r\n"
        "\"O'Neil \"\"Jr\"\"\",\"two\r\nlines\",Zürich\r\n"
        "\r\n"
        "last,,\r\n"
        "\r\n\r\n");
    QStringList names;
    QString error;
    QVERIFY2(readSheetNames(commas, &names, &error), qPrintable(error));
    QCOMPARE(names, QStringList { QStringLiteral("Sales 2023") });
    const Worksheet sheet = readOrFail(commas, QStringLiteral("sales 2023"));
    QCOMPARE(sheet.rows,
        QList<QVariantList>({ { QStringLiteral("NAME"), QStringLiteral("NOTE, WITH COMMA"),
                                  QStringLiteral("CITY") },
            { QStringLiteral("O'Neil \"Jr\""), QStringLiteral("two\r\nlines"),
                QStringLiteral("Zürich") },
            {}, { QStringLiteral("last") } }));

    const QString semicolons = m_folder.filePath(QStringLiteral("semicolons.csv"));
    writeFile(semicolons, "A;B,C;D\n1;2,5;x\n");
    QCOMPARE(readOrFail(semicolons).rows.at(1),
        QVariantList({ qlonglong(1), QStringLiteral("2,5"), QStringLiteral("x") }));

    const QString tabs = m_folder.filePath(QStringLiteral("tabs.csv"));
    writeFile(tabs, "A\tB;C\tD\n\"x\ty\"\tz\n");
    QCOMPARE(
        readOrFail(tabs).rows.at(1), QVariantList({ QStringLiteral("x\ty"), QStringLiteral("z") }));

    // Bytes that are no UTF-8 are taken as Latin-1, as older programs write them.
    const QString latin1 = m_folder.filePath(QStringLiteral("latin1.csv"));
    writeFile(latin1, "NAME\nM\xFCller\n");
    QCOMPARE(readOrFail(latin1).rows.at(1).value(0), QVariant(QStringLiteral("Müller")));

    const QString utf16 = m_folder.filePath(QStringLiteral("utf16.csv"));
    QByteArray utf16Content("\xFF\xFE", 2);
    const QString utf16Text = QStringLiteral("A\tB\nÄ\t1\n");
    utf16Content.append(reinterpret_cast<const char*>(utf16Text.utf16()), utf16Text.size() * 2);
    writeFile(utf16, utf16Content);
    QCOMPARE(readOrFail(utf16).rows.at(1), QVariantList({ QStringLiteral("Ä"), qlonglong(1) }));

    const QString unclosed = m_folder.filePath(QStringLiteral("unclosed.csv"));
    writeFile(unclosed, "A,B\n1,2\n3,\"open\n4,5\n");
    QCOMPARE(readError(unclosed),
        QStringLiteral("The file '%1' could not be read: the quoted value that starts on line 3 is "
                       "never closed.")
            .arg(unclosed));
}

void TestWorkbookReader::csvValuesAreTyped()
{
    const QString path = m_folder.filePath(QStringLiteral("typed.csv"));
    writeFile(path,
        "ACCOUNT,AMOUNT,DATE,STAMP,NEGATIVE,CARD,TEXT\n"
        "00123,12.50,2023-05-17,2023-05-17 08:30:00,-4,4111111111111111111, 7 \n"
        "0,1e3,2023-02-30,2023-05-17T08:30:00,-0.5,12345678901234, x1\n");
    const Worksheet sheet = readOrFail(path);
    QCOMPARE(sheet.rows.at(1),
        QVariantList({ QStringLiteral("00123"), 12.5, QDate(2023, 5, 17),
            QDateTime(QDate(2023, 5, 17), QTime(8, 30)), qlonglong(-4),
            QStringLiteral("4111111111111111111"), qlonglong(7) }));
    QCOMPARE(sheet.rows.at(2),
        QVariantList({ qlonglong(0), qlonglong(1000), QStringLiteral("2023-02-30"),
            QDateTime(QDate(2023, 5, 17), QTime(8, 30)), -0.5, qlonglong(12345678901234),
            QStringLiteral(" x1") }));
}

void TestWorkbookReader::errorsNameTheProblem()
{
    const QString missing = m_folder.filePath(QStringLiteral("Nowhere.xlsx"));
    QCOMPARE(readError(missing), QStringLiteral("The file '%1' could not be found.").arg(missing));
    QStringList names { QStringLiteral("untouched") };
    QString error;
    QVERIFY(!readSheetNames(missing, &names, &error));
    QCOMPARE(names, QStringList { QStringLiteral("untouched") });
    QCOMPARE(readError(m_folder.path()),
        QStringLiteral("The file '%1' could not be found.").arg(m_folder.path()));

    const QString xls = QStringLiteral(VANTREL_TEST_DATA_DIR "/workbooks/Competition.xls");
    QCOMPARE(readError(xls, QStringLiteral("PRICES")),
        QStringLiteral("The workbook '%1' has no worksheet named 'PRICES'.").arg(xls));

    const QString text = m_folder.filePath(QStringLiteral("Really text.xlsx"));
    writeFile(text, "COMPETITOR'S PRODUCT,COMPETITOR'S NAME\nPump,Acme\n");
    QCOMPARE(readError(text),
        QStringLiteral("The file '%1' could not be read: it is damaged or is not a workbook.")
            .arg(text));

    const QString unknown = m_folder.filePath(QStringLiteral("Prices.pdf"));
    writeFile(unknown, "%PDF-1.4");
    QCOMPARE(readError(unknown),
        QStringLiteral("The file '%1' could not be read: it is not a workbook of a known kind; "
                       ".xlsx, .xls, .ods and .csv files can be read.")
            .arg(unknown));

    // A real workbook cut short, as an interrupted copy leaves it.
    const QString complete = m_folder.filePath(QStringLiteral("Complete.xlsx"));
    lxw_workbook* workbook = workbook_new(QFile::encodeName(complete).constData());
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    for (int row = 0; row < 50; ++row)
        worksheet_write_string(sheet, row, 0, "Some text to fill the sheet", nullptr);
    QCOMPARE(workbook_close(workbook), LXW_NO_ERROR);
    QFile whole(complete);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QString truncated = m_folder.filePath(QStringLiteral("Truncated.xlsx"));
    writeFile(truncated, whole.read(whole.size() / 2));
    QVERIFY(readError(truncated).startsWith(
        QStringLiteral("The file '%1' could not be read: it is damaged").arg(truncated)));

    const QString brokenXls = m_folder.filePath(QStringLiteral("Broken.xls"));
    QFile legacy(xls);
    QVERIFY(legacy.open(QIODevice::ReadOnly));
    writeFile(brokenXls, legacy.read(1024));
    QVERIFY(readError(brokenXls).startsWith(
        QStringLiteral("The file '%1' could not be read: it is damaged").arg(brokenXls)));

    const QString noWorkbook = m_folder.filePath(QStringLiteral("Archive.xlsx"));
    writeZip(noWorkbook, { { "readme.txt", "hello" } });
    QCOMPARE(readError(noWorkbook),
        QStringLiteral(
            "The file '%1' could not be read: it is damaged or is not an Excel workbook.")
            .arg(noWorkbook));

    const QString badIndex = m_folder.filePath(QStringLiteral("BadIndex.xlsx"));
    writeZip(badIndex,
        xlsxParts("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>5</v></c></row>", "<si><t>x</t></si>"));
    QVERIFY(readError(badIndex).contains(QLatin1String("damaged")));

    const QString letter = m_folder.filePath(QStringLiteral("Letter.ods"));
    writeZip(letter,
        { { "mimetype", "application/vnd.oasis.opendocument.text" }, { "content.xml", "<x/>" } });
    QCOMPARE(readError(letter),
        QStringLiteral(
            "The file '%1' could not be read: it is an OpenDocument file but not a spreadsheet.")
            .arg(letter));

    // A workbook saved as .xlsx under the legacy extension is read for what it is.
    const QString renamed = m_folder.filePath(QStringLiteral("Renamed.xls"));
    QVERIFY(QFile::copy(complete, renamed));
    QCOMPARE(readOrFail(renamed).rows.size(), 50);
}

void TestWorkbookReader::hostileFilesAreRefusedQuickly()
{
    QElapsedTimer timer;
    timer.start();

    // A value far beyond the last column a spreadsheet has.
    const QString wide = m_folder.filePath(QStringLiteral("Wide.xlsx"));
    writeZip(wide, xlsxParts("<row r=\"1\"><c r=\"ZZZ1\"><v>1</v></c></row>"));
    QVERIFY(readError(wide).contains(QLatin1String("beyond the 1048576 rows and 16384 columns")));
    const QString tall = m_folder.filePath(QStringLiteral("Tall.xlsx"));
    writeZip(tall, xlsxParts("<row r=\"99999999999\"><c r=\"A99999999999\"><v>1</v></c></row>"));
    QVERIFY(readError(tall).contains(QLatin1String("beyond the 1048576 rows")));
    // A huge declared dimension means nothing; only cells with values count.
    const QString lastCell = m_folder.filePath(QStringLiteral("LastCell.xlsx"));
    writeZip(lastCell,
        xlsxParts("<dimension ref=\"A1:XFD1048576\"/><row r=\"1048576\"><c "
                  "r=\"XFD1048576\"><v>1</v></c></row>"));
    const Worksheet corner = readOrFail(lastCell);
    QCOMPARE(corner.rows.size(), 1048576);
    QCOMPARE(corner.rows.last().size(), 16384);

    // Every row with a value in the last column: too many cells to hold.
    const QString sparse = m_folder.filePath(QStringLiteral("Sparse.ods"));
    writeZip(sparse,
        odsParts(
            "<table:table table:name=\"S\"><table:table-row table:number-rows-repeated=\"1000000\">"
            "<table:table-cell table:number-columns-repeated=\"16000\"/>"
            "<table:table-cell office:value-type=\"float\" office:value=\"1\"/>"
            "</table:table-row></table:table>"));
    QVERIFY(readError(sparse).contains(QLatin1String("more than 4000000 cells")));
    const QString repeated = m_folder.filePath(QStringLiteral("Repeated.ods"));
    writeZip(repeated,
        odsParts("<table:table table:name=\"S\"><table:table-row>"
                 "<table:table-cell office:value-type=\"float\" office:value=\"1\" "
                 "table:number-columns-repeated=\"2147483647\"/></table:table-row></table:table>"));
    QVERIFY(readError(repeated).contains(QLatin1String("beyond the")));

    // Nesting without end.
    const QString deep = m_folder.filePath(QStringLiteral("Deep.xlsx"));
    writeZip(deep,
        xlsxParts("<row r=\"1\"><c r=\"A1\">" + QByteArray("<x>").repeated(200000) + "</c></row>"));
    QVERIFY(readError(deep).contains(QLatin1String("damaged")));

    // Entities that expand a billion times.
    QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE sst [<!ENTITY a \"aaaaaaaaaa\">";
    for (char level = 'b'; level <= 'j'; ++level) {
        laughs += "<!ENTITY " + QByteArray(1, level) + " \""
            + QByteArray("&" + QByteArray(1, char(level - 1)) + ";").repeated(10) + "\">";
    }
    laughs += "]><sst "
              "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>&j;</t></"
              "si></sst>";
    const QString bomb = m_folder.filePath(QStringLiteral("Laughs.xlsx"));
    ZipEntries parts = xlsxParts("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "<si/>");
    parts.last().second = laughs;
    writeZip(bomb, parts);
    Worksheet expanded;
    QString error;
    if (readWorksheet(bomb, {}, &expanded, &error))
        QVERIFY(expanded.rows.value(0).value(0).toString().size() < 1'000'000);

    // A part that unpacks to more than the 200 MB read at most.
    const QString zipBomb = m_folder.filePath(QStringLiteral("ZipBomb.xlsx"));
    parts = xlsxParts("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
    parts.last().second.append(QByteArray(201 * 1024 * 1024, ' '));
    writeZip(zipBomb, parts);
    parts.clear();
    QCOMPARE(readError(zipBomb),
        QStringLiteral("The file '%1' could not be read: it unpacks to more than 200 MB, more than "
                       "can be read.")
            .arg(zipBomb));

    QVERIFY2(timer.elapsed() < 60'000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_GUILESS_MAIN(TestWorkbookReader)
#include "TestWorkbookReader.moc"
