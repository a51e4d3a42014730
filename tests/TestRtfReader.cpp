#include "office/RtfReader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

using namespace vantrel::office;

namespace {

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(VANTREL_TEST_DATA_DIR "/rtf/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

QStringList paragraphs(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts;
}

QString bodyText(const QByteArray& rtf)
{
    QTextDocument body;
    readRtf(rtf, &body, nullptr, nullptr);
    return paragraphs(body).join(u'\n');
}

QTextCharFormat formatOf(const QTextDocument& document, const QString& text)
{
    const QTextCursor found = document.find(text);
    if (found.isNull())
        return {};
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

QTextBlock blockOf(const QTextDocument& document, const QString& text)
{
    return document.find(text).block();
}

QTextTable* firstTable(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (QTextTable* table = QTextCursor(block).currentTable())
            return table;
    }
    return nullptr;
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void libreOfficeLetter();
    void libreOfficeListsAndUnicode();
    void abiWordLists();
    void abiWordListTextHoldingParagraphs();
    void pandocMemo();
    void oldStyleNumbering();
    void codePages_data();
    void codePages();
    void unicodeEscapes_data();
    void unicodeEscapes();
    void specialCharacters();
    void characterFormats();
    void paragraphFormats();
    void skippedDestinations();
    void pageHeaderChoice();
    void tables();
    void paragraphMarks();
    void hostileInput_data();
    void hostileInput();
    void deepNesting();
    void largeDocument();
    void plainTextInput();
    void binaryFilesRejected();
    void plainTextOfDocuments();
};

void TestRtfReader::libreOfficeLetter()
{
    QTextDocument body;
    QTextDocument header;
    QString error;
    QVERIFY(readRtf(fixture("libreoffice-letter.rtf"), &body, &header, &error));

    QCOMPARE(paragraphs(header),
        QStringList({ QStringLiteral("Müller & Söhne GmbH"),
            QStringLiteral("Hauptstraße 5 · 80331 München") }));
    QVERIFY(formatOf(header, QStringLiteral("Müller")).fontWeight() == QFont::Bold);
    QCOMPARE(header.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    QCOMPARE(paragraphs(body),
        QStringList({ QStringLiteral("Sehr geehrte Frau Öztürk,"),
            QStringLiteral("This is bold, italic and underlined text with big and red words."),
            QStringLiteral("First point"), QStringLiteral("Second point – café"),
            QStringLiteral("Product"), QStringLiteral("Price"), QStringLiteral("Widget"),
            QStringLiteral("12,50 €"), QStringLiteral("Mit freundlichen Grüßen") }));
    QCOMPARE(formatOf(body, QStringLiteral("bold")).fontWeight(), QFont::Bold);
    QVERIFY(formatOf(body, QStringLiteral("italic")).fontItalic());
    QVERIFY(formatOf(body, QStringLiteral("underlined")).fontUnderline());
    QCOMPARE(formatOf(body, QStringLiteral("This is")).fontWeight(), QFont::Normal);
    QCOMPARE(formatOf(body, QStringLiteral("big")).fontPointSize(), 18.0);
    QCOMPARE(formatOf(body, QStringLiteral("words")).fontPointSize(), 12.0);
    QCOMPARE(formatOf(body, QStringLiteral("red")).foreground().color(), QColor(0xc9, 0x21, 0x1e));
    QCOMPARE(formatOf(body, QStringLiteral("words")).fontFamilies().toStringList(),
        QStringList(QStringLiteral("Liberation Serif")));

    const QTextList* list = blockOf(body, QStringLiteral("First point")).textList();
    QVERIFY(list);
    QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockOf(body, QStringLiteral("Second point")).textList(), list);
    QCOMPARE(list->count(), 2);

    QTextTable* table = firstTable(body);
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 2);
    QCOMPARE(QTextCursor(table->cellAt(1, 1).firstCursorPosition()).block().text(),
        QStringLiteral("12,50 €"));
    QCOMPARE(table->format().border(), 0.0);
    QCOMPARE(blockOf(body, QStringLiteral("Mit freundlichen")).blockFormat().alignment()
            & Qt::AlignHorizontal_Mask,
        Qt::AlignRight);
    QVERIFY(!body.isModified());
}

void TestRtfReader::libreOfficeListsAndUnicode()
{
    QTextDocument body;
    QTextDocument header;
    QVERIFY(readRtf(fixture("libreoffice-lists-unicode.rtf"), &body, &header, nullptr));
    QCOMPARE(header.toPlainText(), QStringLiteral("Müller & Söhne GmbH"));
    QCOMPARE(formatOf(header, QStringLiteral("Müller")).fontPointSize(), 16.0);
    QCOMPARE(paragraphs(body).first(), QStringLiteral("Sehr geehrte Frau Öztürk, 日本語 😀 Привет"));
    QCOMPARE(formatOf(body, QStringLiteral("red italic")).foreground().color(), QColor(Qt::red));
    QCOMPARE(formatOf(body, QStringLiteral("marked")).background().color(), QColor(Qt::yellow));
    const QTextList* bullets = blockOf(body, QStringLiteral("Bullet one")).textList();
    QVERIFY(bullets);
    QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
    const QTextList* numbers = blockOf(body, QStringLiteral("Number three")).textList();
    QVERIFY(numbers && numbers != bullets);
    QCOMPARE(numbers->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(
        numbers->itemText(blockOf(body, QStringLiteral("Number three"))), QStringLiteral("3."));
    QCOMPARE(firstTable(body)->format().border(), 1.0);
}

void TestRtfReader::abiWordLists()
{
    QTextDocument body;
    QVERIFY(readRtf(fixture("abiword-lists.rtf"), &body, nullptr, nullptr));
    const QTextList* bullets = blockOf(body, QStringLiteral("First point")).textList();
    const QTextList* numbers = blockOf(body, QStringLiteral("One")).textList();
    QVERIFY(bullets && numbers && bullets != numbers);
    QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(numbers->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(blockOf(body, QStringLiteral("Second point – café")).textList(), bullets);
    QCOMPARE(numbers->itemText(blockOf(body, QStringLiteral("Two"))), QStringLiteral("2."));
    QVERIFY(formatOf(body, QStringLiteral("underlined")).fontUnderline());

    QTextTable* table = firstTable(body);
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->format().border(), 1.0);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 2);
    QCOMPARE(widths.at(0).rawValue(), 4530 / 15.0);
}

void TestRtfReader::abiWordListTextHoldingParagraphs()
{
    // AbiWord lost these lists and wrote each item's paragraph inside {\listtext ...}.
    QTextDocument body;
    QTextDocument header;
    QVERIFY(readRtf(fixture("abiword-letter.rtf"), &body, &header, nullptr));
    QCOMPARE(paragraphs(header).first(), QStringLiteral("Müller & Söhne GmbH"));
    const QStringList texts = paragraphs(body);
    for (const QString& item :
        { QStringLiteral("\tFirst point"), QStringLiteral("\tSecond point – café"),
            QStringLiteral("\tOne"), QStringLiteral("\tTwo") })
        QVERIFY2(texts.contains(item), qPrintable(item));
    QVERIFY(texts.contains(QStringLiteral("12,50 €")));
    QCOMPARE(formatOf(body, QStringLiteral("red")).foreground().color(), QColor(0xc9, 0x21, 0x1e));
    QCOMPARE(texts.last(), QStringLiteral("Mit freundlichen Grüßen"));
}

void TestRtfReader::pandocMemo()
{
    QTextDocument body;
    QTextDocument header;
    header.setPlainText(QStringLiteral("old letterhead"));
    QVERIFY(readRtf(fixture("pandoc-memo.rtf"), &body, &header, nullptr));
    QVERIFY(header.isEmpty());
    const QStringList texts = paragraphs(body);
    QCOMPARE(texts.first(), QStringLiteral("Call report"));
    QCOMPARE(formatOf(body, QStringLiteral("Call report")).fontPointSize(), 18.0);
    QVERIFY(texts.contains(QStringLiteral(
        "Spoke with Frau Öztürk about the renewal; she wants a quote by Friday — €1.200 max.")));
    QVERIFY(texts.contains(QStringLiteral("•\tSecond point: naïve café")));
    QCOMPARE(texts.last(), QStringLiteral("日本語 and emoji 😀"));
    QTextTable* table = firstTable(body);
    QVERIFY(table);
    // Each cell ends with \par\cell; the empty paragraph that would leave is not kept.
    const QTextTableCell cell = table->cellAt(0, 0);
    QCOMPARE(cell.firstCursorPosition().block(), cell.lastCursorPosition().block());
}

void TestRtfReader::oldStyleNumbering()
{
    // The paragraph numbering Word 6 and WordPad write.
    const QByteArray rtf
        = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
          "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
          "\\fi-360\\li720 Apples\\par"
          "{\\pntext\\f1\\'B7\\tab}Pears\\par"
          "\\pard{\\pntext\\f0 "
          "1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}"
          "\\fi-360\\li720 Call back\\par"
          "{\\pntext\\f0 2.\\tab}Send offer\\par"
          "\\pard Done\\par}";
    QTextDocument body;
    QVERIFY(readRtf(rtf, &body, nullptr, nullptr));
    QCOMPARE(paragraphs(body),
        QStringList({ QStringLiteral("Apples"), QStringLiteral("Pears"),
            QStringLiteral("Call back"), QStringLiteral("Send offer"), QStringLiteral("Done") }));
    const QTextList* bullets = blockOf(body, QStringLiteral("Apples")).textList();
    QVERIFY(bullets);
    QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(bullets->format().indent(), 1);
    QCOMPARE(blockOf(body, QStringLiteral("Pears")).textList(), bullets);
    const QTextList* numbers = blockOf(body, QStringLiteral("Call back")).textList();
    QVERIFY(numbers && numbers != bullets);
    QCOMPARE(numbers->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(numbers->itemText(blockOf(body, QStringLiteral("Send offer"))), QStringLiteral("2."));
    QVERIFY(!blockOf(body, QStringLiteral("Done")).textList());
    // A list's indent comes from the list, not from \li as well.
    QCOMPARE(blockOf(body, QStringLiteral("Apples")).blockFormat().leftMargin(), 0.0);
}

void TestRtfReader::codePages_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("Windows-1252 by default")
        << QByteArray("{\\rtf1 \\'80 \\'fc\\'df \\'93q\\'94}") << QStringLiteral("€ üß “q”");
    QTest::newRow("ansicpg 1251") << QByteArray(
        "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
                                  << QStringLiteral("Привет");
    QTest::newRow("font charset Cyrillic") << QByteArray(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}\\f1 \\'c4\\'e0 \\f0 "
        "\\'c4}") << QStringLiteral("Да Ä");
    QTest::newRow("Shift-JIS double bytes") << QByteArray(
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 Mincho;}}\\f0 "
        "\\'82\\'a0\\'8a\\'bf}") << QStringLiteral("あ漢");
    QTest::newRow("Macintosh") << QByteArray("{\\rtf1\\mac \\'8a\\'9a}") << QStringLiteral("äö");
    QTest::newRow("unknown code page falls back")
        << QByteArray("{\\rtf1\\ansicpg99999 \\'e9}") << QStringLiteral("é");
    QTest::newRow("symbol font bullet")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\f1 \\'b7}")
        << QStringLiteral("•");
}

