#pragma once

namespace vantrel::ui {

// Closes the word processor's and the mail program's windows on show, each
// through its own questions about unsaved work; false as soon as the user
// keeps one open, which keeps the program running.
bool closeOfficeWindows();

} // namespace vantrel::ui
