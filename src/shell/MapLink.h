#pragma once

#include <QString>
#include <QUrl>

namespace vantrel::shell {

// The web map service, opened in the default browser with a company's address
// as its search.
class MapLink {
public:
    static const QString service;

    // The map's address search; line breaks and runs of blanks count as one
    // blank. A blank address gives the map's start page.
    static QUrl searchUrl(const QString& address);
    static bool open(const QString& address, QString* error = nullptr);
};

} // namespace vantrel::shell
