// Takes the pictures of the slide show: the real program, put together as main()
// does, on a copy of the delivered databases filled with sample data, each main
// screen opened in turn and the main window grabbed into SCREENSHOTS/<name>.png.
// Run offscreen by the build; a screen that does not open stops the build.
#include "SampleData.h"
#include "ScreenTour.h"

#include "app/Composition.h"
#include "data/Clock.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// Every slide shows the main window at this size.
const QSize windowSize(1024, 700);

bool fail(QString* error, const QString& message)
{
    *error = message;
    return false;
}

// A program folder as a new installation has it, from the delivered files.
bool layOutProgramFolder(const QDir& image, const QDir& folder, QString* error)
{
    const struct {
        const char* delivered;
        const char* name;
    } files[] = { { "Temp.mdb", "CONTACT.mdb" }, { "User.mdb", "User.mdb" } };
    for (const auto& file : files) {
        const QString from = image.filePath(QLatin1String(file.delivered));
        if (!QFile::copy(from, folder.filePath(QLatin1String(file.name))))
            return fail(error, QStringLiteral("%1 could not be copied; is it built?").arg(from));
        QFile::setPermissions(folder.filePath(QLatin1String(file.name)),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    for (const char* name : { "Temp", "Documents", "Attachments" }) {
        if (!folder.mkpath(QLatin1String(name)))
            return fail(error,
                QStringLiteral("The folder %1 could not be made.")
                    .arg(folder.filePath(QLatin1String(name))));
    }
    return true;
}

bool writeScreenshots(const QDir& output, const QList<QImage>& images, QString* error)
{
    if (!output.mkpath(QStringLiteral(".")))
        return fail(error, QStringLiteral("The folder %1 could not be made.").arg(output.path()));
    const QList<vantrel::tools::ScreenShot>& shots = vantrel::tools::screenShots();
    QString index;
    for (qsizetype i = 0; i < shots.size(); ++i) {
        const QString name = shots.at(i).name + QStringLiteral(".png");
        QSaveFile file(output.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || !images.at(i).save(&file, "PNG") || !file.commit())
            return fail(error, QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
        index += name + QLatin1Char('\n');
    }
    // The list is written last: the build takes its date for that of the pictures.
    QSaveFile list(output.filePath(QStringLiteral("screenshots.txt")));
    if (!list.open(QIODevice::WriteOnly) || list.write(index.toUtf8()) < 0 || !list.commit())
        return fail(error, QStringLiteral("%1: %2").arg(list.fileName(), list.errorString()));
    return true;
}

bool run(const QDir& image, const QDir& output, QString* error)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return fail(error, folder.errorString());
    if (!layOutProgramFolder(image, QDir(folder.path()), error))
        return false;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QList<QImage> images;
    const bool taken = vantrel::tools::writeSampleData(error)
        && vantrel::tools::takeScreenShots(
            vantrel::tools::screenShots(), windowSize, &images, error);
    QDir::setCurrent(previous);
    return taken && writeScreenshots(output, images, error);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    // The setup menu shows them as the program does.
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: vantrel-makescreens PROGRAM_IMAGE SCREENSHOTS\n";
        return 2;
    }
    vantrel::app::composeApplication();
    vantrel::data::Clock::setFixed(vantrel::tools::sampleNow());
    QString error;
    if (!run(
            QDir(QString::fromLocal8Bit(argv[1])), QDir(QString::fromLocal8Bit(argv[2])), &error)) {
        err << "vantrel-makescreens: the screenshots of the slide show could not be taken: "
            << error << '\n';
        return 1;
    }
    return 0;
}
