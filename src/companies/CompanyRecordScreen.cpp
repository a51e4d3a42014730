#include "companies/CompanyRecordScreen.h"

#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DaysOverdue.h"
#include "data/FieldValues.h"
#include "data/Schema.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "ui/FieldBinder.h"
#include "ui/FieldScrollArea.h"
#include "ui/HintLine.h"
#include "ui/LongListCombo.h"
#include "ui/Screens.h"
#include "ui/Viewers.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace vantrel::companies {

namespace {

const QString allCompanies = QLatin1String(data::allCompanies);

struct FieldPlace {
    const char* field;
    const char* label;
    const char* caption;
    int row;
    int column;
    int masterTable; // 0: typed only
};

// Left the address and contact numbers, right the classification.
const FieldPlace fieldPlaces[] = {
    { "TEXT01", "Label01", "COMPANY", 0, 0, 0 },
    { "TEXT02", "Label02", "ACCOUNT NO.", 1, 0, 0 },
    { "TEXT03", "Label03", "POSTAL ADDRESS", 2, 0, 0 },
    { "TEXT04", "Label04", "POSTAL CITY", 3, 0, 0 },
    { "TEXT05", "Label05", "POSTAL CODE", 4, 0, 0 },
    { "TEXT06", "Label06", "STREET ADDRESS", 5, 0, 0 },
    { "TEXT07", nullptr, "", 6, 0, 0 },
    { "TEXT08", "Label08", "CITY", 7, 0, 0 },
    { "TEXT09", "Label09", "REGION", 8, 0, 8 },
    { "TEXT10", "Label10", "TELEPHONE", 9, 0, 0 },
    { "TEXT11", "Label11", "TELEFAX", 10, 0, 0 },
    { "TEXT12", "Label12", "WEBSITE", 11, 0, 0 },
    { "TEXT13", "Label13", "DIVISION", 0, 2, 3 },
    { "TEXT14", "Label14", "BRANCH", 1, 2, 1 },
    { "TEXT15", "Label15", "CATEGORY", 2, 2, 2 },
    { "TEXT17", "Label17", "TYPE OF COMPANY", 3, 2, 10 },
    { "TEXT18", "Label18", "SALES PERSON", 4, 2, 12 },
    { "TEXT19", "Label19", "SALES MANAGER", 5, 2, 13 },
};

QString text(const QVariant& value)
{
    return value.isNull() ? QString() : data::displayText(value);
}

} // namespace

