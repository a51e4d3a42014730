#include "data/WorkbookReader.h"

#include "data/CsvReader.h"
#include "data/OdsReader.h"
#include "data/XlsReader.h"
#include "data/XlsxReader.h"
#include "data/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace vantrel::data {

namespace {

QString displayName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

// Picks the reader by what the file holds: a zip is .xlsx or .ods by its parts,
// an OLE compound file is a legacy .xls.
std::unique_ptr<WorkbookFile> readerFor(const QString& path, QString* reason)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt"))
        return std::make_unique<CsvReader>();
    static const QStringList spreadsheetSuffixes { QStringLiteral("xlsx"), QStringLiteral("xlsm"),
        QStringLiteral("xltx"), QStringLiteral("xltm"), QStringLiteral("xls"),
        QStringLiteral("xlt"), QStringLiteral("ods"), QStringLiteral("ots") };
    if (!spreadsheetSuffixes.contains(suffix)) {
        *reason = QStringLiteral(
            "it is not a workbook of a known kind; .xlsx, .xls, .ods and .csv files can be read");
        return nullptr;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return nullptr;
    }
    const QByteArray magic = file.read(8);
    if (magic == QByteArray::fromHex("d0cf11e0a1b11ae1"))
        return std::make_unique<XlsReader>();
    if (magic.startsWith("PK\x03\x04")) {
        ZipArchive zip;
        if (!zip.open(path, reason))
            return nullptr;
        if (zip.contains(QStringLiteral("content.xml")))
            return std::make_unique<OdsReader>();
        return std::make_unique<XlsxReader>();
    }
    *reason = QStringLiteral("it is damaged or is not a workbook");
    return nullptr;
}

std::unique_ptr<WorkbookFile> openWorkbook(const QString& path, QString* error)
{
    if (!QFileInfo(path).isFile()) {
        setError(error, QStringLiteral("The file '%1' could not be found.").arg(displayName(path)));
        return nullptr;
    }
    QString reason;
    std::unique_ptr<WorkbookFile> workbook = readerFor(path, &reason);
    if (workbook && !workbook->open(path, &reason))
        workbook.reset();
    if (!workbook) {
        setError(error,
            QStringLiteral("The file '%1' could not be read: %2.").arg(displayName(path), reason));
        return nullptr;
    }
    return workbook;
}

} // namespace

bool readSheetNames(const QString& path, QStringList* names, QString* error)
{
    const std::unique_ptr<WorkbookFile> workbook = openWorkbook(path, error);
    if (!workbook)
        return false;
    if (names)
        *names = workbook->sheetNames();
    return true;
}

bool readWorksheet(const QString& path, const QString& sheetName, Worksheet* sheet, QString* error)
{
    const std::unique_ptr<WorkbookFile> workbook = openWorkbook(path, error);
    if (!workbook)
        return false;
    const QStringList names = workbook->sheetNames();
    qsizetype index = -1;
    if (sheetName.isEmpty()) {
        if (names.isEmpty()) {
            setError(error,
                QStringLiteral("The workbook '%1' has no worksheets.").arg(displayName(path)));
            return false;
        }
        index = 0;
    }
    else {
        index = names.indexOf(sheetName);
        for (qsizetype i = 0; i < names.size() && index < 0; ++i) {
            if (names.at(i).compare(sheetName, Qt::CaseInsensitive) == 0)
                index = i;
        }
        if (index < 0) {
            setError(error,
                QStringLiteral("The workbook '%1' has no worksheet named '%2'.")
                    .arg(displayName(path), sheetName));
            return false;
        }
    }
    Worksheet result;
    QString reason;
    if (!workbook->readSheet(int(index), &result, &reason)) {
        setError(error,
            QStringLiteral("The file '%1' could not be read: %2.").arg(displayName(path), reason));
        return false;
    }
    result.name = names.at(index);
    if (sheet)
        *sheet = std::move(result);
    return true;
}

bool readWorksheets(const QString& path, QList<Worksheet>* sheets, QString* error)
{
    const std::unique_ptr<WorkbookFile> workbook = openWorkbook(path, error);
    if (!workbook)
        return false;
    const QStringList names = workbook->sheetNames();
    QList<Worksheet> result;
    for (qsizetype i = 0; i < names.size(); ++i) {
        Worksheet sheet;
        QString reason;
        if (!workbook->readSheet(int(i), &sheet, &reason)) {
            setError(error,
                QStringLiteral("The file '%1' could not be read: %2.")
                    .arg(displayName(path), reason));
            return false;
        }
        sheet.name = names.at(i);
        result.append(std::move(sheet));
    }
    if (sheets)
        *sheets = std::move(result);
    return true;
}

} // namespace vantrel::data
