// Writes the databases delivered in the program folder: Temp.mdb, the empty
// business database that set-up turns into CONTACT.mdb, and User.mdb.
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: vantrel-makedb PROGRAM_FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    using vantrel::data::DatabaseKind;
    const std::pair<const char*, DatabaseKind> files[]
        = { { "Temp.mdb", DatabaseKind::Business }, { "User.mdb", DatabaseKind::User } };
    for (const auto& [name, kind] : files) {
        const QString path = folder.absoluteFilePath(QString::fromLatin1(name));
        QFile::remove(path);
        QString error;
        if (!vantrel::data::createDatabaseFile(path, kind, &error)) {
            err << path << ": " << error << '\n';
            return 1;
        }
    }
    return 0;
}
