#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

namespace vantrel::data {
class Database;
}

namespace vantrel::maintenance {

// One of the four activity tables that the deletion of old records works
// through, with the words that tell the user how far it is.
struct ActivityTable {
    QString table;
    QString phrase; // "call reports"
    QString singular; // "Report"
    QString plural; // "Reports"
};

// Call reports, correspondence, projects and action steps, in the order they are worked through.
const QList<ActivityTable>& activityTables();

// Deletes every activity dated on a day before `before`, table by table, in one
// transaction: either all four tables lose their old rows or none does. Each row
// is judged by its own date; a row whose date is empty or no date stays.
// `progress` hears when a table's turn begins, and the rows that remained in
// the tables done so far.
class OldActivities {
public:
    using Progress = std::function<void(int table, const QList<qint64>& remaining)>;

    static bool remove(data::Database& db, const QDate& before, const Progress& progress,
        QList<qint64>* remaining, QString* error);

    // The typed day-month-year text as a date; an invalid date when the text is
    // not a whole date of the form dd-mm-yyyy.
    static QDate parseTypedDate(const QString& text);
};

} // namespace vantrel::maintenance
