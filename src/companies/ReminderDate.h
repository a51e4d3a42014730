#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace vantrel::companies {

// The day on which a meeting reminder falls due: two days before the next visit,
// which is the last visit plus the visit frequency (counted from today when the
// company was never visited), moved from a weekend to the Monday after it.
class ReminderDate {
public:
    // lastVisited and frequency as the company holds them (DATE01, NUMBER01).
    // Fails when there is neither a last visit nor a frequency to count from.
    static bool dueDay(const QVariant& lastVisited, const QVariant& frequency, const QDate& today,
        QDate* day, QString* error);
    // Whole days of a visit frequency: its leading number; empty or other text is 0.
    static int frequencyDays(const QVariant& frequency);
};

} // namespace vantrel::companies
