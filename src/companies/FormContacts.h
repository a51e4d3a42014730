#pragma once

#include "activities/AutoSaveOwner.h"
#include "activities/SaveQuestion.h"
#include "companies/ContactCommunication.h"
#include "companies/RecordScreen.h"
#include "shell/RecordViewScreen.h"

class QLabel;
class QListView;

namespace vantrel::data {
class BoundViewModel;
}

namespace vantrel::shell {
class HintLine;
class LoadIndicator;
} // namespace vantrel::shell

namespace vantrel::companies {

struct Correspondent;

// The contacts screen: the people (TABLE03) of the company the navigation tree
// names, listed by first name, one of them shown and edited at a time. From here
// the user writes to the contact, makes an appointment or a task with them, dials
// their numbers and logs the calls.
class FormContacts : public RecordScreen,
                     public shell::RecordViewScreen,
                     public activities::AutoSaveOwner {
    Q_OBJECT
public:
    explicit FormContacts(QWidget* parent = nullptr);

    bool showRecords(const shell::RecordQuery& query, QString* error) override;

    void pickContact(int row);
    void newContact();
    void saveChanges();
    void deleteContact();
    // Shows the dial buttons of the numbers the current contact has.
    void autodial();
    void stopAutoSave(activities::AutoSave::Kind kind) override;

    // The current contact and the current company's address.
    Correspondent correspondent() const;

private:
    void buildFields();
    QWidget* buildActivities();
    QWidget* buildAutodial();
    void connectCommunication();
    void askToSave(activities::SaveQuestion::Pending pending);
    void startAutoSave(activities::AutoSave* timer);
    void dial(const QString& numberField);
    void logCall(const QString& numberField);
    void declareHints();
    void showContact();
    void fieldChanged(const QString& field);
    void keepFullName();
    QString fullName() const;
    QString companyName() const;
    QString field(const QString& name) const;
    void print();

    data::BoundViewModel* m_contacts;
    shell::HintLine* m_hints;
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
    shell::LoadIndicator* m_loading;
    activities::AutoSave* m_timerWord;
    activities::AutoSave* m_timerOutlook;
    ContactCommunication m_communication;
};

} // namespace vantrel::companies
