#include "products/FormCompetition.h"

#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SetBasedWork.h"
#include "office/SpreadsheetProgram.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "products/AttachedDocument.h"
#include "products/ProductReport.h"
#include "products/ProductTools.h"
#include "ui/FieldBinder.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/RecordNavigator.h"
#include "ui/Screens.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vantrel::products {

namespace {

const QString allRecords = QStringLiteral("SELECT * FROM TABLE11 ORDER BY TABLE11.TEXT02");
// Literal and bound: quotes, % or * in the search text are looked for as typed.
const QString searchRecords
    = QStringLiteral("SELECT * FROM TABLE11 WHERE contains(TEXT01, ?) OR contains(TEXT03, ?)"
                     " ORDER BY TABLE11.TEXT02");
const QString crlf = QStringLiteral("\r\n");

} // namespace

ListImport FormCompetition::competitionImport()
{
    ListImport list;
    list.workbookName = QStringLiteral("Competition");
    list.sheetName = QStringLiteral("COMPETITION");
    list.table = QStringLiteral("TABLE11");
    list.columns = { { QStringLiteral("COMPETITOR'S PRODUCT"), QStringLiteral("TEXT01") },
        { QStringLiteral("COMPETITOR'S NAME"), QStringLiteral("TEXT02") },
        { QStringLiteral("EQUIVALENT"), QStringLiteral("TEXT03") } };
    list.followUps = { { summaryStatement(), {} } };
    return list;
}

QString FormCompetition::summaryStatement()
{
    // The boxes showed a missing value as empty text, so a summary never reads "NULL".
    return QStringLiteral("UPDATE TABLE11 SET TEXT04 = COALESCE(TEXT01, '') || ' From: ' || "
                          "COALESCE(TEXT02, '')");
}

FormCompetition::FormCompetition(QWidget* parent)
    : ProductListScreen(allRecords, QStringLiteral("TEXT05"), parent)
    , m_competitor(new QLineEdit(this))
    , m_product(new QLineEdit(this))
    , m_equivalent(new QLineEdit(this))
    , m_notes(new QPlainTextEdit(this))
    , m_boxes(nullptr)
    , m_prompt(new QGroupBox(this))
    , m_promptText(new QLabel(m_prompt))
{
    setObjectName(QStringLiteral("FormCompetition"));
    setWindowTitle(QStringLiteral("Competition"));
    records()->setObjectName(QStringLiteral("Data1"));
    m_competitor->setObjectName(QStringLiteral("TextCompetitor"));
    m_product->setObjectName(QStringLiteral("TextProduct"));
    m_equivalent->setObjectName(QStringLiteral("TextEquivalent"));
    m_notes->setObjectName(QStringLiteral("TextNotes"));
    m_prompt->setObjectName(QStringLiteral("Frame1"));
    m_promptText->setObjectName(QStringLiteral("LabelImport"));
    m_promptText->setWordWrap(true);
    setProductBox(m_product);

    model()->setColumns({ { QStringLiteral("TEXT02"), QStringLiteral("Competitor") },
        { QStringLiteral("TEXT01"), QStringLiteral("Competitor's Product") },
        { QStringLiteral("TEXT03"), QStringLiteral("Equivalent") } });
    grid()->horizontalHeader()->setDefaultSectionSize(200);

    auto* navigator = new ui::RecordNavigator(
        records(), QStringLiteral("Data1"), QStringLiteral("Navigate through your records."), this);

    auto* edit = new QPushButton(QStringLiteral("&Edit"), m_prompt);
    edit->setObjectName(QStringLiteral("CommandEdit"));
    auto* import = new QPushButton(QStringLiteral("&Import"), m_prompt);
    import->setObjectName(QStringLiteral("CommandImport2"));
    auto* promptLayout = new QVBoxLayout(m_prompt);
    promptLayout->addWidget(m_promptText);
    auto* promptButtons = new QHBoxLayout;
    promptButtons->addWidget(edit);
    promptButtons->addWidget(import);
    promptButtons->addStretch();
    promptLayout->addLayout(promptButtons);
    promptLayout->addStretch();
    m_prompt->hide();

    // The prompt lies over the grid, as wide as it.
    auto* gridArea = new QGridLayout;
    gridArea->addWidget(grid(), 0, 0);
    gridArea->addWidget(m_prompt, 0, 0);

    auto* recordColumn = new QVBoxLayout;
    recordColumn->addWidget(makeEditingToolBar(this));
    recordColumn->addLayout(makeSearchRow());
    recordColumn->addLayout(gridArea, 1);
    recordColumn->addWidget(navigator);
    recordColumn->addWidget(buildRecordBoxes());
    recordColumn->addWidget(hints()->frame());

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(recordColumn, 1);
    layout->addWidget(buildCommands());

    declareHints();

    connect(edit, &QPushButton::clicked, this, &FormCompetition::editWorkbook);
    connect(import, &QPushButton::clicked, this, &FormCompetition::importWorkbook);
    connect(navigator, &ui::RecordNavigator::moveFailed, this,
        [this](const QString& message) { platform::MessageBox::error(this, message); });

    if (!records()->openDatabase(QStringLiteral("CONTACT.mdb")))
        platform::MessageBox::error(this, records()->lastError());
    else
        reload(allRecords);
}

