#include "mastertables/FormMastertables.h"

#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "platform/MessageBox.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vantrel::mastertables {

namespace {

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

const FormMastertables::MasterTable FormMastertables::masterTables[] = {
    { "CommandRegion", "Region", "MT08", "Enter regions where companies are located." },
    { "CommandBranch", "Branch", "MT01", "Enter your branches if applicable." },
    { "CommandDivision", "Division", "MT03", "Enter divisions in your company if applicable." },
    { "CommandSalesperson", "Sales Person", "MT12",
        "Enter all sales people in your organization." },
    { "CommandManager", "Manager", "MT13",
        "If applicable, enter all sales managers in your organization." },
    { "CommandIndustry", "Industry Group", "MT04",
        "Enter industry groups e.g. 'Construction' or 'Adhesives' if applicable." },
    { "CommandOccupation", "Occupation", "MT05",
        "Enter generic name of functions or occupations assigned to contacts, e.g. Accounting, "
        "Technical, Purchasing etc." },
    { "CommandTitle", "Title", "MT09",
        "Enter titles assigned to your contacts e.g. Mr., Mrs. , Dr. etc." },
    { "CommandTypeofContact", "Type of Company", "MT10",
        "Enter what type of companies you deal with e.g. Customer, Supplier, Prospect etc." },
    { "CommandCategory", "Category", "MT02",
        "Assign categories according to importance e.g.  A, B and C." },
    { "CommandProjects", "Projects", "MT06",
        "Enter project name like the generic name of your product group." },
};

FormMastertables::FormMastertables(QWidget* parent)
    : QWidget(parent)
    , m_data(new data::BoundView(this))
    , m_model(new data::BoundViewModel(m_data, this))
    , m_grid(new QTableView(this))
    , m_hints(new ui::HintLine(this))
    , m_edit(new QPushButton(QStringLiteral("Edit"), this))
    , m_save(new QPushButton(QStringLiteral("Save Changes"), this))
    , m_delete(new QPushButton(QStringLiteral("Delete"), this))
    , m_replaceSalesPerson(new QPushButton(QStringLiteral("Replace Sales Person"), this))
    , m_replaceManager(new QPushButton(QStringLiteral("Replace Sales Manager"), this))
{
    setObjectName(QStringLiteral("FormMastertables"));
    setWindowTitle(QStringLiteral("Mastertables"));
    m_data->setObjectName(QStringLiteral("Data1"));
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_edit->setObjectName(QStringLiteral("CommandEdit"));
    m_save->setObjectName(QStringLiteral("CommandSave"));
    m_delete->setObjectName(QStringLiteral("CommandDelete"));
    m_replaceSalesPerson->setObjectName(QStringLiteral("CommandReplaceSP"));
    m_replaceManager->setObjectName(QStringLiteral("CommandReplaceSM"));
    auto* manual = new ui::ManualLink(this);

    m_grid->setModel(m_model);
    m_grid->setEnabled(false);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    const int gridWidth = ui::twipsToPixelsX(5000, this);
    m_grid->horizontalHeader()->setDefaultSectionSize(gridWidth);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setFixedWidth(gridWidth);
    m_hints->frame()->setFixedWidth(gridWidth);
    m_hints->frame()->setMinimumHeight(90);
    m_save->hide();
    m_delete->setEnabled(false);
    m_replaceSalesPerson->hide();
    m_replaceManager->hide();

    auto* commands = new QGridLayout;
    // The save button takes the place of the edit button, the managers' replace
    // button that of the sales people's; whichever was shown last lies on top.
    commands->addWidget(m_edit, 0, 0);
    commands->addWidget(m_save, 0, 0);
    commands->addWidget(m_delete, 1, 0);
    commands->addWidget(m_replaceSalesPerson, 2, 0);
    commands->addWidget(m_replaceManager, 2, 0);
    commands->setRowStretch(3, 1);
    commands->addWidget(manual->button(), 4, 0);

    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(m_grid, 1);
    gridColumn->addWidget(m_hints->frame());

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildOptions(), 0, Qt::AlignTop);
    layout->addLayout(gridColumn);
    layout->addLayout(commands);
    layout->addStretch();

    declareHints();

