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
    : ProductListScreen(allRecords, QStringLiteral("TEXT04"), parent)
    , m_product(new QLineEdit(this))
    , m_price(new QLineEdit(this))
    , m_currency(new QLineEdit(this))
    , m_notes(new QPlainTextEdit(this))
    , m_import(new QPushButton(QStringLiteral("Import"), this))
    , m_filePanel(new QGroupBox(this))
{
    setObjectName(QStringLiteral("FormPriceList"));
    setWindowTitle(QStringLiteral("Price List"));
    records()->setObjectName(QStringLiteral("DataTABLE13"));
    m_product->setObjectName(QStringLiteral("TEXT01"));
    m_price->setObjectName(QStringLiteral("TEXT02"));
    m_price->setToolTip(QStringLiteral("Price"));
    m_currency->setObjectName(QStringLiteral("TEXT03"));
    m_currency->setToolTip(QStringLiteral("Currency"));
    m_notes->setObjectName(QStringLiteral("MEMO01"));
    m_import->setObjectName(QStringLiteral("CommandImport"));
    m_filePanel->setObjectName(QStringLiteral("Frame1"));
    setProductBox(m_product);

    model()->setColumns({ { QStringLiteral("TEXT01"), QStringLiteral("PRODUCT") },
        { QStringLiteral("TEXT03"), QStringLiteral("CURRENCY") },
        { QStringLiteral("TEXT02"), QStringLiteral("PRICE PER UNIT") },
        { QStringLiteral("TEXT04"), QString() },
        { QStringLiteral("MEMO01"), QStringLiteral("NOTES") } });
    m_notes->installEventFilter(this);
    m_notes->setFixedHeight(80);

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
    binder()->bind(m_product, QStringLiteral("TEXT01"));
    binder()->bind(m_price, QStringLiteral("TEXT02"));
    binder()->bind(m_currency, QStringLiteral("TEXT03"));
    binder()->bind(m_notes, QStringLiteral("MEMO01"));

    auto* recordColumn = new QVBoxLayout;
    recordColumn->addWidget(makeEditingToolBar(this));
    recordColumn->addLayout(makeSearchRow());
    recordColumn->addWidget(grid(), 1);
    recordColumn->addWidget(boxes);
    recordColumn->addWidget(hints()->frame());

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(recordColumn, 1);
    layout->addWidget(buildCommands());

    declareHints();
    hints()->addBackground(boxes);

    connect(document(), &AttachedDocument::pickingChanged, m_filePanel, &QWidget::setVisible);

    if (!records()->openDatabase(QStringLiteral("CONTACT.mdb"))
        || !records()->setWriteTarget(QStringLiteral("TABLE13")))
        platform::MessageBox::error(this, records()->lastError());
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

    addDocumentCommands(layout, m_filePanel);
    document()->fileList()->setVisible(true);
    m_filePanel->hide();
    return column;
}

void FormPriceList::declareHints()
{
    declareDocumentHints();
    hints()->setHint(document()->fileList(),
        [this] { return QStringLiteral("Select the document to attach to ") + m_product->text(); });
    hints()->setHint(m_import, QStringLiteral("Import price list. Press F1 for help."));
    hints()->setHint(
        findChild<QPushButton*>(QStringLiteral("CommandNew")), QStringLiteral("Add new Record."));
    hints()->setHint(findChild<QPushButton*>(QStringLiteral("CommandDelete")),
        QStringLiteral(
            "Delete. Allows you the option to delete this record or to delete all records."));
    hints()->setHint(findChild<QPushButton*>(QStringLiteral("CommandExcel")),
        QStringLiteral("Send to MS-Excel."));
    hints()->setHint(m_notes,
        QStringLiteral("Enter any notes such as description, size or special features related to "
                       "the product."));
    hints()->setHint(
        searchBox(), QStringLiteral("Enter text or partial text of a product and press 'Enter'."));
}

bool FormPriceList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_notes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QApplication::beep();
            return true;
        }
    }
    return ProductListScreen::eventFilter(watched, event);
}

void FormPriceList::screenActivated()
{
    if (records()->rowCount() > 1)
        m_import->hide();
}

void FormPriceList::search()
{
    reload(searchRecords, { searchBox()->text() });
}

bool FormPriceList::deleteCurrentRecord(QString* error)
{
    if (!records()->hasCurrentRow())
        return true;
    if (!records()->deleteCurrent() || !records()->refresh()) {
        *error = records()->lastError();
        return false;
    }
    return true;
}

bool FormPriceList::deleteShownRecords(QString* error)
{
    // What the list shows now, pending edits stored first, is what goes: the
    // search's rows during a search, else the whole list.
    if (!records()->refresh()) {
        *error = records()->lastError();
        return false;
    }
    const bool searching = shownQuery() == searchRecords;
    const data::SetBasedWork work({ { QStringLiteral("Deleting the price list..."),
        searching ? QStringLiteral("DELETE FROM TABLE13 WHERE contains(TEXT01, ?)")
                  : QStringLiteral("DELETE FROM TABLE13"),
        searching ? shownParameters() : QVariantList() } });
    if (!work.run(*records()->database(), {}, error))
        return false;
    m_import->show();
    if (!records()->refresh()) {
        *error = records()->lastError();
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
    if (importWorkbookInto(priceImport()).outcome == ListImportResult::Outcome::Failed)
        return;
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
    if (!sendProductReport(*records()->database(), report, &error))
        platform::MessageBox::show(this, error, platform::MessageBox::Icon::Critical);
}

} // namespace vantrel::products
