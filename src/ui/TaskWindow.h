#pragma once

#include "office/Task.h"
#include "ui/AgendaItemWindow.h"

class QDateEdit;

namespace vantrel::ui {

// A task for the user to finish: Subject and DueDate; "Save & Close" puts it
// into the agenda.
class TaskWindow : public AgendaItemWindow {
    Q_OBJECT
public:
    explicit TaskWindow(const office::Task& task, QWidget* parent = nullptr);

    office::Task task() const;

private:
    bool saveItem(QString* error) override;

    QString m_uid;
    QDateEdit* m_dueDate;
};

} // namespace vantrel::ui
