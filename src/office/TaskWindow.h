#pragma once

#include "office/AgendaItemWindow.h"
#include "office/Task.h"

class QDateEdit;

namespace vantrel::office {

// A task for the user to finish: Subject and DueDate; "Save & Close" puts it
// into the agenda.
class TaskWindow : public AgendaItemWindow {
    Q_OBJECT
public:
    explicit TaskWindow(const Task& task, QWidget* parent = nullptr);

    Task task() const;

private:
    bool saveItem(QString* error) override;

    QString m_uid;
    QDateEdit* m_dueDate;
};

} // namespace vantrel::office
