// Writes the user manual Help.pdf and the slide show Presentation.pdf into the
// program folder from the HTML sources in docs/, with pictures of the real screens:
// the manual's are taken here, the slide show's by vantrel-makescreens.
#include "ManualPictures.h"
#include "ManualRenderer.h"
#include "ManualSource.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QVersionNumber>

#include <algorithm>

namespace {

// The screenshots that screenshots.txt lists, as the slides name them:
// "screen:Companies" for Companies.png. Each must be shown, so that the slide
// show has a slide for every screen.
bool readScreenShots(const QString& folder, const QList<vantrel::shell::ManualSection>& slides,
    QHash<QString, QImage>* pictures, QString* error)
{
    const QDir dir(folder);
    QFile list(dir.filePath(QStringLiteral("screenshots.txt")));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: %2").arg(list.fileName(), list.errorString());
        return false;
    }
    const QStringList names
        = QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& fileName : names) {
        const QImage image(dir.filePath(fileName));
        if (image.isNull()) {
            *error = QStringLiteral("%1 is no readable picture.").arg(dir.filePath(fileName));
            return false;
        }
        const QString name = QStringLiteral("screen:") + QFileInfo(fileName).completeBaseName();
        const QString source = QStringLiteral("src=\"%1\"").arg(name);
        const bool shown = std::any_of(
            slides.cbegin(), slides.cend(), [&](const vantrel::shell::ManualSection& slide) {
                return slide.html.contains(source);
            });
        if (!shown) {
            *error = QStringLiteral("No slide shows the screenshot %1.").arg(fileName);
            return false;
        }
        pictures->insert(name, image);
    }
    if (pictures->isEmpty()) {
        *error = QStringLiteral("%1 lists no screenshots.").arg(list.fileName());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 6) {
        err << "usage: vantrel-makemanual MANUAL_SOURCES PRESENTATION_SOURCES SCREENSHOTS "
               "PROGRAM_FOLDER VERSION\n";
        return 2;
    }
    const QString manualFolder = QString::fromLocal8Bit(argv[1]);
    const QString slidesFolder = QString::fromLocal8Bit(argv[2]);
    const QString screenshotFolder = QString::fromLocal8Bit(argv[3]);
    const QDir programFolder(QString::fromLocal8Bit(argv[4]));
    QApplication::setApplicationVersion(QString::fromLocal8Bit(argv[5]));

    using namespace vantrel::shell;
    QString error;
    QHash<QString, QImage> pictures;
    QHash<QString, QImage> screenshots;
    QList<ManualSection> sections;
    QList<ManualSection> slides;
    if (!takeScreenPictures(&pictures, &error)
        || !readManualSources(manualFolder, &sections, &error)
        || !readManualSources(slidesFolder, &slides, &error)
        || !readScreenShots(screenshotFolder, slides, &screenshots, &error)) {
        err << error << '\n';
        return 1;
    }
    const QVersionNumber number = QVersionNumber::fromString(QApplication::applicationVersion());
    const QString version
        = QStringLiteral("Version %1.%2").arg(number.majorVersion()).arg(number.minorVersion());
    ManualRenderer manual(QStringLiteral("Vantrel User Manual"), version);
    ManualRenderer presentation(QStringLiteral("Vantrel Quick Start"), version);
    for (auto picture = pictures.cbegin(); picture != pictures.cend(); ++picture)
        manual.addPicture(picture.key(), picture.value());
    for (auto picture = screenshots.cbegin(); picture != screenshots.cend(); ++picture)
        presentation.addPicture(picture.key(), picture.value());
    if (!manual.writeManual(sections, programFolder.filePath(QStringLiteral("Help.pdf")), &error)
        || !presentation.writePresentation(
            slides, programFolder.filePath(QStringLiteral("Presentation.pdf")), &error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
