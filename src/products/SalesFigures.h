#pragma once

#include <QString>
#include <QVariantList>

#include <functional>

namespace vantrel::data {
class Database;
}

namespace vantrel::products {

// Where this workstation's sales figures come from: TEXT07 to TEXT10 of the
// settings row of TABLE02 in User.mdb.
struct SalesSettings {
    QString workbookPath; // TEXT07
    QString dateColumn; // TEXT08
    QString accountColumn; // TEXT09
    QString sheetName; // TEXT10, without the trailing "$"

    static bool read(data::Database& user, SalesSettings* settings, QString* error);
};

// The sheet name as the user means it: "Sales$" and "Sales" both name Sales.
QString bareSheetName(const QString& typed);

// Replaces SALES in the user database with the worksheet, indexed by the
// account column. The old table stays until the new one is complete: on any
// failure (no such sheet, a named column missing) nothing changes and error says why.
bool importSales(data::Database& user, const SalesSettings& settings, QString* error);

// One company's rows, latest date first.
QString companySalesQuery(const SalesSettings& settings);
// Every row, latest date first.
QString allSalesQuery(const SalesSettings& settings);

// Writes rows to a new workbook with a filtered, frozen heading row and columns
// fitted to their values, saves it as a new Temp/Report NNNNNN.xlsx and shows
// it. progress() is called after each of the report's steps (loaded, filled,
// formatted, saved).
bool sendSalesReport(data::Database& user, const QString& sql, const QVariantList& parameters,
    QString* error, const std::function<void()>& progress = {}, QString* path = nullptr);

} // namespace vantrel::products
