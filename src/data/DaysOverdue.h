#pragma once

#include <QDate>
#include <QVariant>

#include <optional>

namespace vantrel::data {

// Days by which a company's next meeting is late, recomputed whenever a company
// is shown and by the overdue report. Takes the company's date last visited
// (DATE01), visit frequency (NUMBER01) and record state (TEXT20). Returns the new
// days overdue (NUMBER02), or nothing when the stored value must stay as it is
// (no last visit or no frequency).
std::optional<int> daysOverdue(const QVariant& lastVisited, const QVariant& visitFrequency,
    const QString& recordState, const QDate& today);

} // namespace vantrel::data
