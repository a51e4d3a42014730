#include "reports/FormListReport.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "office/SpreadsheetProgram.h"
#include "office/Workbook.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/ManualLink.h"
#include "ui/Resources.h"
#include "ui/Screens.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::reports {

FormListReport::FormListReport(const ListReport& report, QWidget* parent)
    : QWidget(parent)
    , m_report(report)
    , m_selectAll(new QCheckBox(QStringLiteral("Select All"), this))
    , m_go(new QPushButton(QStringLiteral("&Go"), this))
    , m_progress(new QProgressBar(this))
    , m_loading(new QWidget(this))
{
    setObjectName(report.screen);
    setWindowTitle(report.title);
    auto* frame = new QGroupBox(
        QStringLiteral("Which Fields do you want to display in your Report?"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    int place = 0;
    for (const int number : report.checkBoxOrder) {
        QString caption;
        for (const ListColumn& column : report.columns) {
            if (column.checkBox == number)
                caption = QString::fromLatin1(column.caption);
        }
        auto* check = new QCheckBox(caption, frame);
        check->setObjectName(QStringLiteral("Check") + QString::number(number));
        m_boxes << check;
        grid->addWidget(check, place % 9, place / 9);
        ++place;
    }
    m_selectAll->setObjectName(QStringLiteral("Check18"));
    m_selectAll->setParent(frame);
    grid->addWidget(m_selectAll, 9, 0);
    m_go->setObjectName(QStringLiteral("CommandGo"));
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->hide();

    ui::ensureResources();
    auto* image = new QLabel(m_loading);
    image->setObjectName(QStringLiteral("ImageExcel"));
    image->setPixmap(QIcon(QStringLiteral(":/ui/icons/Excel.svg")).pixmap(24, 24));
    auto* loadLabel = new QLabel(QStringLiteral("Loading MS-Excel..."), m_loading);
    loadLabel->setObjectName(QStringLiteral("LabelExcel"));
    auto* loadLayout = new QHBoxLayout(m_loading);
    loadLayout->setContentsMargins(0, 0, 0, 0);
    loadLayout->addWidget(image);
    loadLayout->addWidget(loadLabel);
    loadLayout->addStretch();
    m_loading->hide();

    // "Select All" ticks; clicking it again ticks again, it never clears.
    connect(m_selectAll, &QCheckBox::clicked, this, &FormListReport::selectAll);
    connect(m_go, &QPushButton::clicked, this, &FormListReport::go);

    auto* manual = new ui::ManualLink(this);
    auto* commands = new QHBoxLayout;
    commands->addWidget(m_go);
    commands->addWidget(m_progress, 1);
    commands->addWidget(manual->button());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(commands);
    layout->addWidget(m_loading);
    layout->addStretch();
}

void FormListReport::selectAll()
{
    for (QCheckBox* check : m_boxes)
        check->setChecked(true);
    m_selectAll->setChecked(true);
}

QList<int> FormListReport::tickedBoxes() const
{
    QList<int> ticked;
    for (QCheckBox* check : m_boxes) {
        if (check->isChecked())
            ticked << check->objectName().mid(5).toInt();
    }
    return ticked;
}

void FormListReport::advance()
{
    m_progress->setValue(qMin(100, m_progress->value() + 20));
}

bool FormListReport::go()
{
    QString error;
    QString path;
    bool shown = false;
    {
        platform::BusyCursor busy;
        m_loading->show();
        m_progress->setValue(0);
        m_progress->show();
        data::Database db;
        office::Workbook workbook;
        bool done = data::openBusinessDatabase(db);
        if (!done)
            error = db.lastError();
        if (done) {
            advance();
            done = buildListWorkbook(db, m_report, tickedBoxes(), &workbook, &error);
        }
        if (done) {
            advance();
            done = QDir().mkpath(QStringLiteral("Temp"));
            if (!done)
                error = QStringLiteral("The folder Temp cannot be made.");
        }
        if (done) {
            advance();
            shown = office::SpreadsheetProgram::instance().saveAndShowReport(
                &workbook, &path, &error);
        }
        // On failure the indicator and the bar stay, showing how far it came.
        if (shown) {
            advance();
            advance();
        }
    }
    if (!shown) {
        platform::MessageBox::error(this, error);
        return false;
    }
    // Opened afresh, every box cleared for the next report.
    const QString screen = objectName();
    ui::Screens::close(screen);
    ui::Screens::bringToFront(screen);
    return true;
}

} // namespace vantrel::reports
