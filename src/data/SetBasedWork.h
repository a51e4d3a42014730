#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

#include <functional>

namespace vantrel::data {

class Database;

// Work that the screens describe as a walk over a record set, one row per timer
// tick, done as whole statements instead: every step is one statement, all steps
// run in one transaction, and the caller hears before each step how far the work
// is. Either every step is stored or none is.
class SetBasedWork {
public:
    struct Step {
        QString text; // what the user is told while the step runs
        QString sql;
        QVariantList parameters;
    };
    // percent runs from 0 (before the first step) to 100 (all stored).
    using Progress = std::function<void(int percent, const QString& text)>;

    explicit SetBasedWork(QList<Step> steps);

    // On failure nothing is stored and *error says which step failed, with the
    // engine's own words.
    bool run(Database& db, const Progress& progress, QString* error) const;
    // The rows each step changed, after a successful run.
    const QList<qint64>& changedRows() const { return m_changed; }

private:
    QList<Step> m_steps;
    mutable QList<qint64> m_changed;
};

} // namespace vantrel::data
