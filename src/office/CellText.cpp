#include "office/CellText.h"

#include "data/XlsxStyles.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace vantrel::office {

namespace {

const QDate serialOrigin(1899, 12, 30);
constexpr double lastSerial = 2958466; // 31 December 9999

QStringList sectionsOf(const QString& code)
{
    QStringList sections(QString {});
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char(';')) {
            sections.append(QString());
            continue;
        }
        sections.last().append(c);
        if (c == QLatin1Char('\\') && i + 1 < code.size()) {
            sections.last().append(code.at(++i));
        }
        else if (c == QLatin1Char('"')) {
            const qsizetype end = code.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype stop = end < 0 ? code.size() - 1 : end;
            sections.last().append(code.mid(i + 1, stop - i));
            i = stop;
        }
    }
    return sections;
}

bool isGeneral(const QString& section)
{
    const QString trimmed = section.trimmed();
    return trimmed.isEmpty() || trimmed.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0;
}

bool isDateCode(const QString& section)
{
    return data::XlsxStyles::kindOfFormatCode(section) != data::XlsxStyles::ValueKind::Number;
}

QString generalNumber(double value)
{
    const QLocale locale = QLocale::system();
    const double magnitude = std::fabs(value);
    if (magnitude != 0 && (magnitude >= 1e11 || magnitude < 1e-9)) {
        QString text = locale.toString(value, 'E', 5);
        const qsizetype exponent = text.indexOf(QLatin1Char('E'));
        QString mantissa = text.left(exponent);
        while (mantissa.endsWith(QLatin1Char('0')))
            mantissa.chop(1);
        if (mantissa.endsWith(locale.decimalPoint()))
            mantissa.chop(locale.decimalPoint().size());
        return mantissa + text.mid(exponent);
    }
    const int wholeDigits = magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
    QString text = locale.toString(value, 'f', std::max(0, 10 - wholeDigits));
    const QString point = locale.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(point.size());
    }
    return text.remove(locale.groupSeparator());
}

struct DateToken {
    enum Kind { Literal, Year, Month, Day, Hour, Minute, Second, AmPm };
    Kind kind = Literal;
    int count = 0;
    QString text;
};

