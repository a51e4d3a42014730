#pragma once

#include "companies/ContactCommunication.h"
#include "ui/AutoSaveOwner.h"
#include "ui/RecordScreen.h"
#include "ui/RecordViewScreen.h"
#include "ui/SaveQuestion.h"

class QLabel;
class QListView;

namespace vantrel::data {
class BoundViewModel;
}

namespace vantrel::ui {
class HintLine;
class LoadIndicator;
} // namespace vantrel::ui

namespace vantrel::companies {

struct Correspondent;

// The contacts screen: the people (TABLE03) of the company the navigation tree
// names, listed by first name, one of them shown and edited at a time. From here
// the user writes to the contact, makes an appointment or a task with them, dials
// their numbers and logs the calls.
class FormContacts : public ui::RecordScreen,
                     public ui::RecordViewScreen,
                     public ui::AutoSaveOwner {
    Q_OBJECT
public:
    explicit FormContacts(QWidget* parent = nullptr);

    bool showRecords(const ui::RecordQuery& query, QString* error) override;
    void setRecordBranch(ui::RecordBranch branch) override { m_branch = branch; }

    void pickContact(int row);
    void newContact();
    void saveChanges();
    void deleteContact();
    // Shows the dial buttons of the numbers the current contact has.
    void autodial();
    void stopAutoSave(ui::AutoSave::Kind kind) override;

    // The current contact and the current company's address.
    Correspondent correspondent() const;

protected:
    // For a screen that shows contacts of other rows than one company's under its own name.
    FormContacts(const QString& screenName, QWidget* parent);
    // The company named in the hints and the call log.
    virtual QString companyName() const;

private:
    void buildFields();
    QWidget* buildActivities();
    QWidget* buildAutodial();
    void connectCommunication();
    void askToSave(ui::SaveQuestion::Pending pending);
    void startAutoSave(ui::AutoSave* timer);
    void dial(const QString& numberField);
    void logCall(const QString& numberField);
    void declareHints();
    void showContact();
    void markContactInList();
    void fieldChanged(const QString& field);
    void keepFullName();
    QString fullName() const;
    QString field(const QString& name) const;
    void print();

    data::BoundViewModel* m_contacts;
    ui::HintLine* m_hints;
    QListView* m_list = nullptr;
    QLabel* m_entered = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_delete = nullptr;
    QLabel* m_directLine = nullptr;
    QLabel* m_cellphone = nullptr;
    QPushButton* m_dialDirect = nullptr;
    QPushButton* m_dialCell = nullptr;
    QPushButton* m_logDirect = nullptr;
    QPushButton* m_logCell = nullptr;
    QWidget* m_activities = nullptr;
    QWidget* m_autodial = nullptr;
    ui::LoadIndicator* m_loading;
    ui::AutoSave* m_timerWord;
    ui::AutoSave* m_timerOutlook;
    ContactCommunication m_communication;
    ui::RecordBranch m_branch = ui::RecordBranch::Companies;
};

} // namespace vantrel::companies
