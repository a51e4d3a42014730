#pragma once

#include "office/Appointment.h"
#include "office/Task.h"

#include <QList>
#include <QString>

namespace vantrel::office {

// The agenda's appointments and tasks in an iCalendar file of the program
// folder, which every desktop calendar opens. Each change reads the file,
// changes the one item and writes the file anew (atomically), so items and
// properties written by another calendar program are kept.
class AgendaStore {
public:
    explicit AgendaStore(const QString& fileName = defaultFileName());

    static QString defaultFileName();
    QString fileName() const { return m_fileName; }

    // A missing file is an empty agenda. Appointments come in order of their
    // start, tasks in order of their due date.
    bool read(QList<Appointment>* appointments, QList<Task>* tasks, QString* error) const;
    // Adds the item, or replaces the one with the same uid; an item without a
    // uid gets a new one.
    bool store(const Appointment& appointment, QString* error);
    bool store(const Task& task, QString* error);
    bool remove(const QString& uid, QString* error);

private:
    QString m_fileName;
};

} // namespace vantrel::office
