#include "office/RtfReader.h"
#include "office/RtfWriter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

using namespace vantrel::office;

namespace {

// What a document says, block by block, in the terms RTF keeps: text, character and
// paragraph formats, list membership, table cells.
QStringList describe(const QTextDocument& document)
{
    const QFont defaultFont = document.defaultFont();
    QList<const QTextList*> lists;
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat b = block.blockFormat();
        QString line;
        if (const QTextTable* table = QTextCursor(block).currentTable()) {
            const QTextTableCell cell = table->cellAt(block.position());
            line += QStringLiteral("cell %1,%2 ").arg(cell.row()).arg(cell.column());
        }
        if (const QTextList* list = block.textList()) {
            if (!lists.contains(list))
                lists.append(list);
            line += QStringLiteral("list %1 style %2 indent %3 '%4' ")
                        .arg(lists.indexOf(list))
                        .arg(int(list->format().style()))
                        .arg(list->format().indent())
                        .arg(list->itemText(block));
        }
        line += QStringLiteral("align %1 margins %2/%3/%4/%5 indent %6 line %7:%8 break %9 tabs")
                    .arg(int(b.alignment() & Qt::AlignHorizontal_Mask))
                    .arg(b.leftMargin())
                    .arg(b.rightMargin())
                    .arg(b.topMargin())
                    .arg(b.bottomMargin())
                    .arg(b.textIndent())
                    .arg(b.lineHeightType())
                    .arg(b.lineHeight())
                    .arg(int(b.pageBreakPolicy()));
        for (const QTextOption::Tab& tab : b.tabPositions())
            line += QStringLiteral(" %1@%2").arg(int(tab.type)).arg(tab.position);
        QString previous;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QStringList families = f.fontFamilies().toStringList();
            const QString run
                = QStringLiteral(" [%1 %2 %3%4%5%6%7%8 fg %9 bg %10]")
                      .arg(families.isEmpty() ? defaultFont.family() : families.first())
                      .arg(f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                     : defaultFont.pointSizeF())
                      .arg(f.fontWeight() > QFont::Medium ? QStringLiteral("b") : QString())
                      .arg(f.fontItalic() ? QStringLiteral("i") : QString())
                      .arg(f.underlineStyle() ? QStringLiteral("u%1").arg(f.underlineStyle())
                                              : QString())
                      .arg(f.fontStrikeOut() ? QStringLiteral("s") : QString())
                      .arg(f.verticalAlignment() ? QStringLiteral("v%1").arg(f.verticalAlignment())
                                                 : QString())
                      .arg(QString())
                      .arg(f.foreground().style() ? f.foreground().color().name()
                                                  : QStringLiteral("-"))
                      .arg(f.background().style() ? f.background().color().name()
                                                  : QStringLiteral("-"));
            if (run != previous)
                line += run;
            previous = run;
            line += it.fragment().text();
        }
        lines.append(line);
    }
    return lines;
}

void readBack(const QByteArray& rtf, QTextDocument* body, QTextDocument* header = nullptr)
{
    QString error;
    QVERIFY2(readRtf(rtf, body, header, &error), qPrintable(error));
}

QTextCharFormat plain()
{
    return {};
}

QTextCharFormat with(void (QTextCharFormat::*set)(bool), QTextCharFormat format = {})
{
    (format.*set)(true);
    return format;
}

