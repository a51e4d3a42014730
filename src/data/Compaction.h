#pragma once

#include <QString>

namespace vantrel::data {

class Database;

// Writes a compacted copy of a database file into a new file and checks the
// copy's integrity. The source is left as it is; a failed or damaged copy is
// removed, so the caller replaces the working file only with a sound one.
bool compactDatabase(const QString& sourcePath, const QString& targetPath, QString* error);

// The file a compaction of that database is written to before it takes the
// database's place. It lies beside the database so that the replacement is one
// rename; a file of that name is never anything but a compaction's leftover.
QString compactionFileOf(const QString& databasePath);

// Compacts a database in place, keeping the file as it was under backupPath
// (an older backup there is replaced). At every instant databasePath holds a
// complete database: the compacted copy is checked first, the backup is written
// next, and only then does the copy take the database's place by an atomic
// rename. A compaction file left by an interrupted run is removed first.
bool compactInPlace(const QString& databasePath, const QString& backupPath, QString* error);

// A consistent copy of an open database through the engine's online backup,
// written beside targetPath and renamed onto it once complete, so an older copy
// there stays until the new one is whole.
bool backupDatabase(Database& source, const QString& targetPath, QString* error);

} // namespace vantrel::data
