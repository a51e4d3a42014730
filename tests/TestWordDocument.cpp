#include "ApplicationTest.h"
#include "TestFolder.h"

#include "data/ZipArchive.h"
#include "office/DefaultLetterhead.h"
#include "office/RtfReader.h"
#include "office/WordDocument.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPdfDocument>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>

using namespace vantrel::office;

namespace {

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QTextCharFormat formatAt(const QTextDocument& document, const QString& text)
{
    QTextCursor cursor = document.find(text);
    return cursor.isNull() ? QTextCharFormat() : cursor.charFormat();
}

} // namespace

// Documents made from templates: typing, saving, copying, pasting, printing.
class TestWordDocument : public QObject {
    Q_OBJECT
private slots:
    void letterOnTheLetterheadSurvivesSavingAndReopening();
    void plainTextAndUnusableTemplates();
    void savingReplacesTheFileAndAFailedSaveKeepsIt();
    void clipboardCarriesTheBodyAsRtfAndPlainText();
    void pasteInsertsRichTextAtTheInsertionPoint();
    void pdfPagesEachCarryTheLetterhead();
    void odtCopyHoldsLetterheadAndBody();
};

void TestWordDocument::letterOnTheLetterheadSurvivesSavingAndReopening()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY2(writeDefaultLetterhead(folder.path(), &error), qPrintable(error));
    QVERIFY(QDir().mkdir(QStringLiteral("Temp")));

    WordDocument letter;
    QVERIFY2(letter.loadTemplate(QStringLiteral("Letterhead.dot"), &error), qPrintable(error));
    QVERIFY(letter.pageHeader()->toPlainText().contains(u"Your Company Name"));
    QVERIFY(letter.body()->toPlainText().isEmpty());
    QVERIFY(!letter.isModified());

    letter.typeText(
        QStringLiteral("09/12/2026\r\n\r\nMr John O'Brien\r\nMüller & Söhne GmbH\r\n\r\nRE: "));
    letter.moveToEnd();
    letter.typeText(QStringLiteral("Your order\nline two\rline three\tend"));
    QVERIFY(letter.isModified());
    const QString expectedBody
        = QStringLiteral("09/12/2026\n\nMr John O'Brien\nMüller & Söhne GmbH\n\n"
                         "RE: Your order\nline two\nline three\tend");
    QCOMPARE(letter.body()->toPlainText(), expectedBody);
    QCOMPARE(letter.body()->blockCount(), 8);

    const QString path = QStringLiteral("Temp/Vantrel Document.doc");
    QVERIFY2(letter.saveAs(path, &error), qPrintable(error));
    QVERIFY(!letter.isModified());
    QCOMPARE(letter.title(), QStringLiteral("Vantrel Document.doc"));
    QCOMPARE(letter.filePath(), folder.filePath(path));

    // Reopened as the template of a new document, as the save of a call report does.
    WordDocument reopened;
    QVERIFY2(reopened.loadTemplate(path, &error), qPrintable(error));
    QCOMPARE(reopened.body()->toPlainText(), expectedBody);
    QCOMPARE(reopened.pageHeader()->toPlainText(), letter.pageHeader()->toPlainText());
    QVERIFY(formatAt(*reopened.pageHeader(), QStringLiteral("Your Company Name")).font().bold());
    QCOMPARE(reopened.pageHeader()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
        Qt::AlignHCenter);
    // The letterhead is no part of the body's stored text.
    QCOMPARE(plainTextOfRtf(readFile(path)), expectedBody);
    QVERIFY(reopened.filePath().isEmpty());
}

