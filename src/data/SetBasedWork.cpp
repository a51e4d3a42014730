#include "data/SetBasedWork.h"

#include "data/Database.h"

namespace vantrel::data {

SetBasedWork::SetBasedWork(QList<Step> steps)
    : m_steps(std::move(steps))
{
}

bool SetBasedWork::run(Database& db, const Progress& progress, QString* error) const
{
    m_changed.clear();
    Transaction transaction(db);
    if (!transaction.isActive()) {
        *error = db.lastError();
        return false;
    }
    QList<qint64> changed;
    const qsizetype count = m_steps.size();
    for (qsizetype i = 0; i < count; ++i) {
        const Step& step = m_steps.at(i);
        if (progress)
            progress(int(100 * i / count), step.text);
        if (!db.execute(step.sql, step.parameters)) {
            *error = step.text.isEmpty() ? db.lastError()
                                         : step.text + QStringLiteral(": ") + db.lastError();
            return false; // the transaction rolls back as it goes
        }
        changed.append(db.changedRows());
    }
    if (!transaction.commit()) {
        *error = db.lastError();
        return false;
    }
    m_changed = changed;
    if (progress)
        progress(100, QString());
    return true;
}

} // namespace vantrel::data
