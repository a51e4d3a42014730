#include "companies/Correspondent.h"

#include <QLocale>
#include <QStringList>

namespace vantrel::companies {

namespace {

const QString lineBreak = QStringLiteral("\r\n");

QString joinedByBlanks(const QStringList& parts)
{
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString Correspondent::fullName() const
{
    return joinedByBlanks({ firstName, lastName });
}

QString Correspondent::nameLine() const
{
    return title.isEmpty() ? fullName() : joinedByBlanks({ title, firstName, lastName });
}

QString Correspondent::letterBlock(const QDate& date) const
{
    return QStringList { QLocale().toString(date, QLocale::ShortFormat), QString(), nameLine(),
        company, postalAddress, postalCity, postalCode, QString(), QStringLiteral("RE: ") }
        .join(lineBreak);
}

QString Correspondent::faxBlock(const QDate& date) const
{
    return QStringList { QLocale().toString(date, QLocale::ShortFormat), QString(), nameLine(),
        company, postalAddress, postalCity, postalCode, QString(),
        QStringLiteral("Telefax No. ") + directFax, QString(), QStringLiteral("RE: ") }
        .join(lineBreak);
}

QString Correspondent::appointmentSubject() const
{
    return joinedByBlanks({ firstName, lastName, company, streetAddress, streetLine2, city,
        directTelephone, cellphone });
}

QString Correspondent::taskSubject() const
{
    return joinedByBlanks({ firstName, lastName, company, directTelephone, cellphone })
        + QLatin1Char(' ');
}

} // namespace vantrel::companies
