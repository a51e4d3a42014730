#include "data/DaysOverdue.h"

#include <QDateTime>

#include <cmath>

namespace vantrel::data {

namespace {

QDate asDate(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

std::optional<double> asNumber(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

} // namespace

std::optional<int> daysOverdue(const QVariant& lastVisited, const QVariant& visitFrequency,
    const QString& recordState, const QDate& today)
{
    const QDate visited = asDate(lastVisited);
    const std::optional<double> frequency = asNumber(visitFrequency);
    if (!visited.isValid() || !frequency)
        return std::nullopt;
    const qint64 days = std::trunc(*frequency);
    const qint64 sinceVisit = visited.daysTo(today);
    // A frequency of 0 means "no wished frequency", so such a company is never late.
    if (recordState == u"Company" && days > 0 && sinceVisit > days)
        return int(visited.daysTo(today.addDays(-days)));
    return 0;
}

} // namespace vantrel::data
