#include "ApplicationTest.h"
#include "PdfPrinterProvider.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "TestFolder.h"

#include "office/DefaultLetterhead.h"
#include "office/RtfReader.h"
#include "office/WordDocument.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "ui/DocumentFileChooser.h"
#include "ui/PrinterProvider.h"
#include "ui/WordWindow.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPdfDocument>
#include <QPrinter>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

using namespace vantrel::office;
using namespace vantrel::ui;
using vantrel::platform::MessageBox;
using vantrel::platform::RecordingMessageBoxHandler;

using vantrel::test::NoPrinterProvider;
using vantrel::test::PdfPrinterProvider;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The editor window: its tool bar, undo, printing, saving and the desktop hand-over.
class TestWordWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void toolBarButtonsChangeFormats();
    void undoAndRedo();
    void newParagraphsKeepTheFormatTheyFollow();
    void printsEveryPageWithTheLetterhead();
    void savesAsRtfOdtAndPdf();
    void closingAsksAboutUnsavedChanges();
    void opensTheDocumentInTheDesktopWordProcessor();

private:
    void trigger(const char* action);
    QTextEdit* body() const;

    std::unique_ptr<vantrel::test::TestFolder> m_folder;
    WordWindow* m_window = nullptr;
    RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestWordWindow::init()
{
    m_folder = std::make_unique<vantrel::test::TestFolder>();
    QString error;
    QVERIFY(writeDefaultLetterhead(m_folder->path(), &error));
    auto messages = std::make_unique<RecordingMessageBoxHandler>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    m_window = new WordWindow;
    QVERIFY(m_window->document()->loadTemplate(QStringLiteral("Letterhead.dot"), &error));
    m_window->show();
}

void TestWordWindow::cleanup()
{
    delete m_window;
    MessageBox::setHandler(nullptr);
    PrinterProvider::setInstance(nullptr);
    DocumentFileChooser::setHandler(nullptr);
    vantrel::platform::Desktop::setOpener(nullptr);
    m_folder.reset();
}

void TestWordWindow::trigger(const char* action)
{
    QAction* found = m_window->findChild<QAction*>(QLatin1String(action));
    QVERIFY2(found, action);
    found->trigger();
}

QTextEdit* TestWordWindow::body() const
{
    return m_window->findChild<QTextEdit*>(QStringLiteral("Body"));
}

void TestWordWindow::toolBarButtonsChangeFormats()
{
    QVERIFY(m_window->findChild<QTextEdit*>(QStringLiteral("Letterhead"))->isReadOnly());
    QVERIFY(m_window->findChild<QTextEdit*>(QStringLiteral("Letterhead"))
                ->toPlainText()
                .contains(u"Your Company Name"));
    m_window->document()->typeText(QStringLiteral("Plain words\r\nSecond line"));
    QTextCursor cursor = body()->document()->find(QStringLiteral("words"));
    body()->setTextCursor(cursor);

    trigger("actionBold");
    trigger("actionItalic");
    trigger("actionUnderline");
    auto* size = m_window->findChild<QComboBox*>(QStringLiteral("FontSize"));
    emit size->textActivated(QStringLiteral("20"));
    auto* font = m_window->findChild<QComboBox*>(QStringLiteral("FontName"));
    emit font->textActivated(QStringLiteral("DejaVu Sans"));
    const QTextCharFormat words = body()->document()->find(QStringLiteral("words")).charFormat();
    QCOMPARE(words.fontWeight(), int(QFont::Bold));
    QVERIFY(words.fontItalic());
    QVERIFY(words.fontUnderline());
    QCOMPARE(words.fontPointSize(), 20.0);
    QCOMPARE(words.fontFamilies().toStringList(), QStringList { QStringLiteral("DejaVu Sans") });
    const QTextCharFormat plain = body()->document()->find(QStringLiteral("Plain")).charFormat();
    QCOMPARE(plain.fontWeight(), int(QFont::Normal));
    QVERIFY(!plain.fontItalic());
    // The buttons show the format where the cursor stands.
    QVERIFY(m_window->findChild<QAction*>(QStringLiteral("actionBold"))->isChecked());
    body()->setTextCursor(body()->document()->find(QStringLiteral("Second")));
    QVERIFY(!m_window->findChild<QAction*>(QStringLiteral("actionBold"))->isChecked());
    // A size that is no number changes nothing.
    emit size->textActivated(QStringLiteral("huge"));
    QCOMPARE(body()->document()->find(QStringLiteral("Second")).charFormat().fontPointSize(),
        plain.fontPointSize());

    trigger("actionAlignCenter");
    QCOMPARE(body()->document()->findBlockByNumber(1).blockFormat().alignment()
            & Qt::AlignHorizontal_Mask,
        Qt::AlignHCenter);
    QCOMPARE(body()->document()->findBlockByNumber(0).blockFormat().alignment()
            & Qt::AlignHorizontal_Mask,
        Qt::AlignLeft);
    trigger("actionAlignRight");
    QVERIFY(body()->document()->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignRight);

    trigger("actionBullets");
    QVERIFY(body()->document()->findBlockByNumber(1).textList());
    QVERIFY(!body()->document()->findBlockByNumber(0).textList());
    QVERIFY(m_window->findChild<QAction*>(QStringLiteral("actionBullets"))->isChecked());
    trigger("actionBullets");
    QVERIFY(!body()->document()->findBlockByNumber(1).textList());
    QCOMPARE(body()->document()->findBlockByNumber(1).blockFormat().indent(), 0);

    // The formats survive saving: what the user sees is what is stored.
    QString error;
    QVERIFY(m_window->document()->saveAs(QStringLiteral("Formatted.doc"), &error));
    QTextDocument reread;
    QVERIFY(readRtf(readFile(QStringLiteral("Formatted.doc")), &reread, nullptr, &error));
    const QTextCharFormat stored = reread.find(QStringLiteral("words")).charFormat();
    QCOMPARE(stored.fontWeight(), int(QFont::Bold));
    QVERIFY(stored.fontItalic() && stored.fontUnderline());
    QCOMPARE(stored.fontPointSize(), 20.0);
}

