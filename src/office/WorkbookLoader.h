#pragma once

#include "office/Workbook.h"

#include <QString>

namespace vantrel::office {

// Opens a workbook (.xlsx, .ods, legacy .xls or .csv) with every sheet's values.
// Of the formats only those of each sheet's heading row (its first row holding a
// value) come along, where the file keeps them, so that a workbook written back
// shows its headings as before. Column widths and other formats are not read.
bool loadWorkbook(const QString& path, Workbook* workbook, QString* error);

} // namespace vantrel::office
