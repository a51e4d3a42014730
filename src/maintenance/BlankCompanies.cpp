#include "maintenance/BlankCompanies.h"

#include "data/Database.h"
#include "data/SetBasedWork.h"

namespace vantrel::maintenance {

namespace {

const QString blank
    = QStringLiteral("(SELECT AUTONUMBER FROM TABLE01 WHERE TEXT01 IS NULL OR TEXT01 = '')");

data::SetBasedWork::Step deleteChildren(const QString& table, const QString& text)
{
    return { text, QStringLiteral("DELETE FROM %1 WHERE NUMBER01 IN %2").arg(table, blank), {} };
}

} // namespace

bool removeBlankCompanies(data::Database& db, int* removed, QString* error)
{
    // Children first: their link to the company is found through the company
    // rows, which go last.
    const data::SetBasedWork work({
        { QStringLiteral("Removing action steps"),
            QStringLiteral("DELETE FROM TABLE07 WHERE NUMBER02 IN %1 OR NUMBER01 IN "
                           "(SELECT AUTONUMBER FROM TABLE06 WHERE NUMBER01 IN %1)")
                .arg(blank),
            {} },
        deleteChildren(QStringLiteral("TABLE06"), QStringLiteral("Removing projects")),
        deleteChildren(QStringLiteral("TABLE03"), QStringLiteral("Removing contacts")),
        deleteChildren(QStringLiteral("TABLE05"), QStringLiteral("Removing attachments")),
        deleteChildren(QStringLiteral("TABLE08"), QStringLiteral("Removing call reports")),
        deleteChildren(QStringLiteral("TABLE09"), QStringLiteral("Removing correspondence")),
        deleteChildren(QStringLiteral("TABLE10"), QStringLiteral("Removing competitor products")),
        { QStringLiteral("Removing companies"),
            QStringLiteral("DELETE FROM TABLE01 WHERE TEXT01 IS NULL OR TEXT01 = ''"), {} },
    });
    if (!work.run(db, {}, error))
        return false;
    if (removed)
        *removed = int(work.changedRows().constLast());
    return true;
}

} // namespace vantrel::maintenance
