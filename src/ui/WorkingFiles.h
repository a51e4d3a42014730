#pragma once

#include <QString>

namespace vantrel::ui {

// Files of the program folder that a letter, fax, e-mail or call report passes
// through between being written and being stored in the database.

// The letter, fax or call report being written, as the auto-save keeps it.
QString workingDocumentPath();
// The text of the e-mail being written, as the auto-save keeps it.
QString workingMailTextPath();
// The template of letters, faxes and reports sent to the word processor.
QString letterheadPath();

// The content of a saved working file as RTF, read back through a separate
// word-processor instance (the user's own document stays as it is). A missing
// file is an error, so nothing is stored from it.
bool readAsRichText(const QString& path, QString* rtf, QString* error);

} // namespace vantrel::ui