void TestWordDocument::plainTextAndUnusableTemplates()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY(writeFile(QStringLiteral("Vantrel Document.txt"),
        QStringLiteral("Grüße aus Köln\r\nZweite Zeile {not RTF}\r\n").toUtf8()));
    WordDocument mail;
    QVERIFY2(mail.loadTemplate(QStringLiteral("Vantrel Document.txt"), &error), qPrintable(error));
    QVERIFY(mail.body()->toPlainText().startsWith(u"Grüße aus Köln\nZweite Zeile {not RTF}"));
    QVERIFY(mail.pageHeader()->isEmpty());

    // A Word binary file or a missing file is refused and the document keeps what it had.
    QVERIFY(writeFile(QStringLiteral("Binary.doc"),
        QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0')));
    QVERIFY(!mail.loadTemplate(QStringLiteral("Binary.doc"), &error));
    QVERIFY2(error.contains(u"Binary.doc"), qPrintable(error));
    QVERIFY(mail.body()->toPlainText().startsWith(u"Grüße"));
    error.clear();
    QVERIFY(!mail.loadTemplate(QStringLiteral("Missing.dot"), &error));
    QVERIFY2(error.contains(u"Missing.dot"), qPrintable(error));
    QVERIFY(mail.body()->toPlainText().startsWith(u"Grüße"));
}

void TestWordDocument::savingReplacesTheFileAndAFailedSaveKeepsIt()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY(writeFile(QStringLiteral("Letter.doc"), "{\\rtf1 An older letter\\par}"));
    WordDocument letter;
    letter.typeText(QStringLiteral("The new letter"));
    QVERIFY2(letter.saveAs(QStringLiteral("Letter.doc"), &error), qPrintable(error));
    QCOMPARE(
        plainTextOfRtf(readFile(QStringLiteral("Letter.doc"))), QStringLiteral("The new letter"));

    letter.typeText(QStringLiteral(", changed"));
    QVERIFY(!letter.saveAs(QStringLiteral("No such folder/Letter.doc"), &error));
    QVERIFY2(error.contains(u"No such folder"), qPrintable(error));
    QVERIFY(letter.isModified());
    QCOMPARE(letter.filePath(), folder.filePath(QStringLiteral("Letter.doc")));
    QCOMPARE(
        plainTextOfRtf(readFile(QStringLiteral("Letter.doc"))), QStringLiteral("The new letter"));
    QVERIFY(!QFileInfo::exists(QStringLiteral("No such folder")));

    // A file that cannot be replaced (a folder of that name) is reported, not lost.
    QVERIFY(QDir().mkdir(QStringLiteral("Taken.doc")));
    QVERIFY(!letter.saveAs(QStringLiteral("Taken.doc"), &error));
    QVERIFY(QFileInfo(QStringLiteral("Taken.doc")).isDir());
}

void TestWordDocument::clipboardCarriesTheBodyAsRtfAndPlainText()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY(writeDefaultLetterhead(folder.path(), &error));
    WordDocument report;
    QVERIFY(report.loadTemplate(QStringLiteral("Letterhead.dot"), &error));
    report.typeText(QStringLiteral("Visit of 9 December\r\nThe buyer wants "));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCursor cursor = report.insertionPoint();
    cursor.insertText(QStringLiteral("two pumps"), bold);
    report.moveToEnd();
    report.typeText(QStringLiteral(" before March – €1.200."));

    report.copyWholeBody();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->hasFormat(QStringLiteral("text/rtf")));
    const QString expected
        = QStringLiteral("Visit of 9 December\nThe buyer wants two pumps before March – €1.200.");
    QCOMPARE(data->text(), expected);
    QTextDocument fromRtf;
    QVERIFY(readRtf(data->data(QStringLiteral("text/rtf")), &fromRtf, nullptr, &error));
    QCOMPARE(fromRtf.toPlainText(), expected);
    QCOMPARE(formatAt(fromRtf, QStringLiteral("two pumps")).fontWeight(), int(QFont::Bold));
    QVERIFY(!data->data(QStringLiteral("text/rtf")).contains("Your Company Name"));
    QVERIFY(!data->text().contains(u"Your Company Name"));
}

