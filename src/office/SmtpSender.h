#pragma once

#include "office/MailAccount.h"

#include <QString>

namespace vantrel::office {

struct MailItem;

// Sends mail through the account's SMTP server (libcurl). The call blocks until
// the server has taken the message or refused it, so the program runs it off
// the GUI thread. A refusal is reported in the server's own words.
class SmtpSender {
public:
    explicit SmtpSender(const MailAccount& account);

    bool send(const MailItem& mail, QString* error) const;

private:
    MailAccount m_account;
};

} // namespace vantrel::office
