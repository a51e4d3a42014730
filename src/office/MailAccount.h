#pragma once

#include <QString>

namespace vantrel::office {

// The workstation's mail account: who the user is and the SMTP server that
// sends for them. Kept in User.mdb (TABLE03, one row); the password lives
// apart from the database: in the desktop's password store, or where no such
// store runs, in a file of the program folder that only its owner can read.
struct MailAccount {
    enum class Security { None, StartTls, SslTls };

    QString userName;
    QString companyName;
    QString address;
    QString host;
    int port = 587;
    Security security = Security::StartTls;
    QString user;
    QString password;
    // Where support requests go; empty for the program's own support address.
    QString supportAddress;

    // Mail is sent through SMTP only with an address and a server; without
    // them it is handed to the desktop's mail client.
    bool canSend() const;

    static QString securityText(Security security);
    static Security securityFromText(const QString& text);

    // Both read from and write to User.mdb and the password file in the
    // working folder (the program folder).
    static bool load(MailAccount* account, QString* error);
    static bool save(const MailAccount& account, QString* error);
    static QString passwordFileName();
};

} // namespace vantrel::office
