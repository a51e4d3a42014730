#include "ui/AgendaWindow.h"

#include "office/MailProgram.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vantrel::ui {

namespace {

constexpr int uidRole = Qt::UserRole;

QTreeWidget* newList(const QString& name, const QStringList& headings, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setHeaderLabels(headings);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(true);
    return list;
}

QPushButton* newButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QString durationText(int minutes)
{
    if (minutes % 60 == 0 && minutes > 0)
        return minutes == 60 ? QStringLiteral("1 hour")
                             : QStringLiteral("%1 hours").arg(minutes / 60);
    return QStringLiteral("%1 minutes").arg(minutes);
}

} // namespace

AgendaWindow::AgendaWindow(const QString& fileName, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_store(fileName)
    , m_pages(new QTabWidget(this))
    , m_appointmentList(newList(QStringLiteral("Appointments"),
          { QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Duration"),
              QStringLiteral("Subject") },
          this))
    , m_taskList(newList(
          QStringLiteral("Tasks"), { QStringLiteral("Due Date"), QStringLiteral("Subject") }, this))
    , m_status(new QLabel(this))
    , m_desktopCalendar(newButton(
          QStringLiteral("OpenInDesktop"), QStringLiteral("Open in Desktop &Calendar"), this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Agenda - Vantrel"));
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->addTab(m_appointmentList, QStringLiteral("Calendar"));
    m_pages->addTab(m_taskList, QStringLiteral("Tasks"));
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setStyleSheet(QStringLiteral("color: #b00000"));
    m_status->setWordWrap(true);

    QPushButton* newAppointmentButton
        = newButton(QStringLiteral("NewAppointment"), QStringLiteral("New &Appointment"), this);
    QPushButton* newTaskButton
        = newButton(QStringLiteral("NewTask"), QStringLiteral("New &Task"), this);
    QPushButton* open = newButton(QStringLiteral("Open"), QStringLiteral("&Open"), this);
    QPushButton* remove = newButton(QStringLiteral("Delete"), QStringLiteral("&Delete"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newAppointmentButton);
    buttons->addWidget(newTaskButton);
    buttons->addWidget(open);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(m_desktopCalendar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_status);
    resize(720, 480);

    connect(newAppointmentButton, &QPushButton::clicked, this, &AgendaWindow::newAppointment);
    connect(newTaskButton, &QPushButton::clicked, this, &AgendaWindow::newTask);
    connect(open, &QPushButton::clicked, this, &AgendaWindow::openCurrent);
    connect(remove, &QPushButton::clicked, this, &AgendaWindow::deleteCurrent);
    connect(m_desktopCalendar, &QPushButton::clicked, this, &AgendaWindow::openInDesktopCalendar);
    connect(m_appointmentList, &QTreeWidget::itemActivated, this, &AgendaWindow::openCurrent);
    connect(m_taskList, &QTreeWidget::itemActivated, this, &AgendaWindow::openCurrent);
    reload();
}

void AgendaWindow::showPage(Page page)
{
    m_pages->setCurrentWidget(page == Page::Tasks ? m_taskList : m_appointmentList);
}

void AgendaWindow::reload()
{
    QString error;
    if (!m_store.read(&m_appointments, &m_tasks, &error)) {
        m_status->setText(error);
        m_status->show();
        return;
    }
    m_status->hide();
    const QLocale locale;
    m_appointmentList->clear();
    for (const office::Appointment& appointment : std::as_const(m_appointments)) {
        auto* row = new QTreeWidgetItem(m_appointmentList,
            { locale.toString(appointment.start.date(), QLocale::ShortFormat),
                locale.toString(appointment.start.time(), QLocale::ShortFormat),
                durationText(appointment.durationMinutes), appointment.subject });
        row->setData(0, uidRole, appointment.uid);
    }
    m_taskList->clear();
    for (const office::Task& task : std::as_const(m_tasks)) {
        auto* row = new QTreeWidgetItem(
            m_taskList, { locale.toString(task.dueDate, QLocale::ShortFormat), task.subject });
        row->setData(0, uidRole, task.uid);
    }
    for (QTreeWidget* list : { m_appointmentList, m_taskList }) {
        for (int column = 0; column < list->columnCount() - 1; ++column)
            list->resizeColumnToContents(column);
    }
    m_desktopCalendar->setEnabled(QFileInfo::exists(m_store.fileName()));
}

void AgendaWindow::newAppointment()
{
    office::MailProgram& program = office::MailProgram::instance();
    QString error;
    if (!program.display(program.createAppointment(), &error))
        platform::MessageBox::error(this, error);
}

void AgendaWindow::newTask()
{
    office::MailProgram& program = office::MailProgram::instance();
    QString error;
    if (!program.display(program.createTask(), &error))
        platform::MessageBox::error(this, error);
}

void AgendaWindow::openCurrent()
{
    const QString uid = currentUid();
    QString error;
    bool shown = true;
    if (currentList() == m_appointmentList) {
        for (const office::Appointment& appointment : std::as_const(m_appointments)) {
            if (appointment.uid == uid)
                shown = office::MailProgram::instance().display(appointment, &error);
        }
    }
    else {
        for (const office::Task& task : std::as_const(m_tasks)) {
            if (task.uid == uid)
                shown = office::MailProgram::instance().display(task, &error);
        }
    }
    if (!shown)
        platform::MessageBox::error(this, error);
}

void AgendaWindow::deleteCurrent()
{
    const QString uid = currentUid();
    if (uid.isEmpty())
        return;
    const QString subject = currentList()->currentItem()->text(currentList()->columnCount() - 1);
    if (!platform::MessageBox::question(this,
            QStringLiteral("Are you sure you want to delete \"%1\"?").arg(subject),
            platform::MessageBox::No))
        return;
    QString error;
    if (!m_store.remove(uid, &error))
        platform::MessageBox::error(this, error);
    reload();
}

void AgendaWindow::openInDesktopCalendar()
{
    QString error;
    if (!platform::Desktop::openFile(m_store.fileName(), &error))
        platform::MessageBox::error(this, error);
}

QTreeWidget* AgendaWindow::currentList() const
{
    return m_pages->currentWidget() == m_taskList ? m_taskList : m_appointmentList;
}

QString AgendaWindow::currentUid() const
{
    const QTreeWidgetItem* row = currentList()->currentItem();
    return row ? row->data(0, uidRole).toString() : QString();
}

} // namespace vantrel::ui
