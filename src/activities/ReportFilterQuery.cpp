#include "activities/ReportFilterQuery.h"

#include "data/FieldValues.h"

namespace vantrel::activities {

namespace {

QString patternOrAny(const QString& pattern)
{
    return pattern.isEmpty() ? QStringLiteral("*") : pattern;
}

} // namespace

QString ReportFilterQuery::dateText(const QDate& date)
{
    return data::displayText(date);
}

QDate ReportFilterQuery::parseDate(const QString& text)
{
    return data::parseDateText(text);
}

bool ReportFilterQuery::build(const QString& from, const QString& until,
    const QString& companyPattern, const QString& salesPersonPattern, ui::RecordQuery* query)
{
    const QDate start = parseDate(from);
    const QDate end = parseDate(until);
    if (!start.isValid() || !end.isValid())
        return false;
    // Dates are ISO text, some with a time: everything before the day after
    // the end belongs to the last day. A start after the end finds nothing.
    // Reports written here carry no names of their own, only the company's
    // key: a name the report does not carry is taken from its company (the
    // company's sales person for the sales person), and a row with neither
    // counts as an empty name, which "*" matches.
    query->sql
        = QStringLiteral("SELECT TABLE08.* FROM TABLE08"
                         " LEFT JOIN TABLE01 ON TABLE01.AUTONUMBER = TABLE08.NUMBER01"
                         " WHERE TABLE08.DATE01 >= ? AND TABLE08.DATE01 < ?"
                         " AND COALESCE(NULLIF(TABLE08.TEXT01, ''), TABLE01.TEXT01, '') LIKE ?"
                         " AND COALESCE(NULLIF(TABLE08.TEXT03, ''), TABLE01.TEXT18, '') LIKE ?"
                         " ORDER BY TABLE08.DATE01 DESC, TABLE08.AUTONUMBER DESC");
    query->parameters = { start.toString(Qt::ISODate), end.addDays(1).toString(Qt::ISODate),
        patternOrAny(companyPattern), patternOrAny(salesPersonPattern) };
    return true;
}

} // namespace vantrel::activities
