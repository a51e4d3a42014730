#include "app/Composition.h"
#include "app/ProgramFolderChoice.h"
#include "app/StartSequence.h"
#include "data/ProgramFolder.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("vantrel"));
    // Windows come and go during start-up; the program ends when the shell says so.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Vantrel, the field sales CRM."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption folderOption(QStringLiteral("program-folder"),
        QStringLiteral("The folder that holds the databases and documents (default: the "
                       "folder of the program, or ~/Vantrel when that cannot be written)."),
        QStringLiteral("folder"));
    options.addOption(folderOption);
    options.process(app);

    using vantrel::app::ProgramFolderChoice;
    const QString image = QApplication::applicationDirPath();
    const QString folder = ProgramFolderChoice::choose(options.value(folderOption), image);
    QString error;
    if (!ProgramFolderChoice::layOut(image, folder, &error)) {
        std::fprintf(stderr, "vantrel: %s\n", qPrintable(error));
        return 1;
    }
    if (!vantrel::data::enterProgramFolder(folder)) {
        std::fprintf(
            stderr, "vantrel: the program folder %s cannot be entered.\n", qPrintable(folder));
        return 1;
    }

    vantrel::app::composeApplication();
    vantrel::app::StartSequence startSequence;
    QObject::connect(&startSequence, &vantrel::app::StartSequence::programEnding, &app,
        &QApplication::quit, Qt::QueuedConnection);
    startSequence.start();
    return app.exec();
}
