#include "activities/FormCallReports.h"

#include "platform/MessageBox.h"
#include "ui/Screens.h"
#include "ui/WorkingFiles.h"

#include <QLabel>
#include <QPushButton>

namespace vantrel::activities {

namespace {

ui::ReportBrowser::Options callReportOptions()
{
    ui::ReportBrowser::Options options;
    options.table = QStringLiteral("TABLE08");
    options.noun = QStringLiteral("REPORT");
    options.deleteQuestion = QStringLiteral("Are you sure you want to delete this call report?");
    return options;
}

const QString entryScreen = QStringLiteral("FormCreateCallReport");

} // namespace

FormCallReports::FormCallReports(QWidget* parent)
    : CompanyReportBrowser(QStringLiteral("FormCallReports"), callReportOptions(),
        QStringLiteral("Search call reports related to "), ui::RecordViews::View::CallReports,
        parent)
{
    setWindowTitle(QStringLiteral("Call Reports"));
    saveLabel()->setText(QStringLiteral("Would you like to save this Call Report in Vantrel?"));
    m_yes = addAnswer("CommandYes", QStringLiteral("&Yes"));
    m_no = addAnswer("CommandNo", QStringLiteral("&No"));
    connect(m_yes, &QPushButton::clicked, this, &FormCallReports::saveReport);
    connect(m_no, &QPushButton::clicked, this, &FormCallReports::discardReport);
}

void FormCallReports::askToSave(Pending)
{
    showQuestion(m_yes, Pending::Document);
}

bool FormCallReports::storePending(Pending)
{
    return saveReport();
}

void FormCallReports::discardPending(Pending)
{
    discardReport();
}

bool FormCallReports::saveReport()
{
    quitLeftoverWordProcessor();
    QString error;
    if (!storeWorkingFile(ui::workingDocumentPath(), &error)) {
        // The entry screen stays open, so its auto-save goes on and a later Yes
        // can still store the report.
        platform::MessageBox::error(this, error);
        return false;
    }
    ui::Screens::close(entryScreen);
    return true;
}

void FormCallReports::discardReport()
{
    quitLeftoverWordProcessor();
    hideQuestion();
    ui::Screens::close(entryScreen);
}

QString FormCallReports::mailSubject() const
{
    return QStringLiteral("Call Report - ") + companyName();
}

void FormCallReports::quitLeftoverWordProcessor()
{
    if (const office::WordProcessor::Instance leftover = takeLeftoverWordInstance()) {
        QString ignored;
        office::WordProcessor::instance().quit(leftover, &ignored);
    }
}

} // namespace vantrel::activities
