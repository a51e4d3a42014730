#include "app/ScreenCatalog.h"

#include "activities/FormAllCallReports.h"
#include "activities/FormAllProjects.h"
#include "activities/FormCallReports.h"
#include "activities/FormCorrespondence.h"
#include "activities/FormCreateCallReport.h"
#include "activities/FormProjectSummary.h"
#include "activities/FormProjects.h"
#include "activities/FormReportFilter.h"
#include "activities/FormReportOverdue.h"
#include "companies/FormAllContacts.h"
#include "companies/FormArchive.h"
#include "companies/FormAttachments.h"
#include "companies/FormCompanies.h"
#include "companies/FormContacts.h"
#include "companies/FormExport.h"
#include "companies/FormImport.h"
#include "companies/FormOutlookDialog.h"
#include "companies/FormReminder.h"
#include "maintenance/FormDelete.h"
#include "maintenance/FormMaintenance.h"
#include "maintenance/FormSupport.h"
#include "maintenance/ReplicationSection.h"
#include "mastertables/FormFindandReplace.h"
#include "mastertables/FormMastertables.h"
#include "products/FormAllSales.h"
#include "products/FormCompetition.h"
#include "products/FormCompetitors.h"
#include "products/FormImportSales.h"
#include "products/FormPriceList.h"
#include "products/FormPriceListDelete.h"
#include "products/FormSales.h"
#include "reports/FormReportCompanies.h"
#include "reports/FormReportContacts.h"
#include "shell/FormDetails.h"
#include "shell/FormMenu.h"
#include "shell/FormWait.h"
#include "ui/ScreenArea.h"
#include "ui/Screens.h"

namespace vantrel::app {

using ui::Screens;

void registerScreens()
{
    ui::Screens::registerScreen(QStringLiteral("FormMenu"), [] { return new shell::FormMenu; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCompanies"), [] { return new companies::FormCompanies; });
    ui::Screens::registerScreen(
        QStringLiteral("FormArchive"), [] { return new companies::FormArchive; });
    ui::Screens::registerScreen(
        QStringLiteral("FormContacts"), [] { return new companies::FormContacts; });
    ui::Screens::registerScreen(
        QStringLiteral("FormAllContacts"), [] { return new companies::FormAllContacts; });
    ui::Screens::registerScreen(
        QStringLiteral("FormOutlookDialog"),
        [] {
            QWidget* mainWindow = ui::Screens::area() ? ui::Screens::area()->window() : nullptr;
            return new companies::FormOutlookDialog(mainWindow);
        },
        ui::Screens::Placement::Window);
    ui::Screens::registerScreen(
        QStringLiteral("FormAttachments"), [] { return new companies::FormAttachments; });
    ui::Screens::registerScreen(
        QStringLiteral("FormExport"),
        [] {
            QWidget* mainWindow = ui::Screens::area() ? ui::Screens::area()->window() : nullptr;
            return new companies::FormExport(mainWindow);
        },
        ui::Screens::Placement::Window);
    ui::Screens::registerScreen(
        QStringLiteral("FormImport"),
        [] {
            QWidget* mainWindow = ui::Screens::area() ? ui::Screens::area()->window() : nullptr;
            return new companies::FormImport(mainWindow);
        },
        ui::Screens::Placement::Window);
    ui::Screens::registerScreen(
        QStringLiteral("FormReportCompanies"), [] { return new reports::FormReportCompanies; });
    ui::Screens::registerScreen(
        QStringLiteral("FormReportContacts"), [] { return new reports::FormReportContacts; });
    ui::Screens::registerScreen(QStringLiteral("FormCreateCallReport"),
        [] { return new activities::FormCreateCallReport; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCallReports"), [] { return new activities::FormCallReports; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCorrespondence"), [] { return new activities::FormCorrespondence; });
    ui::Screens::registerScreen(
        QStringLiteral("FormAllCallReports"), [] { return new activities::FormAllCallReports; });
    ui::Screens::registerScreen(
        QStringLiteral("FormReportFilter"), [] { return new activities::FormReportFilter; });
    ui::Screens::registerScreen(
        QStringLiteral("FormProjects"), [] { return new activities::FormProjects; });
    ui::Screens::registerScreen(
        QStringLiteral("FormProjectSummary"), [] { return new activities::FormProjectSummary; });
    ui::Screens::registerScreen(
        QStringLiteral("FormAllProjects"), [] { return new activities::FormAllProjects; });
    ui::Screens::registerScreen(
        QStringLiteral("FormReportProjects"), [] { return new activities::FormReportProjects; });
    ui::Screens::registerScreen(
        QStringLiteral("FormReportOverdue"), [] { return new activities::FormReportOverdue; });
    ui::Screens::registerScreen(
        QStringLiteral("FormMastertables"), [] { return new mastertables::FormMastertables; });
    ui::Screens::registerScreen(
        QStringLiteral("FormFindandReplace"), [] { return new mastertables::FormFindandReplace; });
    ui::Screens::registerScreen(
        QStringLiteral("FormMaintenance"),
        [] {
            auto* form = new maintenance::FormMaintenance;
            form->setReplicationSection(new maintenance::ReplicationSection(form->hints(), form));
            return form;
        },
        ui::Screens::Placement::Window);
    ui::Screens::registerScreen(
        QStringLiteral("FormDelete"), [] { return new maintenance::FormDelete; });
    ui::Screens::registerScreen(
        QStringLiteral("FormSupport"), [] { return new maintenance::FormSupport; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCompetition"), [] { return new products::FormCompetition; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCompetitors"), [] { return new products::FormCompetitors; });
    ui::Screens::registerScreen(
        QStringLiteral("FormPriceList"), [] { return new products::FormPriceList; });
    ui::Screens::registerScreen(
        QStringLiteral("FormPriceListDelete"), [] { return new products::FormPriceListDelete; },
        ui::Screens::Placement::Window);
    ui::Screens::registerScreen(
        QStringLiteral("FormImportSales"), [] { return new products::FormImportSales; });
    ui::Screens::registerScreen(
        QStringLiteral("FormSales"), [] { return new products::FormSales; });
    ui::Screens::registerScreen(
        QStringLiteral("FormAllSales"), [] { return new products::FormAllSales; });
    ui::Screens::registerScreen(
        QStringLiteral("FormDetails"), [] { return new shell::FormDetails; },
        ui::Screens::Placement::Window);
    ui::Screens::registerScreen(
        QStringLiteral("FormWait"), [] { return new shell::FormWait; },
        ui::Screens::Placement::Window);
    ui::Screens::registerScreen(
        QStringLiteral("FormReminder"),
        [] {
            // A dialog of the main window: it stays above it and blocks it alone.
            QWidget* mainWindow = ui::Screens::area() ? ui::Screens::area()->window() : nullptr;
            return new companies::FormReminder(
                ui::Screens::instance(QStringLiteral("FormCompanies")), mainWindow);
        },
        ui::Screens::Placement::Window);
}

} // namespace vantrel::app