void TestWordWindow::undoAndRedo()
{
    QAction* undo = m_window->findChild<QAction*>(QStringLiteral("actionUndo"));
    QAction* redo = m_window->findChild<QAction*>(QStringLiteral("actionRedo"));
    // Loading the template cannot be undone.
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());

    m_window->document()->typeText(QStringLiteral("Typed by the screen\r\n"));
    QTest::keyClicks(body(), QStringLiteral("and by hand"));
    QCOMPARE(body()->toPlainText(), QStringLiteral("Typed by the screen\nand by hand"));
    QVERIFY(undo->isEnabled());
    while (undo->isEnabled())
        undo->trigger();
    QCOMPARE(body()->toPlainText(), QString());
    QVERIFY(redo->isEnabled());
    redo->trigger();
    QCOMPARE(body()->toPlainText(), QStringLiteral("Typed by the screen\n"));
    QVERIFY(m_window->isWindowModified());
}

void TestWordWindow::newParagraphsKeepTheFormatTheyFollow()
{
    // The address block as a letter types it, then the user's own Enters.
    m_window->document()->typeText(QStringLiteral("Acme Ltd\r\nMain Street 1\r\n\r\n"));
    for (int enter = 0; enter < 3; ++enter)
        QTest::keyClick(body(), Qt::Key_Return);
    QTest::keyClicks(body(), QStringLiteral("Dear Sir"));

    const auto isLetterFormat = [](const QTextCharFormat& format) {
        const QString times = QStringLiteral("Times New Roman");
        return format.fontPointSize() == 12.0
            && (format.fontFamilies().toStringList().value(0) == times
                || format.font().family() == times);
    };
    QTextDocument* document = body()->document();
    QVERIFY(isLetterFormat(document->find(QStringLiteral("Dear Sir")).charFormat()));
    QVERIFY(isLetterFormat(document->find(QStringLiteral("Acme")).charFormat()));
    QCOMPARE(document->blockCount(), 7);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        QVERIFY2(
            isLetterFormat(block.charFormat()), qPrintable(QString::number(block.blockNumber())));

    QString error;
    QVERIFY2(m_window->document()->saveAs(QStringLiteral("Letter.rtf"), &error), qPrintable(error));
    QTextDocument stored;
    QTextDocument letterhead;
    QVERIFY(readRtf(readFile(QStringLiteral("Letter.rtf")), &stored, &letterhead, &error));
    QCOMPARE(stored.blockCount(), 7);
    for (QTextBlock block = stored.begin(); block.isValid(); block = block.next()) {
        QVERIFY(isLetterFormat(block.charFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it)
            QVERIFY(isLetterFormat(it.fragment().charFormat()));
    }
}

void TestWordWindow::printsEveryPageWithTheLetterhead()
{
    QStringList lines;
    for (int line = 1; line <= 90; ++line)
        lines.append(QStringLiteral("Line %1 of a long call report.").arg(line));
    m_window->document()->typeText(lines.join(QStringLiteral("\r\n")));
    PrinterProvider::setInstance(
        std::make_unique<PdfPrinterProvider>(m_folder->filePath(QStringLiteral("Printed.pdf"))));
    QVERIFY(m_window->print());

    QPdfDocument pdf;
    QCOMPARE(
        pdf.load(m_folder->filePath(QStringLiteral("Printed.pdf"))), QPdfDocument::Error::None);
    QVERIFY(pdf.pageCount() >= 2);
    for (int page = 0; page < pdf.pageCount(); ++page)
        QVERIFY(pdf.getAllText(page).text().contains(u"Your Company Name"));
    QVERIFY(pdf.getAllText(pdf.pageCount() - 1).text().contains(u"Line 90 of"));
    QVERIFY(m_messages->shown.isEmpty());

    PrinterProvider::setInstance(std::make_unique<NoPrinterProvider>());
    QVERIFY(!m_window->print());
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.contains(u"No default printer"));
}

