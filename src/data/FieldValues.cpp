#include "data/FieldValues.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace vantrel::data {

namespace {

bool isNullish(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return true;
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

bool isNumberType(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isDateType(const QVariant& value)
{
    return value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime;
}

bool toNumber(const QVariant& value, double* number)
{
    bool ok = false;
    if (isNumberType(value)) {
        *number = value.toDouble(&ok);
        return ok;
    }
    const QString text = value.toString().trimmed();
    *number = text.toDouble(&ok);
    if (!ok)
        *number = QLocale().toDouble(text, &ok);
    return ok;
}

QDateTime toDateTime(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().startOfDay();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    const QString text = value.toString().trimmed();
    const QDate date = parseDateText(text);
    if (date.isValid())
        return date.startOfDay();
    QDateTime dateTime = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dateTime.isValid())
        dateTime = QLocale().toDateTime(text, QLocale::ShortFormat);
    return dateTime;
}

// Qt reads "yy" as 19yy; a person typing 24 means the nearest fitting century.
QDate withCenturyWindow(const QDate& date)
{
    const int thisYear = QDate::currentDate().year();
    int year = date.year();
    while (year < thisYear - 80)
        year += 100;
    while (year > thisYear + 19)
        year -= 100;
    return QDate(year, date.month(), date.day());
}

QDate parseWithFormat(const QString& text, const QString& format)
{
    const QLocale locale;
    const bool twoDigitYear
        = format.contains(QLatin1String("yy")) && !format.contains(QLatin1String("yyyy"));
    if (!twoDigitYear)
        return locale.toDate(text, format);
    QString fullYear = format;
    fullYear.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    const QDate date = locale.toDate(text, fullYear);
    if (date.isValid() && date.year() >= 1000)
        return date;
    const QDate shortYear = locale.toDate(text, format);
    return shortYear.isValid() ? withCenturyWindow(shortYear) : QDate();
}

} // namespace

FieldKind fieldKindOf(const QString& declaredType)
{
    if (declaredType.isEmpty())
        return FieldKind::Any;
    const QString type = declaredType.toUpper();
    if (type.contains(QLatin1String("DATE")))
        return FieldKind::Date;
    for (const char* numeric : { "INT", "NUM", "REAL", "FLOA", "DOUB", "DEC" }) {
        if (type.contains(QLatin1String(numeric)))
            return FieldKind::Number;
    }
    return FieldKind::Text;
}

bool normalizeFieldValue(const QVariant& value, FieldKind kind, QVariant* result, QString* error)
{
    if (isNullish(value)) {
        *result = QVariant();
        return true;
    }
    switch (kind) {
    case FieldKind::Any:
        break;
    case FieldKind::Text:
        if (isDateType(value) || isNumberType(value) || value.typeId() == QMetaType::QString)
            break;
        *result = value.toString();
        return true;
    case FieldKind::Number: {
        if (isNumberType(value))
            break;
        double number = 0;
        // Text reads "nan" and "inf" as numbers, and a whole number past the 64-bit
        // range has no integer to become; none of these is a number a field keeps.
        constexpr double wholeRange = 9223372036854775808.0; // 2^63
        if (!toNumber(value, &number) || !std::isfinite(number) || number >= wholeRange
            || number < -wholeRange) {
            *error = QStringLiteral("'%1' is not a number.").arg(value.toString());
            return false;
        }
        const qlonglong whole = qlonglong(number);
        *result = double(whole) == number ? QVariant(whole) : QVariant(number);
        return true;
    }
    case FieldKind::Date: {
        if (isDateType(value))
            break;
        const QDateTime dateTime = toDateTime(value);
        if (!dateTime.isValid()) {
            *error = QStringLiteral("'%1' is not a valid date.").arg(value.toString());
            return false;
        }
        *result = dateTime.time() == QTime(0, 0) ? QVariant(dateTime.date()) : QVariant(dateTime);
        return true;
    }
    }
    *result = value;
    return true;
}

bool sameFieldValue(const QVariant& current, const QVariant& value)
{
    const bool currentNull = isNullish(current);
    const bool valueNull = isNullish(value);
    if (currentNull || valueNull)
        return currentNull == valueNull;
    if (isDateType(current) || isDateType(value)) {
        const QDateTime a = toDateTime(current);
        const QDateTime b = toDateTime(value);
        if (a.isValid() && b.isValid())
            return a == b;
    }
    if (isNumberType(current) || isNumberType(value)) {
        double a = 0;
        double b = 0;
        if (toNumber(current, &a) && toNumber(value, &b))
            return a == b;
    }
    if (current.typeId() == QMetaType::QByteArray || value.typeId() == QMetaType::QByteArray)
        return current.toByteArray() == value.toByteArray();
    return current.toString() == value.toString();
}

QDate parseDateText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    QDate date = QDate::fromString(trimmed, Qt::ISODate);
    if (date.isValid())
        return date;
    const QLocale locale;
    for (QLocale::FormatType type : { QLocale::ShortFormat, QLocale::LongFormat }) {
        date = parseWithFormat(trimmed, locale.dateFormat(type));
        if (date.isValid())
            return date;
    }
    return {};
}

QString displayText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        if (dateTime.time() == QTime(0, 0))
            return QLocale().toString(dateTime.date(), QLocale::ShortFormat);
        return QLocale().toString(dateTime, QLocale::ShortFormat);
    }
    default:
        return value.toString();
    }
}

} // namespace vantrel::data