CompanyRecordScreen::CompanyRecordScreen(
    const QString& name, const QString& recordState, QWidget* parent)
    : ui::RecordScreen(name, parent)
    , m_recordState(recordState)
    , m_userView(new data::BoundView(this))
    , m_companies(new data::BoundViewModel(view(), this))
    , m_hints(new ui::HintLine(this))
{
    auto business = std::make_shared<data::Database>();
    auto user = std::make_shared<data::Database>();
    if (!data::openBusinessDatabase(*business))
        platform::MessageBox::error(this, business->lastError());
    else
        view()->setDatabase(business);
    if (!data::openUserDatabase(*user))
        platform::MessageBox::error(this, user->lastError());
    else
        m_userView->setDatabase(user);
    m_userView->setRecordSource(QStringLiteral("TABLE02"));
    if (m_userView->database() && !m_userView->refresh())
        platform::MessageBox::error(this,
            QStringLiteral("Your choice of companies could not be read: %1")
                .arg(m_userView->lastError()));
    m_companies->setColumns({ { QStringLiteral("TEXT01"), QStringLiteral("COMPANY") } });

    auto* selectLabel = new QLabel(QStringLiteral("SELECT"), this);
    selectLabel->setObjectName(QStringLiteral("LabelSelect"));
    m_select = new QComboBox(this);
    m_select->setObjectName(QStringLiteral("DBComboSelect"));
    m_select->setModel(m_companies);
    m_select->setPlaceholderText(QStringLiteral("Select a Company..."));
    m_select->setMinimumWidth(280);
    m_select->setMaxVisibleItems(20);
    ui::prepareForLongList(m_select, 30);
    connect(m_select, &QComboBox::activated, this, &CompanyRecordScreen::pickCompany);
    m_information = new QLabel(this);
    m_information->setObjectName(QStringLiteral("LabelInformation"));
    QFont bold = m_information->font();
    bold.setBold(true);
    m_information->setFont(bold);

    buildFields();
    arrangeTabOrder();
    buildListChoice();

    auto* top = new QHBoxLayout;
    top->addWidget(selectLabel);
    top->addWidget(m_select, 1);
    top->addWidget(findChild<QGroupBox*>(QStringLiteral("FrameDisplay")));

    m_links = new QHBoxLayout;
    auto* browse = makeButton("CommandBrowse", QStringLiteral("Visit Website"));
    auto* maps = makeButton("CommandGoogleMaps", QStringLiteral("Google Maps"));
    connect(browse, &QPushButton::clicked, this, &CompanyRecordScreen::visitWebsite);
    connect(maps, &QPushButton::clicked, this, &CompanyRecordScreen::locateOnMap);
    m_links->addWidget(browse);
    m_links->addWidget(maps);
    m_links->addStretch();

    m_commands = new QHBoxLayout;
    m_print = makeButton("CommandPrint", QStringLiteral("Print"));
    connect(m_print, &QPushButton::clicked, this, &CompanyRecordScreen::print);
    connect(editButton(), &QPushButton::clicked, this, &ui::RecordScreen::enterEditMode);
    editButton()->setText(QStringLiteral("Edit Company"));
    m_commands->addWidget(editButton());
    m_commands->addWidget(saveButton());
    m_commands->addWidget(m_print);
    m_commands->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_information);
    layout->addWidget(makeToolBar());
    layout->addWidget(detailsArea(), 1);
    layout->addLayout(m_links);
    layout->addLayout(m_commands);
    layout->addWidget(m_hints->frame());
    m_hints->frame()->setMinimumHeight(60);
    declareHints();

    connect(view(), &data::BoundView::currentRowChanged, this, &CompanyRecordScreen::showCompany);
    connect(view(), &data::BoundView::valueChanged, this, &CompanyRecordScreen::updateInformation);
    connect(view(), &data::BoundView::rowUpdated, this, &CompanyRecordScreen::updateInformation);
    // A new last visit or frequency, typed here or written by another screen, counts at once.
    connect(view(), &data::BoundView::fieldChanged, this, [this](const QString& field) {
        if (field == u"DATE01" || field == u"NUMBER01")
            recomputeDaysOverdue();
    });
    connect(view(), &data::BoundView::rowInserted, this, &CompanyRecordScreen::followNewEntry);
    connect(view(), &data::BoundView::rowUpdated, this, &CompanyRecordScreen::followNewEntry);
    connect(view(), &data::BoundView::rowRemoved, this, &CompanyRecordScreen::followNewEntry);
    connect(binder(), &ui::FieldBinder::editRefused, this,
        [this](const QString&, const QString& message) {
            platform::MessageBox::warning(this, message);
        });
    reloadList();
}

void CompanyRecordScreen::buildFields()
{
    for (const FieldPlace& place : fieldPlaces) {
        QLineEdit* box = addTextField(QLatin1String(place.field), place.label,
            QLatin1String(place.caption), place.row, place.column);
        if (place.masterTable)
            addMasterCombo(place.masterTable, box);
    }
    addTextField(QStringLiteral("NUMBER01"), "LabelN01", QStringLiteral("VISIT FREQUENCY"), 6, 2,
        Emptiness::TextOrZero);
    auto* zoomNotes = makeButton("CommandZoomNotes", QStringLiteral("+"));
    auto* zoomDetails = makeButton("CommandZoomDetails", QStringLiteral("+"));
    for (QPushButton* zoomButton : { zoomNotes, zoomDetails })
        zoomButton->setFixedWidth(28);
    connect(zoomNotes, &QPushButton::clicked, this, [this] { zoom(QStringLiteral("MEMO01")); });
    connect(zoomDetails, &QPushButton::clicked, this, [this] { zoom(QStringLiteral("MEMO02")); });
    addMemoField(QStringLiteral("MEMO01"), "LabelM01", QStringLiteral("NOTES"), 12, 0, zoomNotes);
    addMemoField(QStringLiteral("MEMO02"), "LabelM02", QStringLiteral("COMPANY DETAILS"), 12, 2,
        zoomDetails);
    for (const char* field : { "AUTONUMBER", "TEXT20", "DATE01", "DATE03", "NUMBER02" })
        addHiddenField(QLatin1String(field), QLatin1String(field));
}

