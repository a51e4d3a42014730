#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "TestFolder.h"
#include "TopLevelWindows.h"

#include "RecordingWordProcessor.h"
#include "office/DefaultLetterhead.h"
#include "office/RtfReader.h"
#include "office/WordDocument.h"
#include "platform/MessageBox.h"
#include "ui/BuiltInWordProcessor.h"
#include "ui/WordWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

using namespace vantrel::office;
using namespace vantrel::ui;
using vantrel::platform::MessageBox;
using vantrel::platform::RecordingMessageBoxHandler;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

RecordingMessageBoxHandler* recordMessages()
{
    auto handler = std::make_unique<RecordingMessageBoxHandler>();
    RecordingMessageBoxHandler* recorder = handler.get();
    MessageBox::setHandler(std::move(handler));
    return recorder;
}

} // namespace

// The word processor as the contacts, call report and correspondence screens drive it.
class TestWordProcessor : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void attachFailsWhenNoneRuns();
    void letterIsWrittenAutoSavedAndStoredWithoutLetterhead();
    void quittingAsksOnlyForShownUnsavedDocuments();
    void closingTheLastWindowEndsTheInstance();
    void unusableTemplateOpensNoWindow();
    void recordingDoubleReplacesTheProgram();
};

void TestWordProcessor::cleanup()
{
    MessageBox::setHandler(nullptr);
    WordProcessor::setInstance(nullptr);
    vantrel::test::deleteWordWindows();
}

void TestWordProcessor::attachFailsWhenNoneRuns()
{
    BuiltInWordProcessor word;
    WordProcessor::Instance instance = 0;
    QString error;
    QVERIFY(!word.attach(&instance, &error));
    QCOMPARE(error, QStringLiteral("The word processor is not running."));
    QVERIFY(!word.typeText(42, QStringLiteral("x"), &error));
    QVERIFY(!word.saveActiveDocument(42, QStringLiteral("x.doc"), &error));
    QVERIFY(!QFile::exists(QStringLiteral("x.doc")));

    // Running without a document: attaching works, saving says why it cannot.
    const WordProcessor::Instance started = word.start();
    QVERIFY(word.attach(&instance, &error));
    QCOMPARE(instance, started);
    QVERIFY(!word.saveActiveDocument(instance, QStringLiteral("x.doc"), &error));
    QCOMPARE(error, QStringLiteral("No document is open in the word processor."));
    QVERIFY(word.quit(instance, &error));
    QVERIFY(!word.attach(&instance, &error));
}

void TestWordProcessor::letterIsWrittenAutoSavedAndStoredWithoutLetterhead()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY(writeDefaultLetterhead(folder.path(), &error));
    QVERIFY(QDir().mkdir(QStringLiteral("Temp")));
    BuiltInWordProcessor word;

    // The letter: a new instance on the letterhead, shown, the address block typed.
    const WordProcessor::Instance letter = word.start();
    QVERIFY2(word.addDocument(letter, QStringLiteral("Letterhead.dot"), &error), qPrintable(error));
    QVERIFY(word.show(letter, &error));
    QVERIFY(word.typeText(letter, QStringLiteral("09/12/2026\r\n\r\nMs Ann Lee\r\nRE: "), &error));
    QVERIFY(word.moveToEnd(letter, &error));
    WordWindow* window = word.activeWindow(letter);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->findChild<QTextEdit*>(QStringLiteral("Body"))->textCursor().position(),
        window->document()->body()->characterCount() - 1);
    // The user writes on.
    QTest::keyClicks(
        window->findChild<QTextEdit*>(QStringLiteral("Body")), QStringLiteral("Offer"));

    // The auto-save attaches and replaces the working file every time.
    const QString working = QStringLiteral("Temp/Vantrel Document.doc");
    for (int tick = 0; tick < 2; ++tick) {
        WordProcessor::Instance attached = 0;
        QVERIFY(word.attach(&attached, &error));
        QCOMPARE(attached, letter);
        QVERIFY2(word.saveActiveDocument(attached, working, &error), qPrintable(error));
    }
    QCOMPARE(
        plainTextOfRtf(readFile(working)), QStringLiteral("09/12/2026\n\nMs Ann Lee\nRE: Offer"));

    // Storing it: a separate hidden instance copies the body and quits.
    const WordProcessor::Instance copier = word.start();
    QVERIFY(word.addDocument(copier, working, &error));
    QVERIFY(!word.activeWindow(copier)->isVisible());
    QVERIFY(word.copyWholeDocument(copier, &error));
    QVERIFY(word.quit(copier, &error));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QTextDocument stored;
    QTextDocument header;
    QVERIFY(readRtf(data->data(QStringLiteral("text/rtf")), &stored, &header, &error));
    QCOMPARE(stored.toPlainText(), QStringLiteral("09/12/2026\n\nMs Ann Lee\nRE: Offer"));
    QVERIFY(header.isEmpty());

    // The user's letter is untouched and still the one the timer finds.
    WordProcessor::Instance attached = 0;
    QVERIFY(word.attach(&attached, &error));
    QCOMPARE(attached, letter);
    QVERIFY(window->isVisible());

    // A report pasted into a new document on the letterhead.
    const WordProcessor::Instance report = word.start();
    QVERIFY(word.addDocument(report, QStringLiteral("Letterhead.dot"), &error));
    QVERIFY(word.paste(report, &error));
    QCOMPARE(word.activeWindow(report)->document()->body()->toPlainText(), stored.toPlainText());
    QVERIFY(word.activeWindow(report)->document()->pageHeader()->toPlainText().contains(
        u"Your Company"));
}

