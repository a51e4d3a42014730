#pragma once

#include <QDate>
#include <QString>

namespace vantrel::data {
class Database;
}

namespace vantrel::activities {

// Brings the stored days overdue of every listed overdue company (an active
// company with a visit frequency and days overdue above 0) up to date with the
// companies screen's rule, in one statement and one transaction. A company
// whose last visit cannot be read as a date keeps its stored value.
// The companies listed as overdue, as the WHERE condition of a query on TABLE01.
QString overdueCondition();

bool updateDaysOverdue(data::Database& db, const QDate& today, QString* error);

} // namespace vantrel::activities
