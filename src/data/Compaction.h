#pragma once

#include <QString>

namespace vantrel::data {

// Writes a compacted copy of a database file into a new file and checks the
// copy's integrity. The source is left as it is; a failed or damaged copy is
// removed, so the caller replaces the working file only with a sound one.
bool compactDatabase(const QString& sourcePath, const QString& targetPath, QString* error);

} // namespace vantrel::data
