#include "companies/FormAllContacts.h"

#include "companies/FormOutlookDialog.h"
#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "platform/MessageBox.h"
#include "ui/HintLine.h"
#include "ui/LongListCombo.h"
#include "ui/Screens.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vantrel::companies {

namespace {

const QString filterPrompt = QStringLiteral("Filter for Keywords...");
const QString noName = QStringLiteral("TextName");

} // namespace

FormAllContacts::FormAllContacts(QWidget* parent)
    : FormContacts(QStringLiteral("FormAllContacts"), parent)
    , m_select(new QComboBox(this))
    , m_name(new QComboBox(this))
    , m_textName(new QLineEdit(noName, this))
    , m_filter(new QLineEdit(filterPrompt, this))
    , m_go(new QPushButton(QStringLiteral("&Go"), this))
    , m_reset(new QPushButton(QStringLiteral("&Reset"), this))
    , m_mailMerge(new QPushButton(QStringLiteral("Mail Merge"), this))
    , m_recipients(new QLineEdit(this))
    , m_company(new QLabel(this))
    , m_position(new QLabel(this))
{
    setWindowTitle(QStringLiteral("All Contacts"));
    // Contacts are added with their company; activities start from the contacts screen.
    for (const char* name : { "CommandNew", "FrameActivities", "FrameSelect" }) {
        if (auto* control = findChild<QWidget*>(QLatin1String(name)))
            control->hide();
    }
    view()->setWriteTarget(QStringLiteral("TABLE03"));
    buildFilterControls();
    declareHints();
    fillSalesPeople();

    connect(view(), &data::BoundView::currentRowChanged, this, &FormAllContacts::showPosition);
    connect(view(), &data::BoundView::rowsReloaded, this, &FormAllContacts::showPosition);
    connect(view(), &data::BoundView::rowRemoved, this, &FormAllContacts::showPosition);
    connect(view(), &data::BoundView::fieldChanged, this, &FormAllContacts::showPosition);
    requery();
}

void FormAllContacts::buildFilterControls()
{
    m_select->setObjectName(QStringLiteral("DBComboSelect"));
    auto* names = new data::BoundViewModel(view(), this);
    names->setColumns({ { QStringLiteral("TEXT11"), QStringLiteral("CONTACT") } });
    m_select->setModel(names);
    ui::prepareForLongList(m_select, 30);
    m_select->setPlaceholderText(QStringLiteral("Select a Contact..."));
    m_select->setCurrentIndex(-1);
    m_name->setObjectName(QStringLiteral("DBComboName"));
    m_name->setPlaceholderText(QStringLiteral("Select Your Name..."));
    m_textName->setObjectName(QStringLiteral("TextName"));
    m_textName->hide();
    m_filter->setObjectName(QStringLiteral("TextFilter"));
    m_filter->installEventFilter(this);
    m_go->setObjectName(QStringLiteral("CommandGo"));
    m_reset->setObjectName(QStringLiteral("CommandReset"));
    m_reset->hide();
    m_mailMerge->setObjectName(QStringLiteral("CommandMailMerge"));
    m_recipients->setObjectName(QStringLiteral("TextRecipients"));
    m_recipients->hide();
    m_company->setObjectName(QStringLiteral("LabelCompany"));
    m_position->setObjectName(QStringLiteral("LabelPosition"));
    QFont bold = m_company->font();
    bold.setBold(true);
    m_company->setFont(bold);
    m_position->setFont(bold);

    connect(m_select, &QComboBox::activated, this, &FormAllContacts::chooseContact);
    connect(m_name, &QComboBox::activated, this,
        [this](int index) { chooseSalesPerson(m_name->itemText(index)); });
    connect(m_go, &QPushButton::clicked, this, &FormAllContacts::applyFilter);
    connect(m_filter, &QLineEdit::returnPressed, this, &FormAllContacts::applyFilter);
    connect(m_reset, &QPushButton::clicked, this, &FormAllContacts::resetFilter);
    connect(m_mailMerge, &QPushButton::clicked, this, &FormAllContacts::mailMerge);

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("FrameFilter"));
    auto* filterButtons = new QHBoxLayout;
    filterButtons->addWidget(m_go);
    filterButtons->addWidget(m_reset);
    filterButtons->addStretch();
    auto* column = new QVBoxLayout(frame);
    column->addWidget(m_select);
    column->addWidget(m_name);
    column->addWidget(m_filter);
    column->addLayout(filterButtons);
    column->addWidget(m_mailMerge);
    column->addSpacing(12);
    column->addWidget(m_company);
    column->addWidget(m_position);
    m_company->setWordWrap(true);

    // The contacts screen's list column: the filters take the place of its list.
    auto* screenLayout = qobject_cast<QBoxLayout*>(layout());
    auto* side
        = screenLayout ? qobject_cast<QBoxLayout*>(screenLayout->itemAt(0)->layout()) : nullptr;
    if (side) {
        side->insertWidget(0, frame);
        side->insertStretch(1, 1);
    }
    else {
        screenLayout->insertWidget(0, frame);
    }
}

