#include "office/MailItem.h"

#include <QDir>
#include <QSaveFile>

namespace vantrel::office {

QString MailItem::plainText() const
{
    QString text = QStringLiteral("To: ") + to.trimmed() + u'\n';
    if (!bcc.trimmed().isEmpty())
        text += QStringLiteral("Bcc: ") + bcc.trimmed() + u'\n';
    text += QStringLiteral("Subject: ") + subject + QStringLiteral("\n\n") + body;
    return text;
}

bool MailItem::saveAsText(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write(plainText().toUtf8());
        if (file.commit())
            return true;
    }
    if (error) {
        *error = QStringLiteral("The e-mail could not be saved as '%1': %2")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return false;
}

} // namespace vantrel::office
