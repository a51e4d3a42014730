#pragma once

#include "products/ListImport.h"
#include "ui/ActivatedScreen.h"

#include <QWidget>

class QLineEdit;
class QModelIndex;
class QPlainTextEdit;
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

class AttachedDocument;

// The own company's price list: product, price per unit (text), currency, notes
// and an attached document; imported once from Prices.xlsx of the program
// folder, searched by product, reported to the spreadsheet program and emptied
// through FormPriceListDelete.
class FormPriceList : public QWidget, public ui::ActivatedScreen {
    Q_OBJECT
public:
    explicit FormPriceList(QWidget* parent = nullptr);

    data::BoundView* records() const { return m_data; }
    void screenActivated() override;

    static ListImport priceImport();
    // Every price that is a number in the "#0.00" pattern ("12.5" becomes "12.50"),
    // with the decimal separator bound as its one value.
    static QString priceRewriteStatement();

    void search();
    void reset();
    void newRecord();
    void importWorkbook();
    void sendToSpreadsheet();

    // What FormPriceListDelete asks for, after its question was answered Yes.
    bool deleteCurrentRecord(QString* error);
    // Deletes every record the list shows now: the search result during a
    // search, else all; then offers the import again.
    bool deleteShownRecords(QString* error);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildCommands();
    void declareHints();
    bool reload(const QString& sql, const QVariantList& parameters = {});
    void followGrid(const QModelIndex& current);
    void showCurrentRow();
    QString productText() const;

    data::BoundView* m_data;
    data::BoundViewModel* m_model;
    ui::FieldBinder* m_binder;
    ui::HintLine* m_hints;
    QTableView* m_grid;
    QLineEdit* m_search;
    QLineEdit* m_product;
    QLineEdit* m_price;
    QLineEdit* m_currency;
    QPlainTextEdit* m_notes;
    QPushButton* m_import;
    QWidget* m_filePanel;
    AttachedDocument* m_document;
    QString m_sql;
    QVariantList m_parameters;
};

} // namespace vantrel::products
