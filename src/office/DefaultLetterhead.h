#pragma once

#include <QString>

namespace vantrel::office {

// The template of letters, faxes and call reports in the program folder.
inline constexpr char16_t letterheadFileName[] = u"Letterhead.dot";

// Writes the Letterhead.dot a new installation finds in its program folder: RTF
// with an empty body and a neutral letterhead in the page header (company name,
// address, telephone and e-mail placeholders) for the user to change to their own.
bool writeDefaultLetterhead(const QString& folder, QString* error);

} // namespace vantrel::office
