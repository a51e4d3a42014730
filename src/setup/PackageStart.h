#pragma once

#include <QString>

class QWidget;

namespace vantrel::setup {

// The last step of the server set-up, after "&OK" or "Skip": the warning about
// where to install, then the installation package, started without waiting.
// False (with the reason shown) when the package could not be started.
bool startInstallation(QWidget* parent, const QString& package);

extern const char* const pathWarning;

} // namespace vantrel::setup
