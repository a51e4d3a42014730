#include "office/MailAccount.h"

#include "data/Database.h"
#include "data/Failure.h"
#include "data/Schema.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QSaveFile>

#include <qt6keychain/keychain.h>

namespace vantrel::office {

namespace {

using data::fail;

bool readPasswordFile(QString* password, QString* error)
{
    QFile file(MailAccount::passwordFileName());
    if (!file.exists()) {
        password->clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return fail(error,
            QStringLiteral("The mail password file '%1' could not be read: %2")
                .arg(file.fileName(), file.errorString()));
    QString text = QString::fromUtf8(file.readAll());
    // A file written by hand usually ends with a line break that is no part of the password.
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    *password = text;
    return true;
}

bool removePasswordFile(QString* error)
{
    QFile file(MailAccount::passwordFileName());
    if (file.exists() && !file.remove())
        return fail(error,
            QStringLiteral("The mail password file '%1' could not be removed: %2")
                .arg(file.fileName(), file.errorString()));
    return true;
}

bool writePasswordFile(const QString& password, QString* error)
{
    QSaveFile file(MailAccount::passwordFileName());
    // Narrowed before the secret is written, so it is never readable by others.
    if (file.open(QIODevice::WriteOnly)
        && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.write(password.toUtf8());
        if (file.commit()
            && QFile::setPermissions(
                file.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return true;
    }
    return fail(error,
        QStringLiteral("The mail password file '%1' could not be written: %2")
            .arg(file.fileName(), file.errorString()));
}

// The desktop's secret store keeps the password of each program folder under
// a name of its own.
const QString secretService = QStringLiteral("Vantrel");

QString secretKey()
{
    return QStringLiteral("SMTP password of %1").arg(QDir::currentPath());
}

// The store answers through the event loop; the settings are read and written
// while a screen waits for them.
void runToEnd(QKeychain::Job& job)
{
    job.setAutoDelete(false);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    job.start();
    if (!finished)
        loop.exec();
}

// Where no secret service runs (or it refuses), the file in the program folder
// that only its owner can read stands in.
bool readPassword(QString* password, QString* error)
{
    QKeychain::ReadPasswordJob job(secretService);
    job.setKey(secretKey());
    runToEnd(job);
    if (job.error() == QKeychain::NoError) {
        *password = job.textData();
        return true;
    }
    return readPasswordFile(password, error);
}

bool writePassword(const QString& password, QString* error)
{
    if (password.isEmpty()) {
        QKeychain::DeletePasswordJob job(secretService);
        job.setKey(secretKey());
        runToEnd(job);
        if (job.error() == QKeychain::AccessDeniedByUser || job.error() == QKeychain::AccessDenied
            || job.error() == QKeychain::CouldNotDeleteEntry)
            return fail(error,
                QStringLiteral("The mail password could not be removed from the desktop's "
                               "password store: %1")
                    .arg(job.errorString()));
        return removePasswordFile(error);
    }
    QKeychain::WritePasswordJob job(secretService);
    job.setKey(secretKey());
    job.setTextData(password);
    runToEnd(job);
    // Kept in the store, the password leaves no copy on the disk.
    if (job.error() == QKeychain::NoError)
        return removePasswordFile(error);
    return writePasswordFile(password, error);
}

} // namespace

bool MailAccount::canSend() const
{
    return !address.trimmed().isEmpty() && !host.trimmed().isEmpty();
}

QString MailAccount::securityText(Security security)
{
    switch (security) {
    case Security::None:
        return QStringLiteral("None");
    case Security::SslTls:
        return QStringLiteral("SSL/TLS");
    case Security::StartTls:
        break;
    }
    return QStringLiteral("STARTTLS");
}

MailAccount::Security MailAccount::securityFromText(const QString& text)
{
    if (text.compare(securityText(Security::None), Qt::CaseInsensitive) == 0)
        return Security::None;
    if (text.compare(securityText(Security::SslTls), Qt::CaseInsensitive) == 0)
        return Security::SslTls;
    return Security::StartTls;
}

QString MailAccount::passwordFileName()
{
    return QStringLiteral("Mail.key");
}

bool MailAccount::load(MailAccount* account, QString* error)
{
    data::Database db;
    if (!data::openUserDatabase(db))
        return fail(
            error, QStringLiteral("The mail settings could not be read: %1").arg(db.lastError()));
    data::QueryResult result;
    if (!db.query(QStringLiteral(
                      "SELECT TEXT01, TEXT02, TEXT03, TEXT04, TEXT05, TEXT06, NUMBER01, TEXT07 "
                      "FROM TABLE03 ORDER BY AUTONUMBER LIMIT 1"),
            {}, &result))
        return fail(
            error, QStringLiteral("The mail settings could not be read: %1").arg(db.lastError()));
    MailAccount loaded;
    if (!result.rows.isEmpty()) {
        loaded.userName = result.value(0, QStringLiteral("TEXT01")).toString();
        loaded.companyName = result.value(0, QStringLiteral("TEXT02")).toString();
        loaded.address = result.value(0, QStringLiteral("TEXT03")).toString();
        loaded.host = result.value(0, QStringLiteral("TEXT04")).toString();
        loaded.security = securityFromText(result.value(0, QStringLiteral("TEXT05")).toString());
        loaded.user = result.value(0, QStringLiteral("TEXT06")).toString();
        loaded.supportAddress = result.value(0, QStringLiteral("TEXT07")).toString();
        const QVariant port = result.value(0, QStringLiteral("NUMBER01"));
        if (!port.isNull())
            loaded.port = port.toInt();
    }
    if (!readPassword(&loaded.password, error))
        return false;
    *account = loaded;
    return true;
}

bool MailAccount::save(const MailAccount& account, QString* error)
{
    if (account.port < 1 || account.port > 65535)
        return fail(error, QStringLiteral("The port must be a number from 1 to 65535."));
    data::Database db;
    if (!data::openUserDatabase(db))
        return fail(
            error, QStringLiteral("The mail settings could not be saved: %1").arg(db.lastError()));
    data::Transaction transaction(db);
    const QVariantList values { account.userName.trimmed(), account.companyName.trimmed(),
        account.address.trimmed(), account.host.trimmed(), securityText(account.security),
        account.user.trimmed(), account.port, account.supportAddress.trimmed() };
    bool stored
        = db.execute(QStringLiteral("UPDATE TABLE03 SET TEXT01 = ?, TEXT02 = ?, TEXT03 = ?, "
                                    "TEXT04 = ?, TEXT05 = ?, TEXT06 = ?, NUMBER01 = ?, TEXT07 = ?"),
            values);
    if (stored && db.changedRows() == 0)
        stored = db.execute(
            QStringLiteral("INSERT INTO TABLE03 (TEXT01, TEXT02, TEXT03, TEXT04, "
                           "TEXT05, TEXT06, NUMBER01, TEXT07) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
            values);
    if (!stored || !transaction.commit())
        return fail(
            error, QStringLiteral("The mail settings could not be saved: %1").arg(db.lastError()));
    return writePassword(account.password, error);
}

} // namespace vantrel::office
