#pragma once

#include "ui/RecordViewScreen.h"

#include <QDate>
#include <QString>

namespace vantrel::activities {

// The call reports of a range of days, newest first, optionally narrowed to a
// company and a sales person given as Like patterns ("A*"). Both days belong to
// the range, whatever the time of day a report carries. The names are the
// report's own or, where it has none (every report this system writes), those
// of the company its key names; a missing name counts as empty text, so an
// empty pattern (taken as "*") finds every report of the range.
class ReportFilterQuery {
public:
    // Dates on the filter screen read as on every other screen: the system's short date form.
    static QString dateText(const QDate& date);
    // An invalid date unless the text is a date as shown or typed elsewhere (data::parseDateText).
    static QDate parseDate(const QString& text);

    // Fails when either text is not a date; the patterns are used as they are.
    static bool build(const QString& from, const QString& until, const QString& companyPattern,
        const QString& salesPersonPattern, ui::RecordQuery* query);
};

} // namespace vantrel::activities
