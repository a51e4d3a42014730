#include "platform/ProgramFolder.h"
#include "shell/StartSequence.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    // Windows come and go during start-up; the program ends when the shell says so.
    QApplication::setQuitOnLastWindowClosed(false);
    vantrel::platform::enterProgramFolder();

    vantrel::shell::StartSequence startSequence;
    QObject::connect(&startSequence, &vantrel::shell::StartSequence::programEnding, &app,
        &QApplication::quit, Qt::QueuedConnection);
    startSequence.start();
    return app.exec();
}
