#pragma once

#include <QString>

namespace vantrel::companies {

// The files of the Attachments folder of the program folder. The database names
// them by bare name; a name that would reach outside the folder ("../CONTACT.mdb",
// "/etc/passwd", "sub/x") names no attachment and no file is touched for it.
namespace AttachmentFiles {

QString folder(); // "Attachments"
bool isAttachmentName(const QString& name);
// "Attachments/<name>"; empty for a name that is no attachment name.
QString pathOf(const QString& name);
// Copies a file into the folder under its own name or, when that is taken, the
// first free "name (2).ext", "name (3).ext" ...; nothing is overwritten. Returns
// the name given to the copy, empty on failure with the reason in error.
QString copyIn(const QString& sourcePath, QString* error);

} // namespace AttachmentFiles

} // namespace vantrel::companies
