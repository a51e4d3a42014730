#include "maintenance/OldActivities.h"

#include "data/Database.h"
#include "data/SetBasedWork.h"

#include <QRegularExpression>

#include <algorithm>

namespace vantrel::maintenance {

const QList<ActivityTable>& activityTables()
{
    static const QList<ActivityTable> tables {
        { QStringLiteral("TABLE08"), QStringLiteral("call reports"), QStringLiteral("Report"),
            QStringLiteral("Reports") },
        { QStringLiteral("TABLE09"), QStringLiteral("correspondence"),
            QStringLiteral("Fax, Letter or E-Mail"), QStringLiteral("Faxes, Letters or E-Mails") },
        { QStringLiteral("TABLE06"), QStringLiteral("projects"), QStringLiteral("Project"),
            QStringLiteral("Projects") },
        { QStringLiteral("TABLE07"), QStringLiteral("action steps"), QStringLiteral("Action Step"),
            QStringLiteral("Action Steps") },
    };
    return tables;
}

bool OldActivities::remove(data::Database& db, const QDate& before, const Progress& progress,
    QList<qint64>* remaining, QString* error)
{
    QList<data::SetBasedWork::Step> steps;
    for (const ActivityTable& table : activityTables()) {
        // Dates are stored as ISO text; date() is NULL for an empty or unreadable
        // one, and a number would be taken for a day count, so such rows stay.
        steps.append({ QStringLiteral("Deleting old ") + table.phrase,
            QStringLiteral("DELETE FROM %1 WHERE typeof(DATE01) = 'text' AND date(DATE01) < ?")
                .arg(table.table),
            { before.toString(Qt::ISODate) } });
    }
    QList<qint64> left;
    auto count = [&db](const ActivityTable& table) {
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table.table)).toLongLong();
    };
    const data::SetBasedWork work(steps);
    const bool done = work.run(
        db,
        [&](int, const QString& text) {
            // Called before each step and once after the last, so the counts
            // are those of the tables done so far.
            const qsizetype started = std::find_if(steps.cbegin(), steps.cend(),
                                          [&](const auto& step) { return step.text == text; })
                - steps.cbegin();
            while (left.size() < started)
                left.append(count(activityTables().at(left.size())));
            if (progress && started < steps.size())
                progress(int(started), left);
        },
        error);
    if (!done)
        return false;
    if (remaining)
        *remaining = left;
    return true;
}

QDate OldActivities::parseTypedDate(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\d\\d-\\d\\d-\\d\\d\\d\\d$"));
    if (!form.match(text).hasMatch())
        return {};
    return QDate::fromString(text, QStringLiteral("dd-MM-yyyy"));
}

} // namespace vantrel::maintenance
