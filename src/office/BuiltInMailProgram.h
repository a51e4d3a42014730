#pragma once

#include "office/MailProgram.h"

namespace vantrel::office {

// Vantrel's own mail window and agenda. It keeps no state of its own: its
// windows are found among the application's top-level windows.
class BuiltInMailProgram : public MailProgram {
public:
    bool isRunning() const override;
    bool display(const MailItem& mail, QString* error) override;
    bool display(const Appointment& appointment, QString* error) override;
    bool display(const Task& task, QString* error) override;
    bool send(const MailItem& mail, QString* error) override;
    bool save(const Appointment& appointment, QString* error) override;
    bool save(const Task& task, QString* error) override;
    MailWindow* activeMailWindow() const override;
    bool saveActiveItemAsText(const QString& path, QString* error) override;
    bool showDefaultFolder(Folder folder, QString* error) override;
};

} // namespace vantrel::office
