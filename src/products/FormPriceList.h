#pragma once

#include "products/ProductListScreen.h"
#include "ui/ActivatedScreen.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vantrel::products {

// The own company's price list: product, price per unit (text), currency, notes
// and an attached document; imported once from Prices.xlsx of the program
// folder, searched by product, reported to the spreadsheet program and emptied
// through FormPriceListDelete.
class FormPriceList : public ProductListScreen, public ui::ActivatedScreen {
    Q_OBJECT
public:
    explicit FormPriceList(QWidget* parent = nullptr);

    void screenActivated() override;

    static ListImport priceImport();
    // Every price that is a number in the "#0.00" pattern ("12.5" becomes "12.50"),
    // with the decimal separator bound as its one value.
    static QString priceRewriteStatement();

    void search() override;
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

    QLineEdit* m_product;
    QLineEdit* m_price;
    QLineEdit* m_currency;
    QPlainTextEdit* m_notes;
    QPushButton* m_import;
    QWidget* m_filePanel;
};

} // namespace vantrel::products
