#pragma once

#include "companies/RecordScreen.h"
#include "shell/RecordViewScreen.h"

class QLabel;
class QListView;

namespace vantrel::data {
class BoundViewModel;
}

namespace vantrel::shell {
class HintLine;
}

namespace vantrel::companies {

// The contacts screen: the people (TABLE03) of the company the navigation tree
// names, listed by first name, one of them shown and edited at a time.
class FormContacts : public RecordScreen, public shell::RecordViewScreen {
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

private:
    void buildFields();
    QWidget* buildActivities();
    QWidget* buildAutodial();
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
};

} // namespace vantrel::companies
