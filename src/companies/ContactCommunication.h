#pragma once

#include "office/MailProgram.h"
#include "ui/SaveQuestion.h"

#include <functional>

class QWidget;

namespace vantrel::ui {
class LoadIndicator;
}

namespace vantrel::companies {

struct Correspondent;

// Starts the work with a contact in the office programs: a letter or fax on the
// letterhead in the word processor, an e-mail in the mail window, an appointment
// or a task in the agenda. The hourglass and the loading indicator show while a
// program is driven and go on every way out; failures are shown to the user.
// No reference to a program outlives the operation.
class ContactCommunication {
public:
    // Shows the question whether to store the letter, fax or e-mail just opened.
    using AskToSave = std::function<void(ui::SaveQuestion::Pending)>;

    ContactCommunication(QWidget* screen, ui::LoadIndicator* indicator, AskToSave askToSave);

    // True once the document or e-mail is open and the question stands; the
    // caller then keeps its working file current. False after a message.
    bool writeLetter(const Correspondent& to);
    // The fax is saved as the working document at once.
    bool writeFax(const Correspondent& to);
    bool writeEMail(const Correspondent& to);

    // True once the item's window is open. The appointment also leaves a note on
    // the current company.
    bool makeAppointment(const Correspondent& with);
    bool makeTask(const Correspondent& about);

private:
    bool writeDocument(const QString& addressBlock, bool fax);
    bool openDocument(const QString& addressBlock, bool fax, QString* error);
    bool openMail(const QString& address, QString* error);
    bool openAppointment(const Correspondent& with, QString* error);
    bool openTask(const Correspondent& about, QString* error);
    // Opens the calendar or tasks folder unless the mail program already runs.
    bool showAgendaFolder(office::MailProgram::Folder folder, QString* error);

    QWidget* m_screen;
    ui::LoadIndicator* m_indicator;
    AskToSave m_askToSave;
};

} // namespace vantrel::companies
