#pragma once

#include "ui/RecordViewScreen.h"

#include <QDate>
#include <QVariant>
#include <QWidget>

#include <memory>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace vantrel::data {
class BoundView;
class BoundViewModel;
class Database;
} // namespace vantrel::data

namespace vantrel::ui {
class FieldBinder;
class HintLine;
} // namespace vantrel::ui

namespace vantrel::activities {

// The sales projects of one company with their dated action steps: the company's
// projects of one status at a time, the guided new-project and new-step
// sequences, and the follow-up that goes to the agenda as a task.
class FormProjects : public QWidget, public ui::RecordViewScreen {
    Q_OBJECT
public:
    static const QString activeStatus;
    static const QString cancelledStatus;
    static const QString completedStatus;

    explicit FormProjects(QWidget* parent = nullptr);
    ~FormProjects() override;

    bool showRecords(const ui::RecordQuery& query, QString* error) override;

    // The company whose projects are listed, and its name.
    QVariant companyKey() const { return m_companyKey; }
    QString companyName() const;

    void listStatus(const QString& status);
    // A click in the project list; -1 for a click in an empty list.
    void pickProject(int row);
    void changeStatus(const QString& status);

    void newProject();
    void pickIndustryGroup(int row);
    void pickProjectName(int row);
    void finishProject();
    void deleteProject();

    void newActionStep();
    void pickStepDate(const QDate& date);
    void saveActionStep();
    void startFollowUp();
    void pickFollowUpDate(const QDate& date);
    void followUpAllProjects(bool all);
    void sendFollowUp();
    void deleteActionStep();

    // Closes the screen, writing what is pending, and opens it again on the
    // active projects of the current company.
    void reset();
    void printSummary();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildProjectList();
    QWidget* buildGoTo();
    QWidget* buildNewProject();
    QWidget* buildActionSteps();
    QWidget* buildNewStep();
    QWidget* buildFollowUp();
    QWidget* buildCommands();
    void declareHints();
    void showProject();
    void showStepsOfCurrentProject();
    void checkProbability();
    void showHintText(const QString& text);
    QString followUpSubject(bool all) const;
    bool writePending(QString* error);

    std::shared_ptr<data::Database> m_db;
    data::BoundView* m_projects;
    data::BoundView* m_steps;
    data::BoundView* m_groups;
    data::BoundView* m_names;
    data::BoundViewModel* m_projectRows;
    data::BoundViewModel* m_stepRows;
    ui::FieldBinder* m_projectFields;
    ui::FieldBinder* m_stepFields;
    ui::HintLine* m_hints;

    QVariant m_companyKey;
    QString m_status;
    bool m_stepsOpened = false;

    QGroupBox* m_frameProjects = nullptr;
    QListView* m_projectList = nullptr;
    QGroupBox* m_frameGoTo = nullptr;
    QRadioButton* m_optionActive = nullptr;
    QRadioButton* m_optionCancelled = nullptr;
    QRadioButton* m_optionCompleted = nullptr;
    QGroupBox* m_frameStatus = nullptr;
    QComboBox* m_statusList = nullptr;
    QWidget* m_frameValue = nullptr;
    QLineEdit* m_value = nullptr;
    QLineEdit* m_probability = nullptr;
    QLabel* m_entered = nullptr;
    QGroupBox* m_frameAction = nullptr;
    QTableView* m_stepGrid = nullptr;
    QPushButton* m_newAction = nullptr;
    QGroupBox* m_frameIndustryGroup = nullptr;
    QListView* m_groupList = nullptr;
    QGroupBox* m_frameProjectName = nullptr;
    QComboBox* m_projectNames = nullptr;
    QPushButton* m_done = nullptr;
    QCalendarWidget* m_stepCalendar = nullptr;
    QGroupBox* m_frameNew = nullptr;
    QLineEdit* m_stepDate = nullptr;
    QPlainTextEdit* m_action = nullptr;
    QPushButton* m_saveAction = nullptr;
    QPushButton* m_followUp = nullptr;
    QGroupBox* m_frameFollowUp = nullptr;
    QCalendarWidget* m_followUpCalendar = nullptr;
    QLineEdit* m_followUpDate = nullptr;
    QLineEdit* m_followUpSubject = nullptr;
    QCheckBox* m_allProjects = nullptr;
    QPushButton* m_outlook = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_summary = nullptr;
    QPushButton* m_reset = nullptr;
};

} // namespace vantrel::activities