void TestRtfReader::codePages()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(bodyText(rtf), text);
}

void TestRtfReader::unicodeEscapes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("fallback skipped")
        << QByteArray("{\\rtf1 gr\\u252?n}") << QStringLiteral("grün");
    QTest::newRow("hex fallback skipped")
        << QByteArray("{\\rtf1 \\u8364\\'80 x}") << QStringLiteral("€ x");
    QTest::newRow("uc2") << QByteArray("{\\rtf1\\uc2 \\u8364??x}") << QStringLiteral("€x");
    QTest::newRow("uc0") << QByteArray("{\\rtf1\\uc0 \\u8364 x}") << QStringLiteral("€x");
    QTest::newRow("uc is scoped to its group")
        << QByteArray("{\\rtf1 {\\uc2 a}\\u8364?b}") << QStringLiteral("a€b");
    QTest::newRow("skip ends at a group")
        << QByteArray("{\\rtf1\\uc3 {\\u8364}ab}") << QStringLiteral("€ab");
    QTest::newRow("negative value") << QByteArray("{\\rtf1 \\u-3913?}") << QStringLiteral("\uF0B7");
    QTest::newRow("negative in symbol font")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\f1\\u-3913?}")
        << QStringLiteral("•");
    QTest::newRow("surrogates signed")
        << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QStringLiteral("😀");
    QTest::newRow("surrogates unsigned")
        << QByteArray("{\\rtf1 \\u55357?\\u56832?}") << QStringLiteral("😀");
    QTest::newRow("surrogates around uc")
        << QByteArray("{\\rtf1 \\uc0 \\u55357\\uc1 \\u56832\\'3fx}") << QStringLiteral("😀x");
    QTest::newRow("lone surrogate")
        << QByteArray("{\\rtf1 a\\u-10179?b}") << QStringLiteral("a\uFFFDb");
    QTest::newRow("out of range ignored")
        << QByteArray("{\\rtf1 a\\u99999999?b\\u-99999?c}") << QStringLiteral("abc");
    QTest::newRow("control characters dropped")
        << QByteArray("{\\rtf1 a\\u0?\\u13?b\\u8233?c}") << QStringLiteral("ab\u2028c");
}

