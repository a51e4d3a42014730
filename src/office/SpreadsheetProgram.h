#pragma once

#include "office/Workbook.h"

#include <QString>

#include <functional>
#include <memory>

namespace vantrel::office {

// The spreadsheet program as the screens use it: workbooks are built in memory
// (see Sheet), opened from and saved to files, handed to the desktop's
// spreadsheet application and printed. The built-in program is used unless a
// test installs a double. Paths are relative to the program folder or absolute.
class SpreadsheetProgram {
public:
    virtual ~SpreadsheetProgram() = default;

    using Factory = std::function<std::unique_ptr<SpreadsheetProgram>()>;
    // What instance() makes while no program is installed; the composition root sets it.
    static void setDefaultFactory(Factory factory);
    static SpreadsheetProgram& instance();
    // Replaces the program; nullptr brings back the built-in one.
    static void setInstance(std::unique_ptr<SpreadsheetProgram> program);

    // A new workbook with one empty sheet.
    Workbook newWorkbook() const { return Workbook(); }
    // "Temp/Report NNNNNN.xlsx" with a random six-digit number that no report
    // in the Temp folder has yet; empty when no free number was found.
    static QString newReportFileName();
    // Saves a report under a new name of the Temp folder, never over an older
    // report, and hands it to the desktop's spreadsheet application. *path is
    // the saved file (also when only showing it failed).
    bool saveAndShowReport(Workbook* report, QString* path, QString* error);
    // The program folder's workbook of that name ("Prices"): the .xlsx file, or a
    // legacy .xls of the same name where only that exists.
    static QString programWorkbookFileName(const QString& baseName);

    virtual bool open(const QString& path, Workbook* workbook, QString* error) = 0;
    // Writes the workbook as .xlsx, replacing the file; the workbook then
    // remembers the path.
    virtual bool saveAs(Workbook* workbook, const QString& path, QString* error) = 0;
    // Saves to the file the workbook came from; one read from a legacy .xls,
    // .ods or .csv file is saved as .xlsx beside it.
    bool save(Workbook* workbook, QString* error);
    // Hands a saved workbook, a file of the program folder, to the desktop's
    // spreadsheet application.
    virtual bool show(const QString& path, QString* error) = 0;
    // Prints the sheet on the default printer, one copy, collated.
    virtual bool print(const Sheet& sheet, QString* error) = 0;
};

} // namespace vantrel::office