void CompanyRecordScreen::buildListChoice()
{
    auto* frame = new QGroupBox(QStringLiteral("Display"), this);
    frame->setObjectName(QStringLiteral("FrameDisplay"));
    m_all = new QRadioButton(QStringLiteral("All Companies"), frame);
    m_all->setObjectName(QStringLiteral("Option1"));
    m_mine = new QRadioButton(QStringLiteral("My Companies"), frame);
    m_mine->setObjectName(QStringLiteral("Option2"));
    m_nameLabel = new QLabel(QStringLiteral("Select your Name..."), frame);
    m_nameLabel->setObjectName(QStringLiteral("LabelName"));
    m_name = new QComboBox(frame);
    m_name->setObjectName(QStringLiteral("DBComboName"));
    m_name->setMinimumWidth(160);
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(m_all);
    layout->addWidget(m_mine);
    layout->addWidget(m_nameLabel);
    layout->addWidget(m_name);

    auto* hiddenChoice = new QLineEdit(this);
    hiddenChoice->setObjectName(QStringLiteral("UserTEXT03"));
    hiddenChoice->hide();
    auto* userBinder = new ui::FieldBinder(m_userView, this);
    userBinder->bind(hiddenChoice, QStringLiteral("TEXT03"));

    fillNames();
    const QString choice = listChoice();
    const bool all = choice == allCompanies;
    m_all->setChecked(all);
    m_mine->setChecked(!all);
    m_nameLabel->hide();
    m_name->setVisible(!all);
    m_name->setCurrentIndex(all ? -1 : m_name->findText(choice, Qt::MatchFixedString));
    connect(m_all, &QRadioButton::clicked, this, &CompanyRecordScreen::chooseAll);
    connect(m_mine, &QRadioButton::clicked, this, &CompanyRecordScreen::chooseMine);
    connect(m_name, &QComboBox::activated, this, &CompanyRecordScreen::pickName);
}

void CompanyRecordScreen::fillNames()
{
    const std::shared_ptr<data::Database> db = view()->database();
    if (!db)
        return;
    data::QueryResult people;
    if (!db->query(QStringLiteral("SELECT TEXT01 FROM MT12 ORDER BY TEXT01"), {}, &people)) {
        platform::MessageBox::error(this,
            QStringLiteral("The list of sales people could not be read: %1").arg(db->lastError()));
        return;
    }
    const QString picked = m_name->currentText();
    const int pickedIndex = m_name->currentIndex();
    m_name->clear();
    for (const QVariantList& row : people.rows)
        m_name->addItem(row.value(0).toString());
    m_name->setCurrentIndex(pickedIndex < 0 ? -1 : m_name->findText(picked, Qt::MatchFixedString));
}

void CompanyRecordScreen::screenActivated()
{
    // The master tables may have gained or lost a sales person meanwhile.
    fillNames();
}

void CompanyRecordScreen::declareHints()
{
    m_hints->setHint(m_select,
        QStringLiteral("Start typing the name of the company until the correct name is displayed. "
                       "You can also use the "
                       "'arrow' keys on your keyboard to navigate."));
    m_hints->setHint(findChild<QWidget*>(QStringLiteral("CommandBrowse")), [this] {
        return QStringLiteral("Visit ") + companyName() + QStringLiteral("'s website.");
    });
    m_hints->setHint(findChild<QWidget*>(QStringLiteral("CommandGoogleMaps")), [this] {
        return QStringLiteral("Locate ") + companyName() + QStringLiteral(" in Google Maps.");
    });
    m_hints->setHint(findChild<QWidget*>(QStringLiteral("NUMBER01")), [this] {
        return QStringLiteral("How often do you want to have a meeting with ") + companyName()
            + QStringLiteral("? Enter the frequency in days.");
    });
    m_hints->addBackground(detailsFrame());
}

QString CompanyRecordScreen::listChoice() const
{
    const QString choice = m_userView->value(QStringLiteral("TEXT03")).toString();
    // A workstation without a choice yet sees every company.
    return choice.isEmpty() ? allCompanies : choice;
}

