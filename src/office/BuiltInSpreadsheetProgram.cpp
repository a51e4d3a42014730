#include "office/BuiltInSpreadsheetProgram.h"

#include "office/PrinterProvider.h"
#include "office/SheetPrinter.h"
#include "office/WorkbookLoader.h"
#include "office/WorkbookWriter.h"
#include "platform/Desktop.h"

#include <QPrinter>

namespace vantrel::office {

bool BuiltInSpreadsheetProgram::open(const QString& path, Workbook* workbook, QString* error)
{
    return loadWorkbook(path, workbook, error);
}

bool BuiltInSpreadsheetProgram::saveAs(Workbook* workbook, const QString& path, QString* error)
{
    if (!writeWorkbook(*workbook, path, error))
        return false;
    workbook->setFilePath(path);
    return true;
}

bool BuiltInSpreadsheetProgram::show(const QString& path, QString* error)
{
    return platform::Desktop::openFile(path, error);
}

bool BuiltInSpreadsheetProgram::print(const Sheet& sheet, QString* error)
{
    const std::unique_ptr<QPrinter> printer = PrinterProvider::instance().printer(error);
    return printer && SheetPrinter(sheet).print(printer.get(), error);
}

} // namespace vantrel::office
