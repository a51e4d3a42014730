#pragma once

#include "ui/ActivatedScreen.h"

#include <QWidget>

class QFileSystemModel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::ui {
class FieldBinder;
class HintLine;
} // namespace vantrel::ui

namespace vantrel::products {

// Names the workbook, worksheet, date and account columns of the sales figures
// (kept in User.mdb for the next time) and imports them into SALES.
class FormImportSales : public QWidget, public ui::ActivatedScreen {
    Q_OBJECT
public:
    explicit FormImportSales(QWidget* parent = nullptr);

    void screenActivated() override;
    // Clicking a workbook in the file list does this.
    void chooseWorkbook(const QString& path);
    void openWorkbook();
    void importFigures();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateImport();
    void fileClicked(const QModelIndex& index);

    data::BoundView* m_data;
    ui::FieldBinder* m_binder;
    ui::HintLine* m_hints;
    QFileSystemModel* m_files;
    QTreeView* m_fileList;
    QLineEdit* m_path;
    QLineEdit* m_date;
    QLineEdit* m_account;
    QLineEdit* m_sheet;
    QPushButton* m_open;
    QPushButton* m_import;
};

} // namespace vantrel::products