bool CompanyRecordScreen::setListChoice(const QString& choice)
{
    if (!m_userView->setValue(QStringLiteral("TEXT03"), choice) || !m_userView->update()) {
        platform::MessageBox::error(this, m_userView->lastError());
        return false;
    }
    return reloadList();
}

bool CompanyRecordScreen::reloadList()
{
    const QString choice = listChoice();
    if (choice == allCompanies) {
        view()->setRecordSource(
            QStringLiteral("SELECT * FROM TABLE01 WHERE TEXT20 = ? ORDER BY TEXT01"),
            { m_recordState });
    }
    else {
        view()->setRecordSource(
            QStringLiteral("SELECT * FROM TABLE01 WHERE TEXT20 = ? AND TEXT18 = ? ORDER BY TEXT01"),
            { m_recordState, choice });
    }
    const bool loaded = view()->refresh();
    m_select->setCurrentIndex(-1);
    if (!loaded)
        platform::MessageBox::error(this, view()->lastError());
    return loaded;
}

void CompanyRecordScreen::chooseAll()
{
    m_nameLabel->hide();
    m_name->hide();
    setListChoice(allCompanies);
}

void CompanyRecordScreen::chooseMine()
{
    m_nameLabel->show();
    m_name->show();
    m_name->setFocus(Qt::OtherFocusReason);
}

void CompanyRecordScreen::pickName(int index)
{
    if (index < 0)
        return;
    m_nameLabel->hide();
    setListChoice(m_name->itemText(index));
}

void CompanyRecordScreen::pickCompany(int index)
{
    if (view()->moveToBookmark(m_companies->bookmarkAt(index)))
        return;
    // The edits of the company on show could not be stored, so the screen stays
    // on it: the list shows it again, and the user learns why.
    m_select->setCurrentIndex(view()->hasCurrentRow() ? view()->position() : -1);
    platform::MessageBox::error(this,
        QStringLiteral("The changes to %1 could not be saved: %2")
            .arg(companyName(), view()->lastError()));
}

void CompanyRecordScreen::showCompany()
{
    recomputeDaysOverdue();
    updateInformation();
}

void CompanyRecordScreen::recomputeDaysOverdue()
{
    if (!view()->hasCurrentRow())
        return;
    const std::optional<int> overdue = data::daysOverdue(view()->value(QStringLiteral("DATE01")),
        view()->value(QStringLiteral("NUMBER01")),
        view()->value(QStringLiteral("TEXT20")).toString(), data::Clock::today());
    if (overdue)
        view()->setValue(QStringLiteral("NUMBER02"), *overdue);
}

void CompanyRecordScreen::updateInformation()
{
    const QString entered = text(view()->value(QStringLiteral("DATE03")));
    if (view()->isNewRow())
        m_information->setText(QStringLiteral("Entered on ") + entered);
    else
        m_information->setText(companyName() + QStringLiteral(" was entered on ") + entered);
}

QString CompanyRecordScreen::companyName() const
{
    return text(view()->value(QStringLiteral("TEXT01")));
}

void CompanyRecordScreen::addCommand(QPushButton* button, Place place)
{
    const int printAt = m_commands->indexOf(m_print);
    m_commands->insertWidget(place == Place::First ? 0
            : place == Place::BeforePrint          ? printAt
                                                   : printAt + 1,
        button);
}

void CompanyRecordScreen::addLinkCommand(QPushButton* button)
{
    m_links->insertWidget(m_links->count() - 1, button);
}

bool CompanyRecordScreen::storeRow()
{
    if (!view()->hasCurrentRow() || (!view()->isEdited() && !view()->isNewRow()))
        return true;
    QString error;
    if (storeAndSort(&error))
        return true;
    platform::MessageBox::error(this, error);
    return false;
}

bool CompanyRecordScreen::storeAndSort(QString* error)
{
    if (!view()->update()) {
        *error = view()->lastError();
        return false;
    }
    // A new or renamed company takes its place in name order in the list; a
    // list that cannot be read again was reported, and the company is stored.
    const QVariant key = companyKey();
    if (reloadList())
        view()->moveToBookmark(key);
    return true;
}

void CompanyRecordScreen::reloadOtherScreen(const QString& name)
{
    // A screen not made yet loads its list when it is.
    if (auto* other = dynamic_cast<CompanyRecordScreen*>(ui::Screens::existing(name)))
        other->reloadList();
}

