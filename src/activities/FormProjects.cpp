#include "activities/FormProjects.h"

#include "activities/FormProjectSummary.h"
#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Schema.h"
#include "office/MailProgram.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/CompanyAccess.h"
#include "ui/FieldBinder.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/NamedWidget.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace vantrel::activities {

const QString FormProjects::activeStatus = QStringLiteral("Active Project");
const QString FormProjects::cancelledStatus = QStringLiteral("Cancelled Project");
const QString FormProjects::completedStatus = QStringLiteral("Completed Project");

namespace {

const QString projectsOfStatus
    = QStringLiteral("SELECT * FROM TABLE06 WHERE TABLE06.NUMBER01 = ? AND TABLE06.TEXT03 = ?"
                     " ORDER BY TEXT01 DESC");
const QString stepsOfProject = QStringLiteral(
    "SELECT * FROM TABLE07 WHERE TABLE07.NUMBER01 = ? ORDER BY DATE01, AUTONUMBER");

QLineEdit* textBox(const char* name, QWidget* parent, bool hidden = false)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    if (hidden)
        box->hide();
    return box;
}

QCalendarWidget* calendar(const char* name, QWidget* parent)
{
    auto* made = new QCalendarWidget(parent);
    made->setObjectName(QLatin1String(name));
    made->setGridVisible(true);
    made->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    made->setMinimumSize(280, 200);
    made->hide();
    return made;
}

void showToday(QCalendarWidget* calendar)
{
    const QDate today = data::Clock::today();
    calendar->setSelectedDate(today);
    calendar->setCurrentPage(today.year(), today.month());
}

// Empty, or a number from 1 to 100 with or without decimals, in the program's or
// the user's own notation.
bool isProbability(const QString& text)
{
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return true;
    // "12." is a number on its way to 12.5.
    if (trimmed.endsWith(QLatin1Char('.')) || trimmed.endsWith(QLocale().decimalPoint()))
        trimmed.chop(1);
    bool ok = false;
    double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale().toDouble(trimmed, &ok);
    return ok && value >= 1 && value <= 100;
}

} // namespace

