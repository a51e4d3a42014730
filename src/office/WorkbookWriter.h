#pragma once

#include "office/Workbook.h"

#include <QString>

namespace vantrel::office {

// Writes the workbook as Office Open XML (.xlsx) with its values, cell formats,
// column widths, hidden columns, automatic filters, frozen panes and active cells.
// An existing file is replaced whole or, on any failure, left as it was. Texts
// longer than a cell holds (32,767 characters) are cut there; texts starting
// with "=" stay texts.
bool writeWorkbook(const Workbook& workbook, const QString& path, QString* error);

} // namespace vantrel::office
