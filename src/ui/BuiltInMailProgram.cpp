#include "ui/BuiltInMailProgram.h"

#include "office/AgendaStore.h"
#include "office/MailAccount.h"
#include "office/MailtoLink.h"
#include "office/SmtpSender.h"
#include "platform/BusyCursor.h"
#include "platform/Desktop.h"
#include "ui/AgendaWindow.h"
#include "ui/AppointmentWindow.h"
#include "ui/MailWindow.h"
#include "ui/TaskWindow.h"

#include <QApplication>
#include <QEventLoop>

#include <thread>

namespace vantrel::ui {

namespace {

template <typename Window> QList<Window*> openWindows()
{
    QList<Window*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            windows.append(window);
    }
    return windows;
}

void bringToFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

// The SMTP exchange blocks, so it runs on a thread of its own while the
// windows keep painting; user input waits until it is over.
bool sendThroughServer(
    const office::MailAccount& account, const office::MailItem& mail, QString* error)
{
    platform::BusyCursor busy;
    QEventLoop loop;
    bool sent = false;
    QString problem;
    std::thread worker([&] {
        sent = office::SmtpSender(account).send(mail, &problem);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (!sent && error)
        *error = problem;
    return sent;
}

bool handOver(const office::MailItem& mail, QString* error)
{
    QUrl url;
    return office::mailtoLink(mail, &url, error) && platform::Desktop::openUrl(url, error);
}

void reloadAgenda()
{
    for (AgendaWindow* agenda : openWindows<AgendaWindow>())
        agenda->reload();
}

} // namespace

bool BuiltInMailProgram::isRunning() const
{
    return !openWindows<MailWindow>().isEmpty() || !openWindows<AppointmentWindow>().isEmpty()
        || !openWindows<TaskWindow>().isEmpty() || !openWindows<AgendaWindow>().isEmpty();
}

bool BuiltInMailProgram::display(const office::MailItem& mail, QString*)
{
    bringToFront(new MailWindow(mail));
    return true;
}

bool BuiltInMailProgram::display(const office::Appointment& appointment, QString*)
{
    bringToFront(new AppointmentWindow(appointment));
    return true;
}

bool BuiltInMailProgram::display(const office::Task& task, QString*)
{
    bringToFront(new TaskWindow(task));
    return true;
}

bool BuiltInMailProgram::send(const office::MailItem& mail, QString* error)
{
    office::MailAccount account;
    if (!office::MailAccount::load(&account, error))
        return false;
    const bool sent
        = account.canSend() ? sendThroughServer(account, mail, error) : handOver(mail, error);
    if (!sent)
        return false;
    for (MailWindow* window : openWindows<MailWindow>()) {
        if (!mail.id.isNull() && window->item().id == mail.id)
            window->close();
    }
    return true;
}

bool BuiltInMailProgram::save(const office::Appointment& appointment, QString* error)
{
    if (!office::AgendaStore().store(appointment, error))
        return false;
    reloadAgenda();
    return true;
}

bool BuiltInMailProgram::save(const office::Task& task, QString* error)
{
    if (!office::AgendaStore().store(task, error))
        return false;
    reloadAgenda();
    return true;
}

MailWindow* BuiltInMailProgram::activeMailWindow() const
{
    MailWindow* active = nullptr;
    for (MailWindow* window : openWindows<MailWindow>()) {
        if (!active || window->lastUse() > active->lastUse())
            active = window;
    }
    return active;
}

bool BuiltInMailProgram::saveActiveItemAsText(const QString& path, QString* error)
{
    MailWindow* window = activeMailWindow();
    if (!window) {
        if (error)
            *error = QStringLiteral("No e-mail is open in the mail window.");
        return false;
    }
    return window->saveAsText(path, error);
}

bool BuiltInMailProgram::showDefaultFolder(Folder folder, QString* error)
{
    if (folder == Folder::Inbox)
        return platform::Desktop::openUrl(QUrl(QStringLiteral("mailto:")), error);
    const QList<AgendaWindow*> open = openWindows<AgendaWindow>();
    AgendaWindow* agenda
        = open.isEmpty() ? new AgendaWindow(office::AgendaStore::defaultFileName()) : open.first();
    agenda->reload();
    agenda->showPage(
        folder == Folder::Tasks ? AgendaWindow::Page::Tasks : AgendaWindow::Page::Appointments);
    agenda->showMaximized();
    agenda->raise();
    agenda->activateWindow();
    return true;
}

} // namespace vantrel::ui
