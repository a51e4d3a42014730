#include "data/Clock.h"
#include "office/MailAccount.h"
#include "office/MailItem.h"
#include "office/SmtpSender.h"

#include "LoopbackSmtpServer.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTest>

using namespace vantrel::office;
using vantrel::data::Clock;
using vantrel::test::LoopbackSmtpServer;

namespace {

MailAccount loopbackAccount(quint16 port)
{
    MailAccount account;
    account.userName = "Jürgen Weiß";
    account.companyName = "Weiß & Söhne";
    account.address = "juergen@example.org";
    account.host = "127.0.0.1";
    account.port = port;
    account.security = MailAccount::Security::None;
    return account;
}

// Joins the RFC 2047 encoded words of a header value back into text.
QString decodedHeader(const QByteArray& value)
{
    static const QRegularExpression word(
        R"(=\?UTF-8\?B\?([A-Za-z0-9+/=]*)\?=)", QRegularExpression::CaseInsensitiveOption);
    if (!value.contains("=?"))
        return QString::fromLatin1(value);
    QByteArray bytes;
    for (const QRegularExpressionMatch& match : word.globalMatch(QString::fromLatin1(value)))
        bytes += QByteArray::fromBase64(match.captured(1).toLatin1());
    return QString::fromUtf8(bytes);
}

QByteArray decodedQuotedPrintable(const QByteArray& text)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != '=') {
            bytes += text.at(i);
        }
        else if (text.mid(i + 1, 2) == "\r\n") {
            i += 2;
        }
        else {
            bytes += char(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        }
    }
    return bytes;
}

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace

class TestSmtpSender : public QObject {
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 3, 14), QTime(9, 30, 5))); }
    void cleanup() { Clock::reset(); }
    void deliversToAndBccWithBccOnlyInTheEnvelope();
    void encodesSubjectAndBodyAsUtf8();
    void logsInWithTheAccountsPassword();
    void refusedRecipientIsReportedInTheServersWords();
    void unreachableServerIsReportedClearly();
    void badInputIsRefusedBeforeAnythingIsSent();
};

void TestSmtpSender::deliversToAndBccWithBccOnlyInTheEnvelope()
{
    LoopbackSmtpServer server;
    MailItem mail;
    mail.to = "Anna Berg <anna@example.org>; bob@example.org; ";
    mail.bcc = "carl@example.org;dora@example.org";
    mail.subject = "Offer";
    mail.body = "Hello";
    QString error;
    QVERIFY2(SmtpSender(loopbackAccount(server.port())).send(mail, &error), qPrintable(error));

    QCOMPARE(server.messages().size(), 1);
    const LoopbackSmtpServer::Message message = server.messages().first();
    QCOMPARE(message.sender, QByteArray("juergen@example.org"));
    QCOMPARE(message.recipients,
        QList<QByteArray>(
            { "anna@example.org", "bob@example.org", "carl@example.org", "dora@example.org" }));
    QVERIFY(!message.headers().toLower().contains("bcc"));
    QVERIFY(!message.data.contains("carl@example.org"));
    QVERIFY(!message.data.contains("dora@example.org"));
    QCOMPARE(message.header("To"), QByteArray("\"Anna Berg\" <anna@example.org>, bob@example.org"));
    QCOMPARE(decodedHeader(message.header("From")), QString("Jürgen Weiß"));
    QVERIFY(message.header("From").endsWith("<juergen@example.org>"));
    QCOMPARE(decodedHeader(message.header("Organization")), QString("Weiß & Söhne"));
    QCOMPARE(QDateTime::fromString(QString::fromLatin1(message.header("Date")), Qt::RFC2822Date),
        Clock::now());
    QVERIFY(QRegularExpression("^<[0-9a-f-]{36}@example\\.org>$")
                .match(QString::fromLatin1(message.header("Message-ID")))
                .hasMatch());

    // Only Bcc recipients: the headers still name no one.
    mail.to.clear();
    QVERIFY2(SmtpSender(loopbackAccount(server.port())).send(mail, &error), qPrintable(error));
    QCOMPARE(server.messages().last().recipients,
        QList<QByteArray>({ "carl@example.org", "dora@example.org" }));
    QCOMPARE(server.messages().last().header("To"), QByteArray("undisclosed-recipients:;"));
}

