#include "companies/FormContacts.h"

#include "companies/CallLog.h"
#include "companies/Correspondent.h"
#include "companies/ModemDialer.h"
#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Schema.h"
#include "platform/MessageBox.h"
#include "ui/CompanyAccess.h"
#include "ui/FieldBinder.h"
#include "ui/FieldScrollArea.h"
#include "ui/HintLine.h"
#include "ui/LoadIndicator.h"
#include "ui/ManualLink.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace vantrel::companies {

namespace {

struct FieldPlace {
    const char* field;
    const char* label;
    const char* caption;
    int row;
    int column;
};

// Left the person, right the work and the numbers.
const FieldPlace fieldPlaces[] = {
    { "TEXT01", "Label01", "TITLE", 0, 0 },
    { "TEXT02", "Label02", "FIRST NAME", 1, 0 },
    { "TEXT03", "Label03", "LAST NAME", 2, 0 },
    { "TEXT04", "Label04", "CELLPHONE", 3, 0 },
    { "TEXT05", "Label05", "E-MAIL", 4, 0 },
    { "TEXT06", "Label06", "OCCUPATION", 0, 2 },
    { "TEXT07", "Label07", "DESIGNATION", 1, 2 },
    { "TEXT08", "Label08", "DIRECT TELEPHONE", 2, 2 },
    { "TEXT09", "Label09", "DIRECT FAX", 3, 2 },
    { "TEXT10", "Label10", "ASSISTANT", 4, 2 },
};

} // namespace

FormContacts::FormContacts(QWidget* parent)
    : FormContacts(QStringLiteral("FormContacts"), parent)
{
}

FormContacts::FormContacts(const QString& screenName, QWidget* parent)
    : ui::RecordScreen(screenName, parent)
    , m_contacts(new data::BoundViewModel(view(), this))
    , m_hints(new ui::HintLine(this))
    , m_loading(new ui::LoadIndicator(this))
    , m_timerWord(new ui::AutoSave(ui::AutoSave::Kind::Document, this))
    , m_timerOutlook(new ui::AutoSave(ui::AutoSave::Kind::MailText, this))
    , m_communication(
          this, m_loading, [this](ui::SaveQuestion::Pending pending) { askToSave(pending); })
{
    setWindowTitle(QStringLiteral("Contacts"));
    auto business = std::make_shared<data::Database>();
    if (!data::openBusinessDatabase(*business))
        platform::MessageBox::error(this, business->lastError());
    else
        view()->setDatabase(business);
    m_contacts->setColumns({ { QStringLiteral("FullName"), QStringLiteral("CONTACT") } });

    auto* selectFrame = new QGroupBox(QStringLiteral("Select a Contact"), this);
    selectFrame->setObjectName(QStringLiteral("FrameSelect"));
    m_list = new QListView(selectFrame);
    m_list->setObjectName(QStringLiteral("DBListSelect"));
    m_list->setModel(m_contacts);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setMinimumWidth(120);
    // The fields get the width first: the list is wide enough for a name, no more.
    m_list->setMaximumWidth(m_list->fontMetrics().averageCharWidth() * 24);
    (new QVBoxLayout(selectFrame))->addWidget(m_list);
    // However the entry was marked (mouse, arrow keys, typing a letter), its contact is on show.
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& index) {
            if (index.isValid() && index.row() != view()->position())
                pickContact(index.row());
        });

    m_entered = new QLabel(this);
    m_entered->setObjectName(QStringLiteral("LabelEntered"));
    QFont bold = m_entered->font();
    bold.setBold(true);
    m_entered->setFont(bold);

    buildFields();
    arrangeTabOrder();

    m_new = makeButton("CommandNew", QStringLiteral("New Contact"));
    m_delete = makeButton("CommandDelete", QStringLiteral("Delete Contact"));
    auto* printButton = makeButton("CommandPrint", QStringLiteral("Print"));
    auto* manual = new ui::ManualLink(this);
    editButton()->setText(QStringLiteral("Edit Contact"));
    connect(m_new, &QPushButton::clicked, this, &FormContacts::newContact);
    connect(editButton(), &QPushButton::clicked, this, &ui::RecordScreen::enterEditMode);
    connect(saveButton(), &QPushButton::clicked, this, &FormContacts::saveChanges);
    connect(m_delete, &QPushButton::clicked, this, &FormContacts::deleteContact);
    connect(printButton, &QPushButton::clicked, this, &FormContacts::print);
    auto* commands = new QHBoxLayout;
    for (QWidget* button : { static_cast<QWidget*>(m_new), static_cast<QWidget*>(editButton()),
             static_cast<QWidget*>(saveButton()), static_cast<QWidget*>(m_delete),
             static_cast<QWidget*>(printButton), static_cast<QWidget*>(manual->button()) })
        commands->addWidget(button);
    commands->addStretch();

    m_activities = buildActivities();
    m_autodial = buildAutodial();
    auto* frames = new QHBoxLayout;
    frames->addWidget(m_activities, 1);
    frames->addWidget(m_autodial);

    auto* record = new QVBoxLayout;
    auto* heading = new QHBoxLayout;
    heading->addWidget(m_entered, 1);
    heading->addWidget(m_loading);
    record->addLayout(heading);
    record->addWidget(makeToolBar());
    record->addWidget(detailsArea(), 1);
    record->addLayout(commands);
    record->addLayout(frames);
    // Below the list, where a hint has room to wrap without pushing the record together.
    auto* side = new QVBoxLayout;
    side->addWidget(selectFrame, 1);
    side->addWidget(m_hints->frame());
    m_hints->frame()->setMinimumHeight(60);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addLayout(record, 1);
    declareHints();
    connectCommunication();

    connect(view(), &data::BoundView::currentRowChanged, this, &FormContacts::showContact);
    connect(view(), &data::BoundView::rowUpdated, this, &FormContacts::showContact);
    connect(view(), &data::BoundView::fieldChanged, this, &FormContacts::fieldChanged);
    connect(binder(), &ui::FieldBinder::editRefused, this,
        [this](const QString&, const QString& message) {
            platform::MessageBox::warning(this, message);
        });
    showContact();
    updateFieldVisibility();
}

