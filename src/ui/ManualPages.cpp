#include "ui/ManualPages.h"

namespace vantrel::ui {

const QList<ManualPage>& manualPages()
{
    static const QList<ManualPage> pages {
        { QStringLiteral("FormReplica"), 2 },
        { QStringLiteral("FormMastertables"), 7 },
        { QStringLiteral("FormImport"), 12 },
        { QStringLiteral("FormImportSales"), 16 },
        { QStringLiteral("FormCompetition"), 18 },
        { QStringLiteral("FormPriceList"), 21 },
        { QStringLiteral("FormCompanies"), 26 },
        { QStringLiteral("FormContacts"), 30 },
        { QStringLiteral("FormCreateCallReport"), 32 },
        { QStringLiteral("FormCorrespondence"), 40 },
        { QStringLiteral("FormCallReports"), 40 },
        { QStringLiteral("FormAllCallReports"), 41 },
        { QStringLiteral("FormReportFilter"), 41 },
        { QStringLiteral("FormProjects"), 42 },
        { QStringLiteral("FormProjectSummary"), 43 },
        { QStringLiteral("FormAllProjects"), 43 },
        { QStringLiteral("FormAttachments"), 46 },
        { QStringLiteral("FormCompetitors"), 48 },
        { QStringLiteral("FormReportOverdue"), 50 },
        { QStringLiteral("FormMaintenance"), 51 },
        { QStringLiteral("FormDelete"), 52 },
        { QStringLiteral("FormSupport"), 53 },
        { QStringLiteral("FormReportCompanies"), 49 },
        { QStringLiteral("FormReportContacts"), 49 },
        { QStringLiteral("FormExport"), 58 },
        { QStringLiteral("FormSales"), 62 },
        { QStringLiteral("FormAllContacts"), 64 },
    };
    return pages;
}

int manualPageOf(QStringView screen)
{
    for (const ManualPage& entry : manualPages()) {
        if (entry.screen == screen)
            return entry.page;
    }
    return 0;
}

} // namespace vantrel::ui
