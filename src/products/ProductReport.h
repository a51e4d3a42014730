#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

namespace vantrel::data {
class Database;
}

namespace vantrel::products {

// A list of the products screens sent to the spreadsheet program: the query's
// column names are the headings.
struct ProductReport {
    struct ColumnFormat {
        int column = 0;
        QString numberFormat; // empty to keep the cell's format
        double width = 0; // in characters; 0 keeps the report's width
        // Texts that read as numbers become numbers, so the number format shows on them.
        bool numbers = false;
    };

    // The spreadsheet program's caption for the report.
    QString caption;
    QString sql;
    QVariantList parameters;
    bool wrapText = false;
    QList<ColumnFormat> columnFormats;
};

// Writes the rows to a new workbook (Calibri 9, left aligned, columns 25 wide,
// bold filtered heading row), saves it as a new Temp/Report NNNNNN.xlsx and
// shows it; false with the reason otherwise. The saved path goes to *path.
bool sendProductReport(
    data::Database& db, const ProductReport& report, QString* error, QString* path = nullptr);

} // namespace vantrel::products