void FormContacts::buildFields()
{
    for (const FieldPlace& place : fieldPlaces)
        addTextField(QLatin1String(place.field), place.label, QLatin1String(place.caption),
            place.row, place.column);
    // Values show whole: a telephone number with its country code, an address of
    // a long company domain, and a name or position of everyday length. Where the
    // screen is too small for that the fields scroll rather than cut them.
    const auto room = [this](const char* field, const QString& sample) {
        auto* box = findChild<QLineEdit*>(QLatin1String(field));
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(sample) + 12);
    };
    for (const FieldPlace& place : fieldPlaces)
        room(place.field, QString(18, QLatin1Char('x')));
    for (const char* number : { "TEXT04", "TEXT08", "TEXT09" })
        room(number, QStringLiteral("+00 00 000 000 000"));
    room("TEXT05", QStringLiteral("firstname.lastname@company-name.com"));
    auto* title = findChild<QLineEdit*>(QStringLiteral("TEXT01"));
    setAlwaysShown(title, true);
    addMasterCombo(9, title);
    addMasterCombo(5, findChild<QLineEdit*>(QStringLiteral("TEXT06")));
    addMemoField(QStringLiteral("MEMO01"), "LabelM01", QStringLiteral("NOTES"), 5, 0, nullptr);
    addMemoField(QStringLiteral("MEMO02"), "LabelM02", QStringLiteral("KEYWORDS"), 5, 2, nullptr);
    addHiddenField(QStringLiteral("TEXT11"), QStringLiteral("TextFullName"));
    addHiddenField(QStringLiteral("DATE03"), QStringLiteral("DATE03"));
    addHiddenField(QStringLiteral("NUMBER01"), QStringLiteral("NUMBER01"));
}

QWidget* FormContacts::buildActivities()
{
    auto* frame = new QGroupBox(QStringLiteral("Generate Activity"), this);
    frame->setObjectName(QStringLiteral("FrameActivities"));
    auto* layout = new QGridLayout(frame);
    const std::pair<const char*, const char*> buttons[] = {
        { "CommandLetter", "Letter" },
        { "CommandFax", "Telefax" },
        { "CommandReport", "Call Report" },
        { "CommandEMail", "E-Mail" },
        { "CommandAppointment", "Appointment" },
        { "CommandTask", "Task" },
    };
    int index = 0;
    for (const auto& [name, caption] : buttons) {
        QPushButton* button = makeButton(name, QLatin1String(caption));
        button->setParent(frame);
        layout->addWidget(button, index / 2, index % 2);
        ++index;
    }
    return frame;
}

