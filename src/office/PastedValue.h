#pragma once

#include <QString>
#include <QVariant>

namespace vantrel::office {

// The value a pasted text becomes in a cell: a whole number (qlonglong) or a
// decimal number (double) when the text is exactly one, a date (QDate) or date
// and time (QDateTime) in ISO form or the system's short date form, else the text
// itself; an empty text leaves the cell empty. Texts whose number would lose
// something stay text: leading zeros ("01067", a postal code) and more than 15
// digits (an account number).
QVariant pastedValue(const QString& text);

} // namespace vantrel::office
