#pragma once

#include <QWidget>

class QProgressBar;

namespace vantrel::ui {
class LoadIndicator;
}

namespace vantrel::activities {

// The waiting screen of the report of all active projects of all active
// companies: one row per action step, in a workbook kept in the Temp folder
// and shown in the spreadsheet window.
class FormAllProjects : public QWidget {
    Q_OBJECT
public:
    explicit FormAllProjects(QWidget* parent = nullptr);

    // False when the report could not be made; the user has been told why.
    bool run();
    // The workbook the last run saved.
    QString reportPath() const { return m_reportPath; }

private:
    void advance();

    QProgressBar* m_progress;
    QWidget* m_excel;
    QString m_reportPath;
};

// Never shown: creating it runs the report of all active projects, after which
// it drops its own instance, so that the next request builds the report anew.
class FormReportProjects : public QWidget {
    Q_OBJECT
public:
    explicit FormReportProjects(QWidget* parent = nullptr);
};

} // namespace vantrel::activities
