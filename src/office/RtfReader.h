#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace vantrel::office {

// Reads a document stored as RTF into body and, when pageHeader is given, the page header
// into it (cleared when the document has none). Input that is not RTF is taken as plain text
// (UTF-8, UTF-16 with byte order mark, or else Windows-1252) and becomes the body. Malformed
// RTF yields all the text that can be read. Fails, leaving both documents untouched, only for
// binary files (a Word .doc/.dot, a zipped .docx/.odt, a PDF), which it names in error.
bool readRtf(
    const QByteArray& data, QTextDocument* body, QTextDocument* pageHeader, QString* error);

// The body's text of an RTF (or plain text) document: paragraphs and line breaks as "\n",
// table cells separated by tabs, list items after their bullet or number. Empty for binary files.
QString plainTextOfRtf(const QByteArray& data);

} // namespace vantrel::office
