#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel::ui {
class HintLine;
class ManualLink;
} // namespace vantrel::ui

namespace vantrel::maintenance {

// The first-run set-up screen. At start it closes at once on a workstation that
// is set up; otherwise it waits until the user sets the workstation up. The
// single-user choice adopts the delivered database (Temp.mdb becomes CONTACT.mdb);
// a replica of the server's database takes its place in the program folder
// otherwise, and the program ends so that the user starts it on the replica.
class FormReplica : public QWidget {
    Q_OBJECT
public:
    explicit FormReplica(QWidget* parent = nullptr);

signals:
    // The workstation is set up: the screen closes and start-up goes on with the splash.
    void alreadySetUp();
    // The single-user choice succeeded: the screen closes and the main window comes up.
    void singleUserSetUp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void startupCheck();
    void singleUserClicked(bool checked);
    bool adoptDeliveredDatabase(QString* error);
    void browse();
    void createReplica();

    QLabel* m_sourceLabel;
    QLineEdit* m_source;
    QLabel* m_destinationLabel;
    QLineEdit* m_destination;
    QPushButton* m_browse;
    QPushButton* m_createReplica;
    QCheckBox* m_singleUser;
    QLineEdit* m_flag;
    ui::HintLine* m_hints;
    ui::ManualLink* m_manual;
    bool m_checked = false;
};

} // namespace vantrel::maintenance
