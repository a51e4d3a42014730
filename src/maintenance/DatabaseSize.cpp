#include "maintenance/DatabaseSize.h"

#include <QFileInfo>

namespace vantrel::maintenance {

namespace {

// Hundredths, rounded half up, so the figures never pass through binary
// fractions: 500,000 bytes are 0.025 % and show as 0.03.
qint64 hundredths(qint64 bytes, qint64 unit)
{
    return (bytes * 100 + unit / 2) / unit;
}

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

qint64 DatabaseSize::bytesOf(const QString& fileName)
{
    const QFileInfo file(fileName);
    return file.exists() && file.isFile() ? file.size() : -1;
}

QString DatabaseSize::megabytes(qint64 bytes, Megabytes pattern)
{
    const qint64 value = hundredths(bytes, 1000000);
    const qint64 whole = value / 100;
    const qint64 fraction = value % 100;
    const QString integer = whole == 0 ? QString() : QString::number(whole);
    if (pattern == Megabytes::TwoDecimals)
        return integer + QLatin1Char('.') + twoDigits(fraction);
    QString decimals = fraction == 0 ? QString() : twoDigits(fraction);
    if (decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return integer + QLatin1Char('.') + decimals;
}

QString DatabaseSize::percent(qint64 bytes)
{
    const qint64 value = hundredths(bytes * 100, maximumBytes);
    return QString::number(value / 100) + QLatin1Char('.') + twoDigits(value % 100);
}

QString DatabaseSize::text(Megabytes pattern)
{
    const qint64 bytes = bytesOf(QStringLiteral("CONTACT.mdb"));
    if (bytes < 0)
        return {};
    return QStringLiteral("Your database is ") + megabytes(bytes, pattern)
        + QStringLiteral(" MB in size, which is ") + percent(bytes)
        + QStringLiteral(" % of its maximum capacity.");
}

} // namespace vantrel::maintenance
