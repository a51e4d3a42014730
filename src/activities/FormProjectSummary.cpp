#include "activities/FormProjectSummary.h"

#include "activities/ProjectSummarySheet.h"
#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/BusyCursor.h"
#include "ui/PrinterProvider.h"
#include "ui/SheetPrinter.h"

#include <QHeaderView>
#include <QPrinter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel::activities {

namespace {

// The company is matched by its key: two companies of one name each print
// their own projects.
const QString summaryQuery = QStringLiteral(
    "SELECT TABLE06.TEXT01 AS \"INDUSTRY GROUP\", TABLE06.DATE01 AS \"DATE ENTERED\","
    " TABLE01.TEXT13 AS DIVISION, TABLE06.TEXT02 AS \"PROJECT NAME\","
    " TABLE07.DATE01 AS \"ACTION DATE\", TABLE07.MEMO01 AS \"ACTION TAKEN\""
    " FROM TABLE01 INNER JOIN (TABLE06 INNER JOIN TABLE07 ON TABLE06.AUTONUMBER = TABLE07.NUMBER01)"
    " ON TABLE01.AUTONUMBER = TABLE06.NUMBER01"
    " WHERE TABLE01.TEXT20 = 'Company' AND TABLE01.AUTONUMBER = ?"
    " AND TABLE06.TEXT03 = 'Active Project'"
    " ORDER BY TABLE06.TEXT02, TABLE07.DATE01, TABLE07.AUTONUMBER");

} // namespace

FormProjectSummary::FormProjectSummary(QWidget* parent)
    : QWidget(parent)
    , m_rows(new data::BoundView(this))
    , m_grid(new QTableView(this))
    , m_start(new QTimer(this))
{
    setObjectName(QStringLiteral("FormProjectSummary"));
    setWindowTitle(QStringLiteral("Project Summary"));
    setAutoFillBackground(true);
    m_rows->setObjectName(QStringLiteral("DataTABLE06"));
    m_grid->setObjectName(QStringLiteral("MSFlexGridProjects"));
    m_grid->setModel(new data::BoundViewModel(m_rows, this));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_start->setObjectName(QStringLiteral("TimerStart"));
    m_start->setInterval(100);
    connect(m_start, &QTimer::timeout, this, &FormProjectSummary::printSummary);
    (new QVBoxLayout(this))->addWidget(m_grid);
}

void FormProjectSummary::start(const QVariant& companyKey, const QString& companyName)
{
    m_companyKey = companyKey;
    m_companyName = companyName;
    m_start->start();
}

void FormProjectSummary::printSummary()
{
    m_start->stop();
    platform::BusyCursor busy;
    if (!m_rows->database()) {
        auto db = std::make_shared<data::Database>();
        if (!data::openBusinessDatabase(*db))
            return;
        m_rows->setDatabase(db);
    }
    m_rows->setRecordSource(summaryQuery, { m_companyKey });
    if (!m_rows->refresh())
        return;
    QList<ProjectSummaryRow> steps;
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        steps.append({ m_rows->valueAt(row, 1), m_rows->valueAt(row, 2).toString(),
            m_rows->valueAt(row, 3).toString(), m_rows->valueAt(row, 4),
            m_rows->valueAt(row, 5).toString() });
    }
    const office::Sheet sheet = buildProjectSummarySheet(m_companyName, steps);
    QString ignored;
    const std::unique_ptr<QPrinter> printer = ui::PrinterProvider::instance().printer(&ignored);
    if (printer)
        ui::SheetPrinter(sheet).print(printer.get(), &ignored);
}

} // namespace vantrel::activities