    connect(m_edit, &QPushButton::clicked, this, &FormMastertables::edit);
    connect(m_save, &QPushButton::clicked, this, &FormMastertables::saveChanges);
    connect(m_delete, &QPushButton::clicked, this, &FormMastertables::deleteEntry);
    connect(m_replaceSalesPerson, &QPushButton::clicked, this,
        [this] { replacePerson(FormFindandReplace::PersonList::SalesPeople); });
    connect(m_replaceManager, &QPushButton::clicked, this,
        [this] { replacePerson(FormFindandReplace::PersonList::SalesManagers); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &FormMastertables::followGrid);
    connect(m_data, &data::BoundView::rowsReloaded, this, &FormMastertables::showCurrentRow);
    connect(m_model, &data::BoundViewModel::editFailed, this,
        [this](const QString& message) { platform::MessageBox::error(this, message); });
    connect(m_hints, &ui::HintLine::backgroundHovered, this, &FormMastertables::showBackgroundHint);
}

QWidget* FormMastertables::buildOptions()
{
    auto* frame = new QGroupBox(QStringLiteral("Options"), this);
    frame->setObjectName(QStringLiteral("FrameOptions"));
    auto* layout = new QVBoxLayout(frame);
    for (const MasterTable& table : masterTables) {
        auto* button = new QPushButton(latin(table.label), frame);
        button->setObjectName(latin(table.button));
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, &table] { showTable(table); });
    }
    findChild<QPushButton*>(QStringLiteral("CommandDivision"))
        ->setToolTip(QStringLiteral("Enter division in your company if applicable"));
    m_hints->addBackground(frame);
    return frame;
}

void FormMastertables::declareHints()
{
    for (const MasterTable& table : masterTables)
        m_hints->setHint(findChild<QPushButton*>(latin(table.button)), latin(table.hint));
    m_hints->setHint(m_edit, QStringLiteral("Edit your mastertables."));
    m_hints->setHint(m_delete, QStringLiteral("Delete the selected record."));
    m_hints->setHint(m_replaceManager, QStringLiteral("Replace a sales manager."));
    m_hints->setHint(m_replaceSalesPerson, QStringLiteral("Replace a sales person."));
    m_hints->setHint(
        findChild<QPushButton*>(QStringLiteral("CommandHelp")), QStringLiteral("Vantrel Help."));
}

void FormMastertables::showBackgroundHint()
{
    // Here the background explains the screen rather than hiding the hint.
    m_hints->label()->setText(
        QStringLiteral("For detailed information on setting up your mastertables, press F1."));
    m_hints->frame()->show();
}

void FormMastertables::showTable(const MasterTable& table)
{
    const QString name = latin(table.table);
    if (!m_data->database() && !m_data->openDatabase(QStringLiteral("CONTACT.mdb"))) {
        showError();
        return;
    }
    m_model->setColumns({ { QStringLiteral("TEXT01"), latin(table.label) } });
    // The key comes along so that edits in the grid find their row.
    m_data->setRecordSource(
        QStringLiteral("SELECT %1.TEXT01, %1.AUTONUMBER FROM %1 ORDER BY %1.TEXT01").arg(name));
    m_table = name;
    if (!m_data->refresh())
        showError();
    if (name == u"MT12") {
        m_replaceSalesPerson->show();
        m_replaceSalesPerson->raise();
    }
    else if (name == u"MT13") {
        m_replaceManager->show();
        m_replaceManager->raise();
    }
    else {
        m_replaceSalesPerson->hide();
        m_replaceManager->hide();
    }
}

void FormMastertables::edit()
{
    m_grid->setEnabled(true);
    m_model->setEditable(true);
    m_model->setAllowAddNew(true);
    m_delete->setEnabled(true);
    m_save->show();
    m_save->raise();
    showCurrentRow();
}

void FormMastertables::saveChanges()
{
    if (!m_table.isEmpty() && !m_data->refresh()) {
        showError();
        return;
    }
    m_save->hide();
}

void FormMastertables::deleteEntry()
{
    // The new-row line may be selected while the view still stands on another row.
    if (!m_data->hasCurrentRow() || m_grid->currentIndex().row() != m_data->position())
        return;
    if (!platform::MessageBox::question(this,
            QStringLiteral("Are you sure you want to delete this record?"),
            platform::MessageBox::No))
        return;
    if (!m_data->deleteCurrent())
        showError();
    showCurrentRow();
}

void FormMastertables::replacePerson(FormFindandReplace::PersonList list)
{
    if (!m_table.isEmpty() && !m_data->refresh()) {
        showError();
        return;
    }
    auto* replacement
        = ui::Screens::instance<FormFindandReplace>(QStringLiteral("FormFindandReplace"));
    if (!replacement)
        return;
    QString error;
    if (!replacement->setPersonList(list, &error))
        platform::MessageBox::error(this, error);
    ui::Screens::bringToFront(QStringLiteral("FormFindandReplace"));
}

void FormMastertables::followGrid(const QModelIndex& current)
{
    const int row = current.row();
    if (!current.isValid() || m_model->isNewRowLine(row) || row == m_data->position())
        return;
    if (!m_data->moveTo(row))
        showError();
}

void FormMastertables::showCurrentRow()
{
    const int row = m_data->position();
    if (row >= 0)
        m_grid->setCurrentIndex(m_model->index(row, 0));
}

void FormMastertables::closeEvent(QCloseEvent* event)
{
    if (m_data->isEdited() && !m_data->update()) {
        showError();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void FormMastertables::showError()
{
    platform::MessageBox::error(this, m_data->lastError());
}

} // namespace vantrel::mastertables
