#include "activities/FormCreateCallReport.h"

#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "office/WordProcessor.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/AutoSave.h"
#include "ui/CompanyAccess.h"
#include "ui/HintLine.h"
#include "ui/LoadIndicator.h"
#include "ui/ManualLink.h"
#include "ui/RecordViews.h"
#include "ui/Resources.h"
#include "ui/SaveQuestion.h"
#include "ui/Screens.h"
#include "ui/Twips.h"
#include "ui/WorkingFiles.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

namespace vantrel::activities {

namespace {

const QString meeting = QStringLiteral("Meeting");
const QString twelveHours = QStringLiteral("hh:mm AP");
const QString twentyFourHours = QStringLiteral("HH:mm");

// Contacts of the company as the list shows them: first and last name, then the
// occupation in parentheses; ordered by first name.
const QString contactsQuery
    = QStringLiteral("SELECT *, COALESCE(TABLE03.TEXT02, '') || ' ' || COALESCE(TABLE03.TEXT03, '')"
                     " || '   (' || COALESCE(TABLE03.TEXT06, '') || ')' AS FullName"
                     " FROM TABLE03 WHERE TABLE03.NUMBER01 = ? ORDER BY TABLE03.TEXT02");

QString timeNow()
{
    return QLocale::c().toString(data::Clock::now().time(), twentyFourHours);
}

QGroupBox* stepFrame(const char* name, const QString& title, QWidget* parent)
{
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(QLatin1String(name));
    frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return frame;
}

} // namespace

FormCreateCallReport::FormCreateCallReport(QWidget* parent)
    : QWidget(parent)
    , m_hints(new ui::HintLine(this))
    , m_loading(nullptr)
    , m_contacts(new data::BoundView(this))
{
    setObjectName(QStringLiteral("FormCreateCallReport"));
    setWindowTitle(QStringLiteral("Call Report"));
    ui::ensureResources();
    m_loading = new ui::LoadIndicator(this);
    m_contacts->setObjectName(QStringLiteral("DataContacts"));

    m_go = new QPushButton(QStringLiteral("&Go"), this);
    m_go->setObjectName(QStringLiteral("CommandGo"));
    m_go->setToolTip(QStringLiteral("Start writing your Call Report"));
    m_go->hide();
    connect(m_go, &QPushButton::clicked, this, &FormCreateCallReport::startWriting);

    // Hidden frames take no room, so each step comes up in the leftmost place.
    auto* steps = new QHBoxLayout;
    steps->addWidget(buildMethodFrame());
    steps->addWidget(buildTimeFrame());
    steps->addWidget(buildDateFrame());
    steps->addWidget(buildContactsFrame());
    steps->addWidget(m_go, 0, Qt::AlignBottom);
    steps->addStretch();
    // One height for every step, so the header below stays where it is.
    const int stepHeight = m_frameDate->sizeHint().height();
    const int narrow = ui::twipsToPixelsX(3600, this);
    m_frameMethod->setFixedSize(narrow, stepHeight);
    m_frameTime->setFixedSize(narrow, stepHeight);
    m_frameDate->setFixedHeight(stepHeight);
    m_frameContacts->setFixedSize(ui::twipsToPixelsX(5400, this), stepHeight);

    auto* manual = new ui::ManualLink(this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_hints->frame(), 1);
    bottom->addWidget(manual->button(), 0, Qt::AlignBottom);
    m_hints->frame()->setMinimumHeight(60);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(steps);
    layout->addWidget(buildHeaderFrame(), 1);
    layout->addWidget(m_loading);
    layout->addLayout(bottom);
    declareHints();
}

QGroupBox* FormCreateCallReport::buildMethodFrame()
{
    m_frameMethod = stepFrame("FrameMethod", QStringLiteral("Select the Method of Contact"), this);
    m_methods = new QListWidget(m_frameMethod);
    m_methods->setObjectName(QStringLiteral("ListMethod"));
    m_methods->addItems({ QStringLiteral("Correspondence"), QStringLiteral("Delivery"), meeting,
        QStringLiteral("Other"), QStringLiteral("Telephone Call") });
    (new QVBoxLayout(m_frameMethod))->addWidget(m_methods);
    connect(m_methods, &QListWidget::itemClicked, this, &FormCreateCallReport::pickMethod);
    return m_frameMethod;
}

QGroupBox* FormCreateCallReport::buildTimeFrame()
{
    m_frameTime = stepFrame("FrameTime", QStringLiteral("Select the Time"), this);
    m_times = new QComboBox(m_frameTime);
    m_times->setObjectName(QStringLiteral("ComboTime"));
    for (int step = 0; step < 48; ++step) {
        const QTime time = QTime(6, 0).addSecs(step * 15 * 60);
        m_times->addItem(QLocale::c().toString(time, twelveHours), time);
    }
    m_times->setCurrentIndex(-1);
    m_time = new QLineEdit(timeNow(), m_frameTime);
    m_time->setObjectName(QStringLiteral("TextTime"));
    m_time->installEventFilter(this);
    m_format = new QCheckBox(QStringLiteral("Change Format"), m_frameTime);
    m_format->setObjectName(QStringLiteral("CheckFormat"));
    m_format->setToolTip(QStringLiteral("Change to 24 Hour Setting"));
    m_format->hide();

    auto* layout = new QVBoxLayout(m_frameTime);
    layout->addWidget(m_times);
    layout->addWidget(m_time);
    layout->addWidget(m_format);
    layout->addStretch();
    connect(m_times, &QComboBox::activated, this, &FormCreateCallReport::pickTime);
    connect(m_format, &QCheckBox::clicked, this, &FormCreateCallReport::changeFormat);
    m_frameTime->hide();
    return m_frameTime;
}

QGroupBox* FormCreateCallReport::buildDateFrame()
{
    m_frameDate = stepFrame("FrameDate", QStringLiteral("Select the Date"), this);
    m_calendar = new QCalendarWidget(m_frameDate);
    m_calendar->setObjectName(QStringLiteral("MonthView1"));
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    (new QVBoxLayout(m_frameDate))->addWidget(m_calendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &FormCreateCallReport::pickDate);
    m_frameDate->hide();
    return m_frameDate;
}

QGroupBox* FormCreateCallReport::buildContactsFrame()
{
    m_frameContacts
        = stepFrame("FrameContacts", QStringLiteral("Select Person(s) Contacted"), this);
    auto* model = new data::BoundViewModel(m_contacts, this);
    model->setColumns({ { QStringLiteral("FullName"), QStringLiteral("FullName") } });
    m_names = new QListView(m_frameContacts);
    m_names->setObjectName(QStringLiteral("DBListNames"));
    m_names->setModel(model);
    m_names->setEditTriggers(QAbstractItemView::NoEditTriggers);
    (new QVBoxLayout(m_frameContacts))->addWidget(m_names);
    connect(m_names, &QListView::clicked, this, &FormCreateCallReport::pickPerson);
    m_frameContacts->hide();
    return m_frameContacts;
}

QGroupBox* FormCreateCallReport::buildHeaderFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Your Call Report Header"), this);
    frame->setObjectName(QStringLiteral("FrameHeader"));
    m_headerView = new QTextEdit(frame);
    m_headerView->setObjectName(QStringLiteral("RichTextBoxHeader"));
    m_headerView->setReadOnly(true);
    (new QVBoxLayout(frame))->addWidget(m_headerView);
    m_hints->addBackground(frame);
    return frame;
}