QString CompanyRecordScreen::mapAddress() const
{
    return text(view()->value(QStringLiteral("TEXT06"))) + QLatin1Char(' ')
        + text(view()->value(QStringLiteral("TEXT07"))) + QLatin1Char(' ')
        + text(view()->value(QStringLiteral("TEXT08")));
}

bool CompanyRecordScreen::websiteUrl(const QString& typed, QUrl* url, QString* error)
{
    const QString address = typed.trimmed();
    if (address.isEmpty()) {
        *error = QStringLiteral("This company has no website address.");
        return false;
    }
    // "mailto:" or "javascript:" name a scheme; "host:8080" does not.
    static const QRegularExpression namesScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d)"));
    *url = QUrl(
        namesScheme.match(address).hasMatch() ? address : QStringLiteral("http://") + address,
        QUrl::StrictMode);
    const QString scheme = url->scheme().toLower();
    if (!url->isValid() || url->host().isEmpty() || (scheme != u"http" && scheme != u"https")) {
        *error = QStringLiteral("'%1' is not a web address.").arg(address);
        return false;
    }
    return true;
}

void CompanyRecordScreen::visitWebsite()
{
    QUrl url;
    QString error;
    if (!websiteUrl(text(view()->value(QStringLiteral("TEXT12"))), &url, &error)) {
        platform::MessageBox::warning(this, error);
        return;
    }
    platform::Desktop::openUrlOrReport(this, url);
}

void CompanyRecordScreen::locateOnMap()
{
    // A wait still running for another company gives way: the map shows the company the user
    // asked for last, and the wait starts again with its address.
    ui::Screens::close(QStringLiteral("FormWait"));
    QApplication::clipboard()->setText(mapAddress());
    ui::Screens::bringToFront(QStringLiteral("FormWait"));
}

void CompanyRecordScreen::zoom(const QString& field)
{
    ui::Viewers::zoom(this, field);
}

void CompanyRecordScreen::print()
{
    QString error;
    if (!printScreen(&error))
        platform::MessageBox::error(this, error);
}

QVariant CompanyRecordScreen::companyKey() const
{
    return view()->hasCurrentRow() ? view()->value(QStringLiteral("AUTONUMBER")) : QVariant();
}

QVariant CompanyRecordScreen::companyValue(const QString& column) const
{
    return view()->value(column);
}

quint64 CompanyRecordScreen::companyEntry() const
{
    return view()->isNewRow() ? m_newEntry : 0;
}

QVariant CompanyRecordScreen::companyKeyOf(quint64 entry) const
{
    return m_storedEntries.value(entry);
}

bool CompanyRecordScreen::storeCompany(QString* error)
{
    if (!view()->isNewRow())
        return true;
    return storeAndSort(error);
}

void CompanyRecordScreen::followNewEntry()
{
    if (view()->isNewRow()) {
        if (m_newEntry == 0)
            m_newEntry = ++m_lastEntry;
        return;
    }
    if (m_newEntry == 0)
        return;
    // The add-new row was stored (it is current and has its key now) or dropped.
    const QVariant key = view()->isEdited() ? QVariant() : companyKey();
    if (key.isValid() && !key.isNull() && view()->position() == view()->rowCount() - 1)
        m_storedEntries.insert(m_newEntry, key);
    m_newEntry = 0;
}

bool CompanyRecordScreen::writeBack(const QString& column, const QVariant& value)
{
    if (!view()->setValue(column, value))
        return false;
    // Outside edit mode nothing of the user's is pending, so the value is stored
    // at once instead of waiting for a move to another company that may not
    // come before the program ends.
    return isEditMode() || view()->update();
}

bool CompanyRecordScreen::setLastVisited(const QDate& date)
{
    return writeBack(QStringLiteral("DATE01"), date);
}

bool CompanyRecordScreen::setAppointmentNote(const QString& note)
{
    return writeBack(QStringLiteral("TEXT21"), note);
}

bool CompanyRecordScreen::setNotes(const QString& notes)
{
    return writeBack(QStringLiteral("MEMO01"), notes);
}

bool CompanyRecordScreen::setCompanyDetails(const QString& details)
{
    return writeBack(QStringLiteral("MEMO02"), details);
}

} // namespace vantrel::companies
