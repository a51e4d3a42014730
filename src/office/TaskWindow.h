#pragma once

#include "office/Task.h"

#include <QWidget>

class QDateEdit;
class QLineEdit;

namespace vantrel::office {

// A task for the user to finish: Subject and DueDate; "Save & Close" puts it
// into the agenda.
class TaskWindow : public QWidget {
    Q_OBJECT
public:
    explicit TaskWindow(const Task& task, QWidget* parent = nullptr);

    Task task() const;

private:
    void saveAndClose();
    void updateTitle();

    QString m_uid;
    QLineEdit* m_subject;
    QDateEdit* m_dueDate;
};

} // namespace vantrel::office
