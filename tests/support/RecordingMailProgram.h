#pragma once

#include "office/MailProgram.h"

#include <QList>

namespace vantrel::office {

// Records what the screens asked of the mail program, without windows or
// mail; for tests. With `failure` set every operation fails with that text.
class RecordingMailProgram : public MailProgram {
public:
    bool isRunning() const override { return running; }
    bool display(const MailItem& mail, QString* error) override;
    bool display(const Appointment& appointment, QString* error) override;
    bool display(const Task& task, QString* error) override;
    bool send(const MailItem& mail, QString* error) override;
    bool save(const Appointment& appointment, QString* error) override;
    bool save(const Task& task, QString* error) override;
    // Writes the last displayed mail as the built-in program would.
    bool saveActiveItemAsText(const QString& path, QString* error) override;
    bool showDefaultFolder(Folder folder, QString* error) override;

    QList<MailItem> displayedMails;
    QList<Appointment> displayedAppointments;
    QList<Task> displayedTasks;
    QList<MailItem> sentMails;
    QList<Appointment> savedAppointments;
    QList<Task> savedTasks;
    QList<Folder> shownFolders;
    QStringList textSavePaths;
    bool running = false;
    QString failure;

private:
    bool succeeds(QString* error) const;
};

} // namespace vantrel::office
