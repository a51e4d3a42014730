#include "products/FormSales.h"

#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "products/SalesFigures.h"
#include "ui/CompanyAccess.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/Screens.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vantrel::products {

FormSales::FormSales(QWidget* parent)
    : QWidget(parent)
    , m_data(new data::BoundView(this))
    , m_model(new data::BoundViewModel(m_data, this))
    , m_grid(new QTableView(this))
{
    setObjectName(QStringLiteral("FormSales"));
    setWindowTitle(QStringLiteral("Sales"));
    m_data->setObjectName(QStringLiteral("DataSales"));
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* hints = new ui::HintLine(this);
    auto* excel = new QPushButton(QStringLiteral("Send to MS-Excel"), this);
    excel->setObjectName(QStringLiteral("CommandExcel"));
    auto* manual = new ui::ManualLink(this);
    hints->setHint(excel, [this] {
        return QStringLiteral("Display sales to ") + companyName()
            + QStringLiteral(" in MS-Excel.");
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(excel);
    buttons->addStretch();
    buttons->addWidget(manual->button());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    layout->addWidget(hints->frame());
    connect(excel, &QPushButton::clicked, this, &FormSales::sendToSpreadsheet);

    if (!m_data->openDatabase(QStringLiteral("User.mdb")))
        return;
    // Until the tree names a company the whole table shows, as after an import.
    if (m_data->database()->tableExists(QStringLiteral("SALES"))) {
        m_data->setRecordSource(QStringLiteral("SELECT * FROM SALES"));
        m_data->refresh();
    }
}

bool FormSales::showRecords(const ui::RecordQuery& query, QString* error)
{
    if (!m_data->database() && !m_data->openDatabase(QStringLiteral("User.mdb"))) {
        *error = m_data->lastError();
        return false;
    }
    m_data->setRecordSource(query.sql, query.parameters);
    if (!m_data->refresh()) {
        *error = m_data->lastError();
        return false;
    }
    return true;
}

QString FormSales::companyName() const
{
    auto* company = ui::Screens::instance<ui::CompanyAccess>(QStringLiteral("FormCompanies"));
    return company ? company->companyValue(QStringLiteral("TEXT01")).toString() : QString();
}

void FormSales::sendToSpreadsheet()
{
    platform::BusyCursor busy;
    auto* company = ui::Screens::instance<ui::CompanyAccess>(QStringLiteral("FormCompanies"));
    data::Database user;
    SalesSettings settings;
    QString error;
    if (!data::openUserDatabase(user)) {
        platform::MessageBox::error(this, user.lastError());
        return;
    }
    if (!SalesSettings::read(user, &settings, &error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    const QString account
        = company ? company->companyValue(QStringLiteral("TEXT02")).toString() : QString();
    // The report is of the companies screen's company, also beside an archived one.
    if (!sendSalesReport(user, companySalesQuery(settings), { account }, &error))
        platform::MessageBox::error(this, error);
}

} // namespace vantrel::products
