#include "reports/ListReport.h"

#include "data/Database.h"
#include "office/ReportWorkbook.h"
#include "office/Workbook.h"

#include <utility>

namespace vantrel::reports {

const ListReport& companyList()
{
    static const ListReport report {
        QStringLiteral("FormReportCompanies"),
        QStringLiteral("Companies"),
        QStringLiteral(
            "SELECT TABLE01.TEXT01 AS [COMPANY], TABLE01.TEXT03 AS [POSTAL ADDRESS], "
            "TABLE01.TEXT04 AS [POSTAL CITY], TABLE01.TEXT05 AS [POSTAL CODE], "
            "TABLE01.TEXT06 AS [STREET ADDRESS], TABLE01.TEXT07 AS [STREET ADDRESS 2], "
            "TABLE01.TEXT08 AS [CITY], TABLE01.TEXT09 AS [REGION], TABLE01.TEXT10 AS [TELEPHONE], "
            "TABLE01.TEXT11 AS [TELEFAX], TABLE01.TEXT12 AS [WEBSITE], "
            "TABLE01.TEXT13 AS [DIVISION], TABLE01.TEXT14 AS [BRANCH], "
            "TABLE01.TEXT15 AS [CATEGORY], TABLE01.TEXT17 AS [TYPE OF CONTACT], "
            "TABLE01.DATE01 AS [DATE LAST VISITED], TABLE01.NUMBER01 AS [VISIT FREQUENCY], "
            "TABLE01.TEXT19 AS [SALES MANAGER], TABLE01.TEXT18 AS [SALES PERSON] "
            "FROM TABLE01 WHERE TABLE01.TEXT20 = ? ORDER BY TABLE01.TEXT01, TABLE01.AUTONUMBER"),
        {
            { "COMPANY", 0, "" },
            { "POSTAL ADDRESS", 1, "Postal Address" },
            { "POSTAL CITY", 2, "Postal City" },
            { "POSTAL CODE", 3, "Postal Code" },
            { "STREET ADDRESS", 4, "Street Address" },
            // One box keeps both lines of the street address.
            { "STREET ADDRESS 2", 4, "Street Address" },
            { "CITY", 5, "City" },
            { "REGION", 6, "Region" },
            { "TELEPHONE", 7, "Telephone" },
            { "TELEFAX", 8, "Telefax" },
            { "WEBSITE", 9, "Website" },
            { "DIVISION", 10, "Division" },
            { "BRANCH", 11, "Branch" },
            { "CATEGORY", 12, "Category" },
            { "TYPE OF CONTACT", 13, "Type of Contact" },
            { "DATE LAST VISITED", 17, "Date Last Visited", "mm/dd/yyyy" },
            { "VISIT FREQUENCY", 16, "Visit Frequency" },
            { "SALES MANAGER", 15, "Sales Manager" },
            { "SALES PERSON", 14, "Sales Person" },
        },
        { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17, 16, 15, 14 },
    };
    return report;
}

const ListReport& contactList()
{
    static const ListReport report {
        QStringLiteral("FormReportContacts"),
        QStringLiteral("Contacts"),
        QStringLiteral("SELECT TABLE01.TEXT01 AS [COMPANY], TABLE03.TEXT02 AS [FIRST NAME], "
                       "TABLE03.TEXT03 AS [LAST NAME], TABLE03.TEXT04 AS [CELLPHONE], "
                       "TABLE03.TEXT05 AS [E-MAIL], TABLE03.TEXT06 AS [OCCUPATION], "
                       "TABLE03.TEXT07 AS [DESIGNATION], TABLE03.TEXT08 AS [TELEPHONE], "
                       "TABLE03.TEXT09 AS [TELEFAX], TABLE03.TEXT10 AS [ASSISTANT] FROM TABLE01 "
                       "INNER JOIN TABLE03 ON TABLE01.AUTONUMBER = TABLE03.NUMBER01 "
                       "WHERE TABLE01.TEXT20 = ? ORDER BY TABLE01.TEXT01, TABLE01.AUTONUMBER, "
                       "TABLE03.AUTONUMBER"),
        {
            { "COMPANY", 1, "Company" },
            { "FIRST NAME", 2, "First Name" },
            { "LAST NAME", 3, "Last Name" },
            { "CELLPHONE", 6, "Cellphone" },
            { "E-MAIL", 7, "E-Mail" },
            { "OCCUPATION", 8, "Occupation" },
            { "DESIGNATION", 9, "Designation" },
            { "TELEPHONE", 4, "Telephone" },
            { "TELEFAX", 5, "Telefax" },
            { "ASSISTANT", 10, "Assistant" },
        },
        { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 },
    };
    return report;
}

bool buildListWorkbook(data::Database& db, const ListReport& report, const QList<int>& ticked,
    office::Workbook* workbook, QString* error)
{
    data::QueryResult result;
    if (!db.query(report.sql, { QStringLiteral("Company") }, &result)) {
        *error = db.lastError();
        return false;
    }
    office::ReportLayout layout;
    for (const ListColumn& column : report.columns) {
        office::ReportColumn shown;
        shown.heading = QString::fromLatin1(column.heading);
        if (column.numberFormat) {
            shown.numberFormat = QString::fromLatin1(column.numberFormat);
            shown.alignment = office::HorizontalAlignment::Left;
        }
        shown.hidden = column.checkBox != 0 && !ticked.contains(column.checkBox);
        layout.columns << shown;
    }
    *workbook = office::buildReportWorkbook(layout, std::move(result.rows));
    return true;
}

} // namespace vantrel::reports