void FormCreateCallReport::declareHints()
{
    m_hints->setHint(m_methods, [this] {
        return QStringLiteral("Select how you were in contact with ") + companyName()
            + QStringLiteral(". A Meeting also sets the date of your last visit.");
    });
    m_hints->setHint(m_times,
        QStringLiteral("Select the time of the contact, or type it into the box below and then "
                       "select the date."));
    m_hints->setHint(m_time, QStringLiteral("The time that your call report will show."));
    m_hints->setHint(m_format, QStringLiteral("Change to 24 Hour Setting"));
    m_hints->setHint(m_calendar, QStringLiteral("Click the day of the contact."));
    m_hints->setHint(m_names, [this] {
        return QStringLiteral("Click each person you contacted at ") + companyName()
            + QStringLiteral(". Every click adds a line to your header.");
    });
    m_hints->setHint(m_go,
        QStringLiteral("Start writing your Call Report in the word processor, on your "
                       "letterhead and below this header."));
    for (QGroupBox* frame : { m_frameMethod, m_frameTime, m_frameDate, m_frameContacts })
        m_hints->addBackground(frame);
}

void FormCreateCallReport::screenActivated()
{
    loadContacts();
    m_header.reset(company());
    showHeader();
    m_calendar->setSelectedDate(data::Clock::today());
}

