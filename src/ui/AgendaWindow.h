#pragma once

#include "office/AgendaStore.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace vantrel::ui {

// The agenda: appointments and tasks of the agenda file, listed by date. Items
// open in their own windows; "Open in Desktop Calendar" hands the file to the
// desktop's calendar program.
class AgendaWindow : public QWidget {
    Q_OBJECT
public:
    enum class Page { Appointments, Tasks };

    explicit AgendaWindow(const QString& fileName, QWidget* parent = nullptr);

    void showPage(Page page);
    // Reads the agenda file again; a file that cannot be read is named in the window.
    void reload();

private:
    void newAppointment();
    void newTask();
    void openCurrent();
    void deleteCurrent();
    void openInDesktopCalendar();
    QTreeWidget* currentList() const;
    QString currentUid() const;

    office::AgendaStore m_store;
    QList<office::Appointment> m_appointments;
    QList<office::Task> m_tasks;
    QTabWidget* m_pages;
    QTreeWidget* m_appointmentList;
    QTreeWidget* m_taskList;
    QLabel* m_status;
    QPushButton* m_desktopCalendar;
};

} // namespace vantrel::ui
