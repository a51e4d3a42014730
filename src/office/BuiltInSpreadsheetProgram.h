#pragma once

#include "office/SpreadsheetProgram.h"

namespace vantrel::office {

// Workbooks read with the workbook reader, written as .xlsx with libxlsxwriter,
// shown by the desktop's spreadsheet application and printed through the
// printer provider.
class BuiltInSpreadsheetProgram : public SpreadsheetProgram {
public:
    bool open(const QString& path, Workbook* workbook, QString* error) override;
    bool saveAs(Workbook* workbook, const QString& path, QString* error) override;
    bool show(const QString& path, QString* error) override;
    bool print(const Sheet& sheet, QString* error) override;
};

} // namespace vantrel::office
