#include "office/PastedValue.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

namespace vantrel::office {

namespace {

constexpr int maxExactDigits = 15;

// Numbers in plain notation only: exponent forms such as "12E4" are product
// codes far more often than numbers.
QVariant numberValue(const QString& text)
{
    static const QChar localePoint = QLocale::system().decimalPoint().front();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    QString whole;
    QString fraction;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            (point ? fraction : whole).append(c);
        else if (!point && (c == QLatin1Char('.') || c == localePoint))
            point = true;
        else
            return {};
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return {};
    if (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        return {};
    QString digits = whole + fraction;
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > maxExactDigits)
        return {};
    if (!point) {
        const qlonglong value = whole.toLongLong();
        return negative ? -value : value;
    }
    const double value
        = (QLatin1String("0") + whole + QLatin1Char('.') + fraction + QLatin1Char('0')).toDouble();
    return negative ? -value : value;
}

// Two-digit years read as 1900 to 1999; the spreadsheet's rule puts 00 to 29 in
// this century.
QDate withCenturyRule(QDate date, const QString& format)
{
    if (date.isValid() && !format.contains(QLatin1String("yyyy")) && date.year() < 1930)
        return date.addYears(100);
    return date;
}

// Every date form read here starts with a digit, which rules out most texts
// before the slower parsing.
QVariant dateValue(const QString& text)
{
    if (text.size() > 40 || !text.front().isDigit())
        return {};
    static const QRegularExpression isoDate(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    static const QRegularExpression isoDateTime(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}[T ]\\d{2}:\\d{2}(:\\d{2})?$"));
    if (isoDate.match(text).hasMatch()) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        return date.isValid() ? QVariant(date) : QVariant();
    }
    if (isoDateTime.match(text).hasMatch()) {
        QString iso = text;
        iso[10] = QLatin1Char('T');
        const QDateTime dateTime = QDateTime::fromString(iso, Qt::ISODate);
        return dateTime.isValid() ? QVariant(dateTime) : QVariant();
    }
    static const QLocale locale = QLocale::system();
    static const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    static const QString dateTimeFormat = locale.dateTimeFormat(QLocale::ShortFormat);
    const QDate date = withCenturyRule(locale.toDate(text, dateFormat), dateFormat);
    if (date.isValid())
        return date;
    const QDateTime dateTime = locale.toDateTime(text, dateTimeFormat);
    if (dateTime.isValid())
        return QDateTime(withCenturyRule(dateTime.date(), dateTimeFormat), dateTime.time());
    return {};
}

} // namespace

QVariant pastedValue(const QString& text)
{
    if (text.isEmpty())
        return {};
    const QVariant number = numberValue(text);
    if (number.isValid())
        return number;
    const QVariant date = dateValue(text);
    if (date.isValid())
        return date;
    return text;
}

} // namespace vantrel::office
