#pragma once

#include "products/ListImport.h"

#include <QWidget>

class QHBoxLayout;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace vantrel::data {
class BoundView;
class BoundViewModel;
} // namespace vantrel::data

namespace vantrel::ui {
class FieldBinder;
class HintLine;
} // namespace vantrel::ui

namespace vantrel::products {

class AttachedDocument;

// What the competition register and the price list share: a grid over one
// table that follows the bound view, the search box cleared by a click, the
// boxes of the current record, the attached document of the Documents folder,
// and the import of the list's workbook.
class ProductListScreen : public QWidget {
    Q_OBJECT
public:
    data::BoundView* records() const { return m_data; }

    virtual void search() = 0;
    // Every record again, the search box emptied.
    void reset();
    void newRecord();

protected:
    // allRecords lists every record; documentField holds the attached document's name.
    ProductListScreen(const QString& allRecords, const QString& documentField, QWidget* parent);

    data::BoundViewModel* model() const { return m_model; }
    ui::FieldBinder* binder() const { return m_binder; }
    ui::HintLine* hints() const { return m_hints; }
    QTableView* grid() const { return m_grid; }
    QLineEdit* searchBox() const { return m_search; }
    AttachedDocument* document() const { return m_document; }

    // The box whose text names the record in the document's hints and that
    // takes the focus for a new record.
    void setProductBox(QLineEdit* box) { m_product = box; }
    // The search box and its "&Reset" button, in a row.
    QHBoxLayout* makeSearchRow();
    // The document's heading, icon, button and file list (in fileListHolder when
    // given), then the manual link at the bottom of the command column.
    void addDocumentCommands(QVBoxLayout* column, QWidget* fileListHolder = nullptr);
    void declareDocumentHints();

    bool reload(const QString& sql, const QVariantList& parameters = {});
    // The query of the last reload and its values: what the list shows.
    QString shownQuery() const { return m_shownQuery; }
    QVariantList shownParameters() const { return m_shownParameters; }
    // Imports the list's workbook into its table with no open view over it. A
    // failure is said in the register's words and the screen closes, as it
    // comes back only with a successful import.
    ListImportResult importWorkbookInto(const ListImport& list);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followGrid(const QModelIndex& current);
    void showCurrentRow();

    QString m_allRecords;
    QString m_shownQuery;
    QVariantList m_shownParameters;
    data::BoundView* m_data;
    data::BoundViewModel* m_model;
    ui::FieldBinder* m_binder;
    ui::HintLine* m_hints;
    QTableView* m_grid;
    QLineEdit* m_search;
    QLineEdit* m_product = nullptr;
    AttachedDocument* m_document;
};

} // namespace vantrel::products
