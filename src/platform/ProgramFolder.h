#pragma once

#include <QString>

namespace vantrel::platform {

// Makes the folder of the running executable the working folder, so that every
// file of the program is found by its bare name ("CONTACT.mdb", "Temp").
bool enterProgramFolder();

// The program folder; the working folder once enterProgramFolder() ran.
QString programFolder();

// True when a path names a file inside the program folder (after resolving "..");
// names read from the database are checked with this before files are touched.
bool isInsideProgramFolder(const QString& path);

} // namespace vantrel::platform
