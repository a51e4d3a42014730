#include "products/FormPriceList.h"

#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SetBasedWork.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "products/AttachedDocument.h"
#include "products/ProductReport.h"
#include "products/ProductTools.h"
#include "ui/FieldBinder.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/Screens.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace vantrel::products {

namespace {

const QString allRecords = QStringLiteral(
    "SELECT AUTONUMBER, TEXT01, TEXT03, TEXT02, TEXT04, MEMO01 FROM TABLE13 ORDER BY TEXT01");
// Literal and bound: the text is looked for in the product name as typed.
const QString searchRecords
    = QStringLiteral("SELECT AUTONUMBER, TEXT01, TEXT03, TEXT02, TEXT04, MEMO01 FROM TABLE13"
                     " WHERE contains(TEXT01, ?) ORDER BY TEXT01");
const QString crlf = QStringLiteral("\r\n");

QString importErrorMessage()
{
    // The price list shares the register's message, word for word.
    return QStringLiteral("There was an error importing competitor's information.") + crlf
        + QStringLiteral("This error could have been caused by the following:") + crlf + crlf
        + QStringLiteral("You changed the headers in the MS-Excel spreadsheet.") + crlf
        + QStringLiteral("You did not save the spreadsheet in MS-Excel 2000-2003 (.xls)format.")
        + crlf + QStringLiteral("You moved the speadsheet from its original location.");
}

} // namespace

ListImport FormPriceList::priceImport()
{
    ListImport list;
    list.workbookName = QStringLiteral("Prices");
    list.sheetName = QStringLiteral("PRICES");
    list.table = QStringLiteral("TABLE13");
    list.columns = { { QStringLiteral("PRODUCT"), QStringLiteral("TEXT01") },
        { QStringLiteral("CURRENCY"), QStringLiteral("TEXT03") },
        { QStringLiteral("PRICE"), QStringLiteral("TEXT02") },
        { QStringLiteral("NOTES"), QStringLiteral("MEMO01") } };
    list.followUps = { { priceRewriteStatement(), { QString(QLocale().decimalPoint()) } } };
    // The price workbook is the user's own list; it is read, never changed.
    list.clearWorkbook = false;
    return list;
}

QString FormPriceList::priceRewriteStatement()
{
    // A price is rewritten when it reads as a number with the decimal separator
    // of the user's settings (?1): digits, at most one separator, a sign only in
    // front. Anything else, "on request" say, stays as typed.
    const QString price = QStringLiteral("REPLACE(TRIM(TEXT02), ?1, '.')");
    return QStringLiteral("UPDATE TABLE13 SET TEXT02 = REPLACE(printf('%.2f', CAST(%1 AS REAL)), "
                          "'.', ?1) WHERE %1 <> '' AND %1 GLOB '*[0-9]*' AND %1 NOT GLOB "
                          "'*[^0-9.+-]*' AND %1 NOT GLOB '?*[+-]*' AND LENGTH(%1) - "
                          "LENGTH(REPLACE(%1, '.', '')) <= 1")
        .arg(price);
}

