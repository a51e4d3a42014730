// Compacts the CONTACT.mdb of the folder it is given, over and over, until it is
// killed; the compaction tests kill it at chosen moments and inspect what is left.
#include "data/Compaction.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fputs("usage: compactor PROGRAM_FOLDER\n", stderr);
        return 2;
    }
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;) {
        QString error;
        if (!vantrel::data::compactInPlace(
                QStringLiteral("CONTACT.mdb"), QStringLiteral("Temp/CONTACT.bak"), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
}
