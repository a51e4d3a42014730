#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::mastertables {

// Renames a sales person or a sales manager in every company, archived ones
// included. The master table itself keeps its entries.
class FormFindandReplace : public QWidget {
    Q_OBJECT
public:
    enum class PersonList {
        SalesPeople, // MT12, written into TABLE01.TEXT18
        SalesManagers, // MT13, written into TABLE01.TEXT19
    };

    explicit FormFindandReplace(QWidget* parent = nullptr);

    // Lists the people of that table in both combos; false, with the engine's
    // reason, when they cannot be read.
    bool setPersonList(PersonList list, QString* error);
    PersonList personList() const { return m_list; }

private:
    void fillCombos();
    void replace();

    data::BoundView* m_people;
    QLabel* m_heading;
    QComboBox* m_find;
    QComboBox* m_replace;
    QLineEdit* m_findText;
    QLineEdit* m_replaceText;
    PersonList m_list = PersonList::SalesPeople;
};

} // namespace vantrel::mastertables
