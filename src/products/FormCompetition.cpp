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
const QString searchPrompt = QStringLiteral("Search For...");
const QString crlf = QStringLiteral("\r\n");

QString importErrorMessage()
{
    return QStringLiteral("There was an error importing competitor's information.") + crlf
        + QStringLiteral("This error could have been caused by the following:") + crlf + crlf
        + QStringLiteral("You changed the headers in the MS-Excel spreadsheet.") + crlf
        + QStringLiteral("You did not save the spreadsheet in MS-Excel 2000-2003 (.xls)format.")
        + crlf + QStringLiteral("You moved the speadsheet from its original location.");
}

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
    : QWidget(parent)
    , m_data(new data::BoundView(this))
    , m_model(new data::BoundViewModel(m_data, this))
    , m_binder(new ui::FieldBinder(m_data, this))
    , m_hints(new ui::HintLine(this))
    , m_grid(new QTableView(this))
    , m_search(new QLineEdit(searchPrompt, this))
    , m_competitor(new QLineEdit(this))
    , m_product(new QLineEdit(this))
    , m_equivalent(new QLineEdit(this))
    , m_notes(new QPlainTextEdit(this))
    , m_boxes(nullptr)
    , m_prompt(new QGroupBox(this))
    , m_promptText(new QLabel(m_prompt))
    , m_document(new AttachedDocument(m_data, QStringLiteral("TEXT05"), this))
{
    setObjectName(QStringLiteral("FormCompetition"));
    setWindowTitle(QStringLiteral("Competition"));
    m_data->setObjectName(QStringLiteral("Data1"));
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_search->setObjectName(QStringLiteral("TextSearch"));
    m_competitor->setObjectName(QStringLiteral("TextCompetitor"));
    m_product->setObjectName(QStringLiteral("TextProduct"));
    m_equivalent->setObjectName(QStringLiteral("TextEquivalent"));
    m_notes->setObjectName(QStringLiteral("TextNotes"));
    m_prompt->setObjectName(QStringLiteral("Frame1"));
    m_promptText->setObjectName(QStringLiteral("LabelImport"));
    m_promptText->setWordWrap(true);

    m_model->setColumns({ { QStringLiteral("TEXT02"), QStringLiteral("Competitor") },
        { QStringLiteral("TEXT01"), QStringLiteral("Competitor's Product") },
        { QStringLiteral("TEXT03"), QStringLiteral("Equivalent") } });
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->setDefaultSectionSize(200);
    m_search->installEventFilter(this);

    auto* navigator = new ui::RecordNavigator(
        m_data, QStringLiteral("Data1"), QStringLiteral("Navigate through your records."), this);
    auto* reset = new QPushButton(QStringLiteral("&Reset"), this);
    reset->setObjectName(QStringLiteral("CommandReset"));

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

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(reset);

    // The prompt lies over the grid, as wide as it.
    auto* gridArea = new QGridLayout;
    gridArea->addWidget(m_grid, 0, 0);
    gridArea->addWidget(m_prompt, 0, 0);

    auto* recordColumn = new QVBoxLayout;
    recordColumn->addWidget(makeEditingToolBar(this));
    recordColumn->addLayout(searchRow);
    recordColumn->addLayout(gridArea, 1);
    recordColumn->addWidget(navigator);
    recordColumn->addWidget(buildRecordBoxes());
    recordColumn->addWidget(m_hints->frame());

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(recordColumn, 1);
    layout->addWidget(buildCommands());

    declareHints();

    connect(m_search, &QLineEdit::returnPressed, this, &FormCompetition::search);
    connect(reset, &QPushButton::clicked, this, &FormCompetition::reset);
    connect(edit, &QPushButton::clicked, this, &FormCompetition::editWorkbook);
    connect(import, &QPushButton::clicked, this, &FormCompetition::importWorkbook);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &FormCompetition::followGrid);
    connect(m_data, &data::BoundView::rowsReloaded, this, &FormCompetition::showCurrentRow);
    connect(m_data, &data::BoundView::currentRowChanged, this, &FormCompetition::showCurrentRow);
    connect(navigator, &ui::RecordNavigator::moveFailed, this,
        [this](const QString& message) { platform::MessageBox::error(this, message); });
    connect(m_binder, &ui::FieldBinder::editRefused, this,
        [this](const QString&, const QString& message) {
            platform::MessageBox::error(this, message);
        });

    if (!m_data->openDatabase(QStringLiteral("CONTACT.mdb")))
        platform::MessageBox::error(this, m_data->lastError());
    else
        showAll();
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
    m_binder->bind(m_competitor, QStringLiteral("TEXT02"));
    m_binder->bind(m_product, QStringLiteral("TEXT01"));
    m_binder->bind(m_equivalent, QStringLiteral("TEXT03"));
    m_binder->bind(m_notes, QStringLiteral("MEMO01"));
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

    layout->addSpacing(12);
    layout->addWidget(m_document->heading());
    auto* documentRow = new QHBoxLayout;
    documentRow->addWidget(m_document->icon());
    documentRow->addWidget(m_document->button());
    layout->addLayout(documentRow);
    layout->addWidget(m_document->fileList());
    layout->addStretch();
    auto* manual = new ui::ManualLink(this);
    layout->addWidget(manual->button());
    return column;
}