FormProjects::FormProjects(QWidget* parent)
    : QWidget(parent)
    , m_db(std::make_shared<data::Database>())
    , m_projects(new data::BoundView(this))
    , m_steps(new data::BoundView(this))
    , m_groups(new data::BoundView(this))
    , m_names(new data::BoundView(this))
    , m_projectRows(new data::BoundViewModel(m_projects, this))
    , m_stepRows(new data::BoundViewModel(m_steps, this))
    , m_projectFields(new ui::FieldBinder(m_projects, this))
    , m_stepFields(new ui::FieldBinder(m_steps, this))
    , m_hints(new ui::HintLine(this))
{
    setObjectName(QStringLiteral("FormProjects"));
    setWindowTitle(QStringLiteral("Projects"));
    setAutoFillBackground(true);
    m_projects->setObjectName(QStringLiteral("DataTABLE06"));
    m_steps->setObjectName(QStringLiteral("DataTABLE07"));
    m_groups->setObjectName(QStringLiteral("DataMT04"));
    m_names->setObjectName(QStringLiteral("DataMT06"));
    if (!data::openBusinessDatabase(*m_db)) {
        platform::MessageBox::error(this, m_db->lastError());
    }
    else {
        for (data::BoundView* view : { m_projects, m_steps, m_groups, m_names })
            view->setDatabase(m_db);
        m_projects->setWriteTarget(QStringLiteral("TABLE06"));
        m_steps->setWriteTarget(QStringLiteral("TABLE07"));
        m_groups->setRecordSource(QStringLiteral("SELECT * FROM MT04 ORDER BY TEXT01"));
        m_names->setRecordSource(QStringLiteral("SELECT * FROM MT06 ORDER BY TEXT01"));
    }
    m_projectRows->setColumns({ { QStringLiteral("TEXT02"), QStringLiteral("PROJECT") } });
    m_stepRows->setColumns({ { QStringLiteral("DATE01"), QStringLiteral("Date") },
        { QStringLiteral("MEMO01"), QStringLiteral("Action Step") } });

    m_entered = new QLabel(this);
    m_entered->setObjectName(QStringLiteral("LabelEntered"));
    QFont bold = m_entered->font();
    bold.setBold(true);
    m_entered->setFont(bold);

    QWidget* commands = buildCommands();
    QWidget* projects = buildProjectList();
    QWidget* newProjectFrames = buildNewProject();
    QWidget* goTo = buildGoTo();
    QWidget* steps = buildActionSteps();
    QWidget* newStep = buildNewStep();
    QWidget* followUp = buildFollowUp();
    m_stepCalendar = calendar("MonthView1", this);
    connect(m_stepCalendar, &QCalendarWidget::clicked, this, &FormProjects::pickStepDate);

    auto* left = new QVBoxLayout;
    left->addWidget(projects, 1);
    left->addWidget(newProjectFrames, 1);
    left->addWidget(m_hints->frame());
    m_hints->frame()->setMinimumHeight(60);
    auto* right = new QVBoxLayout;
    right->addWidget(goTo);
    right->addWidget(m_frameStatus);
    right->addWidget(m_frameValue);
    right->addWidget(m_entered);
    right->addWidget(steps, 1);
    right->addWidget(m_stepCalendar);
    right->addWidget(newStep);
    right->addWidget(followUp);
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(left, 2);
    body->addLayout(right, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(commands);
    layout->addLayout(body, 1);

    declareHints();
    connect(m_projects, &data::BoundView::currentRowChanged, this, &FormProjects::showProject);
    connect(m_projects, &data::BoundView::rowUpdated, this, &FormProjects::showProject);
    connect(m_projects, &data::BoundView::fieldChanged, this, &FormProjects::showProject);
    connect(m_projects, &data::BoundView::rowsReloaded, this, [this] {
        if (m_stepsOpened)
            showStepsOfCurrentProject();
    });
    showProject();
}

FormProjects::~FormProjects() = default;

QWidget* FormProjects::buildCommands()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_new = ui::named<QPushButton>("CommandNew", QStringLiteral("New Project"), bar);
    auto* remove = ui::named<QPushButton>("CommandDelete", QStringLiteral("Delete Project"), bar);
    m_summary = ui::named<QPushButton>("CommandSummary", QStringLiteral("Print Projects"), bar);
    m_reset = ui::named<QPushButton>("CommandReset", QStringLiteral("Reset"), bar);
    auto* manual = new ui::ManualLink(this);
    for (QPushButton* command : { m_new, remove, m_summary, m_reset })
        command->setToolTip(command->text());
    manual->button()->setToolTip(QStringLiteral("Help (F1)"));
    connect(m_new, &QPushButton::clicked, this, &FormProjects::newProject);
    connect(remove, &QPushButton::clicked, this, &FormProjects::deleteProject);
    connect(m_summary, &QPushButton::clicked, this, &FormProjects::printSummary);
    connect(m_reset, &QPushButton::clicked, this, &FormProjects::reset);

    auto* tools = new QToolBar(bar);
    tools->setObjectName(QStringLiteral("Toolbar1"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const std::pair<const char*, const char*> keys[]
        = { { "Copy", "copy" }, { "Cut", "cut" }, { "Undo", "undo" }, { "Paste", "paste" } };
    for (const auto& [key, method] : keys) {
        QAction* action = tools->addAction(QLatin1String(key));
        action->setObjectName(QLatin1String(key));
        connect(action, &QAction::triggered, this, [this, method] {
            // Boxes of every kind have these as slots; other controls just do not react.
            QWidget* focused = QApplication::focusWidget();
            if (focused && isAncestorOf(focused)
                && focused->metaObject()->indexOfSlot(QByteArray(method).append("()").constData())
                    >= 0)
                QMetaObject::invokeMethod(focused, method);
        });
    }
    for (QWidget* widget : { static_cast<QWidget*>(m_new), static_cast<QWidget*>(remove),
             static_cast<QWidget*>(m_summary), static_cast<QWidget*>(m_reset),
             static_cast<QWidget*>(manual->button()), static_cast<QWidget*>(tools) })
        row->addWidget(widget);
    row->addStretch();
    return bar;
}

QWidget* FormProjects::buildProjectList()
{
    m_frameProjects
        = ui::named<QGroupBox>("FrameProjects", QStringLiteral("Select a Project"), this);
    m_frameProjects->setToolTip(QStringLiteral("View Action Steps"));
    m_projectList = new QListView(m_frameProjects);
    m_projectList->setObjectName(QStringLiteral("DBListProjects"));
    m_projectList->setModel(m_projectRows);
    m_projectList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_projectList->viewport()->installEventFilter(this);
    connect(m_projectList, &QListView::clicked, this,
        [this](const QModelIndex& index) { pickProject(index.row()); });
    auto* show = ui::named<QPushButton>(
        "CommandActionSteps", QStringLiteral("Action Steps"), m_frameProjects);
    show->setToolTip(QStringLiteral("Show Action Steps"));
    auto* hide = ui::named<QPushButton>("CommandHide", QStringLiteral("Hide"), m_frameProjects);
    hide->setToolTip(QStringLiteral("Hide Action Steps"));
    connect(show, &QPushButton::clicked, this, [this] { m_frameAction->show(); });
    connect(hide, &QPushButton::clicked, this, [this] { m_frameAction->hide(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(show);
    buttons->addWidget(hide);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(m_frameProjects);
    layout->addWidget(m_projectList, 1);
    layout->addLayout(buttons);
    return m_frameProjects;
}

QWidget* FormProjects::buildGoTo()
{
    m_frameGoTo = ui::named<QGroupBox>("FrameGoTo", QStringLiteral("Go To"), this);
    m_optionActive = new QRadioButton(QStringLiteral("Active Projects"), m_frameGoTo);
    m_optionActive->setObjectName(QStringLiteral("OptionActiveProjects"));
    m_optionCancelled = new QRadioButton(QStringLiteral("Cancelled Projects"), m_frameGoTo);
    m_optionCancelled->setObjectName(QStringLiteral("OptionCancelledProjects"));
    m_optionCompleted = new QRadioButton(QStringLiteral("Completed Projects"), m_frameGoTo);
    m_optionCompleted->setObjectName(QStringLiteral("OptionCompletedProjects"));
    m_optionActive->setChecked(true);
    auto* layout = new QHBoxLayout(m_frameGoTo);
    const std::pair<QRadioButton*, QString> options[] = { { m_optionActive, activeStatus },
        { m_optionCancelled, cancelledStatus }, { m_optionCompleted, completedStatus } };
    for (const auto& [option, status] : options) {
        layout->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, status] { listStatus(status); });
    }
    layout->addStretch();

    m_frameStatus = ui::named<QGroupBox>("FrameStatus", QStringLiteral("Change Status"), this);
    m_statusList = new QComboBox(m_frameStatus);
    m_statusList->setObjectName(QStringLiteral("ComboStatus"));
    m_statusList->addItems({ activeStatus, cancelledStatus, completedStatus });
    connect(m_statusList, &QComboBox::activated, this,
        [this](int index) { changeStatus(m_statusList->itemText(index)); });
    auto* statusLayout = new QHBoxLayout(m_frameStatus);
    statusLayout->addWidget(m_statusList);
    statusLayout->addStretch();

    m_frameValue = new QWidget(this);
    m_value = textBox("TEXT05", m_frameValue);
    m_probability = textBox("TEXT06", m_frameValue);
    auto* valueLabel = new QLabel(QStringLiteral("Project Value"), m_frameValue);
    valueLabel->setObjectName(QStringLiteral("LabelValue"));
    auto* probabilityLabel = new QLabel(QStringLiteral("Probability (%)"), m_frameValue);
    probabilityLabel->setObjectName(QStringLiteral("LabelProbability"));
    auto* values = new QGridLayout(m_frameValue);
    values->setContentsMargins(0, 0, 0, 0);
    values->addWidget(valueLabel, 0, 0);
    values->addWidget(m_value, 0, 1);
    values->addWidget(probabilityLabel, 1, 0);
    values->addWidget(m_probability, 1, 1);
    m_projectFields->bind(m_value, QStringLiteral("TEXT05"));
    m_projectFields->bind(m_probability, QStringLiteral("TEXT06"));
    connect(m_probability, &QLineEdit::textEdited, this, &FormProjects::checkProbability);

    // The fields the sequences fill, kept out of sight as the screen's own record.
    for (const char* field : { "AUTONUMBER", "NUMBER01", "DATE01", "TEXT01", "TEXT03" })
        m_projectFields->bind(textBox(field, this, true), QLatin1String(field));
    return m_frameGoTo;
}

QWidget* FormProjects::buildNewProject()
{
    auto* holder = new QWidget(this);
    m_frameIndustryGroup = ui::named<QGroupBox>(
        "FrameIndustryGroup", QStringLiteral("Select Industry Group"), holder);
    m_groupList = new QListView(m_frameIndustryGroup);
    m_groupList->setObjectName(QStringLiteral("DBListIndustryGroup"));
    auto* groups = new data::BoundViewModel(m_groups, this);
    groups->setColumns({ { QStringLiteral("TEXT01"), QStringLiteral("INDUSTRY GROUP") } });
    m_groupList->setModel(groups);
    m_groupList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_groupList->viewport()->installEventFilter(this);
    connect(m_groupList, &QListView::clicked, this,
        [this](const QModelIndex& index) { pickIndustryGroup(index.row()); });
    (new QVBoxLayout(m_frameIndustryGroup))->addWidget(m_groupList);

    m_frameProjectName = ui::named<QGroupBox>(
        "FrameProjectName", QStringLiteral("Give the Project a Name"), holder);
    m_projectNames = new QComboBox(m_frameProjectName);
    m_projectNames->setObjectName(QStringLiteral("DBComboProjectName"));
    auto* names = new data::BoundViewModel(m_names, this);
    names->setColumns({ { QStringLiteral("TEXT01"), QStringLiteral("PROJECT NAME") } });
    m_projectNames->setModel(names);
    m_projectNames->setPlaceholderText(QStringLiteral("Select Project Name..."));
    m_projectNames->setCurrentIndex(-1);
    m_projectNames->setMinimumWidth(200);
    connect(m_projectNames, &QComboBox::activated, this, &FormProjects::pickProjectName);
    auto* name = textBox("TEXT02", m_frameProjectName);
    m_projectFields->bind(name, QStringLiteral("TEXT02"));
    auto* nameLayout = new QVBoxLayout(m_frameProjectName);
    nameLayout->addWidget(m_projectNames);
    nameLayout->addWidget(name);
    nameLayout->addStretch();

    m_done = ui::named<QPushButton>("CommandDone", QStringLiteral("&Done"), holder);
    connect(m_done, &QPushButton::clicked, this, &FormProjects::finishProject);
    auto* right = new QVBoxLayout;
    right->addWidget(m_frameProjectName);
    right->addWidget(m_done);
    right->addStretch();
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_frameIndustryGroup, 1);
    layout->addLayout(right, 1);
    m_frameIndustryGroup->hide();
    m_frameProjectName->hide();
    m_done->hide();
    return holder;
}

QWidget* FormProjects::buildActionSteps()
{
    m_frameAction = ui::named<QGroupBox>("FrameAction", QStringLiteral("Action Steps"), this);
    m_stepGrid = new QTableView(m_frameAction);
    m_stepGrid->setObjectName(QStringLiteral("DBGrid1"));
    m_stepGrid->setModel(m_stepRows);
    m_stepGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_stepGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_stepGrid->setWordWrap(true);
    m_stepGrid->horizontalHeader()->setStretchLastSection(true);
    m_stepGrid->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_stepGrid, &QTableView::clicked, this,
        [this](const QModelIndex& index) { m_steps->moveTo(index.row()); });
    m_newAction = ui::named<QPushButton>("CommandNewAction", QStringLiteral("New"), m_frameAction);
    m_newAction->setToolTip(QStringLiteral("New Action Step"));
    auto* remove
        = ui::named<QPushButton>("CommandDeleteAction", QStringLiteral("Delete"), m_frameAction);
    remove->setToolTip(QStringLiteral("Delete Action Step"));
    connect(m_newAction, &QPushButton::clicked, this, &FormProjects::newActionStep);
    connect(remove, &QPushButton::clicked, this, &FormProjects::deleteActionStep);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_newAction);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(m_frameAction);
    layout->addWidget(m_stepGrid, 1);
    layout->addLayout(buttons);
    m_frameAction->hide();
    return m_frameAction;
}