QWidget* FormCompetition::buildRecordBoxes()
{
    m_boxes = new QWidget(this);
    m_boxes->setObjectName(QStringLiteral("FrameRecord"));
    auto* form = new QGridLayout(m_boxes);
    form->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, QWidget*> boxes[]
        = { { "Competitor", m_competitor }, { "Competitor's Product", m_product },
              { "Equivalent", m_equivalent }, { "Notes", m_notes } };
    int row = 0;
    for (const auto& [caption, box] : boxes) {
        auto* label = new QLabel(QLatin1String(caption), m_boxes);
        label->setBuddy(box);
        form->addWidget(label, row, 0, Qt::AlignTop);
        form->addWidget(box, row, 1);
        ++row;
    }
    m_notes->setFixedHeight(80);
    binder()->bind(m_competitor, QStringLiteral("TEXT02"));
    binder()->bind(m_product, QStringLiteral("TEXT01"));
    binder()->bind(m_equivalent, QStringLiteral("TEXT03"));
    binder()->bind(m_notes, QStringLiteral("MEMO01"));
    return m_boxes;
}

QWidget* FormCompetition::buildCommands()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, const char*> commands[] = { { "CommandNew", "New Record" },
        { "CommandSave", "Save" }, { "CommandDelete", "Delete Record" },
        { "CommandImport", "Import" }, { "CommandExcel", "Send to MS-Excel" } };
    for (const auto& [name, caption] : commands) {
        auto* button = new QPushButton(QLatin1String(caption), column);
        button->setObjectName(QLatin1String(name));
        layout->addWidget(button);
    }
    connect(column->findChild<QPushButton*>(QStringLiteral("CommandNew")), &QPushButton::clicked,
        this, &FormCompetition::newRecord);
    connect(column->findChild<QPushButton*>(QStringLiteral("CommandSave")), &QPushButton::clicked,
        this, &FormCompetition::save);
    connect(column->findChild<QPushButton*>(QStringLiteral("CommandDelete")), &QPushButton::clicked,
        this, &FormCompetition::deleteRecord);
    connect(column->findChild<QPushButton*>(QStringLiteral("CommandImport")), &QPushButton::clicked,
        this, &FormCompetition::showImportPrompt);
    connect(column->findChild<QPushButton*>(QStringLiteral("CommandExcel")), &QPushButton::clicked,
        this, &FormCompetition::sendToSpreadsheet);

    addDocumentCommands(layout);
    return column;
}

void FormCompetition::declareHints()
{
    declareDocumentHints();
    hints()->setHint(findChild<QPushButton*>(QStringLiteral("CommandExcel")),
        QStringLiteral("Send to MS-Excel."));
    hints()->setHint(findChild<QPushButton*>(QStringLiteral("CommandImport")),
        QStringLiteral("Import competitor's information. Press F1 for help."));
    const QString boxes
        = QStringLiteral("Enter competitor's product information and your equivalents.");
    for (QWidget* box : { static_cast<QWidget*>(m_competitor), static_cast<QWidget*>(m_product),
             static_cast<QWidget*>(m_equivalent), static_cast<QWidget*>(m_notes) })
        hints()->setHint(box, boxes);
    hints()->setHint(findChild<QPushButton*>(QStringLiteral("CommandReset")),
        QStringLiteral("Reset your search to display all records."));
    hints()->setHint(findChild<ui::RecordNavigator*>(QStringLiteral("Data1")),
        QStringLiteral("Navigate through your records."));
    hints()->setHint(
        searchBox(), QStringLiteral("Enter text or partial text of a product and press 'Enter'."));
    hints()->addBackground(m_boxes);
    hints()->addBackground(findChild<QToolBar*>(QStringLiteral("Toolbar1")));
}

