#pragma once

#include "office/MailProgram.h"

namespace vantrel::ui {

class MailWindow;

// Vantrel's own mail window and agenda. It keeps no state of its own: its
// windows are found among the application's top-level windows.
class BuiltInMailProgram : public office::MailProgram {
public:
    bool isRunning() const override;
    bool display(const office::MailItem& mail, QString* error) override;
    bool display(const office::Appointment& appointment, QString* error) override;
    bool display(const office::Task& task, QString* error) override;
    bool send(const office::MailItem& mail, QString* error) override;
    bool save(const office::Appointment& appointment, QString* error) override;
    bool save(const office::Task& task, QString* error) override;
    // The mail window the user worked in last; nullptr when none is open.
    MailWindow* activeMailWindow() const;
    bool saveActiveItemAsText(const QString& path, QString* error) override;
    bool showDefaultFolder(Folder folder, QString* error) override;
};

} // namespace vantrel::ui
