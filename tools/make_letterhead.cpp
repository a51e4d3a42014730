// Writes the word-processor template delivered in the program folder.
#include "office/DefaultLetterhead.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // Text documents need the font database, which comes with a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: vantrel-makeletterhead PROGRAM_FOLDER\n";
        return 2;
    }
    QString error;
    if (!vantrel::office::writeDefaultLetterhead(QString::fromLocal8Bit(argv[1]), &error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