void TestWordWindow::savesAsRtfOdtAndPdf()
{
    auto chooser = std::make_unique<RecordingDocumentFileChooser>();
    RecordingDocumentFileChooser* answers = chooser.get();
    DocumentFileChooser::setHandler(std::move(chooser));
    answers->answers = { m_folder->filePath(QStringLiteral("Copy.odt")),
        m_folder->filePath(QStringLiteral("Copy.pdf")),
        m_folder->filePath(QStringLiteral("Letter")) };
    m_window->document()->typeText(QStringLiteral("Dear Mr Smith"));

    trigger("actionSaveAs");
    trigger("actionSaveAs");
    QVERIFY(readFile(QStringLiteral("Copy.odt")).startsWith("PK"));
    QVERIFY(readFile(QStringLiteral("Copy.pdf")).startsWith("%PDF"));
    // Copies in other formats leave the document unsaved.
    QVERIFY(m_window->document()->filePath().isEmpty());
    QVERIFY(m_window->isWindowModified());

    // Save without a name asks for one; a name without extension becomes RTF.
    trigger("actionSave");
    QCOMPARE(m_window->document()->filePath(), m_folder->filePath(QStringLiteral("Letter.rtf")));
    QCOMPARE(
        plainTextOfRtf(readFile(QStringLiteral("Letter.rtf"))), QStringLiteral("Dear Mr Smith"));
    QVERIFY(!m_window->isWindowModified());
    QVERIFY(m_window->windowTitle().startsWith(u"Letter.rtf"));
    QCOMPARE(answers->suggestedPaths.size(), 3);

    // Cancelling the dialog saves nothing; a failed save is shown.
    QVERIFY(!m_window->saveAs());
    answers->answers = { m_folder->filePath(QStringLiteral("Missing/Letter.rtf")) };
    QVERIFY(!m_window->saveAs());
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(u"An error has occurred. "));
    QCOMPARE(m_window->document()->filePath(), m_folder->filePath(QStringLiteral("Letter.rtf")));
}

void TestWordWindow::closingAsksAboutUnsavedChanges()
{
    auto chooser = std::make_unique<RecordingDocumentFileChooser>();
    RecordingDocumentFileChooser* answers = chooser.get();
    DocumentFileChooser::setHandler(std::move(chooser));
    m_window->document()->typeText(QStringLiteral("Unsaved"));

    m_messages->answers = { MessageBox::Cancel };
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isOpen());
    // "Yes" with the file dialog cancelled keeps the window too.
    m_messages->answers = { MessageBox::Yes };
    QVERIFY(!m_window->close());
    answers->answers = { m_folder->filePath(QStringLiteral("Kept.rtf")) };
    m_messages->answers = { MessageBox::Yes };
    QPointer<WordWindow> window = m_window;
    QVERIFY(m_window->close());
    QVERIFY(!m_window->isOpen());
    QCOMPARE(plainTextOfRtf(readFile(QStringLiteral("Kept.rtf"))), QStringLiteral("Unsaved"));
    QTRY_VERIFY(!window);
    m_window = nullptr;
}

void TestWordWindow::opensTheDocumentInTheDesktopWordProcessor()
{
    auto opener = std::make_unique<vantrel::platform::RecordingOpener>();
    vantrel::platform::RecordingOpener* opened = opener.get();
    vantrel::platform::Desktop::setOpener(std::move(opener));
    m_window->document()->typeText(QStringLiteral("For the desktop"));

    // Unsaved: a copy in the Temp folder is handed over.
    trigger("actionOpenInDesktop");
    QCOMPARE(opened->opened.size(), 1);
    const QString copy = opened->opened.first().toLocalFile();
    QVERIFY(copy.startsWith(m_folder->filePath(QStringLiteral("Temp/"))));
    QCOMPARE(plainTextOfRtf(readFile(copy)), QStringLiteral("For the desktop"));
    QVERIFY(m_window->document()->filePath().isEmpty());

    // Saved in the program folder: the file itself.
    QString error;
    QVERIFY(m_window->document()->saveAs(QStringLiteral("Documents.rtf"), &error));
    trigger("actionOpenInDesktop");
    QCOMPARE(
        opened->opened.last().toLocalFile(), m_folder->filePath(QStringLiteral("Documents.rtf")));
    QVERIFY(m_messages->shown.isEmpty());
}

VANTREL_TEST_MAIN(TestWordWindow)
#include "TestWordWindow.moc"