QWidget* FormProjects::buildNewStep()
{
    m_frameNew = ui::named<QGroupBox>("FrameNew", QStringLiteral("New Action Step"), this);
    auto* dateLabel = new QLabel(QStringLiteral("Date"), m_frameNew);
    dateLabel->setObjectName(QStringLiteral("LabelDate"));
    m_stepDate = textBox("TextDate", m_frameNew);
    m_stepDate->setReadOnly(true);
    auto* actionLabel = new QLabel(QStringLiteral("Action"), m_frameNew);
    actionLabel->setObjectName(QStringLiteral("LabelAction"));
    m_action = new QPlainTextEdit(m_frameNew);
    m_action->setObjectName(QStringLiteral("TextAction"));
    m_action->installEventFilter(this);
    m_saveAction = ui::named<QPushButton>("CommandSaveAction", QStringLiteral("&Done"), m_frameNew);
    m_followUp
        = ui::named<QPushButton>("CommandFollowUp", QStringLiteral("&Follow Up"), m_frameNew);
    connect(m_saveAction, &QPushButton::clicked, this, &FormProjects::saveActionStep);
    connect(m_followUp, &QPushButton::clicked, this, &FormProjects::startFollowUp);
    m_stepFields->bind(m_stepDate, QStringLiteral("DATE01"));
    m_stepFields->bind(m_action, QStringLiteral("MEMO01"));
    m_stepFields->bind(textBox("NUM01", m_frameNew, true), QStringLiteral("NUMBER01"));
    m_stepFields->bind(textBox("NUM02", m_frameNew, true), QStringLiteral("NUMBER02"));
    auto* layout = new QGridLayout(m_frameNew);
    layout->addWidget(dateLabel, 0, 0);
    layout->addWidget(m_stepDate, 0, 1);
    layout->addWidget(actionLabel, 1, 0, Qt::AlignTop);
    layout->addWidget(m_action, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveAction);
    buttons->addWidget(m_followUp);
    layout->addLayout(buttons, 2, 1);
    m_frameNew->hide();
    return m_frameNew;
}

