#pragma once

#include "products/ProductListScreen.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace vantrel::products {

// The competition register: competitors' products with the own equivalent,
// notes and an attached document, shared by all companies; imported from
// Competition.xlsx of the program folder and reported to the spreadsheet program.
class FormCompetition : public ProductListScreen {
    Q_OBJECT
public:
    explicit FormCompetition(QWidget* parent = nullptr);

    // The import of the register's workbook, as "&Import" runs it.
    static ListImport competitionImport();
    // TEXT04 of every record: product, " From: ", competitor.
    static QString summaryStatement();

    void search() override;
    void save();
    void deleteRecord();
    void showImportPrompt();
    void editWorkbook();
    void importWorkbook();
    void sendToSpreadsheet();

private:
    QWidget* buildRecordBoxes();
    QWidget* buildCommands();
    void declareHints();
    bool rewriteSummaries();
    void setPromptShown(bool shown);

    QLineEdit* m_competitor;
    QLineEdit* m_product;
    QLineEdit* m_equivalent;
    QPlainTextEdit* m_notes;
    QWidget* m_boxes;
    QGroupBox* m_prompt;
    QLabel* m_promptText;
};

} // namespace vantrel::products
