#pragma once

#include "ui/RecordViews.h"
#include "ui/ReportBrowser.h"
#include "ui/SaveQuestion.h"

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;

namespace vantrel::ui {
class CompanyAccess;
}

namespace vantrel::activities {

// A document browser for the current company of the companies screen: its
// documents by company name or key, Find among those with its key, and the
// question whether to store the document just written elsewhere (FrameSave
// with LabelSave, the answer buttons and ProgressBar1) in place of the report
// view. A stored document is written at once and shown as the first row.
class CompanyReportBrowser : public ui::ReportBrowser,
                             public ui::RecordViewScreen,
                             public ui::SaveQuestion {
    Q_OBJECT
public:
    bool showRecords(const ui::RecordQuery& query, QString* error) override;

    bool isQuestionShown() const;

protected:
    // searchHint opens the hint of CommandSearch: "Search call reports related to ";
    // recordView is the navigation tree's view whose rows Reset shows again.
    CompanyReportBrowser(const QString& name, const Options& options, const QString& searchHint,
        ui::RecordViews::View recordView, QWidget* parent);

    ui::RecordQuery resetQuery() const override;
    ui::RecordQuery findQuery(const QString& phrase) const override;

    static ui::CompanyAccess* company();
    QString companyName() const;

    QLabel* saveLabel() const { return m_saveLabel; }
    // An answer button, in the order made, left to right.
    QPushButton* addAnswer(const char* name, const QString& caption);
    // Shows the question about the pending work in place of the report view,
    // the focus on the answer.
    void showQuestion(QPushButton* answer, Pending pending);
    // The report view again; the question and the progress bar hidden.
    void hideQuestion();
    // Stores the working file as a new row of the current company dated today,
    // then lists the company's documents with it current. Shows the progress;
    // on failure nothing is stored and the question stays.
    bool storeWorkingFile(const QString& path, QString* error);

private:
    void advance();

    QGroupBox* m_saveFrame;
    QLabel* m_saveLabel;
    QHBoxLayout* m_answers;
    QProgressBar* m_progress;
    ui::RecordViews::View m_recordView;
};

} // namespace vantrel::activities
