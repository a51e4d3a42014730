#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel::ui {
class HintLine;
}

namespace vantrel::maintenance {

class ConflictList;

// The "Replication" section of the maintenance window: a new replica of the
// server's database in place of this workstation's database, or a
// synchronization of the two followed by the copy of the document folders.
// Either ends the program on success, so that the user starts again on the new
// or updated database; the main window is closed first, so that its screens
// store their edits and let go of the database.
class ReplicationSection : public QGroupBox {
    Q_OBJECT
public:
    // The hints go to the maintenance window's hint line.
    explicit ReplicationSection(ui::HintLine* hints, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class Mode { Replica, Synchronize };
    void showControls(Mode mode);
    void chooseServerDatabase();
    void chooseReplica();
    void createReplica();
    void createReplicaOnClosedDatabase();
    void synchronize();
    void synchronizeClosedDatabase();
    void hidePaths();
    void refreshLastSynchronization();

    QPushButton* m_showReplica;
    QLabel* m_replicaCaption;
    QPushButton* m_showSynchronize;
    QLabel* m_synchronizeCaption;
    QLabel* m_serverLabel;
    QLineEdit* m_server;
    QPushButton* m_chooseServer;
    QLineEdit* m_documents;
    QLineEdit* m_attachments;
    QLabel* m_replicaLabel;
    QLineEdit* m_replica;
    QPushButton* m_chooseReplica;
    QPushButton* m_createReplica;
    QPushButton* m_synchronize;
    QLabel* m_lastLabel;
    QLabel* m_date;
    ConflictList* m_conflicts;
};

} // namespace vantrel::maintenance
