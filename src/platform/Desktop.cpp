#include "platform/Desktop.h"

#include "data/Failure.h"
#include "data/ProgramFolder.h"
#include "platform/MessageBox.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrlQuery>

namespace vantrel::platform {

namespace {

class SystemOpener : public Desktop::Opener {
public:
    bool open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

std::unique_ptr<Desktop::Opener>& installedOpener()
{
    static std::unique_ptr<Desktop::Opener> opener;
    return opener;
}

using data::fail;

// Says which kind of program is missing instead of repeating an address that may run to
// the whole encoded text of a mail.
QString noProgramFor(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == u"mailto")
        return QStringLiteral("No mail program is set up on this computer.");
    if (scheme == u"http" || scheme == u"https")
        return QStringLiteral("No web browser is set up on this computer to open %1.")
            .arg(url.host());
    return QStringLiteral("No program on this computer opens '%1'.").arg(url.fileName());
}

bool isAllowed(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == u"http" || scheme == u"https")
        return !url.host().isEmpty();
    if (scheme == u"mailto")
        return true;
    if (url.isLocalFile())
        return data::isInsideProgramFolder(url.toLocalFile());
    return false;
}

// A mail client takes more from a mailto: address than a message to write, such
// as attach= with a file of the user's; only the fields of a message go on.
QUrl withMessageFieldsOnly(const QUrl& url)
{
    static const QStringList fields { QStringLiteral("to"), QStringLiteral("cc"),
        QStringLiteral("bcc"), QStringLiteral("subject"), QStringLiteral("body") };
    if (!url.hasQuery())
        return url;
    const QList<std::pair<QString, QString>> items
        = QUrlQuery(url.query(QUrl::FullyEncoded)).queryItems(QUrl::FullyEncoded);
    QUrlQuery kept;
    for (const auto& [key, value] : items) {
        const QString name = QUrl::fromPercentEncoding(key.toUtf8()).trimmed().toLower();
        if (fields.contains(name))
            kept.addQueryItem(key, value);
    }
    QUrl result = url;
    result.setQuery(kept.isEmpty() ? QString() : kept.query(QUrl::FullyEncoded));
    return result;
}

} // namespace

bool Desktop::openUrl(const QUrl& given, QString* error)
{
    if (!given.isValid() || !isAllowed(given))
        return fail(error, QStringLiteral("'%1' cannot be opened.").arg(given.toDisplayString()));
    const QUrl url = given.scheme().compare(u"mailto", Qt::CaseInsensitive) == 0
        ? withMessageFieldsOnly(given)
        : given;
    Opener* opener = installedOpener().get();
    SystemOpener system;
    if (!opener)
        opener = &system;
    if (!opener->open(url))
        return fail(error, noProgramFor(url));
    return true;
}

bool Desktop::openFile(const QString& fileName, QString* error)
{
    const QString path = QDir::current().absoluteFilePath(fileName);
    if (!QFileInfo::exists(path))
        return fail(error, QStringLiteral("The file '%1' could not be found.").arg(fileName));
    // The file itself, not a link to it, so what was checked is what opens.
    return openUrl(QUrl::fromLocalFile(QFileInfo(path).canonicalFilePath()), error);
}

bool Desktop::openUrlOrReport(QWidget* parent, const QUrl& url)
{
    QString error;
    if (openUrl(url, &error))
        return true;
    MessageBox::warning(parent, error);
    return false;
}

bool Desktop::openFileOrReport(QWidget* parent, const QString& fileName)
{
    QString error;
    if (openFile(fileName, &error))
        return true;
    MessageBox::warning(parent, error);
    return false;
}

void Desktop::setOpener(std::unique_ptr<Opener> opener)
{
    installedOpener() = std::move(opener);
}

} // namespace vantrel::platform
