#pragma once

#include "mastertables/FormFindandReplace.h"

#include <QString>
#include <QWidget>

class QModelIndex;
class QPushButton;
class QTableView;

namespace vantrel::data {
class BoundView;
class BoundViewModel;
} // namespace vantrel::data

namespace vantrel::ui {
class HintLine;
}

namespace vantrel::mastertables {

// The pick lists (master tables MT01 to MT13) in an editable grid, one at a time,
// and the way to the renaming of a sales person or sales manager.
class FormMastertables : public QWidget {
    Q_OBJECT
public:
    explicit FormMastertables(QWidget* parent = nullptr);

    // The master table in the grid ("MT08" ...); empty before a table button was pressed.
    QString tableName() const { return m_table; }

protected:
    // The entry typed last is stored first; one the engine refuses is shown
    // and the screen stays open with it.
    void closeEvent(QCloseEvent* event) override;

private:
    struct MasterTable {
        const char* button;
        const char* label;
        const char* table;
        const char* hint;
    };
    static const MasterTable masterTables[];

    QWidget* buildOptions();
    void declareHints();
    void showTable(const MasterTable& table);
    void edit();
    void saveChanges();
    void deleteEntry();
    void replacePerson(FormFindandReplace::PersonList list);
    void followGrid(const QModelIndex& current);
    void showCurrentRow();
    void showBackgroundHint();
    void showError();

    data::BoundView* m_data;
    data::BoundViewModel* m_model;
    QTableView* m_grid;
    ui::HintLine* m_hints;
    QPushButton* m_edit;
    QPushButton* m_save;
    QPushButton* m_delete;
    QPushButton* m_replaceSalesPerson;
    QPushButton* m_replaceManager;
    QString m_table;
};

} // namespace vantrel::mastertables
