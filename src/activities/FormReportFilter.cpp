#include "activities/FormReportFilter.h"

#include "activities/ReportFilterQuery.h"
#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/TextRules.h"
#include "platform/MessageBox.h"
#include "ui/HintLine.h"
#include "ui/LongListCombo.h"
#include "ui/MainWindow.h"
#include "ui/ManualLink.h"
#include "ui/RecordViewScreen.h"
#include "ui/Screens.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::activities {

namespace {

const QString fromPrompt = QStringLiteral("From which Date?");
const QString untilPrompt = QStringLiteral("Until which Date?");
const QString caption = QStringLiteral("Filter Call Reports");

QComboBox* listOf(data::BoundView* rows, const char* name, const QString& prompt, QWidget* parent)
{
    auto* model = new data::BoundViewModel(rows, parent);
    model->setColumns({ { QStringLiteral("TEXT01"), QStringLiteral("TEXT01") } });
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setModel(model);
    combo->setPlaceholderText(prompt);
    combo->setCurrentIndex(-1);
    combo->setMaxVisibleItems(20);
    combo->setMinimumWidth(180);
    ui::prepareForLongList(combo, 24);
    return combo;
}

QLineEdit* textBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// A name picked from a list matches just that name, even one holding a
// wildcard character (#1 Motors); a typed text is the user's own pattern.
QString patternOf(const QLineEdit* box, const QComboBox* list)
{
    const QString text = box->text();
    const bool picked = list->currentIndex() >= 0 && text == list->currentText();
    return picked ? data::likeLiteralPattern(text) : text;
}

} // namespace

FormReportFilter::FormReportFilter(QWidget* parent)
    : QWidget(parent)
    , m_salesPeople(new data::BoundView(this))
    , m_companies(new data::BoundView(this))
{
    setObjectName(QStringLiteral("FormReportFilter"));
    setWindowTitle(caption);
    setAutoFillBackground(true);
    m_salesPeople->setObjectName(QStringLiteral("DataSalesPerson"));
    m_companies->setObjectName(QStringLiteral("DataCompanies"));

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("MonthView1"));
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    const QDate shown = data::Clock::today().addDays(-60);
    m_calendar->setSelectedDate(shown);
    m_calendar->setCurrentPage(shown.year(), shown.month());
    m_calendar->setMinimumSize(280, 220);
    connect(m_calendar, &QCalendarWidget::clicked, this, &FormReportFilter::pickDay);

    auto* manual = new ui::ManualLink(this);
    auto* hints = new ui::HintLine(this);
    auto* body = new QHBoxLayout;
    body->addWidget(m_calendar);
    body->addWidget(buildChoices());
    body->addStretch();
    auto* commands = new QHBoxLayout;
    commands->addWidget(m_filter);
    commands->addWidget(manual->button());
    commands->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(commands);
    layout->addWidget(hints->frame());
    layout->addStretch();
    hints->frame()->setMinimumHeight(60);

    hints->setHint(m_from,
        QStringLiteral("Click on a starting date for the range of reports you want to filter. "
                       "This selection is compulsory."));
    hints->setHint(m_until,
        QStringLiteral("Click on an ending date for the range of reports you want to filter. "
                       "This selection is compulsory."));
    hints->setHint(m_filter, QStringLiteral("Apply filter and display."));
    hints->setHint(m_salesPersonList,
        QStringLiteral("Select a sales person for the range of reports you want to "
                       "filter. This selection is optional."));
    hints->setHint(m_companyList,
        QStringLiteral("Select a company for the range of reports you want to filter. "
                       "This selection is optional."));
    loadLists();
}

