#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "maintenance/FormSupport.h"
#include "ui/Screens.h"

#include "office/MailAccount.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"

#include "Controls.h"
#include "LoopbackSmtpServer.h"
#include "TestFolder.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vantrel;
using maintenance::FormSupport;
using office::MailAccount;
using platform::MessageBox;
using test::LoopbackSmtpServer;
using ui::Screens;

namespace {

void useServer(quint16 port, const QString& supportAddress = QString())
{
    MailAccount account;
    QString error;
    QVERIFY(MailAccount::load(&account, &error));
    account.userName = "Anna Berg";
    account.companyName = "Keller AG";
    account.address = "anna@keller.example";
    account.host = "127.0.0.1";
    account.port = port;
    account.security = MailAccount::Security::None;
    account.supportAddress = supportAddress;
    QVERIFY2(MailAccount::save(account, &error), qPrintable(error));
}

QString decodedQuotedPrintable(const QByteArray& text)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != '=')
            bytes += text.at(i);
        else if (text.mid(i + 1, 2) == "\r\n")
            i += 2;
        else {
            bytes += char(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        }
    }
    return QString::fromUtf8(bytes);
}

// Answers the refusal as the user would, after something changed meanwhile
// (the user allowed the mail, the server came back).
class AnsweringHandler : public platform::RecordingMessageBoxHandler {
public:
    MessageBox::Button show(QWidget* parent, const MessageBox::Message& message) override
    {
        if (beforeAnswer)
            beforeAnswer();
        return RecordingMessageBoxHandler::show(parent, message);
    }
    std::function<void()> beforeAnswer;
};

} // namespace

class TestSupport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion("2.7.1"); }
    void init();
    void cleanup();
    void requestGoesToSupportThroughSmtp();
    void emptyMessageStillSends();
    void theSupportAddressOfTheMailSettingsIsUsed();
    void refusedSendIsOfferedAgainWithTheRetryLine();
    void refusedSendIsNotRetriedUnasked();
    void withoutAccountTheDesktopMailProgramTakesIt();

private:
    FormSupport* screen() { return Screens::bringToFront<FormSupport>("FormSupport"); }
    QLabel* label() { return test::findControl<QLabel>(screen(), "LabelMessage"); }
    QPushButton* go() { return test::findControl<QPushButton>(screen(), "CommandGo"); }
    void type(const QString& text)
    {
        auto* box = test::findControl<QPlainTextEdit>(screen(), "TextMessage");
        const QStringList lines = text.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClicks(box, lines.at(i));
        }
    }

    std::unique_ptr<test::TestFolder> m_folder;
    AnsweringHandler* m_messages = nullptr;
    platform::RecordingOpener* m_opener = nullptr;
};

void TestSupport::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto handler = std::make_unique<AnsweringHandler>();
    m_messages = handler.get();
    MessageBox::setHandler(std::move(handler));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
}

void TestSupport::cleanup()
{
    Screens::closeAll();
    MessageBox::setHandler(nullptr);
    platform::Desktop::setOpener(nullptr);
    m_folder.reset();
}

