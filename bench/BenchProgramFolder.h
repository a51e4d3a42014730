#pragma once

#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QTemporaryDir>

namespace vantrel::bench {

// A program folder with empty CONTACT.mdb and User.mdb and its Temp folder, the
// working folder while it lives, as the screens find theirs; db is open on
// CONTACT.mdb for the benchmark to fill.
struct BenchProgramFolder {
    QTemporaryDir dir;
    data::Database db;

    BenchProgramFolder()
    {
        QDir::setCurrent(dir.path());
        QDir().mkdir(QStringLiteral("Temp"));
        QString error;
        if (!data::createDatabaseFile(
                QStringLiteral("CONTACT.mdb"), data::DatabaseKind::Business, &error)
            || !data::createDatabaseFile(
                QStringLiteral("User.mdb"), data::DatabaseKind::User, &error)
            || !data::openBusinessDatabase(db))
            qFatal("cannot create the benchmark databases: %s", qPrintable(error + db.lastError()));
    }
};

} // namespace vantrel::bench