// Documents of the kinds users write: lists of every style between runs of text in
// ordinary and symbol fonts, in an order drawn from a fixed seed.
QByteArray generatedDocument(quint32 seed)
{
    QRandomGenerator random(seed);
    const QStringList families { QStringLiteral("Arial"), QStringLiteral("Symbol"),
        QStringLiteral("Wingdings"), QStringLiteral("Courier New"),
        QStringLiteral("Times New Roman") };
    const QList<QTextListFormat::Style> styles { QTextListFormat::ListDisc,
        QTextListFormat::ListCircle, QTextListFormat::ListSquare, QTextListFormat::ListDecimal };
    const QStringList words { QStringLiteral("abc"), QStringLiteral("xyz 123"),
        QStringLiteral("Grüße"), QStringLiteral("€ – …"), QStringLiteral("Привет"),
        QStringLiteral("{x}\\y") };
    QTextDocument document;
    QTextCursor cursor(&document);
    for (int paragraph = 0; paragraph < 12; ++paragraph) {
        if (paragraph > 0)
            cursor.insertBlock(QTextBlockFormat());
        if (random.bounded(3) == 0) {
            QTextListFormat list;
            list.setStyle(styles.at(random.bounded(int(styles.size()))));
            cursor.createList(list);
        }
        for (int run = 0; run < 3; ++run) {
            QTextCharFormat format;
            format.setFontFamilies({ families.at(random.bounded(int(families.size()))) });
            cursor.insertText(words.at(random.bounded(int(words.size()))) + u' ', format);
        }
    }
    return writeRtf(document);
}

} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT
private slots:
    void init();
    void formatsSurvive();
    void unicodeSurvives();
    void listsSurvive();
    void pageHeaderSurvives();
    void tablesSurvive();
    void paragraphMarksSurvive();
    void outputIsSevenBitRtf();
    void readWriteReadKeepsText_data();
    void readWriteReadKeepsText();

private:
    QTextDocument m_document;
};

void TestRtfWriter::init()
{
    m_document.clear();
    m_document.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
}

void TestRtfWriter::formatsSurvive()
{
    QTextCursor cursor(&m_document);
    cursor.insertText(QStringLiteral("Plain "), plain());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("bold "), bold);
    cursor.insertText(QStringLiteral("italic "), with(&QTextCharFormat::setFontItalic));
    cursor.insertText(QStringLiteral("under "), with(&QTextCharFormat::setFontUnderline));
    QTextCharFormat all
        = with(&QTextCharFormat::setFontItalic, with(&QTextCharFormat::setFontUnderline, bold));
    cursor.insertText(QStringLiteral("all "), all);
    cursor.insertText(QStringLiteral("struck "), with(&QTextCharFormat::setFontStrikeOut));
    QTextCharFormat wavy;
    wavy.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    cursor.insertText(QStringLiteral("wavy "), wavy);
    QTextCharFormat raised;
    raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText(QStringLiteral("2"), raised);
    QTextCharFormat lowered;
    lowered.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cursor.insertText(QStringLiteral("x"), lowered);

    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred);
    QTextCharFormat mono;
    mono.setFontFamilies({ QStringLiteral("Courier New") });
    mono.setFontPointSize(10);
    cursor.insertText(QStringLiteral("mono "), mono);
    QTextCharFormat big;
    big.setFontPointSize(18);
    cursor.insertText(QStringLiteral("big "), big);
    QTextCharFormat small;
    small.setFontPointSize(9.5);
    cursor.insertText(QStringLiteral("small"), small);

    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.insertBlock(right);
    QTextCharFormat red;
    red.setForeground(QColor(Qt::red));
    cursor.insertText(QStringLiteral("red "), red);
    QTextCharFormat custom;
    custom.setForeground(QColor(0x12, 0x34, 0x56));
    custom.setBackground(QColor(Qt::yellow));
    cursor.insertText(QStringLiteral("marked"), custom);

    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    justified.setLeftMargin(48);
    justified.setRightMargin(24);
    justified.setTextIndent(-24);
    justified.setTopMargin(16);
    justified.setBottomMargin(8);
    cursor.insertBlock(justified, plain());
    cursor.insertText(QStringLiteral("Indented and justified"));

    QTextBlockFormat spaced;
    spaced.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    spaced.setTabPositions({ QTextOption::Tab(300, QTextOption::RightTab),
        QTextOption::Tab(48, QTextOption::LeftTab) });
    spaced.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(spaced, plain());
    cursor.insertText(QStringLiteral("Name\tDate"));
    cursor.insertBlock(QTextBlockFormat(), plain());
    cursor.insertBlock(QTextBlockFormat(), plain());
    cursor.insertText(QStringLiteral("after an empty paragraph"));

    QTextDocument copy;
    readBack(writeRtf(m_document), &copy);
    QCOMPARE(describe(copy), describe(m_document));
}