QWidget* FormProjects::buildFollowUp()
{
    m_frameFollowUp = ui::named<QGroupBox>("FrameFollowUp", QStringLiteral("Follow Up"), this);
    m_followUpCalendar = calendar("MonthView2", m_frameFollowUp);
    m_followUpCalendar->show();
    connect(m_followUpCalendar, &QCalendarWidget::clicked, this, &FormProjects::pickFollowUpDate);
    m_followUpDate = textBox("DATE02", m_frameFollowUp, true);
    m_followUpDate->setReadOnly(true);
    m_followUpSubject = textBox("TEXT04", m_frameFollowUp, true);
    m_projectFields->bind(m_followUpDate, QStringLiteral("DATE02"));
    m_projectFields->bind(m_followUpSubject, QStringLiteral("TEXT04"));
    m_allProjects = new QCheckBox(m_frameFollowUp);
    m_allProjects->setObjectName(QStringLiteral("Check1"));
    m_allProjects->hide();
    connect(m_allProjects, &QCheckBox::toggled, this, &FormProjects::followUpAllProjects);
    m_outlook = ui::named<QPushButton>("CommandOutlook", QStringLiteral("Send"), m_frameFollowUp);
    m_outlook->hide();
    connect(m_outlook, &QPushButton::clicked, this, &FormProjects::sendFollowUp);
    auto* layout = new QVBoxLayout(m_frameFollowUp);
    layout->addWidget(m_followUpCalendar);
    layout->addWidget(m_followUpDate);
    layout->addWidget(m_followUpSubject);
    layout->addWidget(m_allProjects);
    layout->addWidget(m_outlook, 0, Qt::AlignLeft);
    m_frameFollowUp->hide();
    return m_frameFollowUp;
}