void TestRtfReader::unicodeEscapes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(bodyText(rtf), text);
}

void TestRtfReader::specialCharacters()
{
    const QByteArray rtf
        = "{\\rtf1 a\\~b\\-c\\_d\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote"
          "\\tab e\\line f\\{\\}\\\\ g\tx}";
    QCOMPARE(bodyText(rtf), QStringLiteral("a\u00A0b\u00ADc\u2011d—–•‘’“”\te\u2028f{}\\ g\tx"));
}

void TestRtfReader::characterFormats()
{
    const QByteArray rtf
        = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f1 Courier New;}}"
          "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
          "\\b Bold\\b0  \\i Italic\\i0  \\ul Under\\ulnone  \\uldash Dash\\ul0  \\strike "
          "Struck\\strike0  "
          "\\super Up\\nosupersub  \\sub Down\\sub0  \\cf1 Red\\cf0  \\highlight2 "
          "Marked\\highlight0  "
          "\\cb2 Shaded\\cb0  \\f1\\fs20 Mono\\plain  Plain {\\b Grouped} Ungrouped "
          "\\v Hidden\\v0 Shown \\cf99 NoSuchColour \\f7 NoSuchFont}";
    QTextDocument body;
    QVERIFY(readRtf(rtf, &body, nullptr, nullptr));
    QCOMPARE(body.toPlainText(),
        QStringLiteral("Bold Italic Under Dash Struck Up Down Red Marked Shaded Mono Plain "
                       "Grouped Ungrouped Shown NoSuchColour NoSuchFont"));
    QCOMPARE(formatOf(body, QStringLiteral("Bold")).fontWeight(), QFont::Bold);
    QCOMPARE(formatOf(body, QStringLiteral("Italic")).fontWeight(), QFont::Normal);
    QVERIFY(formatOf(body, QStringLiteral("Italic")).fontItalic());
    QCOMPARE(
        formatOf(body, QStringLiteral("Under")).underlineStyle(), QTextCharFormat::SingleUnderline);
    QCOMPARE(
        formatOf(body, QStringLiteral("Dash")).underlineStyle(), QTextCharFormat::DashUnderline);
    QVERIFY(!formatOf(body, QStringLiteral("Struck")).fontUnderline());
    QVERIFY(formatOf(body, QStringLiteral("Struck")).fontStrikeOut());
    QCOMPARE(formatOf(body, QStringLiteral("Up")).verticalAlignment(),
        QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatOf(body, QStringLiteral("Down")).verticalAlignment(),
        QTextCharFormat::AlignSubScript);
    QCOMPARE(formatOf(body, QStringLiteral("Red")).foreground().color(), QColor(Qt::red));
    QCOMPARE(formatOf(body, QStringLiteral("Marked")).background().color(), QColor(Qt::blue));
    QCOMPARE(formatOf(body, QStringLiteral("Shaded")).background().color(), QColor(Qt::blue));
    QCOMPARE(formatOf(body, QStringLiteral("Shaded")).foreground().style(), Qt::NoBrush);
    QCOMPARE(formatOf(body, QStringLiteral("Mono")).fontFamilies().toStringList(),
        QStringList(QStringLiteral("Courier New")));
    QCOMPARE(formatOf(body, QStringLiteral("Mono")).fontPointSize(), 10.0);
    QCOMPARE(formatOf(body, QStringLiteral("Plain")).fontFamilies().toStringList(),
        QStringList(QStringLiteral("Times New Roman")));
    QCOMPARE(formatOf(body, QStringLiteral("Plain")).fontPointSize(), 12.0);
    QCOMPARE(formatOf(body, QStringLiteral("Grouped")).fontWeight(), QFont::Bold);
    QCOMPARE(formatOf(body, QStringLiteral("Ungrouped")).fontWeight(), QFont::Normal);
    QCOMPARE(formatOf(body, QStringLiteral("NoSuchColour")).foreground().style(), Qt::NoBrush);
    QVERIFY(formatOf(body, QStringLiteral("NoSuchFont")).fontFamilies().toStringList().isEmpty());
}

