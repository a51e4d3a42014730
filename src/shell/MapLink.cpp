#include "shell/MapLink.h"

#include "platform/Desktop.h"

namespace vantrel::shell {

const QString MapLink::service = QStringLiteral("https://www.openstreetmap.org/");

QUrl MapLink::searchUrl(const QString& address)
{
    const QString query = address.simplified();
    QUrl url(service);
    if (query.isEmpty())
        return url;
    url.setPath(QStringLiteral("/search"));
    // Encoded here rather than by QUrlQuery, which leaves '+' for the server to read as a blank.
    url.setQuery(QStringLiteral("query=") + QString::fromLatin1(QUrl::toPercentEncoding(query)),
        QUrl::StrictMode);
    return url;
}

bool MapLink::open(const QString& address, QString* error)
{
    return platform::Desktop::openUrl(searchUrl(address), error);
}

} // namespace vantrel::shell
