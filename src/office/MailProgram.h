#pragma once

#include "office/Appointment.h"
#include "office/MailItem.h"
#include "office/Task.h"

#include <QString>

#include <functional>
#include <memory>

namespace vantrel::office {

// The mail and calendar program as the screens use it: new items, showing an
// item for the user to finish, sending mail, keeping appointments and tasks in
// the agenda, and the auto-save of the e-mail being written. The built-in
// program is used unless a test installs a double.
class MailProgram {
public:
    enum class Folder { Inbox, Calendar, Tasks };

    virtual ~MailProgram() = default;

    using Factory = std::function<std::unique_ptr<MailProgram>()>;
    // What instance() makes while no program is installed; the composition root sets it.
    static void setDefaultFactory(Factory factory);
    static MailProgram& instance();
    // Replaces the program; nullptr brings back the built-in one.
    static void setInstance(std::unique_ptr<MailProgram> program);

    MailItem createMail() const;
    // Starts at the next full half hour and lasts 30 minutes.
    Appointment createAppointment() const;
    // Due today.
    Task createTask() const;

    // True while one of the program's windows is open.
    virtual bool isRunning() const = 0;
    // Shows the item in a window of its own, in front, for the user to finish.
    virtual bool display(const MailItem& mail, QString* error) = 0;
    virtual bool display(const Appointment& appointment, QString* error) = 0;
    virtual bool display(const Task& task, QString* error) = 0;
    // Through SMTP when a mail account is set up, else handed to the desktop's
    // mail client; a window that shows this item closes once it went out.
    virtual bool send(const MailItem& mail, QString* error) = 0;
    virtual bool save(const Appointment& appointment, QString* error) = 0;
    virtual bool save(const Task& task, QString* error) = 0;
    // Writes the active mail window's item as plain text; fails when no mail
    // window is open.
    virtual bool saveActiveItemAsText(const QString& path, QString* error) = 0;
    // Calendar and tasks open the agenda; the inbox starts the desktop's mail client.
    virtual bool showDefaultFolder(Folder folder, QString* error) = 0;
};

} // namespace vantrel::office