void TestRtfReader::paragraphFormats()
{
    const QByteArray rtf
        = "{\\rtf1 \\pard\\qc Centre\\par \\pard\\qr Right\\par \\pard\\qj Justified\\par "
          "\\pard\\li720\\ri360\\fi-360\\sb240\\sa120 Indented\\par "
          "\\pard\\sl360\\slmult1\\tqr\\tx4500\\tx720 Spaced\\par \\pard Left\\page Next "
          "page\\par}";
    QTextDocument body;
    QVERIFY(readRtf(rtf, &body, nullptr, nullptr));
    QCOMPARE(paragraphs(body).size(), 7);
    const auto alignment = [&body](const char* text) {
        return blockOf(body, QLatin1String(text)).blockFormat().alignment()
            & Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(alignment("Centre"), Qt::AlignHCenter);
    QCOMPARE(alignment("Right"), Qt::AlignRight);
    QCOMPARE(alignment("Justified"), Qt::AlignJustify);
    QCOMPARE(alignment("Left"), Qt::AlignLeft);
    const QTextBlockFormat indented = blockOf(body, QStringLiteral("Indented")).blockFormat();
    QCOMPARE(indented.leftMargin(), 48.0);
    QCOMPARE(indented.rightMargin(), 24.0);
    QCOMPARE(indented.textIndent(), -24.0);
    QCOMPARE(indented.topMargin(), 16.0);
    QCOMPARE(indented.bottomMargin(), 8.0);
    const QTextBlockFormat spaced = blockOf(body, QStringLiteral("Spaced")).blockFormat();
    QCOMPARE(spaced.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(spaced.lineHeight(), 150.0);
    QCOMPARE(spaced.tabPositions().size(), 2);
    QCOMPARE(spaced.tabPositions().at(0).type, QTextOption::RightTab);
    QCOMPARE(spaced.tabPositions().at(0).position, 300.0);
    QCOMPARE(spaced.tabPositions().at(1).type, QTextOption::LeftTab);
    QCOMPARE(blockOf(body, QStringLiteral("Next page")).blockFormat().pageBreakPolicy(),
        QTextFormat::PageBreak_AlwaysBefore);
    QCOMPARE(blockOf(body, QStringLiteral("Left")).blockFormat().pageBreakPolicy(),
        QTextFormat::PageBreak_Auto);
}

void TestRtfReader::skippedDestinations()
{
    const QByteArray rtf
        = "{\\rtf1{\\info{\\title Secret title}{\\author Someone}}"
          "{\\stylesheet{\\s0 Normal;}{\\s1 Heading 1;}}"
          "{\\*\\generator Some writer;}{\\*\\unknowndestination hidden words}"
          "Before {\\pict\\pngblip 89504e470d0a1a0a}{\\pict\\bin4 {}{}}after "
          "{\\field{\\*\\fldinst HYPERLINK \"http://example.com\"}{\\fldrslt link text}} "
          "note{\\footnote footnote text} {\\footer footer text}end}";
    QCOMPARE(bodyText(rtf), QStringLiteral("Before after link text note end"));
}

void TestRtfReader::pageHeaderChoice()
{
    QTextDocument body;
    QTextDocument header;
    // The header for all pages wins over a left-page header written before it.
    readRtf("{\\rtf1{\\headerl Left pages}{\\header All pages}{\\headerf First page}Body}", &body,
        &header, nullptr);
    QCOMPARE(header.toPlainText(), QStringLiteral("All pages"));
    QCOMPARE(body.toPlainText(), QStringLiteral("Body"));
    // Without one, the first header with text is taken.
    readRtf("{\\rtf1{\\headerr\\pard\\par}{\\headerf First page}{\\headerl Left}Body}", &body,
        &header, nullptr);
    QCOMPARE(header.toPlainText(), QStringLiteral("First page"));
    // Formats inside the header do not leak into the body.
    readRtf("{\\rtf1\\deff0{\\fonttbl{\\f0 Arial;}}{\\header\\b\\qc\\fs40 Head\\par}Body}", &body,
        &header, nullptr);
    QCOMPARE(formatOf(header, QStringLiteral("Head")).fontPointSize(), 20.0);
    QCOMPARE(formatOf(body, QStringLiteral("Body")).fontWeight(), QFont::Normal);
    QCOMPARE(formatOf(body, QStringLiteral("Body")).fontPointSize(), 12.0);
    QCOMPARE(body.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // Without a header document, the header's text still stays out of the body.
    readRtf("{\\rtf1{\\header Letterhead}Body}", &body, nullptr, nullptr);
    QCOMPARE(body.toPlainText(), QStringLiteral("Body"));
}

void TestRtfReader::tables()
{
    const QByteArray rtf = "{\\rtf1 \\trowd\\clbrdrt\\brdrs\\cellx1500\\cellx4500\\intbl "
                           "Name\\cell Phone\\cell\\row "
                           "\\trowd\\cellx1500\\cellx4500\\cellx6000\\intbl Ann\\cell 0171\\par "
                           "0172\\cell x\\cell\\row "
                           "\\pard After\\par "
                           "\\trowd\\cellx3000\\intbl Outer {\\*\\nesttableprops}a\\nestcell "
                           "b\\nestcell\\nestrow\\cell\\row }";
    QTextDocument body;
    QVERIFY(readRtf(rtf, &body, nullptr, nullptr));
    QTextTable* table = firstTable(body);
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 3);
    QCOMPARE(table->format().border(), 1.0);
    QCOMPARE(table->format().columnWidthConstraints().at(1).rawValue(), 200.0);
    const QTextTableCell phone = table->cellAt(1, 1);
    QCOMPARE(phone.firstCursorPosition().block().text(), QStringLiteral("0171"));
    QCOMPARE(phone.lastCursorPosition().block().text(), QStringLiteral("0172"));
    QCOMPARE(table->cellAt(0, 2).firstCursorPosition().block().text(), QString());
    const QStringList texts = paragraphs(body);
    QCOMPARE(texts.mid(texts.indexOf(QStringLiteral("After"))),
        QStringList({ QStringLiteral("After"), QStringLiteral("Outer a\tb\t"), QString() }));
    QVERIFY(!QTextCursor(blockOf(body, QStringLiteral("After"))).currentTable());
}

void TestRtfReader::paragraphMarks()
{
    // A QTextDocument has no mark after its last paragraph; the one RTF writers put there goes.
    QCOMPARE(paragraphs(QTextDocument()).size(), 1);
    QTextDocument body;
    readRtf("{\\rtf1 a\\par b\\par}", &body, nullptr, nullptr);
    QCOMPARE(paragraphs(body), QStringList({ QStringLiteral("a"), QStringLiteral("b") }));
    readRtf("{\\rtf1 a\\par b}", &body, nullptr, nullptr);
    QCOMPARE(paragraphs(body), QStringList({ QStringLiteral("a"), QStringLiteral("b") }));
    readRtf("{\\rtf1 a\\par\\par}", &body, nullptr, nullptr);
    QCOMPARE(paragraphs(body), QStringList({ QStringLiteral("a"), QString() }));
    readRtf("{\\rtf1 a\\par\\sect}", &body, nullptr, nullptr);
    QCOMPARE(paragraphs(body), QStringList({ QStringLiteral("a") }));
    readRtf("{\\rtf1 }", &body, nullptr, nullptr);
    QCOMPARE(paragraphs(body), QStringList({ QString() }));
}

void TestRtfReader::hostileInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("unclosed groups")
        << QByteArray("{\\rtf1 {\\b one {\\i two") << QStringLiteral("one two");
    QTest::newRow("text after a premature close")
        << QByteArray("{\\rtf1 a}}} b}") << QStringLiteral("a b");
    QTest::newRow("blank tail after the end")
        << QByteArray("{\\rtf1 a}\r\n\0\0 ", 14) << QStringLiteral("a");
    QTest::newRow("huge binary length")
        << QByteArray("{\\rtf1 kept{\\pict\\bin999999999 abc}") << QStringLiteral("kept");
    QTest::newRow("negative binary length")
        << QByteArray("{\\rtf1 {\\pict\\bin-5}x}") << QStringLiteral("x");
    QTest::newRow("huge parameters")
        << QByteArray("{\\rtf1{\\uc999999999 \\u65?a}\\li99999999999999999999 b\\par}")
        << QStringLiteral("Ab");
    QTest::newRow("cut escapes") << QByteArray("{\\rtf1 a\\'zzb\\'4") << QStringLiteral("azzb4");
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
    QTest::newRow("long control word") << QByteArray("{\\rtf1 a\\") + QByteArray(5000, 'x')
            + QByteArray(" b}") << QStringLiteral("ab");
    QTest::newRow("nul and control bytes") << QByteArray("{\\rtf1 a\0b\x01"
                                                         "c}",
        13) << QStringLiteral("abc");
    QTest::newRow("structure characters")
        << QByteArray("{\\rtf1 a\\u64976?\\u64977?\\u65532?b}") << QStringLiteral("ab");
    QTest::newRow("cell outside a table")
        << QByteArray("{\\rtf1 x\\cell\\row y}") << QStringLiteral("\nx\ny");
}

void TestRtfReader::hostileInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(bodyText(rtf), text);

    QTextDocument body;
    QByteArray tabs;
    for (int i = 0; i < 100000; ++i)
        tabs += "{\\tx" + QByteArray::number(i);
    readRtf("{\\rtf1\\fs999999999 big\\fs-4  normal" + tabs + " tabbed}", &body, nullptr, nullptr);
    QCOMPARE(formatOf(body, QStringLiteral("big")).fontPointSize(), 1638.0);
    QCOMPARE(formatOf(body, QStringLiteral("normal")).fontPointSize(), 12.0);
    QCOMPARE(body.begin().blockFormat().tabPositions().size(), 64);
    readRtf("{\\rtf1\\li99999999999999999999\\fi-2147483649 wide}", &body, nullptr, nullptr);
    QCOMPARE(body.begin().blockFormat().leftMargin(), 31680 / 15.0);
    QCOMPARE(body.begin().blockFormat().textIndent(), -31680 / 15.0);
}

