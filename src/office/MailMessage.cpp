#include "office/MailMessage.h"

#include "data/Failure.h"
#include "office/MailAccount.h"
#include "office/MailAddress.h"
#include "office/MailItem.h"

#include <QSet>
#include <QUrl>
#include <QUuid>

#include <algorithm>

namespace vantrel::office {

namespace {

constexpr qsizetype maxHeaderLine = 76;
constexpr qsizetype maxQuotedPrintableLine = 76;

using data::fail;

bool isPlainAscii(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return !text.contains(QStringLiteral("=?"));
}

// Line breaks in a header value would start a header of the user's choosing.
QString singleLine(const QString& text)
{
    QString line = text;
    for (QChar& c : line) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    }
    return line;
}

// The UTF-8 bytes that fit into one encoded word of a line with `room` characters left.
qsizetype encodedWordBytes(qsizetype room)
{
    const qsizetype overhead = 12; // the charset introduction and the closing delimiter
    return std::max<qsizetype>(4, (room - overhead) / 4) * 3;
}

// RFC 2047 words, split between characters and folded so that no line grows past
// 76 characters; `used` is what the line holds before the first word.
QByteArray encodedWords(const QString& text, qsizetype used)
{
    QList<QByteArray> words;
    QByteArray chunk;
    qsizetype limit = encodedWordBytes(maxHeaderLine - used);
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype length = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QByteArray bytes = text.mid(i, length).toUtf8();
        if (chunk.size() + bytes.size() > limit) {
            limit = encodedWordBytes(maxHeaderLine - 1);
            words.append(chunk);
            chunk.clear();
        }
        chunk += bytes;
        i += length;
    }
    if (!chunk.isEmpty())
        words.append(chunk);
    QByteArray result;
    for (const QByteArray& word : words) {
        if (!result.isEmpty())
            result += "\r\n ";
        result += "=?UTF-8?B?" + word.toBase64() + "?=";
    }
    return result;
}

QByteArray headerText(const QString& text, qsizetype used)
{
    const QString line = singleLine(text);
    return isPlainAscii(line) && line.size() < 900 ? line.toLatin1() : encodedWords(line, used);
}

QByteArray displayName(const QString& name, qsizetype used)
{
    const QString line = singleLine(name).trimmed();
    if (!isPlainAscii(line))
        return encodedWords(line, used);
    QByteArray quoted = line.toLatin1();
    quoted.replace("\\", "\\\\").replace("\"", "\\\"");
    return '"' + quoted + '"';
}

bool envelopeAddress(const QString& address, QByteArray* envelope, QString* error)
{
    const qsizetype at = address.lastIndexOf(u'@');
    const QString local = address.left(at);
    if (!isPlainAscii(local))
        return fail(error,
            QStringLiteral("'%1' cannot be sent to by this mail server: the part "
                           "before the @ must be plain ASCII.")
                .arg(address));
    const QByteArray domain = QUrl::toAce(address.mid(at + 1));
    if (domain.isEmpty())
        return fail(error, QStringLiteral("'%1' is not a valid e-mail address.").arg(address));
    *envelope = local.toLatin1() + '@' + domain;
    return true;
}

bool headerAddress(const MailAddress& address, qsizetype used, QByteArray* header, QString* error)
{
    QByteArray bare;
    if (!envelopeAddress(address.address, &bare, error))
        return false;
    *header = address.name.isEmpty() ? bare : displayName(address.name, used) + " <" + bare + '>';
    return true;
}

QByteArray quotedPrintable(const QString& body)
{
    QString normalized = body;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QByteArray result;
    const QStringList lines = normalized.split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray bytes = lines.at(n).toUtf8();
        QByteArray line;
        qsizetype lineLength = 0;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes.at(i));
            const bool atEnd = i == bytes.size() - 1;
            // A leading dot could end the SMTP data early on some servers, and blanks at the end
            // of a line may be stripped on the way.
            const bool encode = byte == '=' || byte > 126 || (byte < 32 && byte != '\t')
                || ((byte == ' ' || byte == '\t') && atEnd) || (byte == '.' && lineLength == 0);
            QByteArray token = encode
                ? '=' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper()
                : QByteArray(1, char(byte));
            const qsizetype room = atEnd ? maxQuotedPrintableLine : maxQuotedPrintableLine - 1;
            if (lineLength + token.size() > room) {
                line += "=\r\n";
                lineLength = 0;
                if (token == ".")
                    token = "=2E";
            }
            line += token;
            lineLength += token.size();
        }
        result += line + "\r\n";
    }
    return result;
}

} // namespace

bool MailMessage::compose(const MailAccount& account, const MailItem& mail, const QDateTime& date,
    MailMessage* message, QString* error)
{
    const QString senderAddress = account.address.trimmed();
    if (!MailAddress::isValid(senderAddress))
        return fail(error,
            QStringLiteral("The sender address '%1' of the mail settings is not a "
                           "valid e-mail address.")
                .arg(senderAddress));
    QList<MailAddress> to;
    QList<MailAddress> bcc;
    if (!MailAddress::parseList(mail.to, &to, error)
        || !MailAddress::parseList(mail.bcc, &bcc, error))
        return false;
    if (to.isEmpty() && bcc.isEmpty())
        return fail(error, QStringLiteral("The e-mail has no recipient."));

    MailMessage composed;
    if (!envelopeAddress(senderAddress, &composed.sender, error))
        return false;
    QSet<QByteArray> seen;
    for (const MailAddress& recipient : to + bcc) {
        QByteArray envelope;
        if (!envelopeAddress(recipient.address, &envelope, error))
            return false;
        if (!seen.contains(envelope.toLower())) {
            seen.insert(envelope.toLower());
            composed.recipients.append(envelope);
        }
    }

    QList<QByteArray> toHeader;
    for (const MailAddress& recipient : to) {
        QByteArray header;
        if (!headerAddress(recipient, toHeader.isEmpty() ? 4 : 1, &header, error))
            return false;
        toHeader.append(header);
    }
    QByteArray from;
    headerAddress({ account.userName, senderAddress }, 6, &from, nullptr);

    QByteArray text;
    text += "Date: " + date.toString(Qt::RFC2822Date).toLatin1() + "\r\n";
    text += "From: " + from + "\r\n";
    text += "To: "
        + (toHeader.isEmpty() ? QByteArray("undisclosed-recipients:;") : toHeader.join(",\r\n "))
        + "\r\n";
    text += "Subject: " + headerText(mail.subject, 9) + "\r\n";
    if (!account.companyName.trimmed().isEmpty())
        text += "Organization: " + headerText(account.companyName.trimmed(), 14) + "\r\n";
    text += "Message-ID: <" + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + '@'
        + composed.sender.mid(composed.sender.lastIndexOf('@') + 1) + ">\r\n";
    text += "MIME-Version: 1.0\r\n";
    text += "Content-Type: text/plain; charset=utf-8\r\n";
    text += "Content-Transfer-Encoding: quoted-printable\r\n";
    text += "\r\n";
    text += quotedPrintable(mail.body);
    composed.text = text;
    *message = composed;
    return true;
}

} // namespace vantrel::office