void FormAllContacts::declareHints()
{
    auto* hints = findChild<ui::HintLine*>();
    if (!hints)
        return;
    hints->setHint(m_mailMerge,
        QStringLiteral("Opens MS-Outlook in order to send a message to all selected contacts."));
    hints->setHint(m_name,
        QStringLiteral("Selecting your name will only display the contacts that you as a "
                       "salesperson are responsible for. Not selecting your name will display "
                       "all active contacts."));
    hints->setHint(m_filter,
        QStringLiteral("This function allows you to filter for keywords that you have allocated "
                       "to a contact. E.g. if you used 'Golf as a keyword, ")
            + QStringLiteral("entering 'golf' will display all contacts that have 'Golf' as a "
                             "keyword and you might then invite them for a golf day. ")
            + QStringLiteral("If you have 'Birthday: March 15' as a keyword, entering 'march' "
                             "will display all contacts with a birthday in March. Filters are "
                             "not case-sensitive. ")
            + QStringLiteral("For more information, press F1."));
    if (auto* frame = findChild<QWidget*>(QStringLiteral("FrameFilter")))
        hints->addBackground(frame);
}

void FormAllContacts::fillSalesPeople()
{
    const std::shared_ptr<data::Database> db = view()->database();
    data::QueryResult people;
    if (!db || !db->query(QStringLiteral("SELECT TEXT01 FROM MT12 ORDER BY TEXT01"), {}, &people))
        return;
    for (const QVariantList& row : people.rows)
        m_name->addItem(data::displayText(row.value(0)));
    m_name->setCurrentIndex(-1);
}

QString FormAllContacts::salesPerson() const
{
    const QString name = m_textName->text();
    return name == noName ? QString() : name;
}

void FormAllContacts::chooseSalesPerson(const QString& name)
{
    m_textName->setText(name);
    m_applied = { salesPerson(), QString() };
    requery();
}

void FormAllContacts::applyFilter()
{
    m_reset->show();
    m_applied = { salesPerson(), m_filter->text() };
    requery();
}

void FormAllContacts::resetFilter()
{
    m_filter->clear();
    m_applied = { salesPerson(), QString() };
    requery();
}

void FormAllContacts::requery()
{
    const ui::RecordQuery query = allContactsQuery(m_applied);
    view()->setRecordSource(query.sql, query.parameters);
    if (!view()->refresh())
        platform::MessageBox::error(this, view()->lastError());
    m_select->setCurrentIndex(-1);
    showPosition();
}

void FormAllContacts::chooseContact(int index)
{
    pickContact(index);
}

void FormAllContacts::showPosition()
{
    m_position->setText(QStringLiteral("CONTACT ") + QString::number(view()->position() + 1)
        + QStringLiteral(" OF ") + QString::number(view()->rowCount())
        + QStringLiteral(" CONTACTS"));
    const QVariant company
        = view()->hasCurrentRow() ? view()->value(QStringLiteral("CompanyName")) : QVariant();
    m_company->setText(QStringLiteral("COMPANY: ") + data::displayText(company));
}

void FormAllContacts::mailMerge()
{
    m_recipients->clear();
    // Pending edits first, so that an address just typed is mailed to.
    view()->update();
    const ui::RecordQuery query = mailMergeQuery(m_applied);
    const std::shared_ptr<data::Database> db = view()->database();
    if (!db) {
        platform::MessageBox::error(this, view()->lastError());
        return;
    }
    data::QueryResult collected;
    if (!db->query(query.sql, query.parameters, &collected)) {
        platform::MessageBox::error(this, db->lastError());
        return;
    }
    m_recipients->setText(
        collected.rows.isEmpty() ? QString() : collected.rows.first().value(0).toString());
    auto* dialog = ui::Screens::instance<FormOutlookDialog>(QStringLiteral("FormOutlookDialog"));
    if (!dialog)
        return;
    dialog->setRecipients(m_recipients->text());
    ui::Screens::bringToFront(QStringLiteral("FormOutlookDialog"));
}

QString FormAllContacts::recipients() const
{
    return m_recipients->text();
}

QString FormAllContacts::companyName() const
{
    return view()->hasCurrentRow() ? data::displayText(view()->value(QStringLiteral("CompanyName")))
                                   : QString();
}

bool FormAllContacts::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_filter && event->type() == QEvent::MouseButtonPress)
        m_filter->clear();
    return FormContacts::eventFilter(watched, event);
}

} // namespace vantrel::companies
