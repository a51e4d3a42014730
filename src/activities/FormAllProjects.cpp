#include "activities/FormAllProjects.h"

#include "activities/AllProjectsReport.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "office/SpreadsheetProgram.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/Resources.h"
#include "ui/Screens.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel::activities {

FormAllProjects::FormAllProjects(QWidget* parent)
    : QWidget(parent)
    , m_progress(new QProgressBar(this))
    , m_excel(new QWidget(this))
{
    setObjectName(QStringLiteral("FormAllProjects"));
    setWindowTitle(QStringLiteral("All Active Projects"));
    setAutoFillBackground(true);
    ui::ensureResources();
    auto* waiting
        = new QLabel(QStringLiteral("Please wait while project details are loading..."), this);
    waiting->setObjectName(QStringLiteral("LabelWait"));
    QFont bold = waiting->font();
    bold.setBold(true);
    waiting->setFont(bold);
    auto* picture = new QLabel(m_excel);
    picture->setObjectName(QStringLiteral("ImageExcel"));
    picture->setPixmap(QIcon(QStringLiteral(":/ui/icons/Excel.svg")).pixmap(32, 32));
    auto* loading = new QLabel(QStringLiteral("Loading MS-Excel..."), m_excel);
    loading->setObjectName(QStringLiteral("LabelExcel"));
    auto* excelRow = new QHBoxLayout(m_excel);
    excelRow->setContentsMargins(0, 0, 0, 0);
    excelRow->addWidget(picture);
    excelRow->addWidget(loading);
    excelRow->addStretch();
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(waiting);
    layout->addWidget(m_excel);
    layout->addWidget(m_progress);
    layout->addStretch();
}

void FormAllProjects::advance()
{
    m_progress->setValue(std::min(m_progress->value() + 10, 100));
}

bool FormAllProjects::run()
{
    show();
    setFocus(Qt::OtherFocusReason);
    platform::BusyCursor busy;
    const auto fail = [this](const QString& error) {
        platform::MessageBox::error(this, error);
        return false;
    };
    advance();
    data::Database db;
    data::QueryResult rows;
    if (!data::openBusinessDatabase(db) || !queryAllActiveProjects(db, &rows))
        return fail(db.lastError());
    advance();
    // Nothing of the user's clipboard is touched: the rows go straight to the sheet.
    advance();
    office::Workbook workbook = buildAllProjectsWorkbook(rows);
    advance();
    advance();
    QString error;
    QString path;
    // Saved under a name no earlier report has, so none is ever written over.
    const bool shown
        = office::SpreadsheetProgram::instance().saveAndShowReport(&workbook, &path, &error);
    m_reportPath = path;
    if (!shown)
        return fail(error);
    advance();
    advance();
    m_progress->setValue(0);
    ui::Screens::bringToFront(QStringLiteral("FormMenu"));
    return true;
}

FormReportProjects::FormReportProjects(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FormReportProjects"));
    QTimer::singleShot(0, this, [this] {
        hide();
        if (auto* waiting
            = ui::Screens::bringToFront<FormAllProjects>(QStringLiteral("FormAllProjects")))
            waiting->run();
        ui::Screens::close(QStringLiteral("FormReportProjects"));
    });
}

} // namespace vantrel::activities