FormPriceList::FormPriceList(QWidget* parent)
    : QWidget(parent)
    , m_data(new data::BoundView(this))
    , m_model(new data::BoundViewModel(m_data, this))
    , m_binder(new ui::FieldBinder(m_data, this))
    , m_hints(new ui::HintLine(this))
    , m_grid(new QTableView(this))
    , m_search(new QLineEdit(QStringLiteral("Search For..."), this))
    , m_product(new QLineEdit(this))
    , m_price(new QLineEdit(this))
    , m_currency(new QLineEdit(this))
    , m_notes(new QPlainTextEdit(this))
    , m_import(new QPushButton(QStringLiteral("Import"), this))
    , m_filePanel(new QGroupBox(this))
    , m_document(new AttachedDocument(m_data, QStringLiteral("TEXT04"), this))
{
    setObjectName(QStringLiteral("FormPriceList"));
    setWindowTitle(QStringLiteral("Price List"));
    m_data->setObjectName(QStringLiteral("DataTABLE13"));
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_search->setObjectName(QStringLiteral("TextSearch"));
    m_product->setObjectName(QStringLiteral("TEXT01"));
    m_price->setObjectName(QStringLiteral("TEXT02"));
    m_price->setToolTip(QStringLiteral("Price"));
    m_currency->setObjectName(QStringLiteral("TEXT03"));
    m_currency->setToolTip(QStringLiteral("Currency"));
    m_notes->setObjectName(QStringLiteral("MEMO01"));
    m_import->setObjectName(QStringLiteral("CommandImport"));
    m_filePanel->setObjectName(QStringLiteral("Frame1"));

    m_model->setColumns({ { QStringLiteral("TEXT01"), QStringLiteral("PRODUCT") },
        { QStringLiteral("TEXT03"), QStringLiteral("CURRENCY") },
        { QStringLiteral("TEXT02"), QStringLiteral("PRICE PER UNIT") },
        { QStringLiteral("TEXT04"), QString() },
        { QStringLiteral("MEMO01"), QStringLiteral("NOTES") } });
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_search->installEventFilter(this);
    m_notes->installEventFilter(this);
    m_notes->setFixedHeight(80);

    auto* reset = new QPushButton(QStringLiteral("&Reset"), this);
    reset->setObjectName(QStringLiteral("CommandReset"));
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(reset);

    auto* boxes = new QWidget(this);
    auto* form = new QGridLayout(boxes);
    form->setContentsMargins(0, 0, 0, 0);
    form->addWidget(new QLabel(QStringLiteral("Product"), boxes), 0, 0);
    form->addWidget(m_product, 0, 1, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("Price per Unit"), boxes), 1, 0);
    form->addWidget(m_currency, 1, 1);
    form->addWidget(m_price, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("Notes"), boxes), 2, 0, Qt::AlignTop);
    form->addWidget(m_notes, 2, 1, 1, 3);
    form->setColumnStretch(3, 1);
    m_binder->bind(m_product, QStringLiteral("TEXT01"));
    m_binder->bind(m_price, QStringLiteral("TEXT02"));
    m_binder->bind(m_currency, QStringLiteral("TEXT03"));
    m_binder->bind(m_notes, QStringLiteral("MEMO01"));

    auto* recordColumn = new QVBoxLayout;
    recordColumn->addWidget(makeEditingToolBar(this));
    recordColumn->addLayout(searchRow);
    recordColumn->addWidget(m_grid, 1);
    recordColumn->addWidget(boxes);
    recordColumn->addWidget(m_hints->frame());

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(recordColumn, 1);
    layout->addWidget(buildCommands());

    declareHints();
    m_hints->addBackground(boxes);

    connect(m_search, &QLineEdit::returnPressed, this, &FormPriceList::search);
    connect(reset, &QPushButton::clicked, this, &FormPriceList::reset);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &FormPriceList::followGrid);
    connect(m_data, &data::BoundView::rowsReloaded, this, &FormPriceList::showCurrentRow);
    connect(m_data, &data::BoundView::currentRowChanged, this, &FormPriceList::showCurrentRow);
    connect(m_binder, &ui::FieldBinder::editRefused, this,
        [this](const QString&, const QString& message) {
            platform::MessageBox::error(this, message);
        });
    connect(m_document, &AttachedDocument::pickingChanged, m_filePanel, &QWidget::setVisible);

    if (!m_data->openDatabase(QStringLiteral("CONTACT.mdb"))
        || !m_data->setWriteTarget(QStringLiteral("TABLE13")))
        platform::MessageBox::error(this, m_data->lastError());
    else
        reload(allRecords);
    screenActivated();
}

QWidget* FormPriceList::buildCommands()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* newRecord = new QPushButton(QStringLiteral("New"), column);
    newRecord->setObjectName(QStringLiteral("CommandNew"));
    auto* remove = new QPushButton(QStringLiteral("Delete"), column);
    remove->setObjectName(QStringLiteral("CommandDelete"));
    auto* excel = new QPushButton(QStringLiteral("Send to Excel"), column);
    excel->setObjectName(QStringLiteral("CommandExcel"));
    for (QPushButton* button : { newRecord, remove, m_import, excel })
        layout->addWidget(button);
    connect(newRecord, &QPushButton::clicked, this, &FormPriceList::newRecord);
    connect(remove, &QPushButton::clicked, this,
        [] { ui::Screens::bringToFront(QStringLiteral("FormPriceListDelete")); });
    connect(m_import, &QPushButton::clicked, this, &FormPriceList::importWorkbook);
    connect(excel, &QPushButton::clicked, this, &FormPriceList::sendToSpreadsheet);

    layout->addSpacing(12);
    layout->addWidget(m_document->heading());
    auto* documentRow = new QHBoxLayout;
    documentRow->addWidget(m_document->icon());
    documentRow->addWidget(m_document->button());
    layout->addLayout(documentRow);
    auto* panelLayout = new QVBoxLayout(m_filePanel);
    panelLayout->addWidget(m_document->fileList());
    m_document->fileList()->setVisible(true);
    m_filePanel->hide();
    layout->addWidget(m_filePanel);
    layout->addStretch();
    auto* manual = new ui::ManualLink(this);
    layout->addWidget(manual->button());
    return column;
}

void FormPriceList::declareHints()
{
    m_hints->setHint(m_document->button(), [this] {
        return m_document->button()->text() == u"&Add"
            ? QStringLiteral("Attach a document such as a specification to ") + productText()
            : QStringLiteral("Delete the document attached to ") + productText();
    });
    m_hints->setHint(m_document->fileList(),
        [this] { return QStringLiteral("Select the document to attach to ") + productText(); });
    m_hints->setHint(m_document->icon(),
        [this] { return QStringLiteral("Open the document attached to ") + productText(); });
    m_hints->setHint(m_import, QStringLiteral("Import price list. Press F1 for help."));
    m_hints->setHint(
        findChild<QPushButton*>(QStringLiteral("CommandNew")), QStringLiteral("Add new Record."));
    m_hints->setHint(findChild<QPushButton*>(QStringLiteral("CommandDelete")),
        QStringLiteral(
            "Delete. Allows you the option to delete this record or to delete all records."));
    m_hints->setHint(findChild<QPushButton*>(QStringLiteral("CommandExcel")),
        QStringLiteral("Send to MS-Excel."));
    m_hints->setHint(m_notes,
        QStringLiteral("Enter any notes such as description, size or special features related to "
                       "the product."));
    m_hints->setHint(
        m_search, QStringLiteral("Enter text or partial text of a product and press 'Enter'."));
}