void TestWordProcessor::quittingAsksOnlyForShownUnsavedDocuments()
{
    vantrel::test::TestFolder folder;
    RecordingMessageBoxHandler* messages = recordMessages();
    BuiltInWordProcessor word;
    QString error;
    QFile file(QStringLiteral("Template.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Template text");
    file.close();

    const WordProcessor::Instance hidden = word.start();
    QVERIFY(word.addDocument(hidden, QStringLiteral("Template.txt"), &error));
    QVERIFY(word.typeText(hidden, QStringLiteral("changed "), &error));
    QVERIFY(word.quit(hidden, &error));
    QVERIFY(messages->shown.isEmpty());
    QVERIFY(!word.typeText(hidden, QStringLiteral("x"), &error));
    QCOMPARE(error, QStringLiteral("The word processor is no longer running."));

    const WordProcessor::Instance shown = word.start();
    QVERIFY(word.addDocument(shown, QStringLiteral("Template.txt"), &error));
    QVERIFY(word.show(shown, &error));
    QVERIFY(word.typeText(shown, QStringLiteral("changed "), &error));
    messages->answers = { MessageBox::Cancel };
    QVERIFY(!word.quit(shown, &error));
    QCOMPARE(messages->shown.size(), 1);
    QVERIFY(messages->shown.first().text.contains(u"save the changes"));
    QVERIFY(word.activeWindow(shown)->isVisible());
    messages->answers = { MessageBox::No };
    QVERIFY2(word.quit(shown, &error), qPrintable(error));
    WordProcessor::Instance attached = 0;
    QVERIFY(!word.attach(&attached, &error));
}

void TestWordProcessor::closingTheLastWindowEndsTheInstance()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY(writeDefaultLetterhead(folder.path(), &error));
    BuiltInWordProcessor word;
    const WordProcessor::Instance letter = word.start();
    QVERIFY(word.addDocument(letter, QStringLiteral("Letterhead.dot"), &error));
    QVERIFY(word.show(letter, &error));
    // Unchanged documents close without a question.
    QVERIFY(word.activeWindow(letter)->close());
    WordProcessor::Instance attached = 0;
    QVERIFY(!word.attach(&attached, &error));
    QVERIFY(!word.saveActiveDocument(letter, QStringLiteral("Letter.doc"), &error));
}

void TestWordProcessor::unusableTemplateOpensNoWindow()
{
    vantrel::test::TestFolder folder;
    BuiltInWordProcessor word;
    const WordProcessor::Instance instance = word.start();
    QString error;
    QVERIFY(!word.addDocument(instance, QStringLiteral("Temp/Vantrel Document.doc"), &error));
    QVERIFY2(error.contains(u"Vantrel Document.doc"), qPrintable(error));
    QVERIFY(!word.activeWindow(instance));
    QVERIFY(!word.copyWholeDocument(instance, &error));
}

void TestWordProcessor::recordingDoubleReplacesTheProgram()
{
    vantrel::test::TestFolder folder;
    QString error;
    QVERIFY(writeDefaultLetterhead(folder.path(), &error));
    auto double_ = std::make_unique<RecordingWordProcessor>();
    RecordingWordProcessor* recorder = double_.get();
    WordProcessor::setInstance(std::move(double_));
    WordProcessor& word = WordProcessor::instance();
    QCOMPARE(&word, recorder);

    WordProcessor::Instance attached = 0;
    QVERIFY(!word.attach(&attached, &error));
    const WordProcessor::Instance letter = word.start();
    QVERIFY(word.addDocument(letter, QStringLiteral("Letterhead.dot"), &error));
    QVERIFY(word.show(letter, &error));
    QVERIFY(word.typeText(letter, QStringLiteral("Dear Ann,\r\n"), &error));
    QVERIFY(word.moveToEnd(letter, &error));
    QVERIFY(word.saveActiveDocument(letter, QStringLiteral("Letter.doc"), &error));
    QCOMPARE(recorder->started, 1);
    QCOMPARE(recorder->templates, QStringList { QStringLiteral("Letterhead.dot") });
    QCOMPARE(recorder->shown, QList<WordProcessor::Instance> { letter });
    QCOMPARE(recorder->typed, QStringList { QStringLiteral("Dear Ann,\r\n") });
    QCOMPARE(recorder->movesToEnd, 1);
    QCOMPARE(recorder->document(letter)->body()->toPlainText(), QStringLiteral("Dear Ann,\n"));
    QCOMPARE(plainTextOfRtf(readFile(QStringLiteral("Letter.doc"))), QStringLiteral("Dear Ann,\n"));
    QVERIFY(QApplication::topLevelWidgets().isEmpty());

    recorder->failure = QStringLiteral("Word processor missing");
    QVERIFY(!word.copyWholeDocument(letter, &error));
    QCOMPARE(error, QStringLiteral("Word processor missing"));
    recorder->failure.clear();
    QVERIFY(word.quit(letter, &error));
    QCOMPARE(recorder->quitInstances.size(), 1);
    QVERIFY(!word.attach(&attached, &error));

    WordProcessor::setInstance(nullptr);
    QVERIFY(dynamic_cast<BuiltInWordProcessor*>(&WordProcessor::instance()));
}

VANTREL_TEST_MAIN(TestWordProcessor)
#include "TestWordProcessor.moc"
