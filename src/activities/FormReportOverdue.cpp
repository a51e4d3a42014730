#include "activities/FormReportOverdue.h"

#include "activities/OverdueUpdate.h"
#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/BusyCursor.h"
#include "ui/FieldBinder.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QThread>
#include <QTimer>

#include <cmath>

namespace vantrel::activities {

namespace {

QString overdueQuery()
{
    return QStringLiteral("SELECT TABLE01.TEXT01, TABLE01.TEXT13, TABLE01.TEXT18, TABLE01.DATE01,"
                          " TABLE01.NUMBER01, TABLE01.NUMBER02, TABLE01.TEXT21 FROM TABLE01 WHERE ")
        + overdueCondition() + QStringLiteral(" ORDER BY TABLE01.TEXT01");
}

} // namespace

FormReportOverdue::FormReportOverdue(QWidget* parent)
    : QWidget(parent)
    , m_rows(new data::BoundView(this))
    , m_calculating(new QLabel(QStringLiteral("Calculating - Please Wait..."), this))
    , m_grid(new QTableView(this))
{
    setObjectName(QStringLiteral("FormReportOverdue"));
    setWindowTitle(QStringLiteral("Overdue Meetings"));
    setAutoFillBackground(true);
    m_rows->setObjectName(QStringLiteral("Data1"));
    m_calculating->setObjectName(QStringLiteral("LabelCalculate"));
    QFont large = m_calculating->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    m_calculating->setFont(large);
    m_calculating->move(twipsToPixels(240), twipsToPixels(240));
    m_calculating->adjustSize();

    auto* model = new data::BoundViewModel(m_rows, this);
    model->setColumns({ { QStringLiteral("TEXT01"), QStringLiteral("COMPANY") },
        { QStringLiteral("TEXT13"), QStringLiteral("DIVISION") },
        { QStringLiteral("TEXT18"), QStringLiteral("SALES PERSON") },
        { QStringLiteral("DATE01"), QStringLiteral("DATE LAST VISITED") },
        { QStringLiteral("NUMBER01"), QStringLiteral("VISIT FREQUENCY") },
        { QStringLiteral("NUMBER02"), QStringLiteral("DAYS OVERDUE") },
        { QStringLiteral("TEXT21"), QStringLiteral("SCHEDULED APPOINTMENT") } });
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_grid->setModel(model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->hide();
    auto* binder = new ui::FieldBinder(m_rows, this);
    for (const char* field : { "DATE01", "NUMBER01", "NUMBER02" }) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(field));
        box->hide();
        binder->bind(box, QLatin1String(field));
    }
    // Started once the screen is on its way to being shown, so that the label is seen.
    QTimer::singleShot(0, this, &FormReportOverdue::calculate);
}

FormReportOverdue::~FormReportOverdue()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

int FormReportOverdue::twipsToPixels(int twips) const
{
    return ui::twipsToPixelsX(twips, this);
}

void FormReportOverdue::calculate()
{
    m_busy = std::make_unique<platform::BusyCursor>();
    const QDate today = data::Clock::today();
    m_worker = QThread::create([today] {
        // A connection of the worker's own: one connection serves one thread.
        data::Database db;
        if (!data::openBusinessDatabase(db))
            return;
        QString ignored;
        updateDaysOverdue(db, today, &ignored);
    });
    connect(m_worker, &QThread::finished, this, &FormReportOverdue::showList);
    m_worker->start();
}

void FormReportOverdue::showList()
{
    m_busy.reset();
    m_worker->deleteLater();
    m_worker = nullptr;
    // Every failure leaves the screen without its list; nothing is shown.
    auto db = std::make_shared<data::Database>();
    if (data::openBusinessDatabase(*db) && m_rows->setDatabase(db)) {
        m_rows->setRecordSource(overdueQuery());
        if (m_rows->refresh()) {
            m_grid->show();
            m_grid->raise();
            placeGrid();
        }
    }
    m_listed = true;
    emit listed();
}

void FormReportOverdue::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeGrid();
}

void FormReportOverdue::placeGrid()
{
    const int formWidth = ui::pixelsToTwipsX(width(), this);
    const int formHeight = ui::pixelsToTwipsY(height(), this);
    const int gridWidth = std::max(formWidth - 500, 0);
    const int gridHeight = std::max(formHeight - 1200, 0);
    m_grid->setGeometry(twipsToPixels(120), twipsToPixels(120), twipsToPixels(gridWidth),
        ui::twipsToPixelsY(gridHeight, this));
    const int widths[] = { int(std::lround(formWidth / 7.0)), int(std::lround(formWidth / 10.0)),
        int(std::lround(formWidth / 10.0)), 1500, 1000, 1000, int(std::lround(formWidth / 5.0)) };
    for (int column = 0; column < 7; ++column)
        m_grid->setColumnWidth(column, twipsToPixels(widths[column]));
}

} // namespace vantrel::activities