QList<DateToken> dateTokensOf(const QString& section)
{
    QList<DateToken> tokens;
    auto literal = [&tokens](const QString& text) {
        if (!tokens.isEmpty() && tokens.last().kind == DateToken::Literal)
            tokens.last().text += text;
        else
            tokens.append({ DateToken::Literal, 0, text });
    };
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        const QChar lower = c.toLower();
        if (c == QLatin1Char('"')) {
            const qsizetype end = section.indexOf(QLatin1Char('"'), i + 1);
            literal(section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1));
            i = end < 0 ? section.size() : end;
        }
        else if (c == QLatin1Char('\\') && i + 1 < section.size()) {
            literal(section.at(++i));
        }
        else if (c == QLatin1Char('_') && i + 1 < section.size()) {
            literal(QStringLiteral(" "));
            ++i;
        }
        else if (c == QLatin1Char('*') && i + 1 < section.size()) {
            ++i;
        }
        else if (c == QLatin1Char('[')) {
            const qsizetype end = section.indexOf(QLatin1Char(']'), i + 1);
            i = end < 0 ? section.size() : end;
        }
        else if (section.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            tokens.append({ DateToken::AmPm, 2, {} });
            i += 4;
        }
        else if (section.mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
            tokens.append({ DateToken::AmPm, 1, {} });
            i += 2;
        }
        else if (QStringLiteral("ymdhs").contains(lower)) {
            qsizetype end = i;
            while (end < section.size() && section.at(end).toLower() == lower)
                ++end;
            const DateToken::Kind kind = lower == QLatin1Char('y') ? DateToken::Year
                : lower == QLatin1Char('m')                        ? DateToken::Month
                : lower == QLatin1Char('d')                        ? DateToken::Day
                : lower == QLatin1Char('h')                        ? DateToken::Hour
                                                                   : DateToken::Second;
            tokens.append({ kind, int(end - i), {} });
            i = end - 1;
        }
        else {
            literal(QString(c));
        }
    }
    // "m" after an hour or before a second is the minute.
    int previous = -1;
    for (qsizetype t = 0; t < tokens.size(); ++t) {
        if (tokens.at(t).kind == DateToken::Literal)
            continue;
        if (tokens.at(t).kind == DateToken::Month && tokens.at(t).count <= 2) {
            qsizetype next = t + 1;
            while (next < tokens.size() && tokens.at(next).kind == DateToken::Literal)
                ++next;
            const bool afterHour = previous >= 0 && tokens.at(previous).kind == DateToken::Hour;
            const bool beforeSecond
                = next < tokens.size() && tokens.at(next).kind == DateToken::Second;
            if (afterHour || beforeSecond)
                tokens[t].kind = DateToken::Minute;
        }
        previous = int(t);
    }
    return tokens;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString formatDate(const QDateTime& value, const QString& section)
{
    const QLocale locale = QLocale::system();
    const QList<DateToken> tokens = dateTokensOf(section);
    const bool twelveHours = std::any_of(tokens.cbegin(), tokens.cend(),
        [](const DateToken& token) { return token.kind == DateToken::AmPm; });
    const QDate date = value.date();
    const QTime time = value.time();
    QString text;
    for (const DateToken& token : tokens) {
        switch (token.kind) {
        case DateToken::Literal:
            text += token.text;
            break;
        case DateToken::Year:
            text += token.count <= 2 ? twoDigits(date.year() % 100) : QString::number(date.year());
            break;
        case DateToken::Month:
            if (token.count == 1)
                text += QString::number(date.month());
            else if (token.count == 2)
                text += twoDigits(date.month());
            else if (token.count == 3)
                text += locale.monthName(date.month(), QLocale::ShortFormat);
            else if (token.count == 5)
                text += locale.monthName(date.month(), QLocale::LongFormat).left(1);
            else
                text += locale.monthName(date.month(), QLocale::LongFormat);
            break;
        case DateToken::Day:
            if (token.count <= 2)
                text += token.count == 1 ? QString::number(date.day()) : twoDigits(date.day());
            else
                text += locale.dayName(date.dayOfWeek(),
                    token.count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case DateToken::Hour: {
            int hour = time.hour();
            if (twelveHours)
                hour = hour % 12 == 0 ? 12 : hour % 12;
            text += token.count == 1 ? QString::number(hour) : twoDigits(hour);
            break;
        }
        case DateToken::Minute:
            text += token.count == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
            break;
        case DateToken::Second:
            text += token.count == 1 ? QString::number(time.second()) : twoDigits(time.second());
            break;
        case DateToken::AmPm: {
            const bool morning = time.hour() < 12;
            text += token.count == 1
                ? QString(morning ? QStringLiteral("A") : QStringLiteral("P"))
                : QString(morning ? QStringLiteral("AM") : QStringLiteral("PM"));
            break;
        }
        }
    }
    return text;
}

bool isPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('?');
}

QString groupDigits(const QString& digits, const QString& separator)
{
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += separator;
        grouped += digits.at(i);
    }
    return grouped;
}