void FormProjects::declareHints()
{
    auto company = [this](const QString& before) {
        return [this, before] { return before + companyName() + QStringLiteral("."); };
    };
    m_hints->setHint(findChild<QWidget*>(QStringLiteral("CommandActionSteps")),
        QStringLiteral("View or Add Action Steps"));
    m_hints->setHint(
        findChild<QWidget*>(QStringLiteral("CommandHide")), QStringLiteral("Hide Action Steps"));
    m_hints->setHint(m_outlook, QStringLiteral("Send to MS-Outlook."));
    m_hints->setHint(m_reset, QStringLiteral("Go back to where you started."));
    m_hints->setHint(
        m_summary, company(QStringLiteral("Print all active projects and action steps for ")));
    m_hints->setHint(m_groupList, QStringLiteral("Select an Industy Group."));
    m_hints->setHint(m_projectList, QStringLiteral("Select a Project."));
    m_hints->setHint(m_frameStatus, QStringLiteral("Change the status of the Project."));
    m_hints->setHint(m_stepCalendar, QStringLiteral("Select a date."));
    m_hints->setHint(m_followUpCalendar, QStringLiteral("Select a follow-up date."));
    m_hints->setHint(m_value, [this] {
        return QStringLiteral("Enter the potetial value of Project ")
            + m_projects->value(QStringLiteral("TEXT02")).toString() + QStringLiteral(".");
    });
    m_hints->setHint(m_probability,
        QStringLiteral("Enter the probability (%) of completing this project. The probability "
                       "should normally change as the project progresses."));
    for (QWidget* area :
        { static_cast<QWidget*>(m_frameProjects), static_cast<QWidget*>(m_frameGoTo), m_frameValue,
            static_cast<QWidget*>(m_frameAction), static_cast<QWidget*>(m_frameNew),
            static_cast<QWidget*>(m_frameFollowUp), static_cast<QWidget*>(m_frameIndustryGroup),
            static_cast<QWidget*>(m_frameProjectName) })
        m_hints->addBackground(area);
    m_hints->setHint(m_optionActive, company(QStringLiteral("Go to all active projects for ")));
    m_hints->setHint(
        m_optionCancelled, company(QStringLiteral("Go to all cancelled projects for ")));
    m_hints->setHint(
        m_optionCompleted, company(QStringLiteral("Go to all completed projects for ")));
}

