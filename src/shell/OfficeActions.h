#pragma once

namespace vantrel::shell {

// The office nodes of the navigation tree: each shows the busy pointer while
// the office program comes up, then minimizes the main window; a failure is
// shown with the error icon and leaves the window as it was.
class OfficeActions {
public:
    // A new, empty workbook saved in the Temp folder and handed to the desktop's
    // spreadsheet application.
    static void openSpreadsheet();
    // A new instance of the word processor with an empty document, in front.
    static void openWordProcessor();
    static void openCalendar();
    static void openInbox();
    static void openTasks();
};

} // namespace vantrel::shell
