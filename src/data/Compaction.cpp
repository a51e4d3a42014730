#include "data/Compaction.h"

#include "data/Database.h"
#include "data/Failure.h"
#include "data/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace vantrel::data {

namespace {

bool checkIntegrity(const QString& path, QString* error)
{
    Database target;
    QString problem;
    if (!target.open(path))
        problem = target.lastError();
    else {
        const QString verdict = target.scalar(QStringLiteral("PRAGMA integrity_check")).toString();
        if (verdict != u"ok")
            problem = QStringLiteral("The compacted database is damaged: %1").arg(verdict);
    }
    target.close();
    return problem.isEmpty() || fail(error, problem);
}

bool removeLeftover(const QString& path, QString* error)
{
    if (!QFileInfo::exists(path) || QFile::remove(path))
        return true;
    return fail(error,
        QStringLiteral("The file '%1' left by an earlier attempt could not be removed.")
            .arg(QDir::toNativeSeparators(path)));
}

} // namespace

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

    if (!checkIntegrity(targetPath, error)) {
        QFile::remove(targetPath);
        return false;
    }
    return true;
}

QString compactionFileOf(const QString& databasePath)
{
    return QFileInfo(databasePath).absoluteFilePath() + QStringLiteral("-compacting");
}

bool compactInPlace(const QString& databasePath, const QString& backupPath, QString* error)
{
    const QString database = QFileInfo(databasePath).absoluteFilePath();
    const QString backup = QFileInfo(backupPath).absoluteFilePath();
    const QString work = compactionFileOf(database);
    const QString backupPart = backup + QStringLiteral("-writing");
    if (!removeLeftover(work, error) || !removeLeftover(backupPart, error))
        return false;

    Database source;
    if (!source.open(database))
        return fail(error, source.lastError());
    // The shared lock taken by the copy is held until the copy has replaced the
    // file, so no other connection can commit a change the copy would miss.
    if (!source.execute(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"))
        || !source.execute(QStringLiteral("VACUUM INTO ?"), { work })) {
        QFile::remove(work);
        return fail(error, source.lastError());
    }
    auto abandon = [&](const QString& message) {
        QFile::remove(work);
        QFile::remove(backupPart);
        return fail(error, message);
    };
    QString problem;
    if (!checkIntegrity(work, &problem))
        return abandon(problem);
    if (!syncToDisk(work)) {
        return abandon(QStringLiteral("The compacted database '%1' could not be written to disk.")
                           .arg(QDir::toNativeSeparators(work)));
    }

    QDir().mkpath(QFileInfo(backup).absolutePath());
    if (!QFile::copy(database, backupPart) || !syncToDisk(backupPart)) {
        return abandon(QStringLiteral("The backup '%1' could not be written.")
                           .arg(QDir::toNativeSeparators(backup)));
    }
    if (!replaceFile(backupPart, backup, &problem))
        return abandon(problem);

#ifdef Q_OS_WIN
    // Windows renames no file that is open.
    source.close();
#endif
    if (!replaceFile(work, database, &problem))
        return abandon(problem);
    return true;
}

bool backupDatabase(Database& source, const QString& targetPath, QString* error)
{
    if (!source.isOpen())
        return fail(error, QStringLiteral("The database is not open."));
    const QString target = QFileInfo(targetPath).absoluteFilePath();
    const QString part = target + QStringLiteral("-writing");
    if (!removeLeftover(part, error))
        return false;
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        return fail(error,
            QStringLiteral("The folder '%1' could not be made.")
                .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath())));
    }

    sqlite3* copy = nullptr;
    const QByteArray encoded = QFile::encodeName(part);
    int result = sqlite3_open_v2(
        encoded.constData(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (result == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", source.handle(), "main");
        if (backup) {
            result = sqlite3_backup_step(backup, -1);
            sqlite3_backup_finish(backup);
            if (result == SQLITE_DONE)
                result = SQLITE_OK;
        }
        else {
            result = sqlite3_errcode(copy);
        }
    }
    const QString message
        = result == SQLITE_OK || !copy ? QString() : QString::fromUtf8(sqlite3_errmsg(copy));
    const QString reason = !message.isEmpty() ? message : QString::fromUtf8(sqlite3_errstr(result));
    sqlite3_close(copy);
    if (result != SQLITE_OK) {
        QFile::remove(part);
        return fail(error,
            QStringLiteral("The backup '%1' could not be made: %2")
                .arg(QDir::toNativeSeparators(target), reason));
    }
    if (!syncToDisk(part)) {
        QFile::remove(part);
        return fail(error,
            QStringLiteral("The backup '%1' could not be written to disk.")
                .arg(QDir::toNativeSeparators(target)));
    }
    QString problem;
    if (!replaceFile(part, target, &problem)) {
        QFile::remove(part);
        return fail(error, problem);
    }
    return true;
}

} // namespace vantrel::data
