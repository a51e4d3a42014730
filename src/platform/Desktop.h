#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <memory>

class QWidget;

namespace vantrel::platform {

// Hands web addresses, mail addresses and the program's own files to the
// desktop's applications. Only http, https and mailto addresses and files inside
// the program folder are handed on; anything else is refused with a reason.
class Desktop {
public:
    class Opener {
    public:
        virtual ~Opener() = default;
        virtual bool open(const QUrl& url) = 0;
    };

    static bool openUrl(const QUrl& url, QString* error = nullptr);
    // A file of the program folder by its (relative) name.
    static bool openFile(const QString& fileName, QString* error = nullptr);
    // The same for a command of a screen: what failed is said in a message over it.
    static bool openUrlOrReport(QWidget* parent, const QUrl& url);
    static bool openFileOrReport(QWidget* parent, const QString& fileName);

    static void setOpener(std::unique_ptr<Opener> opener);
};

} // namespace vantrel::platform