void TestRtfReader::deepNesting()
{
    QTextDocument body;
    QByteArray deep = "{\\rtf1 start" + QByteArray(100000, '{') + "\\b deep";
    QVERIFY(readRtf(deep, &body, nullptr, nullptr));
    QCOMPARE(body.toPlainText(), QStringLiteral("startdeep"));

    deep += QByteArray(100000, '}') + " end\\par}";
    QVERIFY(readRtf(deep, &body, nullptr, nullptr));
    QCOMPARE(body.toPlainText(), QStringLiteral("startdeep end"));
    QCOMPARE(formatOf(body, QStringLiteral("end")).fontWeight(), QFont::Normal);
}

void TestRtfReader::largeDocument()
{
    QByteArray rtf
        = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\n";
    const QByteArray paragraph
        = "\\pard\\plain\\ql\\li0\\sa120{\\f0\\fs24 Customer called about order }"
          "{\\b\\cf1 \\u8470?123} and asked for M\\'fcller.\\par\n";
    const int count = 20 * 1024 * 1024 / paragraph.size();
    rtf.reserve(rtf.size() + count * paragraph.size() + 1);
    for (int i = 0; i < count; ++i)
        rtf += paragraph;
    rtf += '}';

    QElapsedTimer timer;
    timer.start();
    QTextDocument body;
    QVERIFY(readRtf(rtf, &body, nullptr, nullptr));
    qInfo("read %lld MB of RTF in %lld ms", static_cast<long long>(rtf.size() >> 20),
        static_cast<long long>(timer.elapsed()));
    QCOMPARE(body.blockCount(), count);
    QCOMPARE(body.lastBlock().text(),
        QStringLiteral("Customer called about order №123 and asked for Müller."));
}

