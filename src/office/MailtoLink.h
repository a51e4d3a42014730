#pragma once

#include <QString>
#include <QUrl>

namespace vantrel::office {

struct MailItem;

// The mailto: address that hands a mail item to the desktop's mail client:
// recipients, bcc, subject and body, every part percent-encoded as UTF-8.
bool mailtoLink(const MailItem& mail, QUrl* url, QString* error);

} // namespace vantrel::office
