#pragma once

#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace vantrel::office {

// Prints a letter as the word processor pages it: margins of 2.5 cm at the sides,
// the letterhead (page header) from 1.25 cm below the top of every page, and the
// body flowing below it from page to page, in black on white whatever the colours
// of the desktop.
class LetterheadPrinter {
public:
    // pageHeader may be nullptr for a document without letterhead.
    LetterheadPrinter(const QTextDocument& body, const QTextDocument* pageHeader);

    // Onto a printer or a PDF writer. Fails when the device cannot start a page.
    bool print(QPagedPaintDevice* device, QString* error) const;

private:
    const QTextDocument& m_body;
    const QTextDocument* m_pageHeader;
};

} // namespace vantrel::office
