#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vantrel::ui {

// The shell's viewers that every screen opens: the manual at a screen's page and
// the zoom of a company's long text. The composition root installs them, so
// screens reach them without naming the shell.
class Viewers {
public:
    using ManualOpener = std::function<void(QWidget* from, int page)>;
    using Zoomer = std::function<void(QWidget* companyScreen, const QString& field)>;

    static void setManualOpener(ManualOpener opener);
    static void setZoomer(Zoomer zoomer);

    // Nothing happens while no viewer is installed.
    static void openManual(QWidget* from, int page);
    static void zoom(QWidget* companyScreen, const QString& field);
};

} // namespace vantrel::ui