void TestWordDocument::pasteInsertsRichTextAtTheInsertionPoint()
{
    QString error;
    WordDocument source;
    QTextCharFormat italic;
    italic.setFontItalic(true);
    QTextCursor(source.body()).insertText(QStringLiteral("pasted words"), italic);
    source.copyWholeBody();

    WordDocument target;
    target.typeText(QStringLiteral("Before  after"));
    QTextCursor cursor = target.insertionPoint();
    cursor.setPosition(7);
    target.setInsertionPoint(cursor);
    QVERIFY2(target.paste(&error), qPrintable(error));
    QCOMPARE(target.body()->toPlainText(), QStringLiteral("Before pasted words after"));
    QVERIFY(formatAt(*target.body(), QStringLiteral("pasted words")).fontItalic());
    QCOMPARE(target.insertionPoint().position(), 19);

    // Without RTF the HTML is taken, without HTML the plain text with its line ends.
    auto* html = new QMimeData;
    html->setHtml(QStringLiteral("<b>bold html</b>"));
    QApplication::clipboard()->setMimeData(html);
    WordDocument fromHtml;
    QVERIFY(fromHtml.paste(&error));
    QCOMPARE(fromHtml.body()->toPlainText(), QStringLiteral("bold html"));
    QCOMPARE(
        formatAt(*fromHtml.body(), QStringLiteral("bold html")).fontWeight(), int(QFont::Bold));

    QApplication::clipboard()->setText(QStringLiteral("one\r\ntwo"));
    WordDocument fromText;
    QVERIFY(fromText.paste(&error));
    QCOMPARE(fromText.body()->blockCount(), 2);

    QApplication::clipboard()->clear();
    QVERIFY(!fromText.paste(&error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(fromText.body()->toPlainText(), QStringLiteral("one\ntwo"));
}

void TestWordDocument::pdfPagesEachCarryTheLetterhead()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY(writeDefaultLetterhead(folder.path(), &error));
    WordDocument letter;
    QVERIFY(letter.loadTemplate(QStringLiteral("Letterhead.dot"), &error));
    QStringList lines;
    for (int line = 1; line <= 140; ++line)
        lines.append(QStringLiteral("Paragraph number %1 of the letter.").arg(line));
    letter.typeText(lines.join(QStringLiteral("\r\n")));

    QVERIFY2(letter.exportPdf(QStringLiteral("Letter.pdf"), &error), qPrintable(error));
    QPdfDocument pdf;
    QCOMPARE(pdf.load(QStringLiteral("Letter.pdf")), QPdfDocument::Error::None);
    QVERIFY2(pdf.pageCount() >= 3, qPrintable(QString::number(pdf.pageCount())));
    QString allBody;
    for (int page = 0; page < pdf.pageCount(); ++page) {
        const QString text = pdf.getAllText(page).text();
        QVERIFY2(text.contains(u"Your Company Name"),
            qPrintable(QStringLiteral("page %1").arg(page + 1)));
        QVERIFY(text.contains(u"info@example.com"));
        allBody += text;
    }
    QVERIFY(pdf.getAllText(0).text().contains(u"Paragraph number 1 of"));
    QVERIFY(pdf.getAllText(pdf.pageCount() - 1).text().contains(u"Paragraph number 140 of"));
    // Every paragraph printed once: none lost or doubled at a page break.
    for (int line = 1; line <= 140; ++line)
        QCOMPARE(allBody.count(QStringLiteral("number %1 of").arg(line)), 1);

    // A document without letterhead prints its body from the top.
    WordDocument plain;
    plain.typeText(QStringLiteral("Only a body"));
    QVERIFY(plain.exportPdf(QStringLiteral("Plain.pdf"), &error));
    QPdfDocument plainPdf;
    QCOMPARE(plainPdf.load(QStringLiteral("Plain.pdf")), QPdfDocument::Error::None);
    QCOMPARE(plainPdf.pageCount(), 1);
    QVERIFY(plainPdf.getAllText(0).text().contains(u"Only a body"));

    QVERIFY(!plain.exportPdf(QStringLiteral("No such folder/Plain.pdf"), &error));
    QVERIFY(error.contains(u"No such folder"));
}

void TestWordDocument::odtCopyHoldsLetterheadAndBody()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY(writeDefaultLetterhead(folder.path(), &error));
    WordDocument letter;
    QVERIFY(letter.loadTemplate(QStringLiteral("Letterhead.dot"), &error));
    letter.typeText(QStringLiteral("Dear Ms Ørsted"));
    QVERIFY2(letter.exportOdt(QStringLiteral("Letter.odt"), &error), qPrintable(error));
    QVERIFY(letter.filePath().isEmpty());

    vantrel::data::ZipArchive archive;
    QVERIFY2(archive.open(QStringLiteral("Letter.odt"), &error), qPrintable(error));
    QByteArray mimeType;
    QByteArray content;
    QVERIFY(archive.read(QStringLiteral("mimetype"), &mimeType, &error));
    QCOMPARE(mimeType, QByteArray("application/vnd.oasis.opendocument.text"));
    QVERIFY(archive.read(QStringLiteral("content.xml"), &content, &error));
    const QString xml = QString::fromUtf8(content);
    QVERIFY(xml.contains(u"Your Company Name"));
    QVERIFY(xml.indexOf(u"Your Company Name") < xml.indexOf(u"Dear Ms Ørsted"));
}

VANTREL_TEST_MAIN(TestWordDocument)
#include "TestWordDocument.moc"
