#pragma once

#include <QString>
#include <QVariant>

namespace vantrel::office {

// What a cell shows for its value under a spreadsheet number format code: digits,
// decimals, thousands separators, percent, literal text and sections for negative
// numbers and zero; day, month, year, hour, minute, second and AM/PM parts of
// date and time formats. An empty code or "General" shows numbers with up to ten
// significant digits and dates in the system's short date form.
QString cellText(const QVariant& value, const QString& numberFormat);

} // namespace vantrel::office
