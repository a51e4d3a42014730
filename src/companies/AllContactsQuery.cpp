#include "companies/AllContactsQuery.h"

namespace vantrel::companies {

namespace {

// The contact's own columns keep their names, so that the contacts screen's
// fields bind to them; the company's columns carry names of their own.
const char columns[]
    = "SELECT TABLE03.AUTONUMBER, TABLE03.NUMBER01, TABLE01.AUTONUMBER AS CompanyKey, "
      "TABLE01.TEXT01 AS CompanyName, TABLE01.TEXT03 AS CompanyPostalAddress, "
      "TABLE01.TEXT04 AS CompanyPostalCity, TABLE01.TEXT05 AS CompanyPostalCode, "
      "TABLE01.TEXT06 AS CompanyStreetAddress, TABLE01.TEXT07 AS CompanyStreetAddress2, "
      "TABLE01.TEXT08 AS CompanyCity, TABLE01.TEXT18 AS CompanySalesPerson, "
      "TABLE03.TEXT01, TABLE03.TEXT02, TABLE03.TEXT03, TABLE03.TEXT04, TABLE03.TEXT05, "
      "TABLE03.TEXT06, TABLE03.TEXT07, TABLE03.TEXT08, TABLE03.TEXT09, TABLE03.TEXT10, "
      "TABLE03.TEXT11, TABLE03.MEMO01, TABLE03.MEMO02, TABLE03.DATE03 ";

const char join[] = "FROM TABLE01 INNER JOIN TABLE03 ON TABLE01.AUTONUMBER = TABLE03.NUMBER01 ";

ui::RecordQuery withConditions(const QString& select, const AllContactsFilter& filter)
{
    ui::RecordQuery query { select + QLatin1String(join)
            + QStringLiteral("WHERE TABLE01.TEXT20 = ?"),
        { QStringLiteral("Company") } };
    if (!filter.salesPerson.isEmpty()) {
        query.sql += QStringLiteral(" AND TABLE01.TEXT18 = ?");
        query.parameters << filter.salesPerson;
    }
    if (!filter.keyword.isEmpty()) {
        query.sql += QStringLiteral(" AND contains(TABLE03.MEMO02, ?)");
        query.parameters << filter.keyword;
    }
    // The key last, so that contacts of one first name keep one order between queries.
    query.sql += QStringLiteral(" ORDER BY TABLE03.TEXT02, TABLE03.AUTONUMBER");
    return query;
}

} // namespace

ui::RecordQuery allContactsQuery(const AllContactsFilter& filter)
{
    return withConditions(QLatin1String(columns), filter);
}

ui::RecordQuery mailMergeQuery(const AllContactsFilter& filter)
{
    ui::RecordQuery query
        = withConditions(QStringLiteral("SELECT group_concat(Address || '; ', '') FROM (SELECT "
                                        "trim(TABLE03.TEXT05) AS Address "),
            filter);
    query.sql += QStringLiteral(") WHERE Address <> ''");
    return query;
}

} // namespace vantrel::companies
