#pragma once

#include <QString>

namespace vantrel::data {

// Makes the given folder, or the folder of the running executable when none is
// given, the working folder, so that every file of the program is found by its
// bare name ("CONTACT.mdb", "Temp").
bool enterProgramFolder(const QString& folder = QString());

// The program folder; the working folder once enterProgramFolder() ran.
QString programFolder();

// True when a path names a file inside the program folder (after resolving "..");
// names read from the database are checked with this before files are touched.
bool isInsideProgramFolder(const QString& path);

} // namespace vantrel::data
