#include "companies/ContactCommunication.h"

#include "companies/Correspondent.h"
#include "data/Clock.h"
#include "office/WordProcessor.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/CompanyAccess.h"
#include "ui/LoadIndicator.h"
#include "ui/MainWindow.h"
#include "ui/Screens.h"
#include "ui/WorkingFiles.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel::companies {

using office::MailProgram;
using office::WordProcessor;
using ui::LoadIndicator;
using ui::SaveQuestion;

namespace {

// Out of the way of the office program's window the user works in next.
void minimizeMainWindow()
{
    if (ui::MainWindow* main = ui::MainWindow::instance())
        main->minimize();
}

} // namespace

ContactCommunication::ContactCommunication(
    QWidget* screen, LoadIndicator* indicator, AskToSave askToSave)
    : m_screen(screen)
    , m_indicator(indicator)
    , m_askToSave(std::move(askToSave))
{
}

bool ContactCommunication::writeLetter(const Correspondent& to)
{
    return writeDocument(to.letterBlock(data::Clock::today()), false);
}

bool ContactCommunication::writeFax(const Correspondent& to)
{
    if (to.directFax.trimmed().isEmpty()) {
        platform::MessageBox::warning(
            m_screen, to.fullName() + QStringLiteral(" does not have a fax number!"));
        return false;
    }
    return writeDocument(to.faxBlock(data::Clock::today()), true);
}

bool ContactCommunication::writeEMail(const Correspondent& to)
{
    if (to.email.isEmpty()) {
        platform::MessageBox::warning(
            m_screen, to.fullName() + QStringLiteral(" has no e-mail address!"));
        return false;
    }
    QString error;
    if (!openMail(to.email, &error)) {
        platform::MessageBox::error(m_screen, error);
        return false;
    }
    return true;
}

bool ContactCommunication::makeAppointment(const Correspondent& with)
{
    QString error;
    if (!openAppointment(with, &error)) {
        platform::MessageBox::critical(m_screen, error);
        return false;
    }
    return true;
}

bool ContactCommunication::makeTask(const Correspondent& about)
{
    QString error;
    if (!openTask(about, &error)) {
        platform::MessageBox::critical(m_screen, error);
        return false;
    }
    return true;
}

bool ContactCommunication::writeDocument(const QString& addressBlock, bool fax)
{
    QString error;
    if (!openDocument(addressBlock, fax, &error)) {
        platform::MessageBox::error(m_screen, error);
        return false;
    }
    return true;
}

// The open... operations keep the hourglass and the indicator up while they run;
// their failures are shown after both are gone.

bool ContactCommunication::openDocument(const QString& addressBlock, bool fax, QString* error)
{
    platform::BusyCursor busy;
    LoadIndicator::Showing loading(m_indicator, LoadIndicator::Program::Word);
    WordProcessor& word = WordProcessor::instance();
    const WordProcessor::Instance instance = word.start();
    if (!word.addDocument(instance, ui::letterheadPath(), error) || !word.show(instance, error)
        || !word.typeText(instance, addressBlock, error) || !word.moveToEnd(instance, error))
        return false;
    if (fax) {
        const QString path = ui::workingDocumentPath();
        // Should the folder not come, the save says why.
        QDir().mkpath(QFileInfo(path).path());
        if (!word.saveActiveDocument(instance, path, error))
            return false;
    }
    m_askToSave(SaveQuestion::Pending::Document);
    if (!word.show(instance, error))
        return false;
    if (fax)
        minimizeMainWindow();
    return true;
}

bool ContactCommunication::openMail(const QString& address, QString* error)
{
    platform::BusyCursor busy;
    LoadIndicator::Showing loading(m_indicator, LoadIndicator::Program::Outlook);
    MailProgram& mail = MailProgram::instance();
    office::MailItem item = mail.createMail();
    item.to = address;
    // The window comes to the front with the cursor in the subject, below the address.
    if (!mail.display(item, error))
        return false;
    m_askToSave(SaveQuestion::Pending::Mail);
    return true;
}

bool ContactCommunication::openAppointment(const Correspondent& with, QString* error)
{
    platform::BusyCursor busy;
    LoadIndicator::Showing loading(m_indicator, LoadIndicator::Program::Outlook);
    MailProgram& mail = MailProgram::instance();
    office::Appointment appointment = mail.createAppointment();
    appointment.subject = with.appointmentSubject();
    appointment.durationMinutes = 60;
    if (!showAgendaFolder(MailProgram::Folder::Calendar, error)
        || !mail.display(appointment, error))
        return false;
    auto* company = ui::CompanyAccess::companiesScreen();
    if (!company
        || !company->setAppointmentNote(QStringLiteral("A new appointment has been made."))) {
        *error = QStringLiteral(
            "The appointment is open, but the note could not be written into the company.");
        return false;
    }
    minimizeMainWindow();
    return true;
}

bool ContactCommunication::openTask(const Correspondent& about, QString* error)
{
    platform::BusyCursor busy;
    LoadIndicator::Showing loading(m_indicator, LoadIndicator::Program::Outlook);
    MailProgram& mail = MailProgram::instance();
    office::Task task = mail.createTask();
    task.subject = about.taskSubject();
    if (!showAgendaFolder(MailProgram::Folder::Tasks, error) || !mail.display(task, error))
        return false;
    minimizeMainWindow();
    return true;
}

bool ContactCommunication::showAgendaFolder(MailProgram::Folder folder, QString* error)
{
    MailProgram& mail = MailProgram::instance();
    if (mail.isRunning())
        return true;
    if (!mail.showDefaultFolder(folder, error))
        return false;
    minimizeMainWindow();
    return true;
}

} // namespace vantrel::companies
