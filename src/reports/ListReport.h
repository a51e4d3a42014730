#pragma once

#include <QList>
#include <QString>

namespace vantrel::office {
class Workbook;
}

namespace vantrel::data {
class Database;
}

namespace vantrel::reports {

// One column of a list report: its heading (the query's column name) and the
// check box that keeps it visible (0 for a column always shown).
struct ListColumn {
    const char* heading;
    int checkBox;
    const char* caption; // of the check box; empty when the column has none
    const char* numberFormat = nullptr;
};

// A list of all active companies, or of all their contacts, as a workbook.
struct ListReport {
    QString screen; // "FormReportCompanies"
    QString title; // the workbook window's caption, "Companies"
    QString sql; // with the record state bound as its one value
    QList<ListColumn> columns;
    // Check box numbers in the order the screen shows them.
    QList<int> checkBoxOrder;
};

const ListReport& companyList();
const ListReport& contactList();

// The report's rows as a workbook: headings bold with an automatic filter and
// frozen under them, Arial Narrow 8, columns fitted, dates as "mm/dd/yyyy" left
// aligned, and the columns of unticked boxes hidden (their data stay in the file).
bool buildListWorkbook(data::Database& db, const ListReport& report, const QList<int>& ticked,
    office::Workbook* workbook, QString* error);

} // namespace vantrel::reports
