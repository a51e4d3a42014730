#include "activities/CallReportHeader.h"

#include "data/FieldValues.h"
#include "ui/CompanyAccess.h"

namespace vantrel::activities {

namespace {

const QString lineBreak = QStringLiteral("\r\n");

} // namespace

void CallReportHeader::reset(const ui::CompanyAccess* company)
{
    const auto value = [company](const char* column) {
        return company ? company->companyValue(QLatin1String(column)).toString() : QString();
    };
    m_lines = {
        QStringLiteral("CALL REPORT"),
        QString(),
        QStringLiteral("Company: ") + value("TEXT01"),
        QStringLiteral("Type of Company: ") + value("TEXT17"),
        QStringLiteral("Division: ") + value("TEXT13"),
        QStringLiteral("Sales Person: ") + value("TEXT18"),
    };
}

void CallReportHeader::addMethod(const QString& method)
{
    m_lines.append(QStringLiteral("Method of Contact: ") + method);
}

void CallReportHeader::addDateAndTime(const QDate& date, const QString& time)
{
    m_lines.append(
        QStringLiteral("Date and Time: ") + data::displayText(date) + QLatin1Char(' ') + time);
}

void CallReportHeader::addPerson(const QString& fullName)
{
    m_lines.append(QStringLiteral("Person Contacted: ") + fullName);
}

QString CallReportHeader::text() const
{
    return m_lines.join(lineBreak);
}

QString CallReportHeader::documentText(const QString& preamble) const
{
    QString document = text() + lineBreak + lineBreak;
    if (!preamble.isEmpty())
        document += QStringLiteral("Preamble: ") + lineBreak + preamble + lineBreak + lineBreak;
    return document + QStringLiteral("Details: ") + lineBreak;
}

} // namespace vantrel::activities
