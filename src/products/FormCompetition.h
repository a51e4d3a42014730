#pragma once

#include "products/ListImport.h"

#include <QWidget>

class QGroupBox;
class QLabel;
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

// The competition register: competitors' products with the own equivalent,
// notes and an attached document, shared by all companies; imported from
// Competition.xlsx of the program folder and reported to the spreadsheet program.
class FormCompetition : public QWidget {
    Q_OBJECT
public:
    explicit FormCompetition(QWidget* parent = nullptr);

    data::BoundView* records() const { return m_data; }

    // The import of the register's workbook, as "&Import" runs it.
    static ListImport competitionImport();
    // TEXT04 of every record: product, " From: ", competitor.
    static QString summaryStatement();

    void search();
    void reset();
    void newRecord();
    void save();
    void deleteRecord();
    void showImportPrompt();
    void editWorkbook();
    void importWorkbook();
    void sendToSpreadsheet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildRecordBoxes();
    QWidget* buildCommands();
    void declareHints();
    void showAll();
    bool reload(const QString& sql, const QVariantList& parameters = {});
    bool rewriteSummaries();
    void setPromptShown(bool shown);
    void followGrid(const QModelIndex& current);
    void showCurrentRow();
    QString productText() const;

    data::BoundView* m_data;
    data::BoundViewModel* m_model;
    ui::FieldBinder* m_binder;
    ui::HintLine* m_hints;
    QTableView* m_grid;
    QLineEdit* m_search;
    QLineEdit* m_competitor;
    QLineEdit* m_product;
    QLineEdit* m_equivalent;
    QPlainTextEdit* m_notes;
    QWidget* m_boxes;
    QGroupBox* m_prompt;
    QLabel* m_promptText;
    AttachedDocument* m_document;
};

} // namespace vantrel::products
