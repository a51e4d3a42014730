#pragma once

#include <QString>

namespace vantrel::data {

// Makes the given folder, or the folder of the running executable when none is
// given, the working folder, so that every file of the program is found by its
// bare name ("CONTACT.mdb", "Temp").
bool enterProgramFolder(const QString& folder = QString());

// The program folder; the working folder once enterProgramFolder() ran.
QString programFolder();

// True when a path names a file inside the program folder once "..", symbolic
// links and the program folder's own links are resolved, so a link inside the
// folder that leads out of it does not count as inside. The file need not exist.
// Names read from the database are checked with this before files are touched.
bool isInsideProgramFolder(const QString& path);

// Readies a file of the program folder (such as a working file in Temp) to be
// written: a symbolic link found there is removed rather than followed, so the
// save writes a file of its own, and a folder on the way that leads out of the
// program folder is refused. Paths outside the program folder, which the user
// chose, are left as they are.
bool prepareWorkingFile(const QString& path, QString* error);

} // namespace vantrel::data
