#include "activities/OverdueUpdate.h"

#include "data/Database.h"
#include "data/DaysOverdue.h"
#include "data/SetBasedWork.h"

#include <sqlite3.h>

namespace vantrel::activities {

namespace {

QVariant argumentValue(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_NULL:
        return {};
    default:
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
    }
}

// days_overdue(date last visited, visit frequency, record state, today): the
// shared rule as the engine calls it row by row; NULL where the value must stay.
void daysOverdueFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const QDate today = QDate::fromString(argumentValue(arguments[3]).toString(), Qt::ISODate);
    const std::optional<int> days = data::daysOverdue(argumentValue(arguments[0]),
        argumentValue(arguments[1]), argumentValue(arguments[2]).toString(), today);
    if (days)
        sqlite3_result_int(context, *days);
    else
        sqlite3_result_null(context);
}

} // namespace

QString overdueCondition()
{
    // Numbers compare as numbers: a frequency kept as text that is no number is none.
    return QStringLiteral("TABLE01.TEXT20 = 'Company' AND CAST(TABLE01.NUMBER01 AS REAL) > 0"
                          " AND CAST(TABLE01.NUMBER02 AS REAL) > 0");
}

bool updateDaysOverdue(data::Database& db, const QDate& today, QString* error)
{
    if (sqlite3_create_function_v2(db.handle(), "days_overdue", 4,
            SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr, daysOverdueFunction,
            nullptr, nullptr, nullptr)
        != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(db.handle()));
        return false;
    }
    const data::SetBasedWork work({ { QStringLiteral("Calculating days overdue"),
        QStringLiteral("UPDATE TABLE01 SET NUMBER02 = COALESCE(days_overdue(DATE01, NUMBER01,"
                       " TEXT20, ?), NUMBER02) WHERE ")
            + overdueCondition(),
        { today.toString(Qt::ISODate) } } });
    return work.run(db, {}, error);
}

} // namespace vantrel::activities