void FormCompetition::declareHints()
{
    m_hints->setHint(m_document->button(), [this] {
        return m_document->button()->text() == u"&Add"
            ? QStringLiteral("Attach a document such as a specification to ") + productText()
            : QStringLiteral("Delete the document attached to ") + productText();
    });
    m_hints->setHint(m_document->icon(),
        [this] { return QStringLiteral("Open the document attached to ") + productText(); });
    m_hints->setHint(findChild<QPushButton*>(QStringLiteral("CommandExcel")),
        QStringLiteral("Send to MS-Excel."));
    m_hints->setHint(findChild<QPushButton*>(QStringLiteral("CommandImport")),
        QStringLiteral("Import competitor's information. Press F1 for help."));
    const QString boxes
        = QStringLiteral("Enter competitor's product information and your equivalents.");
    for (QWidget* box : { static_cast<QWidget*>(m_competitor), static_cast<QWidget*>(m_product),
             static_cast<QWidget*>(m_equivalent), static_cast<QWidget*>(m_notes) })
        m_hints->setHint(box, boxes);
    m_hints->setHint(findChild<QPushButton*>(QStringLiteral("CommandReset")),
        QStringLiteral("Reset your search to display all records."));
    m_hints->setHint(findChild<ui::RecordNavigator*>(QStringLiteral("Data1")),
        QStringLiteral("Navigate through your records."));
    m_hints->setHint(
        m_search, QStringLiteral("Enter text or partial text of a product and press 'Enter'."));
    m_hints->addBackground(m_boxes);
    m_hints->addBackground(findChild<QToolBar*>(QStringLiteral("Toolbar1")));
}

QString FormCompetition::productText() const
{
    return m_product->text();
}

bool FormCompetition::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && event->type() == QEvent::MouseButtonPress)
        m_search->clear();
    return QWidget::eventFilter(watched, event);
}

bool FormCompetition::reload(const QString& sql, const QVariantList& parameters)
{
    m_data->setRecordSource(sql, parameters);
    if (!m_data->refresh()) {
        platform::MessageBox::error(this, m_data->lastError());
        return false;
    }
    return true;
}

void FormCompetition::showAll()
{
    reload(allRecords);
}

void FormCompetition::search()
{
    const QString text = m_search->text();
    reload(searchRecords, { text, text });
}

void FormCompetition::reset()
{
    if (reload(allRecords))
        m_search->clear();
}

void FormCompetition::newRecord()
{
    if (!m_data->addNew())
        platform::MessageBox::error(this, m_data->lastError());
    m_product->setFocus(Qt::OtherFocusReason);
}

bool FormCompetition::rewriteSummaries()
{
    const data::SetBasedWork work(
        { { QStringLiteral("Updating the product summaries..."), summaryStatement(), {} } });
    QString error;
    if (!work.run(*m_data->database(), {}, &error)) {
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
    m_search->clear();
    if (rewriteSummaries() && !m_data->refresh())
        platform::MessageBox::error(this, m_data->lastError());
}

void FormCompetition::deleteRecord()
{
    if (!m_data->hasCurrentRow())
        return;
    const QString product = m_data->value(QStringLiteral("TEXT01")).toString();
    const auto answer = platform::MessageBox::show(this,
        QStringLiteral("Are you sure toy want to delete ") + product + QStringLiteral("?"),
        platform::MessageBox::Icon::Warning, platform::MessageBox::Yes | platform::MessageBox::No);
    if (answer != platform::MessageBox::Yes)
        return;
    if (!m_data->deleteCurrent()) {
        platform::MessageBox::error(this, m_data->lastError());
        return;
    }
    if (!m_data->refresh())
        platform::MessageBox::error(this, m_data->lastError());
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
    // No open view of the register may hold pending edits over the import.
    if (!m_data->close()) {
        platform::MessageBox::error(this, m_data->lastError());
        return;
    }
    ListImportResult result;
    {
        platform::BusyCursor busy;
        data::Database db;
        if (!data::openBusinessDatabase(db))
            result.error = db.lastError();
        else
            result = importList(competitionImport(), db);
    }
    if (result.outcome == ListImportResult::Outcome::Failed) {
        platform::MessageBox::show(this, importErrorMessage() + crlf + crlf + result.error,
            platform::MessageBox::Icon::Critical);
        // The screen comes back only with a successful import.
        QMetaObject::invokeMethod(
            qApp, [] { ui::Screens::close(QStringLiteral("FormCompetition")); },
            Qt::QueuedConnection);
        return;
    }
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
    if (!sendProductReport(*m_data->database(), report, &error))
        platform::MessageBox::show(this, error, platform::MessageBox::Icon::Critical);
}

void FormCompetition::followGrid(const QModelIndex& current)
{
    const int row = current.row();
    if (!current.isValid() || row == m_data->position())
        return;
    if (!m_data->moveTo(row)) {
        platform::MessageBox::error(this, m_data->lastError());
        showCurrentRow();
    }
}

void FormCompetition::showCurrentRow()
{
    const int row = m_data->position();
    if (row >= 0 && m_grid->currentIndex().row() != row)
        m_grid->setCurrentIndex(m_model->index(row, 0));
}

} // namespace vantrel::products