QWidget* FormReportFilter::buildChoices()
{
    auto* frame = new QGroupBox(QStringLiteral("Reports to Display"), this);
    frame->setObjectName(QStringLiteral("FrameChoices"));
    frame->setMinimumWidth(300);
    m_from = textBox("TextFrom", frame);
    m_from->setText(fromPrompt);
    m_from->setToolTip(QStringLiteral("Click the starting date on the Calendar"));
    m_until = textBox("TextUntil", frame);
    m_until->setText(untilPrompt);
    m_until->setToolTip(QStringLiteral("Click the ending date on the Calendar"));
    m_until->setEnabled(false);
    m_salesPersonList
        = listOf(m_salesPeople, "DBCombo1", QStringLiteral("Select a Sales Person..."), frame);
    m_companyList = listOf(m_companies, "DBCombo2", QStringLiteral("Select a Company..."), frame);
    m_salesPerson = textBox("TextSalesPerson", frame);
    m_company = textBox("TextCompany", frame);
    connect(m_salesPersonList, &QComboBox::activated, this,
        [this] { m_salesPerson->setText(m_salesPersonList->currentText()); });
    connect(m_companyList, &QComboBox::activated, this,
        [this] { m_company->setText(m_companyList->currentText()); });
    m_filter = new QPushButton(QStringLiteral("&Filter"), this);
    m_filter->setObjectName(QStringLiteral("CommandFilter"));
    m_filter->setToolTip(QStringLiteral("Filter and Display"));
    connect(m_filter, &QPushButton::clicked, this, &FormReportFilter::applyFilter);

    auto* grid = new QGridLayout(frame);
    const auto caption
        = [frame](const char* text) { return new QLabel(QLatin1String(text), frame); };
    grid->addWidget(caption("Start"), 0, 0);
    grid->addWidget(m_from, 0, 1);
    grid->addWidget(caption("End"), 1, 0);
    grid->addWidget(m_until, 1, 1);
    grid->addWidget(caption("Sales Person"), 2, 0);
    grid->addWidget(m_salesPersonList, 2, 1);
    grid->addWidget(m_salesPerson, 3, 1);
    grid->addWidget(caption("Company"), 4, 0);
    grid->addWidget(m_companyList, 4, 1);
    grid->addWidget(m_company, 5, 1);
    grid->setRowStretch(6, 1);
    return frame;
}

void FormReportFilter::loadLists()
{
    auto business = std::make_shared<data::Database>();
    if (!data::openBusinessDatabase(*business)) {
        platform::MessageBox::error(this, business->lastError());
        return;
    }
    m_salesPeople->setDatabase(business);
    m_companies->setDatabase(business);
    m_salesPeople->setRecordSource(QStringLiteral("SELECT * FROM MT12 ORDER BY TEXT01"));
    m_companies->setRecordSource(
        QStringLiteral("SELECT * FROM TABLE01 WHERE TABLE01.TEXT20 = 'Company' ORDER BY TEXT01"));
    for (data::BoundView* rows : { m_salesPeople, m_companies }) {
        if (!rows->refresh()) {
            platform::MessageBox::error(this, rows->lastError());
            return;
        }
    }
    m_salesPersonList->setCurrentIndex(-1);
    m_companyList->setCurrentIndex(-1);
}

void FormReportFilter::screenActivated()
{
    const auto pickedText = [](const QComboBox* list) {
        return list->currentIndex() < 0 ? QString() : list->currentText();
    };
    const QString salesPerson = pickedText(m_salesPersonList);
    const QString company = pickedText(m_companyList);
    loadLists();
    if (!salesPerson.isEmpty())
        m_salesPersonList->setCurrentIndex(m_salesPersonList->findText(salesPerson));
    if (!company.isEmpty())
        m_companyList->setCurrentIndex(m_companyList->findText(company));
}

void FormReportFilter::pickDay(const QDate& day)
{
    if (m_from->text() == fromPrompt) {
        m_from->setText(ReportFilterQuery::dateText(day));
        m_until->setEnabled(true);
    }
    else if (m_until->text() == untilPrompt) {
        m_until->setText(ReportFilterQuery::dateText(day));
    }
}

void FormReportFilter::applyFilter()
{
    ui::RecordQuery query;
    if (!ReportFilterQuery::build(m_from->text(), m_until->text(),
            patternOf(m_company, m_companyList), patternOf(m_salesPerson, m_salesPersonList),
            &query)) {
        platform::MessageBox::information(
            this, QStringLiteral("You must Select Starting and Ending Dates."));
        return;
    }
    QWidget* screen = ui::Screens::bringToFront(QStringLiteral("FormAllCallReports"));
    auto* reports = dynamic_cast<ui::RecordViewScreen*>(screen);
    if (!reports)
        return;
    QString error;
    if (!reports->showRecords(query, &error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    screen->setWindowTitle(caption);
    if (ui::MainWindow* main = ui::MainWindow::instance())
        main->setCaption(caption);
    ui::Screens::close(objectName());
}

} // namespace vantrel::activities
