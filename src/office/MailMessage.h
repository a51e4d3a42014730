#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

namespace vantrel::office {

struct MailAccount;
struct MailItem;

// A mail item made ready for SMTP: the envelope (sender, every recipient of To
// and Bcc) and the message text in UTF-8 MIME form. Bcc recipients are in the
// envelope only, never in the headers.
struct MailMessage {
    QByteArray sender;
    QList<QByteArray> recipients;
    QByteArray text;

    static bool compose(const MailAccount& account, const MailItem& mail, const QDateTime& date,
        MailMessage* message, QString* error);
};

} // namespace vantrel::office
