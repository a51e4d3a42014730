#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    vantrel::platform::enterProgramFolder();

    QMainWindow window;
    window.setObjectName(QStringLiteral("MDIFormMain"));
    window.setWindowTitle(QStringLiteral("Vantrel"));
    window.resize(1024, 720);
    window.show();
    return app.exec();
}
