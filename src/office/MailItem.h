#pragma once

#include <QString>
#include <QUuid>

namespace vantrel::office {

// An e-mail being written. Several addresses in To or Bcc are joined by ";".
struct MailItem {
    QUuid id; // tells which open mail window shows this item
    QString to;
    QString bcc;
    QString subject;
    QString body;

    // The item as the plain text that is kept of it: the address and subject
    // lines, an empty line, then the body.
    QString plainText() const;
    bool saveAsText(const QString& path, QString* error) const;
};

} // namespace vantrel::office