void TestRtfReader::plainTextInput()
{
    QTextDocument body;
    QTextDocument header;
    header.setPlainText(QStringLiteral("stale"));
    QVERIFY(readRtf("Dear Mr Müller,\nthanks.", &body, &header, nullptr));
    QCOMPARE(body.toPlainText(), QStringLiteral("Dear Mr Müller,\nthanks."));
    QVERIFY(header.isEmpty());
    QVERIFY(readRtf("Gr\xfc\xdf \x80", &body, nullptr, nullptr));
    QCOMPARE(body.toPlainText(), QStringLiteral("Grüß €"));
    QVERIFY(readRtf(QByteArray("\xFF\xFEO\0K\0", 6), &body, nullptr, nullptr));
    QCOMPARE(body.toPlainText(), QStringLiteral("OK"));
    QVERIFY(readRtf("\xEF\xBB\xBF  {\\rtf1 after a byte order mark}", &body, nullptr, nullptr));
    QCOMPARE(body.toPlainText(), QStringLiteral("after a byte order mark"));
    QVERIFY(readRtf({}, &body, nullptr, nullptr));
    QVERIFY(body.isEmpty());
}

void TestRtfReader::binaryFilesRejected()
{
    const QList<QPair<QByteArray, QString>> files {
        { QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0", 10), QStringLiteral("Word") },
        { QByteArray("PK\x03\x04\x14\0", 6), QStringLiteral("zipped") },
        { QByteArray("%PDF-1.4\n"), QStringLiteral("PDF") },
        { QByteArray("GIF89a\0\0\0", 9), QStringLiteral("binary") },
    };
    for (const auto& [data, kind] : files) {
        QTextDocument body;
        QTextDocument header;
        body.setPlainText(QStringLiteral("unsaved letter"));
        header.setPlainText(QStringLiteral("letterhead"));
        QString error;
        QVERIFY(!readRtf(data, &body, &header, &error));
        QVERIFY2(error.contains(kind), qPrintable(error));
        QCOMPARE(body.toPlainText(), QStringLiteral("unsaved letter"));
        QCOMPARE(header.toPlainText(), QStringLiteral("letterhead"));
        QVERIFY(plainTextOfRtf(data).isEmpty());
    }
}

void TestRtfReader::plainTextOfDocuments()
{
    QCOMPARE(plainTextOfRtf(fixture("libreoffice-letter.rtf")),
        QStringLiteral("Sehr geehrte Frau Öztürk,\n"
                       "This is bold, italic and underlined text with big and red words.\n"
                       "• First point\n• Second point – café\n"
                       "Product\tPrice\nWidget\t12,50 €\n"
                       "Mit freundlichen Grüßen"));
    QCOMPARE(plainTextOfRtf(fixture("abiword-lists.rtf")).split(u'\n').mid(4, 2),
        QStringList({ QStringLiteral("1. One"), QStringLiteral("2. Two") }));
    QCOMPARE(
        plainTextOfRtf("{\\rtf1 line\\line break\\~here}"), QStringLiteral("line\nbreak here"));
    QCOMPARE(plainTextOfRtf("just text"), QStringLiteral("just text"));
}

// Documents need fonts, so a GUI application, but not the composed program.
QTEST_MAIN(TestRtfReader)
#include "TestRtfReader.moc"
