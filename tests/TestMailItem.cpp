#include "office/MailAddress.h"
#include "office/MailItem.h"
#include "office/MailtoLink.h"

#include "TestFolder.h"

#include <QFile>
#include <QTest>
#include <QUrlQuery>

using namespace vantrel::office;

class TestMailItem : public QObject {
    Q_OBJECT
private slots:
    void addressListsAreSplitAsTyped();
    void mailtoLinkEncodesEveryPart();
    void mailtoLinkWithoutSubjectOrBody();
    void itemIsSavedAsPlainText();
};

void TestMailItem::addressListsAreSplitAsTyped()
{
    QList<MailAddress> addresses;
    QString error;
    // The mail merge leaves "; " after every address.
    QVERIFY(MailAddress::parseList("anna@example.org; bob@example.org; ", &addresses, &error));
    QCOMPARE(addresses.size(), 2);
    QCOMPARE(addresses.at(1).address, QString("bob@example.org"));

    QVERIFY(MailAddress::parseList(
        "\"Berg, Anna\" <anna@example.org>, Bob Roth <bob@example.org>", &addresses, &error));
    QCOMPARE(addresses.size(), 2);
    QCOMPARE(addresses.at(0).name, QString("Berg, Anna"));
    QCOMPARE(addresses.at(0).address, QString("anna@example.org"));
    QCOMPARE(addresses.at(1).name, QString("Bob Roth"));

    QVERIFY(MailAddress::parseList("", &addresses, &error));
    QVERIFY(addresses.isEmpty());

    for (const char* bad : { "anna", "anna@", "@example.org", "an na@example.org",
             "anna@example..org", "<anna@example.org", "anna@example.org\r\nRCPT TO:<x@y>" }) {
        addresses = { MailAddress { "kept", "kept@example.org" } };
        QVERIFY2(
            !MailAddress::parseList(QString("ok@example.org; ") + bad, &addresses, &error), bad);
        QVERIFY2(error.endsWith("is not a valid e-mail address."), qPrintable(error));
        QCOMPARE(addresses.size(), 1);
    }
}

void TestMailItem::mailtoLinkEncodesEveryPart()
{
    MailItem mail;
    mail.to = "Anna Berg <anna@example.org>; jörg.müller@exämple.de; ";
    mail.bcc = "x+tag@example.org";
    mail.subject = "Offer & prices: 50% off? Grüße";
    mail.body = "Line one\nA=B & C#D\n";
    QUrl url;
    QString error;
    QVERIFY2(mailtoLink(mail, &url, &error), qPrintable(error));
    QVERIFY(url.isValid());
    QCOMPARE(url.toEncoded(),
        QByteArray("mailto:anna@example.org,j%C3%B6rg.m%C3%BCller@ex%C3%A4mple.de"
                   "?bcc=x%2Btag@example.org"
                   "&subject=Offer%20%26%20prices%3A%2050%25%20off%3F%20Gr%C3%BC%C3%9Fe"
                   "&body=Line%20one%0D%0AA%3DB%20%26%20C%23D%0D%0A"));
    // What a mail client reads back.
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded), mail.subject);
    QCOMPARE(
        query.queryItemValue("body", QUrl::FullyDecoded), QString("Line one\r\nA=B & C#D\r\n"));
    QCOMPARE(query.queryItemValue("bcc", QUrl::FullyDecoded), mail.bcc);
    QCOMPARE(url.path(QUrl::FullyDecoded), QString("anna@example.org,jörg.müller@exämple.de"));

    mail.to = "anna@example.org; not an address";
    QVERIFY(!mailtoLink(mail, &url, &error));
    QCOMPARE(error, QString("'not an address' is not a valid e-mail address."));
}

void TestMailItem::mailtoLinkWithoutSubjectOrBody()
{
    MailItem mail;
    mail.to = "anna@example.org";
    QUrl url;
    QString error;
    QVERIFY(mailtoLink(mail, &url, &error));
    QCOMPARE(url.toEncoded(), QByteArray("mailto:anna@example.org"));

    // Recipients only in Bcc, as the mail merge may do.
    mail.to.clear();
    mail.bcc = "anna@example.org; bob@example.org; ";
    QVERIFY(mailtoLink(mail, &url, &error));
    QCOMPARE(url.toEncoded(), QByteArray("mailto:?bcc=anna@example.org,bob@example.org"));
}

void TestMailItem::itemIsSavedAsPlainText()
{
    vantrel::test::TestFolder folder;
    QVERIFY(QDir(folder.path()).mkdir("Temp"));
    MailItem mail;
    mail.to = "anna@example.org; ";
    mail.subject = "Grüße";
    mail.body = "Dear Anna,\n\nsee you on Monday.";
    QString error;
    QVERIFY(mail.saveAsText("Temp/Vantrel Document.txt", &error));
    QFile file(folder.filePath("Temp/Vantrel Document.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
        QString("To: anna@example.org;\nSubject: Grüße\n\nDear Anna,\n\nsee you on Monday."));
    file.close();

    mail.bcc = "bob@example.org";
    QVERIFY(mail.plainText().startsWith("To: anna@example.org;\nBcc: bob@example.org\nSubject: "));

    QVERIFY(!mail.saveAsText("Missing/Vantrel Document.txt", &error));
    QVERIFY2(error.startsWith("The e-mail could not be saved as 'Missing/Vantrel Document.txt': "),
        qPrintable(error));
}

QTEST_GUILESS_MAIN(TestMailItem)
#include "TestMailItem.moc"