bool FormProjects::showRecords(const ui::RecordQuery& query, QString* error)
{
    // The tree's view names the company by its key; the screen stays on that
    // company, also when the companies screen moves on meanwhile.
    m_companyKey = query.parameters.value(0);
    m_status = query.parameters.value(1, activeStatus).toString();
    m_optionActive->setChecked(m_status == activeStatus);
    m_projects->setRecordSource(query.sql, query.parameters);
    if (!m_projects->refresh()) {
        *error = m_projects->lastError();
        return false;
    }
    return true;
}

QString FormProjects::companyName() const
{
    for (const char* screen : { "FormCompanies", "FormArchive" }) {
        auto* company
            = dynamic_cast<ui::CompanyAccess*>(ui::Screens::existing(QLatin1String(screen)));
        if (company && company->companyKey().isValid() && company->companyKey() == m_companyKey)
            return company->companyValue(QStringLiteral("TEXT01")).toString();
    }
    if (!m_db->isOpen() || !m_companyKey.isValid())
        return {};
    return m_db
        ->scalar(
            QStringLiteral("SELECT TEXT01 FROM TABLE01 WHERE AUTONUMBER = ?"), { m_companyKey })
        .toString();
}

void FormProjects::listStatus(const QString& status)
{
    m_status = status;
    m_projects->setRecordSource(projectsOfStatus, { m_companyKey, status });
    if (!m_projects->refresh())
        platform::MessageBox::error(this, m_projects->lastError());
}

void FormProjects::pickProject(int row)
{
    if (row < 0 || !m_projects->moveTo(row)) {
        platform::MessageBox::critical(this, QStringLiteral("There are no records to choose from"));
        return;
    }
    m_frameStatus->show();
    m_stepsOpened = true;
    showStepsOfCurrentProject();
    m_newAction->show();
}

void FormProjects::showStepsOfCurrentProject()
{
    // Without a current project the steps list stays empty rather than showing
    // the steps of a project that has left the list.
    const QVariant project = m_projects->hasCurrentRow() && !m_projects->isNewRow()
        ? m_projects->value(QStringLiteral("AUTONUMBER"))
        : QVariant();
    m_steps->setRecordSource(stepsOfProject, { project });
    if (!m_steps->refresh())
        platform::MessageBox::error(this, m_steps->lastError());
}

void FormProjects::changeStatus(const QString& status)
{
    if (!m_projects->hasCurrentRow())
        return;
    if (!m_projects->setValue(QStringLiteral("TEXT03"), status) || !m_projects->refresh())
        platform::MessageBox::error(this, m_projects->lastError());
}

void FormProjects::showProject()
{
    const QVariant entered = m_projects->value(QStringLiteral("DATE01"));
    m_entered->setText(m_projects->hasCurrentRow()
            ? QStringLiteral("Entered on ") + data::displayText(entered)
            : QString());
    const int index
        = m_statusList->findText(m_projects->value(QStringLiteral("TEXT03")).toString());
    m_statusList->setCurrentIndex(index);
    m_statusList->setEnabled(m_projects->hasCurrentRow());
}

