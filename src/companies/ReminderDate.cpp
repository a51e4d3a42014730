#include "companies/ReminderDate.h"

#include "data/FieldValues.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace vantrel::companies {

namespace {

bool dateOf(const QVariant& value, QDate* date, QString* error)
{
    if (value.typeId() == QMetaType::QDate) {
        *date = value.toDate();
        return true;
    }
    if (value.typeId() == QMetaType::QDateTime) {
        *date = value.toDateTime().date();
        return true;
    }
    const QString text = value.toString().trimmed();
    *date = text.isEmpty() ? QDate() : data::parseDateText(text);
    if (!text.isEmpty() && !date->isValid()) {
        *error = QStringLiteral("The date last visited \"%1\" is not a date.").arg(text);
        return false;
    }
    return true;
}

} // namespace

int ReminderDate::frequencyDays(const QVariant& frequency)
{
    static const QRegularExpression leadingNumber(QStringLiteral("^[+-]?\\d+(\\.\\d*)?"));
    const QRegularExpressionMatch match = leadingNumber.match(frequency.toString().trimmed());
    if (!match.hasMatch())
        return 0;
    // A fraction of a day does not reach the next day.
    return int(std::floor(match.captured().toDouble()));
}

bool ReminderDate::dueDay(const QVariant& lastVisited, const QVariant& frequency,
    const QDate& today, QDate* day, QString* error)
{
    QDate last;
    if (!dateOf(lastVisited, &last, error))
        return false;
    const int days = frequencyDays(frequency);
    if (!last.isValid() && days == 0) {
        *error
            = QStringLiteral("The company has neither a date last visited nor a visit frequency.");
        return false;
    }
    QDate due = (last.isValid() ? last : today).addDays(days - 2);
    if (due.dayOfWeek() == Qt::Saturday)
        due = due.addDays(2);
    else if (due.dayOfWeek() == Qt::Sunday)
        due = due.addDays(1);
    *day = due;
    return true;
}

} // namespace vantrel::companies
