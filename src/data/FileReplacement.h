#pragma once

#include <QString>

namespace vantrel::data {

// The data of a file (or the entries of a folder) reaches the disk before a
// rename makes the file the one in use, so that a power cut after the rename
// cannot leave a name pointing at a file the disk never received in full.
bool syncToDisk(const QString& path);

// Replaces target by source in one step: a reader sees either the old or the
// new file under target's name, never none. The rename itself is made durable.
bool replaceFile(const QString& source, const QString& target, QString* error);

} // namespace vantrel::data
