#pragma once

#include "office/Sheet.h"

#include <QList>
#include <QString>
#include <QVariantList>

namespace vantrel::activities {

// The separator that closes each project of the printed summary.
inline const QString projectSeparator = QString(61, QLatin1Char('_'));

// One action step of an active project, as the summary lists it.
struct ProjectSummaryRow {
    QVariant dateEntered;
    QString division;
    QString projectName;
    QVariant actionDate;
    QString actionTaken;
};

// The printed summary of one company's active projects: the title "Poject
// Report for " and the company in A1, the headings in row 4, a separator under
// them and after each run of steps of one project name, the action text wrapped
// in a narrow last column; Calibri 9 throughout. Rows come ordered by project
// name, then action date.
office::Sheet buildProjectSummarySheet(
    const QString& companyName, const QList<ProjectSummaryRow>& rows);

} // namespace vantrel::activities
