#include "shell/OfficeActions.h"

#include "office/MailProgram.h"
#include "office/SpreadsheetProgram.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "shell/MDIFormMain.h"

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
