#include "ui/BuiltInSpreadsheetProgram.h"

#include "office/WorkbookLoader.h"
#include "office/WorkbookWriter.h"
#include "platform/Desktop.h"
#include "ui/PrinterProvider.h"
#include "ui/SheetPrinter.h"

#include <QPrinter>

namespace vantrel::ui {

bool BuiltInSpreadsheetProgram::open(
    const QString& path, office::Workbook* workbook, QString* error)
{
    return office::loadWorkbook(path, workbook, error);
}

bool BuiltInSpreadsheetProgram::saveAs(
    office::Workbook* workbook, const QString& path, QString* error)
{
    if (!office::writeWorkbook(*workbook, path, error))
        return false;
    workbook->setFilePath(path);
    return true;
}

bool BuiltInSpreadsheetProgram::show(const QString& path, QString* error)
{
    return platform::Desktop::openFile(path, error);
}

bool BuiltInSpreadsheetProgram::print(const office::Sheet& sheet, QString* error)
{
    const std::unique_ptr<QPrinter> printer = PrinterProvider::instance().printer(error);
    return printer && SheetPrinter(sheet).print(printer.get(), error);
}

} // namespace vantrel::ui
