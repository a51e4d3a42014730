#include "setup/DistributionFolder.h"
#include "setup/FormMain.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel Setup"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/setup/vantrel.svg")));
    const vantrel::setup::DistributionFolder distribution(QApplication::applicationDirPath());
    vantrel::setup::FormMain window(distribution);
    QObject::connect(&window, &vantrel::setup::FormMain::finished, &app, &QApplication::quit,
        Qt::QueuedConnection);
    window.show();
    return app.exec();
}