QWidget* FormContacts::buildAutodial()
{
    auto* frame = new QGroupBox(QStringLiteral("Autodial"), this);
    frame->setObjectName(QStringLiteral("FrameAutodial"));
    // Picture-only buttons: the tip is also the name a screen reader gives them.
    const auto button = [frame](const char* name, const QIcon& picture, const QString& toolTip) {
        auto* made = new QPushButton(picture, QString(), frame);
        made->setObjectName(QLatin1String(name));
        made->setToolTip(toolTip);
        made->setAccessibleName(toolTip);
        made->setIconSize(QSize(22, 22));
        return made;
    };
    const QIcon telephone(QStringLiteral(":/ui/icons/Telephone.svg"));
    const QIcon callLog(QStringLiteral(":/ui/icons/CallLog.svg"));
    const QString logTip = QStringLiteral("Note the call in the call log");
    m_dialDirect = button("Command1", telephone, QStringLiteral("Dial the direct telephone"));
    m_dialCell = button("Command2", telephone, QStringLiteral("Dial the cellphone"));
    m_logDirect = button("CommandTel", callLog, logTip);
    m_logCell = button("CommandCel", callLog, logTip);
    m_directLine = new QLabel(frame);
    m_directLine->setObjectName(QStringLiteral("Label1"));
    m_cellphone = new QLabel(frame);
    m_cellphone->setObjectName(QStringLiteral("Label2"));
    auto* layout = new QGridLayout(frame);
    layout->addWidget(m_dialDirect, 0, 0);
    layout->addWidget(m_directLine, 0, 1);
    layout->addWidget(m_logDirect, 0, 2);
    layout->addWidget(m_dialCell, 1, 0);
    layout->addWidget(m_cellphone, 1, 1);
    layout->addWidget(m_logCell, 1, 2);
    layout->setColumnMinimumWidth(1, 90);
    return frame;
}

void FormContacts::connectCommunication()
{
    const auto button
        = [this](const char* name) { return findChild<QPushButton*>(QLatin1String(name)); };
    connect(button("CommandLetter"), &QPushButton::clicked, this, [this] {
        if (m_communication.writeLetter(correspondent()))
            startAutoSave(m_timerWord);
    });
    connect(button("CommandFax"), &QPushButton::clicked, this, [this] {
        if (m_communication.writeFax(correspondent()))
            startAutoSave(m_timerWord);
    });
    connect(button("CommandEMail"), &QPushButton::clicked, this, [this] {
        if (m_communication.writeEMail(correspondent()))
            startAutoSave(m_timerOutlook);
    });
    connect(button("CommandAppointment"), &QPushButton::clicked, this,
        [this] { m_communication.makeAppointment(correspondent()); });
    connect(button("CommandTask"), &QPushButton::clicked, this,
        [this] { m_communication.makeTask(correspondent()); });
    connect(button("CommandReport"), &QPushButton::clicked, this,
        [] { ui::Screens::bringToFront(QStringLiteral("FormCreateCallReport")); });
    connect(m_dialDirect, &QPushButton::clicked, this, [this] { dial(QStringLiteral("TEXT08")); });
    connect(m_dialCell, &QPushButton::clicked, this, [this] { dial(QStringLiteral("TEXT04")); });
    connect(
        m_logDirect, &QPushButton::clicked, this, [this] { logCall(QStringLiteral("TEXT08")); });
    connect(m_logCell, &QPushButton::clicked, this, [this] { logCall(QStringLiteral("TEXT04")); });
}

void FormContacts::declareHints()
{
    const auto control
        = [this](const char* name) { return findChild<QWidget*>(QLatin1String(name)); };
    m_hints->setHint(control("TEXT08"), [this] {
        return QStringLiteral("Enter ") + fullName()
            + QStringLiteral("'s direct telephone number if it differs from ") + companyName()
            + QStringLiteral("'s telephone number.");
    });
    m_hints->setHint(control("TEXT09"), [this] {
        return QStringLiteral("Enter ") + fullName()
            + QStringLiteral("'s direct telefax number if it differs from ") + companyName()
            + QStringLiteral("'s telefax number.");
    });
    m_hints->setHint(control("MEMO02"), [this] {
        return QStringLiteral("Enter any keywords related to ") + fullName()
            + QStringLiteral(". These keywords could be hobbies, birthdays, newletters etc and can "
                             "be extracted or"
                             " filtered for when you generate a report on your contacts.");
    });
    const std::pair<const char*, const char*> toContact[] = {
        { "CommandLetter", "Write a letter to " },
        { "CommandFax", "Write a fax to " },
        { "CommandEMail", "Write an e-mail to " },
        { "CommandAppointment", "Set an appointment with " },
        { "CommandTask", "Set a task related to " },
    };
    for (const auto& [name, lead] : toContact) {
        const QString start = QLatin1String(lead);
        m_hints->setHint(
            control(name), [this, start] { return start + fullName() + QStringLiteral("."); });
    }
    m_hints->setHint(control("CommandReport"), [this] {
        return QStringLiteral("Write a call report related to ") + companyName()
            + QStringLiteral(".");
    });
    m_hints->setHint(m_dialDirect, [this] {
        return QStringLiteral("Dial ") + field(QStringLiteral("TEXT08"))
            + QStringLiteral(", using your modem.");
    });
    m_hints->setHint(m_dialCell, [this] {
        return QStringLiteral("Dial ") + field(QStringLiteral("TEXT04"))
            + QStringLiteral(", using your modem.");
    });
    m_hints->addBackground(detailsFrame());
}

