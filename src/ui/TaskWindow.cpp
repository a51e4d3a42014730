#include "ui/TaskWindow.h"

#include "office/MailProgram.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>

namespace vantrel::ui {

TaskWindow::TaskWindow(const office::Task& task, QWidget* parent)
    : AgendaItemWindow(task.subject, QStringLiteral("Task"), parent)
    , m_uid(task.uid)
    , m_dueDate(new QDateEdit(task.dueDate, this))
{
    m_dueDate->setObjectName(QStringLiteral("DueDate"));
    m_dueDate->setDisplayFormat(entryFormat(false));
    m_dueDate->setCalendarPopup(true);
    form()->addRow(QStringLiteral("D&ue date:"), m_dueDate);
    resize(520, 150);
    subjectEdit()->setFocus();
}

office::Task TaskWindow::task() const
{
    office::Task task;
    task.uid = m_uid;
    task.subject = subjectEdit()->text();
    task.dueDate = m_dueDate->date();
    return task;
}

bool TaskWindow::saveItem(QString* error)
{
    return office::MailProgram::instance().save(task(), error);
}

} // namespace vantrel::ui
