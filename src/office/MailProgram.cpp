#include "office/MailProgram.h"

#include "data/Clock.h"

#include <QUuid>

namespace vantrel::office {

namespace {

std::unique_ptr<MailProgram>& installedProgram()
{
    static std::unique_ptr<MailProgram> program;
    return program;
}

MailProgram::Factory& defaultFactory()
{
    static MailProgram::Factory factory;
    return factory;
}

} // namespace

MailProgram& MailProgram::instance()
{
    std::unique_ptr<MailProgram>& program = installedProgram();
    if (!program) {
        if (!defaultFactory())
            qFatal("No MailProgram is installed");
        program = defaultFactory()();
    }
    return *program;
}

void MailProgram::setDefaultFactory(Factory factory)
{
    defaultFactory() = std::move(factory);
}

void MailProgram::setInstance(std::unique_ptr<MailProgram> program)
{
    installedProgram() = std::move(program);
}

MailItem MailProgram::createMail() const
{
    MailItem mail;
    mail.id = QUuid::createUuid();
    return mail;
}

Appointment MailProgram::createAppointment() const
{
    const QDateTime now = data::Clock::now();
    const int minutes = now.time().hour() * 60 + now.time().minute();
    Appointment appointment;
    appointment.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    appointment.start
        = QDateTime(now.date(), QTime(0, 0)).addSecs(qint64(minutes / 30 + 1) * 30 * 60);
    appointment.durationMinutes = 30;
    return appointment;
}

Task MailProgram::createTask() const
{
    Task task;
    task.uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    task.dueDate = data::Clock::today();
    return task;
}

} // namespace vantrel::office
