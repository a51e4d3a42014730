#include "companies/CallLog.h"

#include "office/SpreadsheetProgram.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel::companies {

using office::SpreadsheetProgram;

bool CallLog::log(const Call& call, QString* error)
{
    const QString path = SpreadsheetProgram::programWorkbookFileName(QStringLiteral("BCTelephone"));
    if (!QFileInfo::exists(path)) {
        *error = QStringLiteral(
            "The call could not be logged: the call log '%1' is missing from the program folder.")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
    SpreadsheetProgram& program = SpreadsheetProgram::instance();
    office::Workbook workbook;
    QString reason;
    if (!program.open(path, &workbook, &reason)) {
        *error = QStringLiteral("The call could not be logged: %1").arg(reason);
        return false;
    }
    workbook.setActiveSheet(0);
    office::Sheet& sheet = workbook.sheet(0);
    if (!sheet.insertRows(0, 1, &reason)) {
        *error = QStringLiteral("The call could not be logged: %1").arg(reason);
        return false;
    }
    sheet.setValue(0, 0, call.when);
    sheet.setValue(0, 1, call.number);
    sheet.setValue(0, 2, call.firstName + QLatin1Char(' ') + call.lastName);
    sheet.setValue(0, 3, call.company);
    sheet.setActiveCell(0, 0);
    if (!program.save(&workbook, &reason)) {
        *error = QStringLiteral("The call could not be logged: %1").arg(reason);
        return false;
    }
    return true;
}

} // namespace vantrel::companies
