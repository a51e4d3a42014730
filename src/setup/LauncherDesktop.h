#pragma once

#include <QString>

#include <memory>

namespace vantrel::setup {

// What the launcher asks of the desktop: open a document with its application,
// start an installation package without waiting for it. Tests install a double.
class LauncherDesktop {
public:
    virtual ~LauncherDesktop() = default;

    static LauncherDesktop& instance();
    // nullptr brings back the desktop's own.
    static void setInstance(std::unique_ptr<LauncherDesktop> desktop);

    virtual bool openDocument(const QString& path, QString* error) = 0;
    virtual bool startPackage(const QString& path, QString* error) = 0;
};

} // namespace vantrel::setup
