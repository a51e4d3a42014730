#pragma once

#include "office/WordProcessor.h"
#include "ui/RecordViewScreen.h"

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextDocument;
class QTextEdit;
class QTimer;
class QToolBar;
class QVBoxLayout;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::ui {
class FieldBinder;
class HintLine;
class LoadIndicator;
class RecordNavigator;
} // namespace vantrel::ui

namespace vantrel::ui {

// What the browsers of stored documents (call reports, correspondence) share:
// a bound view on one table paged by its arrow bar, the position label, the
// document of the current row (MEMO01) shown as rich text and zoomable, the
// search with its highlight steps, delete and edit, sending the document to
// the word processor on the letterhead or as a new e-mail, the edit tool bar,
// the hint line and the manual link. A subclass names the table, the noun of
// the position label, its queries and which commands it offers.
class ReportBrowser : public QWidget {
    Q_OBJECT
public:
    struct Options {
        QString table; // "TABLE08"
        QString noun; // "REPORT": "REPORT 2 OF 7 REPORTS"
        QString deleteQuestion; // empty: no CommandDelete
        // CommandSearch shows the search controls; without it they are always shown.
        bool searchButton = true;
        bool editing = true; // CommandEdit and Toolbar1
        bool mail = true; // CommandOutlook
    };

    // name is the screen's objectName, which also picks its manual page.
    ReportBrowser(const QString& name, const Options& options, QWidget* parent = nullptr);
    ~ReportBrowser() override;

    const Options& options() const { return m_options; }
    data::BoundView* view() const { return m_view; }
    QTextEdit* reportView() const { return m_report; }
    QString positionText() const;
    // The report view's base font size in points.
    int fontSize() const { return m_fontSize; }

    // Makes the query the record source and runs it (pending edits are stored first).
    bool showQuery(const ui::RecordQuery& query, QString* error);

    void showSearch(); // CommandSearch
    void find(); // CommandFind: the find query, then a highlight step every second
    void reset(); // CommandReset
    // One highlight step: the next occurrence of the phrase in the shown document.
    void highlightStep();
    void deleteCurrent(); // CommandDelete
    void startEditing(); // CommandEdit
    void zoomIn();
    void zoomOut();
    // CommandWord, CommandOutlook; false when it failed (the user was told).
    bool sendToWord();
    bool sendWithMail();

    // The current row's document as RTF at its stored size (not zoomed).
    QString currentRtf() const;

protected:
    virtual ui::RecordQuery resetQuery() const = 0;
    virtual ui::RecordQuery findQuery(const QString& phrase) const = 0;
    // The e-mail subject of "Send with MS-Outlook".
    virtual QString mailSubject() const { return {}; }

    ui::HintLine* hints() const { return m_hints; }
    ui::LoadIndicator* loadIndicator() const { return m_load; }
    QPushButton* searchButton() const { return m_search; }
    // Puts a widget (the save question, its progress bar) right below the report view.
    void addBelowReport(QWidget* widget);
    // Delete, Edit and the send commands, which act on the report on show; off
    // while the report view gives way to a question.
    void setReportCommandsEnabled(bool enabled);
    // The word-processor instance that a failed "Send to MS-Word" left open; 0 when none.
    // Taking it forgets it here.
    office::WordProcessor::Instance takeLeftoverWordInstance();

    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* makeButton(
        const char* name, const QString& caption, const QString& tip, const QString& icon = {});
    void zoomBy(int points);
    void readDocument(QTextDocument& document, const QString& rtf) const;
    QString writeDocument(const QTextDocument& document) const;
    void updatePosition();
    void showFailure(const QString& error);

    Options m_options;
    data::BoundView* m_view;
    ui::FieldBinder* m_binder;
    ui::RecordNavigator* m_navigator;
    ui::HintLine* m_hints;
    ui::LoadIndicator* m_load;
    QTextEdit* m_report;
    QLabel* m_position;
    QLineEdit* m_find;
    QPushButton* m_search = nullptr;
    QPushButton* m_findButton;
    QPushButton* m_resetButton;
    QList<QPushButton*> m_reportCommands;
    QTimer* m_timer;
    QVBoxLayout* m_belowReport;
    int m_fontSize;
    int m_searchPosition = 0;
    QString m_searchText;
    office::WordProcessor::Instance m_wordInstance = 0;
};

} // namespace vantrel::ui