void TestSupport::requestGoesToSupportThroughSmtp()
{
    LoopbackSmtpServer server;
    useServer(server.port());
    QCOMPARE(label()->text(), QString("Type your message and click on Go..."));
    QCOMPARE(go()->text(), QString("&Go"));
    type("The list of call reports stays empty.\nSince Monday.");
    QTest::mouseClick(go(), Qt::LeftButton);

    QCOMPARE(server.messages().size(), 1);
    const LoopbackSmtpServer::Message message = server.messages().first();
    QCOMPARE(message.recipients, QList<QByteArray> { FormSupport::supportAddress.toLatin1() });
    QCOMPARE(message.header("Subject"),
        QByteArray("Request for technical support from Anna Berg at Keller AG"));
    QCOMPARE(decodedQuotedPrintable(message.body()),
        QString(" Version 2.7 Revision 1\r\n\r\nThe list of call reports stays empty.\r\nSince "
                "Monday.\r\n"));
    QCOMPARE(label()->text(), QString("Your message has been sent..."));
    QCOMPARE(label()->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    QVERIFY(!go()->isVisible());
    QVERIFY(m_messages->shown.isEmpty());
    QVERIFY(m_opener->opened.isEmpty());
}

void TestSupport::emptyMessageStillSends()
{
    LoopbackSmtpServer server;
    useServer(server.port());
    QTest::mouseClick(go(), Qt::LeftButton);
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(decodedQuotedPrintable(server.messages().first().body()),
        QString(" Version 2.7 Revision 1\r\n\r\n\r\n"));
    QCOMPARE(label()->text(), QString("Your message has been sent..."));
}

void TestSupport::theSupportAddressOfTheMailSettingsIsUsed()
{
    LoopbackSmtpServer server;
    useServer(server.port(), "helpdesk@reseller.example");
    QTest::mouseClick(go(), Qt::LeftButton);
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(server.messages().first().recipients,
        QList<QByteArray> { QByteArray("helpdesk@reseller.example") });
    MailAccount stored;
    QString error;
    QVERIFY(MailAccount::load(&stored, &error));
    QCOMPARE(stored.supportAddress, QString("helpdesk@reseller.example"));
}

void TestSupport::refusedSendIsOfferedAgainWithTheRetryLine()
{
    LoopbackSmtpServer refusing;
    refusing.rejectRecipient(FormSupport::supportAddress.toLatin1(), "550 5.7.1 Not allowed");
    LoopbackSmtpServer accepting;
    useServer(refusing.port());
    m_messages->answers = { MessageBox::Yes };
    m_messages->beforeAnswer = [&] { useServer(accepting.port()); };
    type("Help");
    QTest::mouseClick(go(), Qt::LeftButton);

    QCOMPARE(m_messages->shown.size(), 1);
    const MessageBox::Message refusal = m_messages->shown.first();
    QCOMPARE(refusal.title, QString("Technical Support"));
    QVERIFY(refusal.text.startsWith("You must allow this e-mail to be sent."));
    QVERIFY2(refusal.text.contains("550 5.7.1 Not allowed"), qPrintable(refusal.text));
    QCOMPARE(refusal.buttons, MessageBox::Yes | MessageBox::No);
    QVERIFY(refusing.messages().isEmpty());

    QTRY_COMPARE(accepting.messages().size(), 1);
    QCOMPARE(decodedQuotedPrintable(accepting.messages().first().body()),
        QString(" Version 2.7 Service Pack 1\r\n\r\nHelp\r\n"));
    QCOMPARE(label()->text(), QString("Your message has been sent..."));
    QCOMPARE(label()->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    QVERIFY(!go()->isVisible());
    // One mail, one message: nothing goes on in the background.
    QTest::qWait(100);
    QCOMPARE(accepting.messages().size(), 1);
    QCOMPARE(m_messages->shown.size(), 1);
}

void TestSupport::refusedSendIsNotRetriedUnasked()
{
    LoopbackSmtpServer refusing;
    refusing.rejectRecipient(FormSupport::supportAddress.toLatin1(), "550 5.7.1 Not allowed");
    useServer(refusing.port());
    m_messages->answers = { MessageBox::No };
    QTest::mouseClick(go(), Qt::LeftButton);
    QCOMPARE(m_messages->shown.size(), 1);
    QTest::qWait(100);
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(!test::findControl<QTimer>(screen(), "Timer1")->isActive());
    QCOMPARE(label()->text(), QString("Type your message and click on Go..."));
    QVERIFY(go()->isVisible());
}

void TestSupport::withoutAccountTheDesktopMailProgramTakesIt()
{
    type("Hello");
    QTest::mouseClick(go(), Qt::LeftButton);
    QCOMPARE(m_opener->opened.size(), 1);
    const QUrl mail = m_opener->opened.first();
    QCOMPARE(mail.scheme(), QString("mailto"));
    QCOMPARE(mail.path(), FormSupport::supportAddress);
    QVERIFY2(mail.query(QUrl::FullyDecoded).contains("Request for technical support from  at "),
        qPrintable(mail.toString()));
    QCOMPARE(label()->text(), QString("Your message has been sent..."));
}

VANTREL_TEST_MAIN(TestSupport)
#include "TestSupport.moc"
