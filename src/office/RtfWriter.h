#pragma once

#include <QByteArray>

class QTextDocument;

namespace vantrel::office {

// Writes body, and pageHeader as the page header when given, as RTF that Word, LibreOffice
// and readRtf open: Windows-1252 text with \uN escapes for everything else, character and
// paragraph formats, bullets and numbers as \pn paragraphs, tables as RTF rows.
QByteArray writeRtf(const QTextDocument& body, const QTextDocument* pageHeader = nullptr);

} // namespace vantrel::office
