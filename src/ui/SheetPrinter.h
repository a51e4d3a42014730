#pragma once

#include <QString>

class QPrinter;

namespace vantrel::office {
class Sheet;
}

namespace vantrel::ui {

// Prints a sheet as the spreadsheet program does with its default page setup:
// the cells up to the last value, hidden columns left out, the sheet's column
// widths and cell formats, wrapped cells growing their row, no grid lines,
// margins of 0.7 inch at the sides and 0.75 inch at top and bottom, and pages
// down first, then across.
class SheetPrinter {
public:
    explicit SheetPrinter(const office::Sheet& sheet);

    // One copy, collated. Fails when the sheet holds nothing or the printer
    // cannot start.
    bool print(QPrinter* printer, QString* error) const;

private:
    const office::Sheet& m_sheet;
};

} // namespace vantrel::ui