void TestSmtpSender::encodesSubjectAndBodyAsUtf8()
{
    LoopbackSmtpServer server;
    MailItem mail;
    mail.to = "anna@example.org";
    mail.subject = "Grüße aus Köln – Angebot für März: Äpfel, Öl und Übersee-Fracht 🚢 in einem "
                   "Betreff, der länger ist als eine Zeile";
    const QString longLine = QString("Größe ").repeated(30).trimmed();
    mail.body = "Sehr geehrte Frau Berg,\n\nÄpfel = 3 €\n.a line starting with a dot\n"
                "trailing blank \n"
        + longLine + "\r\nEnd";
    QString error;
    QVERIFY2(SmtpSender(loopbackAccount(server.port())).send(mail, &error), qPrintable(error));
    const LoopbackSmtpServer::Message message = server.messages().first();

    QCOMPARE(decodedHeader(message.header("Subject")), mail.subject);
    QCOMPARE(message.header("Content-Type"), QByteArray("text/plain; charset=utf-8"));
    QCOMPARE(message.header("Content-Transfer-Encoding"), QByteArray("quoted-printable"));
    QCOMPARE(message.header("MIME-Version"), QByteArray("1.0"));
    for (const QByteArray& line : message.data.split('\n')) {
        QVERIFY2(line.size() <= 78, line.constData());
        for (const char c : line)
            QVERIFY2(static_cast<unsigned char>(c) < 128, line.constData());
    }
    QString expected = mail.body;
    expected.replace("\r\n", "\n").replace("\n", "\r\n");
    QCOMPARE(QString::fromUtf8(decodedQuotedPrintable(message.body())), expected + "\r\n");

    // A plain ASCII subject travels as it is.
    mail.subject = "Call Report - Miller Ltd";
    QVERIFY2(SmtpSender(loopbackAccount(server.port())).send(mail, &error), qPrintable(error));
    QCOMPARE(server.messages().last().header("Subject"), QByteArray("Call Report - Miller Ltd"));
}

void TestSmtpSender::logsInWithTheAccountsPassword()
{
    LoopbackSmtpServer server;
    MailAccount account = loopbackAccount(server.port());
    account.user = "juergen";
    account.password = "pä$$ wort";
    MailItem mail;
    mail.to = "anna@example.org";
    QString error;
    QVERIFY2(SmtpSender(account).send(mail, &error), qPrintable(error));
    QCOMPARE(server.messages().first().login, QByteArray("\0juergen\0", 9) + "pä$$ wort");
}

void TestSmtpSender::refusedRecipientIsReportedInTheServersWords()
{
    LoopbackSmtpServer server;
    server.rejectRecipient("nobody@example.org",
        "550 5.1.1 <nobody@example.org>: Recipient address rejected: User unknown");
    MailItem mail;
    mail.to = "anna@example.org; nobody@example.org";
    QString error;
    QVERIFY(!SmtpSender(loopbackAccount(server.port())).send(mail, &error));
    QVERIFY2(error.contains("Recipient address rejected: User unknown"), qPrintable(error));
    QVERIFY2(error.contains("refused"), qPrintable(error));
    QVERIFY(server.messages().isEmpty());
}

void TestSmtpSender::unreachableServerIsReportedClearly()
{
    MailItem mail;
    mail.to = "anna@example.org";
    const quint16 port = closedPort();
    QString error;
    QVERIFY(!SmtpSender(loopbackAccount(port)).send(mail, &error));
    QVERIFY2(error.startsWith(
                 QString("The mail server 127.0.0.1 (port %1) could not be reached").arg(port)),
        qPrintable(error));
}

void TestSmtpSender::badInputIsRefusedBeforeAnythingIsSent()
{
    LoopbackSmtpServer server;
    const MailAccount account = loopbackAccount(server.port());
    QString error;

    MailItem mail;
    mail.to = " ; ";
    QVERIFY(!SmtpSender(account).send(mail, &error));
    QCOMPARE(error, QString("The e-mail has no recipient."));

    mail.to = "anna@example.org; bob at example.org";
    QVERIFY(!SmtpSender(account).send(mail, &error));
    QCOMPARE(error, QString("'bob at example.org' is not a valid e-mail address."));

    mail.to = "anna@example.org";
    MailAccount noSender = account;
    noSender.address = "juergen";
    QVERIFY(!SmtpSender(noSender).send(mail, &error));
    QVERIFY2(error.contains("'juergen'"), qPrintable(error));
    QVERIFY(server.messages().isEmpty());

    // Line breaks in the subject cannot add headers of their own.
    mail.subject = "Hello\r\nBcc: eve@example.org\r\nX-Injected: yes";
    QVERIFY2(SmtpSender(account).send(mail, &error), qPrintable(error));
    const LoopbackSmtpServer::Message message = server.messages().first();
    QCOMPARE(message.recipients, QList<QByteArray>({ "anna@example.org" }));
    QVERIFY(message.header("X-Injected").isEmpty());
    QVERIFY(!message.headers().toLower().contains("\nbcc:"));
    QCOMPARE(message.header("Subject"), QByteArray("Hello  Bcc: eve@example.org  X-Injected: yes"));
}

QTEST_GUILESS_MAIN(TestSmtpSender)
#include "TestSmtpSender.moc"