QString FormPriceList::productText() const
{
    return m_product->text();
}

bool FormPriceList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && event->type() == QEvent::MouseButtonPress)
        m_search->clear();
    if (watched == m_notes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QApplication::beep();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormPriceList::screenActivated()
{
    if (m_data->rowCount() > 1)
        m_import->hide();
}

bool FormPriceList::reload(const QString& sql, const QVariantList& parameters)
{
    m_sql = sql;
    m_parameters = parameters;
    m_data->setRecordSource(sql, parameters);
    if (!m_data->refresh()) {
        platform::MessageBox::error(this, m_data->lastError());
        return false;
    }
    return true;
}

void FormPriceList::search()
{
    reload(searchRecords, { m_search->text() });
}

void FormPriceList::reset()
{
    if (reload(allRecords))
        m_search->clear();
}

void FormPriceList::newRecord()
{
    if (!m_data->addNew())
        platform::MessageBox::error(this, m_data->lastError());
    m_product->setFocus(Qt::OtherFocusReason);
}

bool FormPriceList::deleteCurrentRecord(QString* error)
{
    if (!m_data->hasCurrentRow())
        return true;
    if (!m_data->deleteCurrent() || !m_data->refresh()) {
        *error = m_data->lastError();
        return false;
    }
    return true;
}

bool FormPriceList::deleteShownRecords(QString* error)
{
    // What the list shows now, pending edits stored first, is what goes: the
    // search's rows during a search, else the whole list.
    if (!m_data->refresh()) {
        *error = m_data->lastError();
        return false;
    }
    const bool searching = m_sql == searchRecords;
    const data::SetBasedWork work({ { QStringLiteral("Deleting the price list..."),
        searching ? QStringLiteral("DELETE FROM TABLE13 WHERE contains(TEXT01, ?)")
                  : QStringLiteral("DELETE FROM TABLE13"),
        searching ? m_parameters : QVariantList() } });
    if (!work.run(*m_data->database(), {}, error))
        return false;
    m_import->show();
    if (!m_data->refresh()) {
        *error = m_data->lastError();
        return false;
    }
    return true;
}

void FormPriceList::importWorkbook()
{
    const QString path = QDir(data::programFolder()).filePath(listWorkbookPath(priceImport()));
    if (!platform::MessageBox::question(this,
            QStringLiteral("Do you want to import the spreadsheet ")
                + QDir::toNativeSeparators(path)
                + QStringLiteral(" ? Please note that you can only do this once, unless you first "
                                 "delete all records."),
            platform::MessageBox::Yes))
        return;
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
            result = importList(priceImport(), db);
    }
    if (result.outcome == ListImportResult::Outcome::Failed) {
        platform::MessageBox::show(this, importErrorMessage() + crlf + crlf + result.error,
            platform::MessageBox::Icon::Critical);
        QMetaObject::invokeMethod(
            qApp, [] { ui::Screens::close(QStringLiteral("FormPriceList")); },
            Qt::QueuedConnection);
        return;
    }
    reset();
}

void FormPriceList::sendToSpreadsheet()
{
    ProductReport report;
    report.caption = QStringLiteral("Price List");
    report.sql = QStringLiteral("SELECT TABLE13.TEXT01 AS PRODUCT, TABLE13.TEXT03 AS CURRENCY, "
                                "TABLE13.TEXT02 AS PRICE, TABLE13.MEMO01 AS NOTES FROM TABLE13 "
                                "ORDER BY TABLE13.TEXT01");
    report.wrapText = true;
    report.columnFormats
        = { { 1, QString(), 10.86, false }, { 2, QStringLiteral("0.00"), 0, true } };
    QString error;
    platform::BusyCursor busy;
    if (!sendProductReport(*m_data->database(), report, &error))
        platform::MessageBox::show(this, error, platform::MessageBox::Icon::Critical);
}

void FormPriceList::followGrid(const QModelIndex& current)
{
    const int row = current.row();
    if (!current.isValid() || row == m_data->position())
        return;
    if (!m_data->moveTo(row)) {
        platform::MessageBox::error(this, m_data->lastError());
        showCurrentRow();
    }
}

void FormPriceList::showCurrentRow()
{
    const int row = m_data->position();
    if (row >= 0 && m_grid->currentIndex().row() != row)
        m_grid->setCurrentIndex(m_model->index(row, 0));
}

} // namespace vantrel::products