bool FormContacts::showRecords(const ui::RecordQuery& query, QString* error)
{
    view()->setRecordSource(query.sql, query.parameters);
    if (view()->refresh())
        return true;
    *error = view()->lastError();
    return false;
}

void FormContacts::pickContact(int row)
{
    if (!view()->moveToBookmark(m_contacts->bookmarkAt(row))) {
        platform::MessageBox::show(this, QStringLiteral("There are no records to choose from"),
            platform::MessageBox::Icon::Critical);
        markContactInList();
        return;
    }
    autodial();
}

void FormContacts::newContact()
{
    ui::CompanyAccess* company = ui::CompanyAccess::companiesScreen();
    // A contact without its company's key would belong to no company and never be listed.
    if (company && !ui::RecordViews::storeNewCompany(*company, this))
        return;
    if (!company || !company->companyKey().isValid()) {
        platform::MessageBox::information(this, QStringLiteral("Please choose a company first."));
        return;
    }
    if (!isEditMode())
        enterEditMode();
    if (!view()->refresh() || !view()->addNew()) {
        platform::MessageBox::error(this, view()->lastError());
        return;
    }
    view()->setValue(QStringLiteral("DATE03"), data::Clock::today());
    view()->setValue(QStringLiteral("NUMBER01"), company->companyKey());
    const QVariant telephone = company->companyValue(QStringLiteral("TEXT10"));
    if (!telephone.toString().isEmpty())
        view()->setValue(QStringLiteral("TEXT08"), telephone);
    const QVariant telefax = company->companyValue(QStringLiteral("TEXT11"));
    if (!telefax.toString().isEmpty())
        view()->setValue(QStringLiteral("TEXT09"), telefax);
    keepFullName();
    focusFirstField();
}

void FormContacts::saveChanges()
{
    leaveEditMode();
    if (!view()->refresh())
        platform::MessageBox::error(this, view()->lastError());
}

void FormContacts::deleteContact()
{
    const QString question
        = QStringLiteral("Are you sure you want to delete ") + fullName() + QStringLiteral("?");
    if (!platform::MessageBox::question(this, question, platform::MessageBox::No))
        return;
    if (view()->rowCount() < 1)
        return;
    // A new row never stored has nothing to delete.
    if (view()->isNewRow() || !view()->deleteCurrent() || !view()->refresh()) {
        platform::MessageBox::show(this, QStringLiteral("There are no contacts to delete"),
            platform::MessageBox::Icon::Information);
    }
}

void FormContacts::autodial()
{
    const QString direct = field(QStringLiteral("TEXT08"));
    const QString cell = field(QStringLiteral("TEXT04"));
    m_directLine->setText(direct);
    m_cellphone->setText(cell);
    m_directLine->setVisible(!direct.isEmpty());
    m_dialDirect->setVisible(!direct.isEmpty());
    m_cellphone->setVisible(!cell.isEmpty());
    m_dialCell->setVisible(!cell.isEmpty());
    m_logDirect->setVisible(!direct.isEmpty());
    m_logCell->setVisible(!cell.isEmpty());
}

void FormContacts::startAutoSave(ui::AutoSave* timer)
{
    // Saved at once too: a "Yes" before the first tick must not store the working
    // file an earlier document left behind.
    timer->saveNow();
    timer->start();
}

void FormContacts::stopAutoSave(ui::AutoSave::Kind kind)
{
    (kind == ui::AutoSave::Kind::Document ? m_timerWord : m_timerOutlook)->stop();
}