// A number under a section such as "#,##0.00", "0%" or "\"EUR\" 0.00"; the caller
// writes the sign.
QString formatNumber(double magnitude, const QString& section)
{
    QString prefix;
    QString suffix;
    QString pattern;
    bool percent = false;
    auto literal = [&](const QString& text) { (pattern.isEmpty() ? prefix : suffix) += text; };
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        const bool nextIsPlaceholder = i + 1 < section.size() && isPlaceholder(section.at(i + 1));
        if (c == QLatin1Char('"')) {
            const qsizetype end = section.indexOf(QLatin1Char('"'), i + 1);
            literal(section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1));
            i = end < 0 ? section.size() : end;
        }
        else if (c == QLatin1Char('\\') && i + 1 < section.size()) {
            literal(section.at(++i));
        }
        else if (c == QLatin1Char('_') && i + 1 < section.size()) {
            literal(QStringLiteral(" "));
            ++i;
        }
        else if (c == QLatin1Char('*') && i + 1 < section.size()) {
            ++i;
        }
        else if (c == QLatin1Char('[')) {
            const qsizetype end = section.indexOf(QLatin1Char(']'), i + 1);
            i = end < 0 ? section.size() : end;
        }
        else if (isPlaceholder(c) && suffix.isEmpty()) {
            pattern += c;
        }
        else if ((c == QLatin1Char('.') || c == QLatin1Char(','))
            && (nextIsPlaceholder || (!pattern.isEmpty() && suffix.isEmpty()))) {
            pattern += c;
        }
        else {
            percent = percent || c == QLatin1Char('%');
            literal(QString(c));
        }
    }
    if (pattern.isEmpty())
        return prefix + suffix;

    const QLocale locale = QLocale::system();
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString wholePattern = point < 0 ? pattern : pattern.left(point);
    const QString fractionPattern = point < 0 ? QString() : pattern.mid(point + 1);
    const int decimals = int(std::count_if(fractionPattern.cbegin(), fractionPattern.cend(),
        [](QChar c) { return isPlaceholder(c); }));
    const int minimumDecimals = int(fractionPattern.count(QLatin1Char('0')));
    const int minimumWholeDigits = int(wholePattern.count(QLatin1Char('0')));
    const bool grouped = wholePattern.contains(QLatin1Char(','));

    const QString fixed = QString::number(percent ? magnitude * 100 : magnitude, 'f', decimals);
    const qsizetype fixedPoint = fixed.indexOf(QLatin1Char('.'));
    QString whole = fixedPoint < 0 ? fixed : fixed.left(fixedPoint);
    QString fraction = fixedPoint < 0 ? QString() : fixed.mid(fixedPoint + 1);
    while (fraction.size() > minimumDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (whole == QLatin1String("0") && minimumWholeDigits == 0)
        whole.clear();
    while (whole.size() < minimumWholeDigits)
        whole.prepend(QLatin1Char('0'));
    if (grouped)
        whole = groupDigits(whole, locale.groupSeparator());
    QString number = whole;
    if (!fraction.isEmpty())
        number += locale.decimalPoint() + fraction;
    return prefix + number + suffix;
}

QDateTime fromSerial(double serial)
{
    const double days = std::floor(serial);
    const qint64 milliseconds = qint64(std::llround((serial - days) * 86'400'000.0));
    return QDateTime(serialOrigin.addDays(qint64(days)), QTime(0, 0)).addMSecs(milliseconds);
}

double toSerial(const QDateTime& value)
{
    return double(serialOrigin.daysTo(value.date()))
        + value.time().msecsSinceStartOfDay() / 86'400'000.0;
}

QString generalDate(const QVariant& value)
{
    const QLocale locale = QLocale::system();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return locale.toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("h:mm:ss"));
    default: {
        const QDateTime dateTime = value.toDateTime();
        return locale.toString(dateTime.date(), QLocale::ShortFormat) + QLatin1Char(' ')
            + dateTime.time().toString(QStringLiteral("h:mm"));
    }
    }
}

QString numberText(double value, const QString& code)
{
    const QStringList sections = sectionsOf(code);
    QString section = sections.first();
    bool writeSign = value < 0;
    if (value < 0 && sections.size() > 1) {
        section = sections.at(1);
        writeSign = false;
    }
    else if (value == 0 && sections.size() > 2) {
        section = sections.at(2);
    }
    if (isGeneral(section))
        return (writeSign ? QStringLiteral("-") : QString()) + generalNumber(std::fabs(value));
    if (isDateCode(section)) {
        if (value < 0 || value >= lastSerial)
            return QString(11, QLatin1Char('#'));
        return formatDate(fromSerial(value), section);
    }
    const QString text = formatNumber(std::fabs(value), section);
    return writeSign ? QLatin1Char('-') + text : text;
}

} // namespace

QString cellText(const QVariant& value, const QString& numberFormat)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime: {
        const QString section = sectionsOf(numberFormat).first();
        if (isGeneral(section))
            return generalDate(value);
        QDateTime dateTime = value.typeId() == QMetaType::QDate
            ? QDateTime(value.toDate(), QTime(0, 0))
            : value.typeId() == QMetaType::QTime ? QDateTime(serialOrigin, value.toTime())
                                                 : value.toDateTime();
        if (isDateCode(section))
            return formatDate(dateTime, section);
        return numberText(toSerial(dateTime), numberFormat);
    }
    default:
        break;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return value.toString();
    // Whole numbers show every digit, so account and telephone numbers stay readable.
    const bool whole = value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int;
    if (whole && (numberFormat.isEmpty() || isGeneral(sectionsOf(numberFormat).first())))
        return QString::number(value.toLongLong());
    return numberText(number, numberFormat);
}

} // namespace vantrel::office
