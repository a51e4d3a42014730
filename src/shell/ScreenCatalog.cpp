#include "shell/ScreenCatalog.h"

#include "activities/FormAllCallReports.h"
#include "activities/FormCallReports.h"
#include "activities/FormCorrespondence.h"
#include "activities/FormCreateCallReport.h"
#include "activities/FormReportFilter.h"
#include "companies/FormArchive.h"
#include "companies/FormCompanies.h"
#include "companies/FormContacts.h"
#include "companies/FormReminder.h"
#include "shell/FormDetails.h"
#include "shell/FormFindandReplace.h"
#include "shell/FormMastertables.h"
#include "shell/FormMenu.h"
#include "shell/FormWait.h"
#include "shell/ScreenArea.h"
#include "shell/Screens.h"

namespace vantrel::shell {

void registerScreens()
{
    Screens::registerScreen(QStringLiteral("FormMenu"), [] { return new FormMenu; });
    Screens::registerScreen(
        QStringLiteral("FormCompanies"), [] { return new companies::FormCompanies; });
    Screens::registerScreen(
        QStringLiteral("FormArchive"), [] { return new companies::FormArchive; });
    Screens::registerScreen(
        QStringLiteral("FormContacts"), [] { return new companies::FormContacts; });
    Screens::registerScreen(
        QStringLiteral("FormCreateCallReport"), [] { return new activities::FormCreateCallReport; });
    Screens::registerScreen(
        QStringLiteral("FormCallReports"), [] { return new activities::FormCallReports; });
    Screens::registerScreen(
        QStringLiteral("FormCorrespondence"), [] { return new activities::FormCorrespondence; });
    Screens::registerScreen(
        QStringLiteral("FormAllCallReports"), [] { return new activities::FormAllCallReports; });
    Screens::registerScreen(
        QStringLiteral("FormReportFilter"), [] { return new activities::FormReportFilter; });
    Screens::registerScreen(
        QStringLiteral("FormMastertables"), [] { return new FormMastertables; });
    Screens::registerScreen(
        QStringLiteral("FormFindandReplace"), [] { return new FormFindandReplace; });
    Screens::registerScreen(
        QStringLiteral("FormDetails"), [] { return new FormDetails; }, Screens::Placement::Window);
    Screens::registerScreen(
        QStringLiteral("FormWait"), [] { return new FormWait; }, Screens::Placement::Window);
    Screens::registerScreen(
        QStringLiteral("FormReminder"),
        [] {
            // A dialog of the main window: it stays above it and blocks it alone.
            QWidget* mainWindow = Screens::area() ? Screens::area()->window() : nullptr;
            return new companies::FormReminder(
                Screens::instance(QStringLiteral("FormCompanies")), mainWindow);
        },
        Screens::Placement::Window);
}

} // namespace vantrel::shell
