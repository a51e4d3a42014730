#include "office/TaskWindow.h"

#include "office/MailProgram.h"
#include "platform/MessageBox.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::office {

TaskWindow::TaskWindow(const Task& task, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_uid(task.uid)
    , m_subject(new QLineEdit(task.subject, this))
    , m_dueDate(new QDateEdit(task.dueDate, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_subject->setObjectName(QStringLiteral("Subject"));
    m_dueDate->setObjectName(QStringLiteral("DueDate"));
    m_dueDate->setCalendarPopup(true);
    auto* save = new QPushButton(QStringLiteral("&Save && Close"), this);
    save->setObjectName(QStringLiteral("Save"));
    save->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("S&ubject:"), m_subject);
    form->addRow(QStringLiteral("D&ue date:"), m_dueDate);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(form);
    layout->addStretch();
    resize(520, 150);

    connect(save, &QPushButton::clicked, this, &TaskWindow::saveAndClose);
    connect(m_subject, &QLineEdit::textChanged, this, &TaskWindow::updateTitle);
    updateTitle();
    m_subject->setFocus();
}

Task TaskWindow::task() const
{
    Task task;
    task.uid = m_uid;
    task.subject = m_subject->text();
    task.dueDate = m_dueDate->date();
    return task;
}

void TaskWindow::saveAndClose()
{
    QString error;
    if (!MailProgram::instance().save(task(), &error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    close();
}

void TaskWindow::updateTitle()
{
    const QString subject = m_subject->text().trimmed();
    setWindowTitle(
        (subject.isEmpty() ? QStringLiteral("Untitled") : subject) + QStringLiteral(" - Task"));
}

} // namespace vantrel::office
