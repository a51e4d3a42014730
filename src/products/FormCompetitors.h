#pragma once

#include "ui/RecordViewScreen.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;

namespace vantrel::data {
class BoundView;
class BoundViewModel;
} // namespace vantrel::data

namespace vantrel::ui {
class FieldBinder;
class HintLine;
} // namespace vantrel::ui

namespace vantrel::products {

// The competitors' products one company uses, newest edit first: product group,
// product (a summary from the competition register), units a year and cost.
// The navigation tree fills it for the current or the archived company; new
// rows always belong to the companies screen's current company.
class FormCompetitors : public QWidget, public ui::RecordViewScreen {
    Q_OBJECT
public:
    explicit FormCompetitors(QWidget* parent = nullptr);

    bool showRecords(const ui::RecordQuery& query, QString* error) override;
    data::BoundView* records() const { return m_data; }
    bool isEntering() const;

    void newRecord();
    void edit();
    void saveChanges();
    void print();
    void chooseCurrency(int index);

private:
    void enter(QWidget* focus);
    void leave();
    void loadLists();
    void declareHints();
    void followGrid(const QModelIndex& current);
    void showCurrentRow();
    void showError(const QString& message);

    data::BoundView* m_data;
    data::BoundViewModel* m_model;
    ui::FieldBinder* m_binder;
    ui::HintLine* m_hints;
    QTableView* m_grid;
    QWidget* m_panel;
    QComboBox* m_group;
    QComboBox* m_product;
    QLineEdit* m_units;
    QLineEdit* m_cost;
    QComboBox* m_currency;
    QPushButton* m_new;
    QPushButton* m_edit;
    QPushButton* m_save;
};

} // namespace vantrel::products
