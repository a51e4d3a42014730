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
    // A row without a name counts as an empty name, which "*" matches.
    query->sql = QStringLiteral(
        "SELECT * FROM TABLE08 WHERE TABLE08.DATE01 >= ? AND TABLE08.DATE01 < ?"
        " AND COALESCE(TABLE08.TEXT01, '') LIKE ? AND COALESCE(TABLE08.TEXT03, '') LIKE ?"
        " ORDER BY TABLE08.DATE01 DESC, TABLE08.AUTONUMBER DESC");
    query->parameters = { start.toString(Qt::ISODate), end.addDays(1).toString(Qt::ISODate),
        patternOrAny(companyPattern), patternOrAny(salesPersonPattern) };
    return true;
}

} // namespace vantrel::activities
