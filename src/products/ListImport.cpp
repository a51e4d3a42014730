#include "products/ListImport.h"

#include "data/Database.h"
#include "data/WorksheetImport.h"
#include "office/CellRange.h"
#include "office/SpreadsheetProgram.h"

#include <QDir>

namespace vantrel::products {

namespace {

const QString stagingTable = QStringLiteral("Temp");

// A heading the staging table lacks would otherwise reach SQLite as a double
// quoted name, which it takes for a text literal and stores in every row.
bool findHeadings(data::Database& db, const ListImport& list, QString* error)
{
    const QStringList present = db.columnNames(stagingTable);
    QStringList missing;
    for (const ImportedColumn& column : list.columns) {
        if (!present.contains(column.heading, Qt::CaseInsensitive))
            missing.append(column.heading);
    }
    if (missing.isEmpty())
        return true;
    *error = QStringLiteral("The worksheet '%1' has no column headed %2.")
                 .arg(list.sheetName, missing.join(QStringLiteral(", ")));
    return false;
}

QString insertStatement(const ListImport& list)
{
    QStringList targets;
    QStringList sources;
    for (const ImportedColumn& column : list.columns) {
        targets.append(column.column);
        sources.append(stagingTable + QLatin1Char('.') + data::quoteIdentifier(column.heading)
            + QStringLiteral(" AS ") + column.column);
    }
    return QStringLiteral("INSERT INTO %1 (%2) SELECT DISTINCT %3 FROM %4")
        .arg(list.table, targets.join(QStringLiteral(", ")), sources.join(QStringLiteral(", ")),
            stagingTable);
}

bool storeRows(
    const ListImport& list, const QString& path, data::Database& db, int* added, QString* error)
{
    data::Transaction transaction(db);
    if (!transaction.isActive()) {
        *error = db.lastError();
        return false;
    }
    // A staging table left by an older version would make the worksheet's table clash.
    if (!db.execute(QStringLiteral("DROP TABLE IF EXISTS ") + stagingTable)) {
        *error = db.lastError();
        return false;
    }
    if (!data::importWorksheet(db, path, list.sheetName, stagingTable, error)
        || !findHeadings(db, list, error))
        return false;
    if (!db.execute(insertStatement(list))) {
        *error = db.lastError();
        return false;
    }
    *added = db.changedRows();
    for (const FollowUp& step : list.followUps) {
        if (!db.execute(step.sql, step.parameters)) {
            *error = db.lastError();
            return false;
        }
    }
    if (!db.execute(QStringLiteral("DROP TABLE ") + stagingTable) || !transaction.commit()) {
        *error = db.lastError();
        return false;
    }
    return true;
}

// Empties every row below the headings, keeping formats, and saves the workbook.
bool clearBelowHeadings(const QString& path, const QString& sheetName, QString* error)
{
    office::SpreadsheetProgram& program = office::SpreadsheetProgram::instance();
    office::Workbook workbook;
    if (!program.open(path, &workbook, error))
        return false;
    office::Sheet* sheet = workbook.sheet(sheetName);
    if (!sheet) {
        *error = QStringLiteral("The workbook has no worksheet '%1'.").arg(sheetName);
        return false;
    }
    const int columns = sheet->columnCount();
    auto holdsValue = [&](int row) {
        for (int column = 0; column < columns; ++column) {
            if (sheet->value(row, column).isValid())
                return true;
        }
        return false;
    };
    int header = 0;
    while (header < sheet->rowCount() && !holdsValue(header))
        ++header;
    const int last = sheet->rowCount() - 1;
    if (last > header)
        sheet->clearContents(office::CellRange::rows(header + 1, last));
    return program.save(&workbook, error);
}

} // namespace

QString listWorkbookPath(const ListImport& list)
{
    return office::SpreadsheetProgram::programWorkbookFileName(list.workbookName);
}

ListImportResult importList(const ListImport& list, data::Database& db)
{
    ListImportResult result;
    result.workbookPath = listWorkbookPath(list);
    if (!storeRows(list, result.workbookPath, db, &result.addedRows, &result.error)) {
        result.outcome = ListImportResult::Outcome::Failed;
        return result;
    }
    if (!list.clearWorkbook) {
        result.outcome = ListImportResult::Outcome::Imported;
        return result;
    }
    result.outcome = clearBelowHeadings(result.workbookPath, list.sheetName, &result.error)
        ? ListImportResult::Outcome::Imported
        : ListImportResult::Outcome::ImportedWorkbookNotCleared;
    return result;
}

} // namespace vantrel::products
