#include "platform/Desktop.h"

#include "data/ProgramFolder.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

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

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

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

} // namespace

bool Desktop::openUrl(const QUrl& url, QString* error)
{
    if (!url.isValid() || !isAllowed(url))
        return fail(error, QStringLiteral("'%1' cannot be opened.").arg(url.toDisplayString()));
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
    return openUrl(QUrl::fromLocalFile(path), error);
}

void Desktop::setOpener(std::unique_ptr<Opener> opener)
{
    installedOpener() = std::move(opener);
}

bool RecordingOpener::open(const QUrl& url)
{
    opened.append(url);
    return succeed;
}

} // namespace vantrel::platform
