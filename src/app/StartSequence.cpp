#include "app/StartSequence.h"

#include "data/FolderCopy.h"
#include "data/ProgramFolder.h"
#include "maintenance/FormReplica.h"
#include "platform/MessageBox.h"
#include "shell/MDIFormMain.h"
#include "shell/SplashWindow.h"
#include "shell/StartSound.h"
#include "ui/ProgramEnd.h"
#include "ui/Screens.h"

#include <QDir>

namespace vantrel::app {

namespace {

// More than a screenful of names helps nobody; the log holds them all.
constexpr int listedFailures = 15;

} // namespace

StartSequence::StartSequence(QObject* parent)
    : QObject(parent)
    , m_sound(new shell::StartSound(this))
{
    // A replica creation or a synchronization ends the program for a restart
    // on the new database.
    connect(ui::ProgramEnd::instance(), &ui::ProgramEnd::requested, this,
        &StartSequence::programEnding);
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
    reportFolderCopyFailures();
    emit finished();
}

// The copy of the document folders runs on after the program that started it
// has ended, so its failures can only be told at the next start; each is told once.
void StartSequence::reportFolderCopyFailures()
{
    const QString log = QDir(data::programFolder()).filePath(data::FolderCopy::logName);
    QList<data::FolderCopy::Failure> failures;
    QString error;
    if (!data::FolderCopy::takeUnreportedFailures(log, &failures, &error)) {
        platform::MessageBox::warning(m_main.get(), error);
        return;
    }
    if (failures.isEmpty())
        return;
    const QString lineBreak = QStringLiteral("\r\n");
    QStringList lines;
    for (const data::FolderCopy::Failure& failure :
        std::as_const(failures).first(qMin<qsizetype>(failures.size(), listedFailures)))
        lines.append(failure.source + QStringLiteral(" to ") + failure.target + QStringLiteral(" (")
            + failure.reason + QLatin1Char(')'));
    if (failures.size() > listedFailures)
        lines.append(QStringLiteral("... and %1 more.").arg(failures.size() - listedFailures));
    platform::MessageBox::warning(m_main.get(),
        QStringLiteral("The folders Documents and Attachments were not copied completely after "
                       "the last synchronization. These files could not be copied:")
            + lineBreak + lines.join(lineBreak) + lineBreak + lineBreak
            + QStringLiteral("Copy them by hand or synchronize again. The log ")
            + QDir::toNativeSeparators(log) + QStringLiteral(" tells what was copied."));
}

// Closing the set-up screen before the workstation is set up ends the program.
void StartSequence::setupScreenGone()
{
    if (!m_splash && !m_main)
        emit programEnding();
}

} // namespace vantrel::app
