#pragma once

#include "ui/RecordViewScreen.h"

#include <QWidget>

class QModelIndex;
class QTableView;

namespace vantrel::data {
class BoundView;
class BoundViewModel;
} // namespace vantrel::data

namespace vantrel::products {

// The imported sales figures of one company, latest date first, with every
// column of SALES; the navigation tree fills it for the current or the archived
// company. Its report is always of the companies screen's current company.
class FormSales : public QWidget, public ui::RecordViewScreen {
    Q_OBJECT
public:
    explicit FormSales(QWidget* parent = nullptr);

    bool showRecords(const ui::RecordQuery& query, QString* error) override;
    data::BoundView* records() const { return m_data; }

    void sendToSpreadsheet();

private:
    QString companyName() const;

    data::BoundView* m_data;
    data::BoundViewModel* m_model;
    QTableView* m_grid;
};

} // namespace vantrel::products