void TestRtfWriter::unicodeSurvives()
{
    const QString text = QStringLiteral(
        "Grüße aus Köln, Straße; 12,50 € – „Zitat“ … 日本語 Привет Ελληνικά "
        "emoji 😀👍🏽 {braces} back\\slash tab\there line\u2028break no\u00A0break "
        "soft\u00ADhyphen non\u2011breaking");
    QTextCursor(&m_document).insertText(text);
    QTextDocument copy;
    readBack(writeRtf(m_document), &copy);
    QCOMPARE(copy.begin().text(), text);
    QCOMPARE(copy.blockCount(), 1);
}

void TestRtfWriter::listsSurvive()
{
    QTextCursor cursor(&m_document);
    cursor.insertText(QStringLiteral("Agenda"));
    QTextListFormat disc;
    disc.setStyle(QTextListFormat::ListDisc);
    cursor.insertBlock();
    QTextList* bullets = cursor.createList(disc);
    cursor.insertText(QStringLiteral("Prices"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Delivery"));
    QTextListFormat circle;
    circle.setStyle(QTextListFormat::ListCircle);
    circle.setIndent(2);
    cursor.insertBlock();
    cursor.createList(circle);
    cursor.insertText(QStringLiteral("by truck"));
    cursor.insertBlock();
    bullets->add(cursor.block());
    cursor.insertText(QStringLiteral("Payment"));

    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("Steps"));
    for (const QTextListFormat::Style style :
        { QTextListFormat::ListDecimal, QTextListFormat::ListLowerAlpha,
            QTextListFormat::ListUpperRoman, QTextListFormat::ListSquare }) {
        QTextListFormat format;
        format.setStyle(style);
        cursor.insertBlock(QTextBlockFormat());
        cursor.createList(format);
        cursor.insertText(QStringLiteral("first"));
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("second"));
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText(QStringLiteral("between"));
    }

    QTextDocument copy;
    readBack(writeRtf(m_document), &copy);
    QCOMPARE(describe(copy), describe(m_document));
}

void TestRtfWriter::pageHeaderSurvives()
{
    QTextDocument header;
    header.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    QTextCursor headerCursor(&header);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    headerCursor.setBlockFormat(centred);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(16);
    headerCursor.insertText(QStringLiteral("Müller & Söhne GmbH"), bold);
    headerCursor.insertBlock(centred, QTextCharFormat());
    headerCursor.insertText(QStringLiteral("Hauptstraße 5 · 80331 München"));
    QTextCursor(&m_document).insertText(QStringLiteral("Dear customer,"));

    QTextDocument copy;
    QTextDocument copiedHeader;
    readBack(writeRtf(m_document, &header), &copy, &copiedHeader);
    QCOMPARE(describe(copiedHeader), describe(header));
    QCOMPARE(describe(copy), describe(m_document));

    // Written without a header, the document clears the one read before.
    readBack(writeRtf(m_document), &copy, &copiedHeader);
    QVERIFY(copiedHeader.isEmpty());
    QVERIFY(!writeRtf(m_document).contains("\\header"));
}

