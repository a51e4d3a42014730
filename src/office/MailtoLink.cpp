#include "office/MailtoLink.h"

#include "office/MailAddress.h"
#include "office/MailItem.h"

namespace vantrel::office {

namespace {

QByteArray encodedAddresses(const QList<MailAddress>& addresses)
{
    QList<QByteArray> encoded;
    for (const MailAddress& address : addresses)
        encoded.append(QUrl::toPercentEncoding(address.address, "@"));
    return encoded.join(',');
}

} // namespace

bool mailtoLink(const MailItem& mail, QUrl* url, QString* error)
{
    QList<MailAddress> to;
    QList<MailAddress> bcc;
    if (!MailAddress::parseList(mail.to, &to, error)
        || !MailAddress::parseList(mail.bcc, &bcc, error))
        return false;
    QString body = mail.body;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    body.replace(u'\n', QStringLiteral("\r\n"));

    QList<QByteArray> fields;
    if (!bcc.isEmpty())
        fields.append("bcc=" + encodedAddresses(bcc));
    if (!mail.subject.isEmpty())
        fields.append("subject=" + QUrl::toPercentEncoding(mail.subject));
    if (!body.isEmpty())
        fields.append("body=" + QUrl::toPercentEncoding(body));
    QByteArray text = "mailto:" + encodedAddresses(to);
    if (!fields.isEmpty())
        text += '?' + fields.join('&');
    *url = QUrl::fromEncoded(text, QUrl::StrictMode);
    return true;
}

} // namespace vantrel::office
