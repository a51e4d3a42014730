#include "office/SpreadsheetProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace vantrel::office {

namespace {

std::unique_ptr<SpreadsheetProgram>& installedProgram()
{
    static std::unique_ptr<SpreadsheetProgram> program;
    return program;
}

SpreadsheetProgram::Factory& defaultFactory()
{
    static SpreadsheetProgram::Factory factory;
    return factory;
}

QString reportFileName(int number)
{
    return QStringLiteral("Temp/Report %1.xlsx").arg(number);
}

} // namespace

SpreadsheetProgram& SpreadsheetProgram::instance()
{
    std::unique_ptr<SpreadsheetProgram>& program = installedProgram();
    if (!program) {
        if (!defaultFactory())
            qFatal("No SpreadsheetProgram is installed");
        program = defaultFactory()();
    }
    return *program;
}

void SpreadsheetProgram::setDefaultFactory(Factory factory)
{
    defaultFactory() = std::move(factory);
}

void SpreadsheetProgram::setInstance(std::unique_ptr<SpreadsheetProgram> program)
{
    installedProgram() = std::move(program);
}

// A report the user still has open in the spreadsheet application must not be
// overwritten by the next one, so a number already taken is drawn again.
QString SpreadsheetProgram::newReportFileName()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = reportFileName(QRandomGenerator::global()->bounded(100000, 1000000));
        if (!QFileInfo::exists(name))
            return name;
    }
    return QString();
}

bool SpreadsheetProgram::saveAndShowReport(Workbook* report, QString* path, QString* error)
{
    const QString name = newReportFileName();
    if (name.isEmpty()) {
        *error
            = QStringLiteral("The Temp folder holds too many reports; delete the temporary files.");
        return false;
    }
    if (!saveAs(report, name, error))
        return false;
    *path = name;
    return show(name, error);
}

QString SpreadsheetProgram::programWorkbookFileName(const QString& baseName)
{
    const QString current = baseName + QLatin1String(".xlsx");
    const QString legacy = baseName + QLatin1String(".xls");
    if (!QFileInfo::exists(current) && QFileInfo::exists(legacy))
        return legacy;
    return current;
}

bool SpreadsheetProgram::save(Workbook* workbook, QString* error)
{
    const QString path = workbook->filePath();
    if (path.isEmpty()) {
        *error = QStringLiteral("The workbook has not been saved before and has no file name.");
        return false;
    }
    const QFileInfo file(path);
    if (file.suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)
        return saveAs(workbook, path, error);
    const QString xlsxName = file.completeBaseName() + QLatin1String(".xlsx");
    return saveAs(workbook,
        file.path() == QLatin1String(".") ? xlsxName : QDir(file.path()).filePath(xlsxName), error);
}

} // namespace vantrel::office