void TestRtfWriter::tablesSurvive()
{
    QTextCursor cursor(&m_document);
    cursor.insertText(QStringLiteral("Offer"));
    QTextTableFormat format;
    format.setBorder(1);
    format.setColumnWidthConstraints({ QTextLength(QTextLength::FixedLength, 100),
        QTextLength(QTextLength::FixedLength, 200), QTextLength(QTextLength::FixedLength, 50) });
    QTextTable* table = cursor.insertTable(2, 3, format);
    const QStringList cells { QStringLiteral("Item"), QStringLiteral("Description"),
        QStringLiteral("Price"), QStringLiteral("Widget"), QString(), QStringLiteral("12,50 €") };
    for (int i = 0; i < cells.size(); ++i) {
        if (!cells.at(i).isEmpty())
            table->cellAt(i / 3, i % 3).firstCursorPosition().insertText(cells.at(i));
    }
    QTextCursor description = table->cellAt(1, 1).firstCursorPosition();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    description.insertText(QStringLiteral("Steel"), bold);
    description.insertBlock();
    description.insertText(QStringLiteral("galvanised"), QTextCharFormat());
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    cursor.insertText(QStringLiteral("Valid for 30 days"));

    QTextDocument copy;
    readBack(writeRtf(m_document), &copy);
    QCOMPARE(describe(copy), describe(m_document));
    QTextTable* copiedTable = QTextCursor(copy.begin().next()).currentTable();
    QVERIFY(copiedTable);
    QCOMPARE(copiedTable->format().border(), 1.0);
    QCOMPARE(copiedTable->format().columnWidthConstraints(), format.columnWidthConstraints());
}

void TestRtfWriter::paragraphMarksSurvive()
{
    const QList<QStringList> documents {
        { QString() },
        { QStringLiteral("a"), QString() },
        { QString(), QStringLiteral("b") },
        { QString(), QString(), QString() },
    };
    for (const QStringList& texts : documents) {
        m_document.setPlainText(texts.join(u'\n'));
        QTextDocument copy;
        readBack(writeRtf(m_document), &copy);
        QCOMPARE(copy.toPlainText().split(u'\n'), texts);
    }
}

void TestRtfWriter::outputIsSevenBitRtf()
{
    QTextCursor(&m_document).insertText(QStringLiteral("Grüße {}\\ 日本 😀"));
    const QByteArray rtf = writeRtf(m_document);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(std::all_of(
        rtf.begin(), rtf.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf.at(i) == '\\')
            ++i;
        else if (rtf.at(i) == '{')
            ++depth;
        else if (rtf.at(i) == '}' && --depth == 0)
            QCOMPARE(rtf.mid(i + 1).trimmed(), QByteArray());
    }
    QCOMPARE(depth, 0);
    QVERIFY(rtf.contains(
        "Gr\\u252\\'fc\\u223\\'dfe \\{\\}\\\\ \\u26085?\\u26412? \\u-10179?\\u-8704?"));

    QTextCharFormat odd;
    odd.setFontFamilies({ QStringLiteral("Odd;Name") });
    QTextCursor(&m_document).insertText(QStringLiteral("x"), odd);
    QTextDocument copy;
    readBack(writeRtf(m_document), &copy);
    QTextCursor first(&copy);
    first.setPosition(1);
    QCOMPARE(
        first.charFormat().fontFamilies().toStringList(), QStringList(QStringLiteral("OddName")));
}

void TestRtfWriter::readWriteReadKeepsText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    for (const QString& folder : { QStringLiteral("rtf"), QStringLiteral("hostile") }) {
        const QDir dir(QStringLiteral(VANTREL_TEST_DATA_DIR "/") + folder);
        for (const QString& name : dir.entryList({ QStringLiteral("*.rtf") }, QDir::Files)) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(name)) << file.readAll();
        }
    }
    for (quint32 seed = 1; seed <= 40; ++seed)
        QTest::addRow("generated %u", seed) << generatedDocument(seed);
}

void TestRtfWriter::readWriteReadKeepsText()
{
    QFETCH(QByteArray, rtf);
    QTextDocument first;
    QTextDocument firstHeader;
    readBack(rtf, &first, &firstHeader);
    QTextDocument second;
    QTextDocument secondHeader;
    readBack(writeRtf(first, &firstHeader), &second, &secondHeader);
    QCOMPARE(second.toPlainText(), first.toPlainText());
    QCOMPARE(secondHeader.toPlainText(), firstHeader.toPlainText());
    QVERIFY(!first.toPlainText().isEmpty());
}

// Documents need fonts, so a GUI application, but not the composed program.
QTEST_MAIN(TestRtfWriter)
#include "TestRtfWriter.moc"
