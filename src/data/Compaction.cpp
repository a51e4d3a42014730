#include "data/Compaction.h"

#include "data/Database.h"
#include "data/Failure.h"

#include <QFile>
#include <QFileInfo>

namespace vantrel::data {

bool compactDatabase(const QString& sourcePath, const QString& targetPath, QString* error)
{
    if (QFileInfo::exists(targetPath))
        return fail(error, QStringLiteral("The file '%1' already exists.").arg(targetPath));

    Database source;
    if (!source.open(sourcePath))
        return fail(error, source.lastError());
    if (!source.execute(
            QStringLiteral("VACUUM INTO ?"), { QFileInfo(targetPath).absoluteFilePath() })) {
        QFile::remove(targetPath);
        return fail(error, source.lastError());
    }
    source.close();

    Database target;
    QString problem;
    if (!target.open(targetPath))
        problem = target.lastError();
    else {
        const QString verdict = target.scalar(QStringLiteral("PRAGMA integrity_check")).toString();
        if (verdict != u"ok")
            problem = QStringLiteral("The compacted database is damaged: %1").arg(verdict);
    }
    target.close();
    if (!problem.isEmpty()) {
        QFile::remove(targetPath);
        return fail(error, problem);
    }
    return true;
}

} // namespace vantrel::data
