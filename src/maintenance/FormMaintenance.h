#pragma once

#include "maintenance/DatabaseSize.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace vantrel::ui {
class HintLine;
class ManualLink;
} // namespace vantrel::ui

namespace vantrel::maintenance {

// The maintenance window "Database Maintenance": a window of its own beside the
// main window. Its "Maintenance" section shows how full the database is,
// compacts it with a backup, empties the Temp folder and removes companies left
// without a name. While it is open, closing the main window keeps the program
// running; closing this window brings the main window back.
class FormMaintenance : public QWidget {
    Q_OBJECT
public:
    explicit FormMaintenance(QWidget* parent = nullptr);

    // The "Replication" section (replica creation and synchronization) takes the
    // place above the "Maintenance" section; the window shows it as it is given.
    void setReplicationSection(QWidget* section);
    ui::HintLine* hints() const { return m_hints; }

    static const QString compactionBackup;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refreshSize(DatabaseSize::Megabytes pattern);
    void compact();
    void compactClosedDatabase();
    void deleteTemporaryFiles();
    void removeBlankEntries();

    QVBoxLayout* m_replicationPlace;
    QGroupBox* m_frame;
    QPushButton* m_deleteFiles;
    QPushButton* m_compact;
    QPushButton* m_removeBlanks;
    QLabel* m_size;
    ui::HintLine* m_hints;
    ui::ManualLink* m_manual;
    bool m_sized = false;
};

} // namespace vantrel::maintenance
