#include "RecordingMailProgram.h"

namespace vantrel::office {

bool RecordingMailProgram::succeeds(QString* error) const
{
    if (failure.isEmpty())
        return true;
    if (error)
        *error = failure;
    return false;
}

bool RecordingMailProgram::display(const MailItem& mail, QString* error)
{
    if (!succeeds(error))
        return false;
    displayedMails.append(mail);
    return true;
}

bool RecordingMailProgram::display(const Appointment& appointment, QString* error)
{
    if (!succeeds(error))
        return false;
    displayedAppointments.append(appointment);
    return true;
}

bool RecordingMailProgram::display(const Task& task, QString* error)
{
    if (!succeeds(error))
        return false;
    displayedTasks.append(task);
    return true;
}

bool RecordingMailProgram::send(const MailItem& mail, QString* error)
{
    if (!succeeds(error))
        return false;
    sentMails.append(mail);
    return true;
}

bool RecordingMailProgram::save(const Appointment& appointment, QString* error)
{
    if (!succeeds(error))
        return false;
    savedAppointments.append(appointment);
    return true;
}

bool RecordingMailProgram::save(const Task& task, QString* error)
{
    if (!succeeds(error))
        return false;
    savedTasks.append(task);
    return true;
}

bool RecordingMailProgram::saveActiveItemAsText(const QString& path, QString* error)
{
    if (!succeeds(error))
        return false;
    if (displayedMails.isEmpty()) {
        if (error)
            *error = QStringLiteral("No e-mail is open in the mail window.");
        return false;
    }
    textSavePaths.append(path);
    return displayedMails.last().saveAsText(path, error);
}

bool RecordingMailProgram::showDefaultFolder(Folder folder, QString* error)
{
    if (!succeeds(error))
        return false;
    shownFolders.append(folder);
    return true;
}

} // namespace vantrel::office