void FormProjects::checkProbability()
{
    if (isProbability(m_probability->text()))
        return;
    platform::MessageBox::information(
        this, QStringLiteral("You must enter a numerical value between 1 and 100"));
    m_projects->setValue(QStringLiteral("TEXT06"), QVariant());
    m_probability->clear();
    m_probability->setFocus(Qt::OtherFocusReason);
}

void FormProjects::newProject()
{
    m_groups->refresh();
    m_names->refresh();
    m_projectNames->setCurrentIndex(-1);
    if (!m_projects->addNew()) {
        platform::MessageBox::error(this, m_projects->lastError());
        return;
    }
    m_projects->setValue(QStringLiteral("NUMBER01"), m_companyKey);
    m_projects->setValue(QStringLiteral("DATE01"), data::Clock::today());
    m_projects->setValue(QStringLiteral("TEXT03"), activeStatus);
    m_frameIndustryGroup->show();
    for (QWidget* hidden :
        { static_cast<QWidget*>(m_frameProjects), static_cast<QWidget*>(m_frameAction),
            static_cast<QWidget*>(m_frameGoTo), static_cast<QWidget*>(m_frameStatus) })
        hidden->hide();
    m_new->setEnabled(false);
}

void FormProjects::pickIndustryGroup(int row)
{
    if (row < 0 || !m_groups->moveTo(row)) {
        platform::MessageBox::critical(
            this, QStringLiteral("You must enter an 'Industry Group' in Mastertables"));
    }
    else {
        m_projects->setValue(QStringLiteral("TEXT01"), m_groups->value(QStringLiteral("TEXT01")));
    }
    m_frameProjectName->show();
    m_frameStatus->hide();
}

void FormProjects::pickProjectName(int row)
{
    if (row < 0 || !m_names->moveTo(row))
        return;
    m_projects->setValue(QStringLiteral("TEXT02"), m_names->value(QStringLiteral("TEXT01")));
    m_done->show();
    m_done->setFocus(Qt::OtherFocusReason);
}

void FormProjects::finishProject()
{
    m_frameIndustryGroup->hide();
    m_frameProjectName->hide();
    const bool stored = m_projects->refresh();
    m_frameProjects->show();
    m_new->setEnabled(true);
    m_done->hide();
    m_frameGoTo->show();
    m_frameAction->show();
    if (!stored)
        platform::MessageBox::error(this, m_projects->lastError());
}

void FormProjects::deleteProject()
{
    if (!platform::MessageBox::question(this,
            QStringLiteral("Are you sure you want to delete this project?"),
            platform::MessageBox::No))
        return;
    // The project's action steps stay: they remain part of the company's history.
    if (m_projects->rowCount() == 0 || !m_projects->hasCurrentRow() || m_projects->isNewRow()
        || !m_projects->deleteCurrent() || !m_projects->refresh()) {
        platform::MessageBox::information(this, QStringLiteral("There are no projects to delete"));
    }
}

void FormProjects::newActionStep()
{
    if (!m_stepsOpened || !m_projects->hasCurrentRow() || m_projects->isNewRow()) {
        platform::MessageBox::information(
            this, QStringLiteral("You must select your Project before adding Action Steps."));
        return;
    }
    if (!m_steps->addNew()) {
        platform::MessageBox::error(this, m_steps->lastError());
        return;
    }
    m_steps->setValue(QStringLiteral("NUMBER01"), m_projects->value(QStringLiteral("AUTONUMBER")));
    // The step belongs to the project's company, also for an archived company's project.
    m_steps->setValue(QStringLiteral("NUMBER02"), m_projects->value(QStringLiteral("NUMBER01")));
    m_frameAction->hide();
    m_frameGoTo->hide();
    m_frameStatus->hide();
    m_projectList->setEnabled(false);
    showToday(m_stepCalendar);
    m_stepCalendar->show();
    m_stepCalendar->setFocus(Qt::OtherFocusReason);
    showHintText(QStringLiteral("Select a date."));
}

void FormProjects::pickStepDate(const QDate& date)
{
    m_hints->frame()->hide();
    m_frameNew->show();
    m_steps->setValue(QStringLiteral("DATE01"), date);
    m_stepCalendar->hide();
    m_action->setFocus(Qt::OtherFocusReason);
}

void FormProjects::saveActionStep()
{
    if (!m_steps->refresh()) {
        platform::MessageBox::error(this, m_steps->lastError());
        return;
    }
    reset();
}

