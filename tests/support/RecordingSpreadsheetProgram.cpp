#include "RecordingSpreadsheetProgram.h"

namespace vantrel::office {

bool RecordingSpreadsheetProgram::open(const QString& path, Workbook* workbook, QString* error)
{
    if (!succeeds(error))
        return false;
    const auto found = files.constFind(path);
    if (found == files.constEnd()) {
        *error = QStringLiteral("The file '%1' could not be found.").arg(path);
        return false;
    }
    openedPaths.append(path);
    *workbook = found.value();
    workbook->setFilePath(path);
    return true;
}

bool RecordingSpreadsheetProgram::saveAs(Workbook* workbook, const QString& path, QString* error)
{
    if (!succeeds(error))
        return false;
    workbook->setFilePath(path);
    files.insert(path, *workbook);
    savedPaths.append(path);
    return true;
}

bool RecordingSpreadsheetProgram::show(const QString& path, QString* error)
{
    if (!succeeds(error))
        return false;
    shownPaths.append(path);
    return true;
}

bool RecordingSpreadsheetProgram::print(const Sheet& sheet, QString* error)
{
    if (!succeeds(error))
        return false;
    printedSheets.append(sheet);
    return true;
}

bool RecordingSpreadsheetProgram::succeeds(QString* error) const
{
    if (failure.isEmpty())
        return true;
    *error = failure;
    return false;
}

} // namespace vantrel::office
