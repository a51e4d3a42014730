#pragma once

#include "ui/ActivatedScreen.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel::ui {
class ManualLink;
}

namespace vantrel::maintenance {

// How full the database is, and the deletion of old activities: after the
// user's answer about a backup, every call report, letter, fax, e-mail, project
// and action step dated before a typed date is deleted, and the maintenance
// window is opened to compact the database.
class FormDelete : public QWidget, public ui::ActivatedScreen {
    Q_OBJECT
public:
    explicit FormDelete(QWidget* parent = nullptr);

    void screenActivated() override;

    static const QString backupFile;

private:
    enum class State { Question, DateEntry, Deleting };

    void answerNo();
    void answerYes();
    bool makeBackup();
    void showDateEntry();
    void deleteOldRecords();
    void showProgress(int table, const QList<qint64>& remaining);

    QLabel* m_size;
    QPushButton* m_yes;
    QPushButton* m_no;
    QLineEdit* m_date;
    QLabel* m_dateHint;
    QPushButton* m_delete;
    QLabel* m_deleting;
    ui::ManualLink* m_manual;
    State m_state = State::Question;
};

} // namespace vantrel::maintenance
