#include "app/StartSequence.h"

#include "maintenance/FormReplica.h"
#include "shell/MDIFormMain.h"
#include "shell/SplashWindow.h"
#include "shell/StartSound.h"
#include "ui/Screens.h"

namespace vantrel::app {

StartSequence::StartSequence(QObject* parent)
    : QObject(parent)
    , m_sound(new shell::StartSound(this))
{
}

StartSequence::~StartSequence()
{
    delete m_setup.data();
    delete m_splash.data();
    m_main.reset();
    ui::Screens::closeAll();
}

void StartSequence::start()
{
    m_setup = new maintenance::FormReplica;
    m_setup->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_setup, &maintenance::FormReplica::alreadySetUp, this, &StartSequence::showSplash);
    connect(
        m_setup, &maintenance::FormReplica::singleUserSetUp, this, &StartSequence::loadMainWindow);
    connect(m_setup, &QObject::destroyed, this, &StartSequence::setupScreenGone);
    m_setup->show();
}

maintenance::FormReplica* StartSequence::setupScreen() const
{
    return m_setup;
}

shell::SplashWindow* StartSequence::splash() const
{
    return m_splash;
}

shell::MDIFormMain* StartSequence::mainWindow() const
{
    return m_main.get();
}

void StartSequence::showSplash()
{
    m_splash = new shell::SplashWindow;
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_splash, &shell::SplashWindow::activated, this, &StartSequence::loadMainWindow);
    m_splash->show();
}

void StartSequence::loadMainWindow()
{
    if (m_main)
        return;
    m_main = std::make_unique<shell::MDIFormMain>();
    connect(m_main.get(), &shell::MDIFormMain::started, this, &StartSequence::mainWindowStarted);
    connect(m_main.get(), &shell::MDIFormMain::programEnding, this, &StartSequence::programEnding);
}

void StartSequence::mainWindowStarted()
{
    if (m_splash)
        m_splash->close();
    m_sound->play();
    emit finished();
}

// Closing the set-up screen before the workstation is set up ends the program.
void StartSequence::setupScreenGone()
{
    if (!m_splash && !m_main)
        emit programEnding();
}

} // namespace vantrel::app
