#pragma once

#include <QString>
#include <QVariant>

namespace vantrel::data {

// How a bound field treats the values given to it.
enum class FieldKind { Any, Text, Number, Date };

// From a column's declared type ("NUMERIC", "DATETEXT" ...); computed columns
// have none and take any value.
FieldKind fieldKindOf(const QString& declaredType);

// The value as a field of this kind keeps it: empty text becomes NULL, text
// typed into a number or date field becomes a number or a date. Text that is
// neither fails with a message for the user.
bool normalizeFieldValue(const QVariant& value, FieldKind kind, QVariant* result, QString* error);

// Whether writing `value` over `current` changes anything: NULL and empty text
// are the same, numbers compare as numbers and dates as dates.
bool sameFieldValue(const QVariant& current, const QVariant& value);

// A date as typed or shown: ISO, or the system's short or long date form. Two-digit
// years fall within 80 years before and 20 after today.
QDate parseDateText(const QString& text);

// A value as a person reads it; dates in the system's short date form.
QString displayText(const QVariant& value);

} // namespace vantrel::data
