#pragma once

#include "data/Database.h"
#include "data/Schema.h"

#include <QDate>
#include <QString>

namespace vantrel::bench {

// A business database of 50,000 call reports of 4,000 characters each, about
// 200 MB: the size the compaction and replica targets are set for. Stops the
// benchmark with the engine's message when it cannot be made.
inline void createCallReportDatabase(const QString& path)
{
    using namespace vantrel::data;
    QString error;
    Database db;
    if (!createDatabaseFile(path, DatabaseKind::Business, &error)
        || !openBusinessDatabase(db, path))
        qFatal("%s", qPrintable(error + db.lastError()));
    const QString text = QString(4000, QLatin1Char('c'));
    Transaction transaction(db);
    for (int i = 0; i < 50000; ++i) {
        if (!db.execute(
                QStringLiteral("INSERT INTO TABLE08 (NUMBER01, DATE01, MEMO01) VALUES (?, ?, ?)"),
                { i, QDate(2020, 1, 1).addDays(i % 2000), text }))
            qFatal("%s", qPrintable(db.lastError()));
    }
    if (!transaction.commit())
        qFatal("%s", qPrintable(db.lastError()));
}

} // namespace vantrel::bench