void FormCreateCallReport::loadContacts()
{
    if (!m_contacts->database()) {
        auto business = std::make_shared<data::Database>();
        if (!data::openBusinessDatabase(*business)) {
            showContactsFailure(business->lastError());
            return;
        }
        if (!m_contacts->setDatabase(business)) {
            showContactsFailure(m_contacts->lastError());
            return;
        }
    }
    const ui::CompanyAccess* current = company();
    m_contacts->setRecordSource(contactsQuery, { current ? current->companyKey() : QVariant() });
    if (!m_contacts->refresh())
        showContactsFailure(m_contacts->lastError());
}

void FormCreateCallReport::showContactsFailure(const QString& error)
{
    platform::MessageBox::error(
        this, QStringLiteral("The contacts of the company could not be read: %1").arg(error));
}

void FormCreateCallReport::pickMethod(QListWidgetItem* item)
{
    m_header.addMethod(item->text());
    showHeader();
    m_frameTime->show();
    m_time->setText(timeNow());
    m_frameMethod->hide();
    m_times->setFocus(Qt::OtherFocusReason);
    if (item->text() == meeting) {
        if (ui::CompanyAccess* current = company())
            current->setLastVisited(data::Clock::today());
    }
}

void FormCreateCallReport::pickTime(int index)
{
    m_time->setText(m_times->itemText(index));
    m_format->show();
    m_frameDate->show();
}

void FormCreateCallReport::changeFormat(bool twentyFour)
{
    // Always from the list entry: a time typed by hand gives way to it.
    const QTime entry = m_times->currentData().toTime();
    if (entry.isValid())
        m_time->setText(QLocale::c().toString(entry, twentyFour ? twentyFourHours : twelveHours));
}

bool FormCreateCallReport::eventFilter(QObject* watched, QEvent* event)
{
    // A time typed by hand is used as it stands once the date is picked.
    if (watched == m_time && event->type() == QEvent::MouseButtonPress)
        m_frameDate->show();
    return QWidget::eventFilter(watched, event);
}

void FormCreateCallReport::pickDate(const QDate& date)
{
    m_header.addDateAndTime(date, m_time->text());
    showHeader();
    m_frameContacts->show();
    m_frameTime->hide();
    m_frameDate->hide();
    m_go->show();
}

void FormCreateCallReport::pickPerson(const QModelIndex& index)
{
    m_header.addPerson(index.data().toString());
    showHeader();
}

void FormCreateCallReport::startWriting()
{
    QString error;
    if (!openReport(&error))
        platform::MessageBox::error(this, error);
}