void FormProjects::startFollowUp()
{
    m_frameNew->hide();
    showToday(m_followUpCalendar);
    m_frameFollowUp->show();
    m_saveAction->hide();
    m_followUp->hide();
    showHintText(QStringLiteral("Select a follow-up date."));
}

void FormProjects::pickFollowUpDate(const QDate& date)
{
    m_followUpDate->show();
    m_followUpSubject->show();
    m_allProjects->show();
    m_hints->frame()->hide();
    m_followUpCalendar->hide();
    m_outlook->show();
    m_outlook->setFocus(Qt::OtherFocusReason);
    m_projects->setValue(QStringLiteral("DATE02"), date);
    m_allProjects->setText(QStringLiteral("Follow up all projects for ") + companyName());
    m_projects->setValue(QStringLiteral("TEXT04"), followUpSubject(m_allProjects->isChecked()));
}

QString FormProjects::followUpSubject(bool all) const
{
    if (all)
        return companyName() + QStringLiteral(": Follow up on all projects.");
    return companyName() + QStringLiteral(": Follow up on ")
        + m_projects->value(QStringLiteral("TEXT02")).toString() + QStringLiteral(".");
}

void FormProjects::followUpAllProjects(bool all)
{
    m_projects->setValue(QStringLiteral("TEXT04"), followUpSubject(all));
}

void FormProjects::sendFollowUp()
{
    QString error;
    {
        platform::BusyCursor busy;
        office::Task task = office::MailProgram::instance().createTask();
        task.subject = m_projects->value(QStringLiteral("TEXT04")).toString();
        const QVariant due = m_projects->value(QStringLiteral("DATE02"));
        task.dueDate
            = due.typeId() == QMetaType::QDate ? due.toDate() : data::parseDateText(due.toString());
        if (!office::MailProgram::instance().save(task, &error)) {
            platform::MessageBox::error(this, error);
            return;
        }
    }
    platform::MessageBox::information(
        this, QStringLiteral("Your Follow-Up has been saved in MS-Outlook"));
    reset();
}

void FormProjects::deleteActionStep()
{
    if (!platform::MessageBox::question(this,
            QStringLiteral("Are you sure you want to delete this action step?"),
            platform::MessageBox::No))
        return;
    if (m_steps->rowCount() == 0 || !m_steps->hasCurrentRow() || m_steps->isNewRow()
        || !m_steps->deleteCurrent() || !m_steps->refresh()) {
        platform::MessageBox::information(
            this, QStringLiteral("There are no action steps to delete"));
    }
}

bool FormProjects::writePending(QString* error)
{
    for (data::BoundView* view : { m_steps, m_projects }) {
        if ((view->isEdited() || view->isNewRow()) && !view->update()) {
            *error = view->lastError();
            return false;
        }
    }
    return true;
}

void FormProjects::reset()
{
    QString error;
    if (!writePending(&error)) {
        // The screen stays as it is, so that nothing typed is lost.
        platform::MessageBox::error(this, error);
        return;
    }
    ui::Screens::close(objectName());
    ui::RecordViews::show(ui::RecordViews::View::Projects, ui::RecordViews::Branch::Companies);
}

void FormProjects::printSummary()
{
    if (auto* summary
        = ui::Screens::instance<FormProjectSummary>(QStringLiteral("FormProjectSummary"))) {
        ui::Screens::bringToFront(QStringLiteral("FormProjectSummary"));
        summary->start(m_companyKey, companyName());
    }
}

void FormProjects::showHintText(const QString& text)
{
    m_hints->label()->setText(text);
    m_hints->frame()->show();
}

bool FormProjects::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_action && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // The action stays one paragraph, as the reports print it on one line.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QApplication::beep();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        // A click in an empty list is answered, as the user expects a pick.
        if (watched == m_projectList->viewport() && m_projectRows->rowCount() == 0)
            pickProject(-1);
        else if (watched == m_groupList->viewport() && m_groupList->model()->rowCount() == 0)
            pickIndustryGroup(-1);
    }
    return QWidget::eventFilter(watched, event);
}

void FormProjects::closeEvent(QCloseEvent* event)
{
    QString error;
    if (!writePending(&error))
        platform::MessageBox::error(this, error);
    QWidget::closeEvent(event);
}

} // namespace vantrel::activities
