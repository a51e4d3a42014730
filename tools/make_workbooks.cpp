// Writes the workbooks delivered in the program folder: the empty call log and
// the price and competition workbooks with their heading rows.
#include "office/DeliveredWorkbooks.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: vantrel-makeworkbooks PROGRAM_FOLDER\n";
        return 2;
    }
    QString error;
    if (!vantrel::office::writeDeliveredWorkbooks(QString::fromLocal8Bit(argv[1]), &error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
