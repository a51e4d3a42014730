// vantrel-foldercopy: copies the Documents and Attachments folders both ways
// between the program folder and the server folder after a synchronization.
// The program starts it detached and ends; what it did and every failure go to
// FolderCopy.log in the program folder, which the program reads at its next start.
//
//   vantrel-foldercopy <program folder> <server Documents> <server Attachments>
#include "data/FolderCopy.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr,
            "usage: vantrel-foldercopy <program folder> <server Documents> <server Attachments>\n");
        return 2;
    }
    using vantrel::data::FolderCopy;
    const QString programFolder = arguments.at(1);
    const FolderCopy::Outcome outcome
        = FolderCopy::run(FolderCopy::steps(programFolder, arguments.at(2), arguments.at(3)),
            QDir(programFolder).filePath(FolderCopy::logName));
    return outcome.failures.isEmpty() ? 0 : 1;
}
