// Writes the user manual Help.pdf and the Quick Start slides QuickStart.pdf into
// the program folder from the HTML sources in docs/, with pictures of the real screens.
#include "ManualPictures.h"
#include "ManualRenderer.h"
#include "ManualSource.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <QVersionNumber>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 5) {
        err << "usage: vantrel-makemanual MANUAL_SOURCES QUICKSTART_SOURCES PROGRAM_FOLDER "
               "VERSION\n";
        return 2;
    }
    const QString manualFolder = QString::fromLocal8Bit(argv[1]);
    const QString slidesFolder = QString::fromLocal8Bit(argv[2]);
    const QDir programFolder(QString::fromLocal8Bit(argv[3]));
    QApplication::setApplicationVersion(QString::fromLocal8Bit(argv[4]));

    using namespace vantrel::shell;
    QString error;
    QHash<QString, QImage> pictures;
    QList<ManualSection> sections;
    QList<ManualSection> slides;
    if (!takeScreenPictures(&pictures, &error)
        || !readManualSources(manualFolder, &sections, &error)
        || !readManualSources(slidesFolder, &slides, &error)) {
        err << error << '\n';
        return 1;
    }
    const QVersionNumber number = QVersionNumber::fromString(QApplication::applicationVersion());
    const QString version
        = QStringLiteral("Version %1.%2").arg(number.majorVersion()).arg(number.minorVersion());
    ManualRenderer manual(QStringLiteral("Vantrel User Manual"), version);
    ManualRenderer quickStart(QStringLiteral("Vantrel Quick Start"), version);
    for (auto picture = pictures.cbegin(); picture != pictures.cend(); ++picture) {
        manual.addPicture(picture.key(), picture.value());
        quickStart.addPicture(picture.key(), picture.value());
    }
    if (!manual.writeManual(sections, programFolder.filePath(QStringLiteral("Help.pdf")), &error)
        || !quickStart.writeSlides(
            slides, programFolder.filePath(QStringLiteral("QuickStart.pdf")), &error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