void FormCompetition::search()
{
    const QString text = searchBox()->text();
    reload(searchRecords, { text, text });
}

bool FormCompetition::rewriteSummaries()
{
    const data::SetBasedWork work(
        { { QStringLiteral("Updating the product summaries..."), summaryStatement(), {} } });
    QString error;
    if (!work.run(*records()->database(), {}, &error)) {
        platform::MessageBox::error(this, error);
        return false;
    }
    return true;
}

void FormCompetition::save()
{
    // Going back to all records stores the pending edit first, so a record just
    // typed gets its summary too.
    if (!reload(allRecords))
        return;
    searchBox()->clear();
    if (rewriteSummaries() && !records()->refresh())
        platform::MessageBox::error(this, records()->lastError());
}

void FormCompetition::deleteRecord()
{
    if (!records()->hasCurrentRow())
        return;
    const QString product = records()->value(QStringLiteral("TEXT01")).toString();
    const auto answer = platform::MessageBox::show(this,
        QStringLiteral("Are you sure toy want to delete ") + product + QStringLiteral("?"),
        platform::MessageBox::Icon::Warning, platform::MessageBox::Yes | platform::MessageBox::No);
    if (answer != platform::MessageBox::Yes)
        return;
    if (!records()->deleteCurrent()) {
        platform::MessageBox::error(this, records()->lastError());
        return;
    }
    if (!records()->refresh())
        platform::MessageBox::error(this, records()->lastError());
}

void FormCompetition::setPromptShown(bool shown)
{
    m_prompt->setVisible(shown);
    if (shown)
        m_prompt->raise();
    m_boxes->setVisible(!shown);
}

void FormCompetition::showImportPrompt()
{
    const QString path
        = QDir(data::programFolder()).filePath(listWorkbookPath(competitionImport()));
    m_promptText->setText(QStringLiteral("Do you want to edit or import the spreadsheet ")
        + QDir::toNativeSeparators(path) + QStringLiteral(" ?"));
    setPromptShown(true);
}

void FormCompetition::editWorkbook()
{
    QString error;
    {
        platform::BusyCursor busy;
        if (!office::SpreadsheetProgram::instance().show(
                listWorkbookPath(competitionImport()), &error)) {
            setPromptShown(false);
            platform::MessageBox::show(this, error, platform::MessageBox::Icon::None);
            return;
        }
    }
    setPromptShown(false);
}

void FormCompetition::importWorkbook()
{
    setPromptShown(false);
    const ListImportResult result = importWorkbookInto(competitionImport());
    if (result.outcome == ListImportResult::Outcome::Failed)
        return;
    reset();
    if (result.outcome == ListImportResult::Outcome::ImportedWorkbookNotCleared) {
        platform::MessageBox::show(this,
            QStringLiteral("Competitor's information has been imported, but the spreadsheet ")
                + QDir::toNativeSeparators(result.workbookPath)
                + QStringLiteral(" could not be cleared: ") + result.error + crlf
                + QStringLiteral("Delete the imported rows from it before the next import."),
            platform::MessageBox::Icon::Warning);
        return;
    }
    platform::MessageBox::show(this,
        QStringLiteral("Competitor's information has been imported successfully.") + crlf
            + QStringLiteral("The information will now be updated and saved."),
        platform::MessageBox::Icon::None);
}

void FormCompetition::sendToSpreadsheet()
{
    ProductReport report;
    report.caption = QStringLiteral("Competitor's Products");
    report.sql = QStringLiteral("SELECT TABLE11.TEXT01 AS \"COMPETITOR'S PRODUCT\", TABLE11.TEXT02 "
                                "AS SUPPLIER, TABLE11.TEXT03 AS EQUIVALENT FROM TABLE11 ORDER BY "
                                "TABLE11.TEXT01");
    QString error;
    platform::BusyCursor busy;
    if (!sendProductReport(*records()->database(), report, &error))
        platform::MessageBox::show(this, error, platform::MessageBox::Icon::Critical);
}

} // namespace vantrel::products
