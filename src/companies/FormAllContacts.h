#pragma once

#include "companies/AllContactsQuery.h"
#include "companies/FormContacts.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel::companies {

// The contacts of every active company in one list, narrowed by the sales person
// and by keywords, and one e-mail to all of them (the mail merge). Shown, edited,
// deleted, printed and dialled as on the contacts screen; it adds no contacts and
// starts no activities.
class FormAllContacts : public FormContacts {
    Q_OBJECT
public:
    explicit FormAllContacts(QWidget* parent = nullptr);

    // The sales person's contacts; the keyword filter is not applied by this.
    void chooseSalesPerson(const QString& name);
    void applyFilter(); // "&Go"
    void resetFilter(); // "&Reset"
    void chooseContact(int index);
    // Collects the addresses of the listed contacts into TextRecipients and asks
    // where they go.
    void mailMerge();

    QString recipients() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The listed contact's own company: the list spans every company.
    QString companyName() const override;

private:
    void buildFilterControls();
    void declareHints();
    void fillSalesPeople();
    void requery();
    void showPosition();
    QString salesPerson() const;

    AllContactsFilter m_applied;
    QComboBox* m_select;
    QComboBox* m_name;
    QLineEdit* m_textName;
    QLineEdit* m_filter;
    QPushButton* m_go;
    QPushButton* m_reset;
    QPushButton* m_mailMerge;
    QLineEdit* m_recipients;
    QLabel* m_company;
    QLabel* m_position;
};

} // namespace vantrel::companies
