#include "ui/CompanyAccess.h"

#include "ui/Screens.h"

namespace vantrel::ui {

CompanyAccess* CompanyAccess::companiesScreen()
{
    return Screens::instance<CompanyAccess>(QStringLiteral("FormCompanies"));
}

QString CompanyAccess::nameOf(const CompanyAccess* company)
{
    return company ? company->companyValue(QStringLiteral("TEXT01")).toString() : QString();
}

} // namespace vantrel::ui
