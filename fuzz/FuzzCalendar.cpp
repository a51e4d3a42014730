// The agenda's iCalendar file, which other calendar programs also write.
#include "FuzzInput.h"

#include "office/AgendaStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = vantrel::fuzz::inputFile(QStringLiteral("agenda.ics"), data, size);
    vantrel::office::AgendaStore store(path);
    QList<vantrel::office::Appointment> appointments;
    QList<vantrel::office::Task> tasks;
    QString error;
    if (store.read(&appointments, &tasks, &error))
        store.remove(QStringLiteral("no such item"), &error);
    return 0;
}
