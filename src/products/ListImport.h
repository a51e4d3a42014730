#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

namespace vantrel::data {
class Database;
}

namespace vantrel::products {

// A worksheet column taken into a column of the target table.
struct ImportedColumn {
    QString heading; // the worksheet's header cell, e.g. COMPETITOR'S PRODUCT
    QString column; // e.g. TEXT01
};

// A statement run after the rows arrived, in the same transaction (the summary
// or price rewrite), so the list never shows imported rows without it.
struct FollowUp {
    QString sql;
    QVariantList parameters;
};

// One fixed list (the competition register, the price list) and the workbook
// of the program folder it is imported from.
struct ListImport {
    QString workbookName; // without extension: "Competition"
    QString sheetName; // "COMPETITION"
    QString table; // "TABLE11"
    QList<ImportedColumn> columns;
    QList<FollowUp> followUps;
    // Whether the workbook is emptied below its headings after a successful import.
    bool clearWorkbook = true;
};

struct ListImportResult {
    enum class Outcome {
        Imported,
        // Nothing was added; error says why.
        Failed,
        // The rows are stored but the workbook still holds them; error says why.
        ImportedWorkbookNotCleared,
    };
    Outcome outcome = Outcome::Failed;
    int addedRows = 0;
    QString workbookPath;
    QString error;
};

// The workbook path of the list, as the import and "&Edit" use it.
QString listWorkbookPath(const ListImport& list);

// Reads the worksheet into the staging table Temp, appends its distinct rows to
// the target table by header names and runs the follow-ups, all in one
// transaction of db: either every row arrives, or none does and the table is as
// it was. Temp never outlives the call. Then the workbook is cleared below its
// header row (formats kept) and saved, so the same rows are not imported twice.
ListImportResult importList(const ListImport& list, data::Database& db);

} // namespace vantrel::products
