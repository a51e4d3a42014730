#pragma once

#include <QList>
#include <QString>

namespace vantrel::office {

// One recipient as a user types it: "anna@example.org" or
// "Anna Berg <anna@example.org>".
struct MailAddress {
    QString name;
    QString address;

    // Several recipients separated by ";" (or ","); empty entries, as left by a
    // trailing "; ", are skipped. Fails on the first entry that is no address.
    static bool parseList(const QString& text, QList<MailAddress>* addresses, QString* error);
    // A bare address: local part, "@", domain; no blanks, no control characters.
    static bool isValid(const QString& address);
};

} // namespace vantrel::office
