#include "products/FormCompetitors.h"

#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "platform/MessageBox.h"
#include "products/ProductTools.h"
#include "ui/CompanyAccess.h"
#include "ui/FieldBinder.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/PrinterProvider.h"
#include "ui/Screens.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace vantrel::products {

namespace {

QStringList texts(data::Database& db, const QString& sql)
{
    data::QueryResult result;
    QStringList values;
    if (!db.query(sql, {}, &result))
        return values;
    for (const QVariantList& row : std::as_const(result.rows)) {
        const QString text = row.value(0).toString();
        if (!text.isEmpty())
            values.append(text);
    }
    return values;
}

void refill(QComboBox* combo, const QStringList& items)
{
    if (combo->count() == items.size()) {
        bool same = true;
        for (int i = 0; same && i < items.size(); ++i)
            same = combo->itemText(i) == items.at(i);
        if (same)
            return;
    }
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(items);
    combo->setEditText(text);
}

} // namespace

FormCompetitors::FormCompetitors(QWidget* parent)
    : QWidget(parent)
    , m_data(new data::BoundView(this))
    , m_model(new data::BoundViewModel(m_data, this))
    , m_binder(new ui::FieldBinder(m_data, this))
    , m_hints(new ui::HintLine(this))
    , m_grid(new QTableView(this))
    , m_panel(new QGroupBox(this))
    , m_group(new QComboBox(m_panel))
    , m_product(new QComboBox(m_panel))
    , m_units(new QLineEdit(m_panel))
    , m_cost(new QLineEdit(m_panel))
    , m_currency(new QComboBox(m_panel))
    , m_new(new QPushButton(QStringLiteral("New"), this))
    , m_edit(new QPushButton(QStringLiteral("Edit"), this))
    , m_save(new QPushButton(QStringLiteral("Save Changes"), this))
{
    setObjectName(QStringLiteral("FormCompetitors"));
    setWindowTitle(QStringLiteral("Competition"));
    m_data->setObjectName(QStringLiteral("DataTABLE10"));
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_panel->setObjectName(QStringLiteral("Frame1"));
    m_group->setObjectName(QStringLiteral("DBComboProductGroup"));
    m_product->setObjectName(QStringLiteral("DBComboProduct"));
    m_units->setObjectName(QStringLiteral("NUMBER02"));
    m_cost->setObjectName(QStringLiteral("TEXT04"));
    m_currency->setObjectName(QStringLiteral("ComboCurrency"));
    m_new->setObjectName(QStringLiteral("CommandNew"));
    m_edit->setObjectName(QStringLiteral("CommandEdit"));
    m_save->setObjectName(QStringLiteral("CommandSave"));
    auto* printButton = new QPushButton(QStringLiteral("Print"), this);
    printButton->setObjectName(QStringLiteral("CommandPrint"));

    m_model->setColumns({ { QStringLiteral("DATE01"), QStringLiteral("Date Edited") },
        { QStringLiteral("TEXT02"), QStringLiteral("Product Group") },
        { QStringLiteral("TEXT03"), QStringLiteral("Product") },
        { QStringLiteral("NUMBER02"), QStringLiteral("Units / Annum") },
        { QStringLiteral("TEXT04"), QStringLiteral("Cost / Unit") } });
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    for (QComboBox* combo : { m_group, m_product }) {
        combo->setEditable(true);
        combo->setMinimumWidth(320);
    }
    m_currency->addItems({ QStringLiteral("$"), QStringLiteral("\u20ac"), QStringLiteral("\u00a3"),
        QStringLiteral("\u00a5"), QStringLiteral("R") });
    m_currency->setPlaceholderText(QStringLiteral("Currency"));
    m_currency->setCurrentIndex(-1);

    auto* fields = new QGridLayout(m_panel);
    const std::pair<const char*, QWidget*> rows[] = { { "Product Group", m_group },
        { "Product", m_product }, { "Units / Annum", m_units }, { "Cost / Unit", m_cost } };
    int row = 0;
    for (const auto& [caption, box] : rows) {
        auto* label = new QLabel(QLatin1String(caption), m_panel);
        label->setBuddy(box);
        fields->addWidget(label, row, 0);
        fields->addWidget(box, row, 1);
        ++row;
    }
    fields->addWidget(m_currency, row - 1, 2);
    fields->setColumnStretch(3, 1);
    fields->setRowStretch(row, 1);
    m_panel->hide();
    m_save->hide();

    m_binder->bind(m_group, QStringLiteral("TEXT02"));
    m_binder->bind(m_product, QStringLiteral("TEXT03"));
    m_binder->bind(m_units, QStringLiteral("NUMBER02"));
    m_binder->bind(m_cost, QStringLiteral("TEXT04"));

    auto* manual = new ui::ManualLink(this);
    auto* commands = new QGridLayout;
    commands->addWidget(m_new, 0, 0);
    // Save Changes takes the place of Edit.
    commands->addWidget(m_edit, 0, 1);
    commands->addWidget(m_save, 0, 1);
    commands->addWidget(printButton, 0, 2);
    commands->setColumnStretch(3, 1);
    commands->addWidget(manual->button(), 0, 4);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeEditingToolBar(this));
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_panel, 1);
    layout->addLayout(commands);
    layout->addWidget(m_hints->frame());

    declareHints();

    connect(m_new, &QPushButton::clicked, this, &FormCompetitors::newRecord);
    connect(m_edit, &QPushButton::clicked, this, &FormCompetitors::edit);
    connect(m_save, &QPushButton::clicked, this, &FormCompetitors::saveChanges);
    connect(printButton, &QPushButton::clicked, this, &FormCompetitors::print);
    connect(m_currency, &QComboBox::activated, this, &FormCompetitors::chooseCurrency);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &FormCompetitors::followGrid);
    connect(m_data, &data::BoundView::rowsReloaded, this, &FormCompetitors::showCurrentRow);
    connect(m_data, &data::BoundView::currentRowChanged, this, &FormCompetitors::showCurrentRow);
    connect(m_binder, &ui::FieldBinder::editRefused, this,
        [this](const QString&, const QString& message) { showError(message); });

    if (!m_data->openDatabase(QStringLiteral("CONTACT.mdb")))
        showError(m_data->lastError());
    // Until the tree names a company the screen shows none.
    m_data->setRecordSource(QStringLiteral("SELECT * FROM TABLE10 WHERE 0 = 1"));
    m_data->refresh();
    loadLists();
}

