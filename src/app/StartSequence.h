#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

namespace vantrel::maintenance {
class FormReplica;
}

namespace vantrel::shell {
class MDIFormMain;
class SplashWindow;
class StartSound;
} // namespace vantrel::shell

namespace vantrel::app {

using shell::MDIFormMain;
using shell::SplashWindow;
using shell::StartSound;

// The way from start to the main window: the set-up screen, which closes at once
// on a workstation that is set up; then the splash window, which loads the main
// window; the main window's start timer shows it with the setup menu, closes the
// splash and plays the start sound. After the single-user set-up the main window
// comes up directly, without the splash.
class StartSequence : public QObject {
    Q_OBJECT
public:
    explicit StartSequence(QObject* parent = nullptr);
    ~StartSequence() override;

    void start();

    maintenance::FormReplica* setupScreen() const;
    shell::SplashWindow* splash() const;
    shell::MDIFormMain* mainWindow() const;

signals:
    // The main window shows; start-up is over.
    void finished();
    // The program is to end: the user closed the main window, or the set-up
    // screen before the workstation was set up, or a replica creation or
    // synchronization asks for a restart.
    void programEnding();

private:
    void showSplash();
    void loadMainWindow();
    void mainWindowStarted();
    void setupScreenGone();
    void reportFolderCopyFailures();

    QPointer<maintenance::FormReplica> m_setup;
    QPointer<shell::SplashWindow> m_splash;
    std::unique_ptr<shell::MDIFormMain> m_main;
    shell::StartSound* m_sound;
};

} // namespace vantrel::app
