#pragma once

#include "data/Worksheet.h"

#include <QStringList>

namespace vantrel::data {

// Reads workbooks of the kinds users bring: .xlsx (also .xlsm), .ods, legacy .xls
// and .csv. The file's content decides between the spreadsheet formats, so a
// workbook saved under the wrong extension is still read. Errors are sentences for
// the user naming the file and what is wrong with it.

bool readSheetNames(const QString& path, QStringList* names, QString* error);

// sheetName is matched exactly first and then without regard to letter case, so
// "Data" and "DATA" are two sheets; an empty name means the first worksheet. A .csv
// file is one worksheet named after the file.
bool readWorksheet(const QString& path, const QString& sheetName, Worksheet* sheet, QString* error);

// Every worksheet in the workbook's order, each with its name; a file is opened once.
bool readWorksheets(const QString& path, QList<Worksheet>* sheets, QString* error);

} // namespace vantrel::data