Correspondent FormContacts::correspondent() const
{
    const ui::CompanyAccess* company = ui::CompanyAccess::companiesScreen();
    const auto ofCompany = [company](const char* column) {
        return company ? data::displayText(company->companyValue(QLatin1String(column)))
                       : QString();
    };
    Correspondent to;
    to.title = field(QStringLiteral("TEXT01"));
    to.firstName = field(QStringLiteral("TEXT02"));
    to.lastName = field(QStringLiteral("TEXT03"));
    to.cellphone = field(QStringLiteral("TEXT04"));
    to.email = field(QStringLiteral("TEXT05")).trimmed();
    to.directTelephone = field(QStringLiteral("TEXT08"));
    to.directFax = field(QStringLiteral("TEXT09"));
    to.company = ofCompany("TEXT01");
    to.postalAddress = ofCompany("TEXT03");
    to.postalCity = ofCompany("TEXT04");
    to.postalCode = ofCompany("TEXT05");
    to.streetAddress = ofCompany("TEXT06");
    to.streetLine2 = ofCompany("TEXT07");
    to.city = ofCompany("TEXT08");
    return to;
}

void FormContacts::askToSave(ui::SaveQuestion::Pending pending)
{
    ui::RecordViews::show(
        ui::RecordViews::View::Correspondence, ui::RecordViews::Branch::Companies);
    if (auto* question
        = ui::Screens::instance<ui::SaveQuestion>(QStringLiteral("FormCorrespondence")))
        question->askToSave(pending);
}

void FormContacts::dial(const QString& numberField)
{
    // The dialler waits for the modem with the window alive; a second dial must not start
    // meanwhile.
    m_activities->setEnabled(false);
    m_autodial->setEnabled(false);
    QPointer<FormContacts> self(this);
    ModemDialer dialer([self](const QString& message) {
        platform::MessageBox::show(self, message, platform::MessageBox::Icon::None);
    });
    dialer.dial(field(numberField));
    if (!self)
        return;
    m_activities->setEnabled(true);
    m_autodial->setEnabled(true);
}

void FormContacts::logCall(const QString& numberField)
{
    const CallLog::Call call { data::Clock::now(), field(numberField),
        field(QStringLiteral("TEXT02")), field(QStringLiteral("TEXT03")), companyName() };
    QString error;
    if (!CallLog::log(call, &error))
        platform::MessageBox::warning(this, error);
}

void FormContacts::showContact()
{
    // A row written by an older version or another program may carry a stale full name.
    keepFullName();
    m_entered->setText(
        fullName() + QStringLiteral(" was Entered on ") + field(QStringLiteral("DATE03")));
    autodial();
    markContactInList();
}

void FormContacts::markContactInList()
{
    QItemSelectionModel* marks = m_list->selectionModel();
    const int row = view()->position();
    if (!view()->hasCurrentRow() || row >= m_contacts->rowCount()) {
        marks->clear();
        return;
    }
    const QModelIndex index = m_contacts->index(row, 0);
    if (marks->currentIndex() != index)
        marks->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void FormContacts::fieldChanged(const QString& name)
{
    if (name == u"TEXT02" || name == u"TEXT03")
        keepFullName();
    if (name == u"TEXT02" || name == u"TEXT03" || name == u"DATE03")
        m_entered->setText(
            fullName() + QStringLiteral(" was Entered on ") + field(QStringLiteral("DATE03")));
    if (name == u"TEXT04" || name == u"TEXT08")
        autodial();
}

void FormContacts::keepFullName()
{
    if (view()->hasCurrentRow())
        view()->setValue(QStringLiteral("TEXT11"), fullName());
}

QString FormContacts::fullName() const
{
    return field(QStringLiteral("TEXT02")) + QLatin1Char(' ') + field(QStringLiteral("TEXT03"));
}

QString FormContacts::companyName() const
{
    // The company the screen was opened for, which also names a company without contacts; in
    // archive mode that is the archive screen's company.
    const auto* company
        = ui::Screens::instance<ui::CompanyAccess>(ui::RecordViews::sourceScreenName(m_branch));
    return company && company->companyKey().isValid()
        ? data::displayText(company->companyValue(QStringLiteral("TEXT01")))
        : QString();
}

QString FormContacts::field(const QString& name) const
{
    const QVariant value = view()->value(name);
    return value.isNull() ? QString() : data::displayText(value);
}

void FormContacts::print()
{
    QString error;
    if (!printScreen(&error))
        platform::MessageBox::error(this, error);
}

} // namespace vantrel::companies