bool FormCreateCallReport::openReport(QString* error)
{
    platform::BusyCursor busy;
    const ui::LoadIndicator::Showing loading(m_loading, ui::LoadIndicator::Program::Word);
    const bool meetingReport = isMeeting();
    if (meetingReport) {
        if (ui::CompanyAccess* current = company())
            current->setLastVisited(m_calendar->selectedDate());
    }
    offerReminder(meetingReport);

    office::WordProcessor::Instance document = 0;
    if (!writeDocument(&document, error))
        return false;
    ui::RecordViews::show(ui::RecordViews::View::CallReports, ui::RecordViews::Branch::Companies);
    if (auto* question = ui::Screens::instance<ui::SaveQuestion>(QStringLiteral("FormCallReports")))
        question->askToSave(ui::SaveQuestion::Pending::Document);
    keepReminderClearOfTheQuestion();
    // The report is written there now; the browser only waits for the answer.
    QString ignored;
    office::WordProcessor::instance().show(document, &ignored);
    if (!m_autoSave) {
        m_autoSave = new ui::AutoSave(ui::AutoSave::Kind::Document, this);
        m_autoSave->start();
    }
    return true;
}

bool FormCreateCallReport::writeDocument(office::WordProcessor::Instance* document, QString* error)
{
    office::WordProcessor& word = office::WordProcessor::instance();
    const office::WordProcessor::Instance started = word.start();
    if (!word.addDocument(started, ui::letterheadPath(), error)) {
        // Nothing was shown; an empty instance left running would only confuse the auto-save.
        QString ignored;
        word.quit(started, &ignored);
        return false;
    }
    const ui::CompanyAccess* current = company();
    const QString preamble
        = current ? current->companyValue(QStringLiteral("MEMO02")).toString() : QString();
    if (!word.show(started, error)
        || !word.typeText(started, m_header.documentText(preamble), error)
        || !word.moveToEnd(started, error))
        return false;
    *document = started;
    return true;
}

void FormCreateCallReport::offerReminder(bool meetingReport)
{
    const ui::CompanyAccess* current = company();
    const QString frequency = current
        ? current->companyValue(QStringLiteral("NUMBER01")).toString().trimmed()
        : QString();
    const QString reminder = QStringLiteral("FormReminder");
    if (frequency.isEmpty() || frequency == QLatin1String("0")) {
        if (QWidget* shown = ui::Screens::existing(reminder))
            shown->hide();
        return;
    }
    if (!meetingReport)
        return;
    // A reminder kept hidden from an earlier report may name another company.
    ui::Screens::close(reminder);
    ui::Screens::bringToFront(reminder);
}

void FormCreateCallReport::keepReminderClearOfTheQuestion()
{
    // Both wait for the user at once; the reminder must not hide the question whether to
    // store the report.
    QWidget* reminder = ui::Screens::existing(QStringLiteral("FormReminder"));
    QWidget* browser = ui::Screens::existing(QStringLiteral("FormCallReports"));
    QWidget* question
        = browser ? browser->findChild<QWidget*>(QStringLiteral("FrameSave")) : nullptr;
    if (!reminder || !reminder->isVisible() || !question || !question->isVisible())
        return;
    const QRect asked(question->mapToGlobal(QPoint(0, 0)), question->size());
    QRect place = reminder->frameGeometry();
    if (!place.intersects(asked))
        return;
    const QRect available = question->screen()->availableGeometry();
    if (asked.bottom() + place.height() <= available.bottom())
        place.moveTop(asked.bottom() + 1);
    else if (asked.top() - place.height() >= available.top())
        place.moveBottom(asked.top() - 1);
    else if (asked.right() + place.width() <= available.right())
        place.moveLeft(asked.right() + 1);
    else
        place.moveRight(asked.left() - 1);
    reminder->move(place.topLeft());
}

void FormCreateCallReport::showHeader()
{
    m_headerView->setPlainText(m_header.lines().join(QLatin1Char('\n')));
}

bool FormCreateCallReport::isMeeting() const
{
    const QListWidgetItem* item = m_methods->currentItem();
    return item && item->text() == meeting;
}

ui::CompanyAccess* FormCreateCallReport::company() const
{
    return ui::CompanyAccess::companiesScreen();
}

QString FormCreateCallReport::companyName() const
{
    return ui::CompanyAccess::nameOf(company());
}

} // namespace vantrel::activities
