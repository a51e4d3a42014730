#include "shell/OfficeActions.h"

#include "office/MailProgram.h"
#include "office/SpreadsheetProgram.h"
#include "office/WordProcessor.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "shell/MDIFormMain.h"
#include "ui/Resources.h"

#include <functional>

namespace vantrel::shell {

namespace {

void runOfficeAction(const std::function<bool(QString*)>& action)
{
    QString error;
    bool done = false;
    {
        const platform::BusyCursor busy;
        done = action(&error);
    }
    if (!done) {
        platform::MessageBox::error(nullptr, error);
        return;
    }
    if (MDIFormMain* main = MDIFormMain::instance())
        main->showMinimized();
}

void showMailFolder(office::MailProgram::Folder folder)
{
    runOfficeAction([folder](QString* error) {
        return office::MailProgram::instance().showDefaultFolder(folder, error);
    });
}

} // namespace

void OfficeActions::openSpreadsheet()
{
    runOfficeAction([](QString* error) {
        office::SpreadsheetProgram& spreadsheet = office::SpreadsheetProgram::instance();
        office::Workbook workbook = spreadsheet.newWorkbook();
        const QString path = office::SpreadsheetProgram::newReportFileName();
        return spreadsheet.saveAs(&workbook, path, error) && spreadsheet.show(path, error);
    });
}

void OfficeActions::openWordProcessor()
{
    runOfficeAction([](QString* error) {
        ui::ensureResources();
        // The word processor's documents come from templates; an empty one
        // stands in for the blank default template.
        const QString blankTemplate = QStringLiteral(":/ui/templates/Blank.rtf");
        office::WordProcessor& word = office::WordProcessor::instance();
        const office::WordProcessor::Instance instance = word.start();
        if (word.addDocument(instance, blankTemplate, error) && word.show(instance, error))
            return true;
        QString ignored;
        word.quit(instance, &ignored);
        return false;
    });
}

void OfficeActions::openCalendar()
{
    showMailFolder(office::MailProgram::Folder::Calendar);
}

void OfficeActions::openInbox()
{
    showMailFolder(office::MailProgram::Folder::Inbox);
}

void OfficeActions::openTasks()
{
    showMailFolder(office::MailProgram::Folder::Tasks);
}

} // namespace vantrel::shell
