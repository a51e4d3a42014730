#pragma once

#include "office/SpreadsheetProgram.h"

namespace vantrel::ui {

// Workbooks read with the workbook reader, written as .xlsx with libxlsxwriter,
// shown by the desktop's spreadsheet application and printed through the
// printer provider.
class BuiltInSpreadsheetProgram : public office::SpreadsheetProgram {
public:
    bool open(const QString& path, office::Workbook* workbook, QString* error) override;
    bool saveAs(office::Workbook* workbook, const QString& path, QString* error) override;
    bool show(const QString& path, QString* error) override;
    bool print(const office::Sheet& sheet, QString* error) override;
};

} // namespace vantrel::ui