void FormCompetitors::declareHints()
{
    m_hints->setHint(
        m_edit, QStringLiteral("Select the row to be edited and then click on 'Edit'."));
    m_hints->setHint(m_product,
        QStringLiteral("Select a product or start typing until the correct product is displayed."));
    m_hints->setHint(m_group,
        QStringLiteral("Select a product group or start typing until the correct product group "
                       "is displayed."));
    m_hints->setHint(m_units, QStringLiteral("Enter a quantity."));
    m_hints->setHint(m_cost, QStringLiteral("Enter a selling price."));
    m_hints->addBackground(m_panel);
}

bool FormCompetitors::showRecords(const ui::RecordQuery& query, QString* error)
{
    leave();
    m_data->setRecordSource(query.sql, query.parameters);
    if (!m_data->setWriteTarget(QStringLiteral("TABLE10")) || !m_data->refresh()) {
        *error = m_data->lastError();
        return false;
    }
    loadLists();
    return true;
}

bool FormCompetitors::isEntering() const
{
    return !m_panel->isHidden();
}

void FormCompetitors::loadLists()
{
    if (!m_data->database())
        return;
    data::Database& db = *m_data->database();
    refill(m_group, texts(db, QStringLiteral("SELECT TEXT01 FROM MT04 ORDER BY TEXT01")));
    refill(m_product, texts(db, QStringLiteral("SELECT TEXT04 FROM TABLE11 ORDER BY TEXT04")));
}

void FormCompetitors::enter(QWidget* focus)
{
    loadLists();
    m_binder->reload();
    m_grid->hide();
    m_panel->show();
    focus->setFocus(Qt::OtherFocusReason);
}

void FormCompetitors::leave()
{
    m_panel->hide();
    m_grid->show();
    m_save->hide();
    m_edit->show();
}

void FormCompetitors::newRecord()
{
    auto* company = ui::Screens::instance<ui::CompanyAccess>(QStringLiteral("FormCompanies"));
    const QVariant key = company ? company->companyKey() : QVariant();
    if (!key.isValid()) {
        showError(QStringLiteral("There is no current company to record a product for."));
        return;
    }
    if (!m_data->addNew() || !m_data->setValue(QStringLiteral("NUMBER01"), key)
        || !m_data->setValue(QStringLiteral("DATE01"), data::Clock::today())) {
        showError(m_data->lastError());
        return;
    }
    enter(m_group);
}

void FormCompetitors::edit()
{
    if (!m_data->hasCurrentRow())
        return;
    if (!m_data->setValue(QStringLiteral("DATE01"), data::Clock::today())) {
        showError(m_data->lastError());
        return;
    }
    enter(m_units);
    m_edit->hide();
    m_save->show();
}

void FormCompetitors::saveChanges()
{
    if (!m_data->refresh()) {
        showError(m_data->lastError());
        return;
    }
    leave();
}

void FormCompetitors::chooseCurrency(int index)
{
    const QString symbol = m_currency->itemText(index);
    m_currency->setCurrentIndex(-1);
    if (index < 0 || !m_data->hasCurrentRow())
        return;
    const QString cost = m_cost->text();
    // The symbol goes in front each time; a symbol already there stays. The
    // record takes the text, and the box shows it from there.
    if (!m_data->setValue(QStringLiteral("TEXT04"), symbol + QLatin1Char(' ') + cost)) {
        showError(m_data->lastError());
        return;
    }
    m_cost->setText(symbol + QLatin1Char(' ') + cost);
    if (cost.isEmpty()) {
        m_cost->setFocus(Qt::OtherFocusReason);
        m_cost->setCursorPosition(int(symbol.size()) + 1);
    }
}

void FormCompetitors::print()
{
    QString error;
    std::unique_ptr<QPrinter> printer = ui::PrinterProvider::instance().printer(&error);
    if (!printer) {
        showError(error);
        return;
    }
    printer->setPageOrientation(QPageLayout::Landscape);
    const QPixmap image = grab();
    QPainter painter;
    if (!painter.begin(printer.get())) {
        showError(QStringLiteral("The printer could not start printing."));
        return;
    }
    const QRect page = painter.viewport();
    painter.drawPixmap(
        QRect(QPoint(0, 0), image.size().scaled(page.size(), Qt::KeepAspectRatio)), image);
    painter.end();
}

void FormCompetitors::followGrid(const QModelIndex& current)
{
    const int row = current.row();
    if (!current.isValid() || row == m_data->position())
        return;
    if (!m_data->moveTo(row)) {
        showError(m_data->lastError());
        showCurrentRow();
    }
}

void FormCompetitors::showCurrentRow()
{
    const int row = m_data->position();
    if (row >= 0 && m_grid->currentIndex().row() != row)
        m_grid->setCurrentIndex(m_model->index(row, 0));
}

void FormCompetitors::showError(const QString& message)
{
    platform::MessageBox::error(this, message);
}

} // namespace vantrel::products
