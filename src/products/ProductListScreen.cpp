#include "products/ProductListScreen.h"

#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "products/AttachedDocument.h"
#include "ui/FieldBinder.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/Screens.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace vantrel::products {

namespace {

const QString crlf = QStringLiteral("\r\n");

// Both lists say a failed import in the register's words.
QString importErrorMessage()
{
    return QStringLiteral("There was an error importing competitor's information.") + crlf
        + QStringLiteral("This error could have been caused by the following:") + crlf + crlf
        + QStringLiteral("You changed the headers in the MS-Excel spreadsheet.") + crlf
        + QStringLiteral("You did not save the spreadsheet in MS-Excel 2000-2003 (.xls)format.")
        + crlf + QStringLiteral("You moved the speadsheet from its original location.");
}

} // namespace

ProductListScreen::ProductListScreen(
    const QString& allRecords, const QString& documentField, QWidget* parent)
    : QWidget(parent)
    , m_allRecords(allRecords)
    , m_data(new data::BoundView(this))
    , m_model(new data::BoundViewModel(m_data, this))
    , m_binder(new ui::FieldBinder(m_data, this))
    , m_hints(new ui::HintLine(this))
    , m_grid(new QTableView(this))
    , m_search(new QLineEdit(QStringLiteral("Search For..."), this))
    , m_document(new AttachedDocument(m_data, documentField, this))
{
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_search->setObjectName(QStringLiteral("TextSearch"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_search->installEventFilter(this);

    connect(m_search, &QLineEdit::returnPressed, this, &ProductListScreen::search);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &ProductListScreen::followGrid);
    connect(m_data, &data::BoundView::rowsReloaded, this, &ProductListScreen::showCurrentRow);
    connect(m_data, &data::BoundView::currentRowChanged, this, &ProductListScreen::showCurrentRow);
    connect(m_binder, &ui::FieldBinder::editRefused, this,
        [this](const QString&, const QString& message) {
            platform::MessageBox::error(this, message);
        });
}

QHBoxLayout* ProductListScreen::makeSearchRow()
{
    auto* reset = new QPushButton(QStringLiteral("&Reset"), this);
    reset->setObjectName(QStringLiteral("CommandReset"));
    connect(reset, &QPushButton::clicked, this, &ProductListScreen::reset);
    auto* row = new QHBoxLayout;
    row->addWidget(m_search, 1);
    row->addWidget(reset);
    return row;
}

void ProductListScreen::addDocumentCommands(QVBoxLayout* column, QWidget* fileListHolder)
{
    column->addSpacing(12);
    column->addWidget(m_document->heading());
    auto* documentRow = new QHBoxLayout;
    documentRow->addWidget(m_document->icon());
    documentRow->addWidget(m_document->button());
    column->addLayout(documentRow);
    if (fileListHolder) {
        auto* holderLayout = new QVBoxLayout(fileListHolder);
        holderLayout->addWidget(m_document->fileList());
        column->addWidget(fileListHolder);
    }
    else {
        column->addWidget(m_document->fileList());
    }
    column->addStretch();
    auto* manual = new ui::ManualLink(this);
    column->addWidget(manual->button());
}

void ProductListScreen::declareDocumentHints()
{
    const auto productText = [this] { return m_product ? m_product->text() : QString(); };
    m_hints->setHint(m_document->button(), [this, productText] {
        return m_document->button()->text() == u"&Add"
            ? QStringLiteral("Attach a document such as a data sheet to ") + productText()
            : QStringLiteral("Delete the document attached to ") + productText();
    });
    m_hints->setHint(m_document->icon(),
        [productText] { return QStringLiteral("Open the document attached to ") + productText(); });
}

bool ProductListScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && event->type() == QEvent::MouseButtonPress)
        m_search->clear();
    return QWidget::eventFilter(watched, event);
}

bool ProductListScreen::reload(const QString& sql, const QVariantList& parameters)
{
    m_shownQuery = sql;
    m_shownParameters = parameters;
    m_data->setRecordSource(sql, parameters);
    if (!m_data->refresh()) {
        platform::MessageBox::error(this, m_data->lastError());
        return false;
    }
    return true;
}

void ProductListScreen::reset()
{
    if (reload(m_allRecords))
        m_search->clear();
}

void ProductListScreen::newRecord()
{
    if (!m_data->addNew())
        platform::MessageBox::error(this, m_data->lastError());
    if (m_product)
        m_product->setFocus(Qt::OtherFocusReason);
}

ListImportResult ProductListScreen::importWorkbookInto(const ListImport& list)
{
    ListImportResult result;
    // No open view of the list may hold pending edits over the import.
    if (!m_data->close()) {
        result.error = m_data->lastError();
        platform::MessageBox::error(this, result.error);
        return result;
    }
    {
        platform::BusyCursor busy;
        data::Database db;
        if (!data::openBusinessDatabase(db))
            result.error = db.lastError();
        else
            result = importList(list, db);
    }
    if (result.outcome == ListImportResult::Outcome::Failed) {
        platform::MessageBox::show(this, importErrorMessage() + crlf + crlf + result.error,
            platform::MessageBox::Icon::Critical);
        const QString screen = objectName();
        QMetaObject::invokeMethod(
            qApp, [screen] { ui::Screens::close(screen); }, Qt::QueuedConnection);
    }
    return result;
}

void ProductListScreen::followGrid(const QModelIndex& current)
{
    const int row = current.row();
    if (!current.isValid() || row == m_data->position())
        return;
    if (!m_data->moveTo(row)) {
        platform::MessageBox::error(this, m_data->lastError());
        showCurrentRow();
    }
}

void ProductListScreen::showCurrentRow()
{
    const int row = m_data->position();
    if (row >= 0 && m_grid->currentIndex().row() != row)
        m_grid->setCurrentIndex(m_model->index(row, 0));
}

} // namespace vantrel::products
