#include "companies/FormReminder.h"

#include "companies/ReminderDate.h"
#include "data/Clock.h"
#include "data/FieldValues.h"
#include "office/MailProgram.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/CompanyAccess.h"
#include "ui/HintLine.h"
#include "ui/Resources.h"
#include "ui/Twips.h"

#include <QCalendarWidget>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::companies {

FormReminder::FormReminder(QWidget* companyScreen, QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , m_screen(companyScreen)
    , m_hints(new ui::HintLine(this))
    , m_question(new QLabel(this))
    , m_yes(new QPushButton(QStringLiteral("&Yes"), this))
    , m_no(new QPushButton(QStringLiteral("&No"), this))
    , m_calendar(new QCalendarWidget(this))
    , m_go(new QPushButton(QStringLiteral("&Go"), this))
    , m_dueDate(new QLineEdit(this))
    , m_day(new QLineEdit(this))
    , m_loading(new QWidget(this))
{
    setObjectName(QStringLiteral("FormReminder"));
    setWindowTitle(QStringLiteral("Reminder..."));
    // The company must not change under the question. Only the main window is
    // blocked: the word processor's window, where the call report that offered
    // this reminder is being written, stays open to typing.
    setWindowModality(Qt::WindowModal);

    m_question->setObjectName(QStringLiteral("LabelReminder"));
    m_question->setWordWrap(true);
    m_question->setText(
        QStringLiteral("Do you want to set a Reminder in MS-Outlook, advising you when ")
        + companyName() + QStringLiteral(" is due for a Meeting again?"));
    m_yes->setObjectName(QStringLiteral("CommandYes"));
    m_no->setObjectName(QStringLiteral("CommandNo"));
    m_calendar->setObjectName(QStringLiteral("MonthView1"));
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->hide();
    m_go->setObjectName(QStringLiteral("CommandGo"));
    m_go->hide();
    m_dueDate->setObjectName(QStringLiteral("TextDueDate"));
    m_dueDate->hide();
    m_day->setObjectName(QStringLiteral("TextDay"));
    m_day->hide();

    ui::ensureResources();
    auto* image = new QLabel(m_loading);
    image->setObjectName(QStringLiteral("ImageOutlook"));
    image->setPixmap(QIcon(QStringLiteral(":/ui/icons/Outlook.svg")).pixmap(24, 24));
    auto* loadLabel = new QLabel(QStringLiteral("Loading MS-Outlook..."), m_loading);
    loadLabel->setObjectName(QStringLiteral("LabelLoad"));
    auto* loadLayout = new QHBoxLayout(m_loading);
    loadLayout->setContentsMargins(0, 0, 0, 0);
    loadLayout->addWidget(image);
    loadLayout->addWidget(loadLabel);
    loadLayout->addStretch();
    m_loading->hide();

    auto* answers = new QHBoxLayout;
    answers->addStretch();
    answers->addWidget(m_yes);
    answers->addWidget(m_no);
    auto* side = new QVBoxLayout;
    side->addWidget(m_hints->frame());
    side->addStretch();
    side->addWidget(m_loading);
    side->addWidget(m_go, 0, Qt::AlignRight);
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(m_calendar);
    chooser->addLayout(side, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_question);
    layout->addLayout(answers);
    layout->addLayout(chooser, 1);

    m_hints->setHint(m_calendar, [this] {
        return QStringLiteral("Your reminder will be set at ") + m_dueDate->text()
            + QStringLiteral(", which is 2 days before a meeting is due. You can however choose a "
                             "different date, using the calendar.");
    });

    connect(m_no, &QPushButton::clicked, this, &QWidget::close);
    connect(m_yes, &QPushButton::clicked, this, &FormReminder::answerYes);
    connect(m_go, &QPushButton::clicked, this, &FormReminder::createReminder);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this,
        [this] { chooseDay(m_calendar->selectedDate()); });

    resize(ui::twipsToPixels(QSize(7000, 2000), this));
}

void FormReminder::answerYes()
{
    ui::CompanyAccess* target = company();
    QDate due;
    QString error = QStringLiteral("The company is no longer on show.");
    if (!target
        || !ReminderDate::dueDay(target->companyValue(QStringLiteral("DATE01")),
            target->companyValue(QStringLiteral("NUMBER01")), data::Clock::today(), &due, &error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    resize(width(), ui::twipsToPixelsY(3800, this));
    m_question->hide();
    m_yes->hide();
    m_no->hide();
    m_calendar->setSelectedDate(due);
    m_calendar->show();
    m_go->show();
    m_day->setText(QLocale().dayName(due.dayOfWeek()));
    chooseDay(due);
}

void FormReminder::chooseDay(const QDate& day)
{
    m_dueDate->setText(data::displayText(day));
}

void FormReminder::createReminder()
{
    ui::CompanyAccess* target = company();
    if (!target) {
        platform::MessageBox::error(this, QStringLiteral("The company is no longer on show."));
        return;
    }
    const QDate day = m_calendar->selectedDate();
    QString error;
    {
        platform::BusyCursor busy;
        m_loading->show();
        office::MailProgram& program = office::MailProgram::instance();
        office::Task task = program.createTask();
        task.subject = QStringLiteral("Make an Appointment with ") + companyName();
        task.dueDate = day;
        const bool saved = program.save(task, &error);
        m_loading->hide();
        if (!saved) {
            platform::MessageBox::error(this, error);
            return;
        }
    }
    const QString note = QStringLiteral("A new appointment will be scheduled on ")
        + data::displayText(day) + QStringLiteral(".");
    // The task exists now; staying open would only invite a second one.
    if (!target->setAppointmentNote(note))
        platform::MessageBox::error(this,
            QStringLiteral("The reminder is in the agenda, but the note could not be "
                           "written into the company."));
    close();
}

ui::CompanyAccess* FormReminder::company() const
{
    return dynamic_cast<ui::CompanyAccess*>(m_screen.data());
}

QString FormReminder::companyName() const
{
    return ui::CompanyAccess::nameOf(company());
}

} // namespace vantrel::companies
