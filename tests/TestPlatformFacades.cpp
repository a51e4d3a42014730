#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "data/Clock.h"
#include "data/ProgramFolder.h"
#include "platform/BusyCursor.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"

#include "TestFolder.h"

#include <QApplication>
#include <QFile>
#include <QTest>

using namespace vantrel::platform;
using namespace vantrel::data;
using vantrel::data::isInsideProgramFolder;

class TestPlatformFacades : public QObject {
    Q_OBJECT
private slots:
    void messagesAreAnsweredAndRecorded();
    void clockCanBeFixed();
    void desktopOpensOnlySafeTargets();
    void busyCursorIsRestoredOnEveryPath();
};

void TestPlatformFacades::messagesAreAnsweredAndRecorded()
{
    auto handler = std::make_unique<RecordingMessageBoxHandler>();
    RecordingMessageBoxHandler* recorder = handler.get();
    recorder->answers = { MessageBox::No };
    MessageBox::setHandler(std::move(handler));

    QVERIFY(!MessageBox::question(nullptr, "Archive this company?", MessageBox::No));
    MessageBox::error(nullptr, "disk full");
    QCOMPARE(recorder->shown.size(), 2);
    const MessageBox::Message& question = recorder->shown.at(0);
    QCOMPARE(question.title, QStringLiteral("Vantrel"));
    QCOMPARE(question.icon, MessageBox::Icon::Question);
    QCOMPARE(question.buttons, MessageBox::Yes | MessageBox::No);
    QCOMPARE(question.defaultButton, MessageBox::No);
    QCOMPARE(recorder->shown.at(1).text, QStringLiteral("An error has occurred. disk full"));
    QCOMPARE(recorder->shown.at(1).icon, MessageBox::Icon::Critical);
    // With no answer queued a question takes its default button.
    QVERIFY(MessageBox::question(nullptr, "Again?", MessageBox::Yes));
    MessageBox::setHandler(nullptr);
}

void TestPlatformFacades::clockCanBeFixed()
{
    Clock::setFixed(QDateTime(QDate(2026, 2, 28), QTime(9, 15)));
    QCOMPARE(Clock::today(), QDate(2026, 2, 28));
    QCOMPARE(Clock::now().time(), QTime(9, 15));
    Clock::reset();
    QCOMPARE(Clock::today(), QDate::currentDate());
}

void TestPlatformFacades::desktopOpensOnlySafeTargets()
{
    vantrel::test::TestFolder folder;
    auto opener = std::make_unique<RecordingOpener>();
    RecordingOpener* recorder = opener.get();
    Desktop::setOpener(std::move(opener));

    QFile manual(folder.filePath("Help.pdf"));
    QVERIFY(manual.open(QIODevice::WriteOnly));
    manual.close();

    QString error;
    QVERIFY(Desktop::openUrl(QUrl("https://example.org/path?q=a b"), &error));
    QVERIFY(Desktop::openUrl(QUrl("mailto:anna@example.org?subject=Hi"), &error));
    QVERIFY(Desktop::openFile("Help.pdf", &error));
    QCOMPARE(recorder->opened.size(), 3);
    QCOMPARE(recorder->opened.last(), QUrl::fromLocalFile(folder.filePath("Help.pdf")));

    QVERIFY(!Desktop::openUrl(QUrl("file:///etc/passwd"), &error));
    QVERIFY(!Desktop::openFile("../outside.txt", &error));
    QVERIFY(!Desktop::openUrl(QUrl("javascript:alert(1)"), &error));
    QVERIFY(!Desktop::openFile("Missing.pdf", &error));
    QVERIFY(error.contains("Missing.pdf"));
    QCOMPARE(recorder->opened.size(), 3);

    recorder->succeed = false;
    QVERIFY(!Desktop::openUrl(QUrl("http://example.org/a?b=c"), &error));
    QCOMPARE(error, QString("No web browser is set up on this computer to open example.org."));
    QVERIFY(
        !Desktop::openUrl(QUrl("mailto:anna@example.org?subject=Hi%20there&body=Long"), &error));
    QCOMPARE(error, QString("No mail program is set up on this computer."));
    QVERIFY(!Desktop::openFile("Help.pdf", &error));
    QCOMPARE(error, QString("No program on this computer opens 'Help.pdf'."));
    Desktop::setOpener(nullptr);

    QVERIFY(isInsideProgramFolder("Temp/Report 123456.xlsx"));
    QVERIFY(!isInsideProgramFolder("Temp/../../x"));
}

void TestPlatformFacades::busyCursorIsRestoredOnEveryPath()
{
    auto failingOperation = []() -> bool {
        BusyCursor busy;
        if (!BusyCursor::isBusy())
            return true;
        return false; // an early way out
    };
    QVERIFY(!failingOperation());
    QVERIFY(!BusyCursor::isBusy());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

VANTREL_TEST_MAIN(TestPlatformFacades)
#include "TestPlatformFacades.moc"
