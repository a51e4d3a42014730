#include "maintenance/FormDelete.h"

#include "data/Compaction.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "maintenance/DatabaseSize.h"
#include "maintenance/OldActivities.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/ManualLink.h"
#include "ui/NamedWidget.h"
#include "ui/Screens.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::maintenance {

namespace {

const QString lineBreak = QStringLiteral("\r\n");
const QString typedDateForm = QStringLiteral("dd-mm-yyyy");

QString nativeTempFolder()
{
    return QDir::toNativeSeparators(data::programFolder()) + QDir::separator()
        + QStringLiteral("Temp");
}

} // namespace

const QString FormDelete::backupFile = QStringLiteral("Temp/CONTACT.mdb");

FormDelete::FormDelete(QWidget* parent)
    : QWidget(parent)
    , m_size(new QLabel(this))
    , m_yes(ui::named<QPushButton>("CommandYes", QStringLiteral("&Yes"), this))
    , m_no(ui::named<QPushButton>("CommandNo", QStringLiteral("&No"), this))
    , m_date(new QLineEdit(this))
    , m_dateHint(new QLabel(typedDateForm, this))
    , m_delete(ui::named<QPushButton>("CommandDelete", QStringLiteral("&Delete"), this))
    , m_deleting(new QLabel(this))
{
    setObjectName(QStringLiteral("FormDelete"));
    m_manual = new ui::ManualLink(this);
    m_size->setObjectName(QStringLiteral("LabelSize"));
    m_size->setWordWrap(true);
    m_date->setObjectName(QStringLiteral("MaskEdBoxDate"));
    m_date->setInputMask(QStringLiteral("99-99-9999;_"));
    m_dateHint->setObjectName(QStringLiteral("LabelHint"));
    m_deleting->setObjectName(QStringLiteral("LabelDeleting"));
    m_deleting->setWordWrap(true);
    for (QWidget* hidden : { static_cast<QWidget*>(m_date), static_cast<QWidget*>(m_dateHint),
             static_cast<QWidget*>(m_delete), static_cast<QWidget*>(m_deleting) })
        hidden->hide();

    auto* answers = new QHBoxLayout;
    answers->addWidget(m_yes);
    answers->addWidget(m_no);
    answers->addStretch(1);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date);
    dateRow->addWidget(m_dateHint);
    dateRow->addWidget(m_delete);
    dateRow->addStretch(1);
    auto* helpRow = new QHBoxLayout;
    helpRow->addStretch(1);
    helpRow->addWidget(m_manual->button());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_size);
    layout->addLayout(answers);
    layout->addLayout(dateRow);
    layout->addWidget(m_deleting);
    layout->addStretch(1);
    layout->addLayout(helpRow);

    connect(m_no, &QPushButton::clicked, this, &FormDelete::answerNo);
    connect(m_yes, &QPushButton::clicked, this, &FormDelete::answerYes);
    connect(m_date, &QLineEdit::textChanged, m_delete, &QWidget::show);
    connect(m_delete, &QPushButton::clicked, this, &FormDelete::deleteOldRecords);
    screenActivated();
}

// The question is asked afresh on each activation; once answered, the screen
// keeps the instruction that replaced it.
void FormDelete::screenActivated()
{
    if (m_state != State::Question)
        return;
    const qint64 bytes = DatabaseSize::bytesOf(QStringLiteral("CONTACT.mdb"));
    if (bytes < 0) {
        m_size->clear();
        return;
    }
    m_size->setText(QStringLiteral("Your database is ")
        + DatabaseSize::megabytes(bytes, DatabaseSize::Megabytes::UpToTwoDecimals)
        + QStringLiteral(" MB in size, which is ") + DatabaseSize::percent(bytes)
        + QStringLiteral(" % of its maximum capacity .Do you want to delete old activities (call "
                         "reports, faxes, letters and projects)?"));
}

void FormDelete::answerNo()
{
    ui::Screens::bringToFront(QStringLiteral("FormMenu"));
}

void FormDelete::answerYes()
{
    const auto answer = platform::MessageBox::show(this,
        QStringLiteral("Do you want to make a backup of the database 'CONTACT.mdb'in the folder ")
            + nativeTempFolder() + QStringLiteral(" before deleting?"),
        platform::MessageBox::Icon::None, platform::MessageBox::Yes | platform::MessageBox::No);
    if (answer == platform::MessageBox::Yes && !makeBackup())
        return;
    showDateEntry();
}

// A copy through the engine's online backup is consistent even while other
// screens hold the database open. Without it, nothing may be deleted.
bool FormDelete::makeBackup()
{
    ui::Screens::close(QStringLiteral("FormMenu"));
    QString error;
    bool made = false;
    {
        platform::BusyCursor busy;
        data::Database db;
        made = data::openBusinessDatabase(db) ? data::backupDatabase(db, backupFile, &error)
                                              : (error = db.lastError(), false);
    }
    if (!made) {
        platform::MessageBox::critical(this,
            QStringLiteral("The backup of the database could not be made, so nothing has been "
                           "deleted.")
                + lineBreak + error);
    }
    return made;
}

void FormDelete::showDateEntry()
{
    m_state = State::DateEntry;
    m_size->setText(QStringLiteral("Enter a date. All call reports, faxes, letters and projects "
                                   "generated before this date will be permanently deleted."));
    m_yes->hide();
    m_no->hide();
    m_date->show();
    m_dateHint->show();
    m_date->setFocus(Qt::OtherFocusReason);
}

void FormDelete::deleteOldRecords()
{
    const QString typed = m_date->text();
    const QDate before = OldActivities::parseTypedDate(typed);
    if (!before.isValid()) {
        platform::MessageBox::error(this,
            QStringLiteral("'%1' is not a valid date. Type the day, the month and the year as %2, "
                           "for example 31-12-2008.")
                .arg(m_date->displayText(), typedDateForm));
        return;
    }

    m_state = State::Deleting;
    m_delete->setEnabled(false);
    m_deleting->setText(QStringLiteral("Checking and deleting record . Plase wait..."));
    m_deleting->show();
    QString error;
    bool deleted = false;
    {
        platform::BusyCursor busy;
        data::Database db;
        deleted = data::openBusinessDatabase(db) ? OldActivities::remove(
                      db, before,
                      [this, typed](int table, const QList<qint64>& remaining) {
                          m_deleting->setText(QStringLiteral("Checking dates and deleting ")
                              + activityTables().at(table).phrase + QStringLiteral(" older then ")
                              + typed + QStringLiteral(". Please wait..."));
                          showProgress(table, remaining);
                      },
                      nullptr, &error)
                                                 : (error = db.lastError(), false);
    }
    if (!deleted) {
        m_state = State::DateEntry;
        m_delete->setEnabled(true);
        m_deleting->hide();
        m_size->setText(
            QStringLiteral("Enter a date. All call reports, faxes, letters and projects "
                           "generated before this date will be permanently deleted."));
        platform::MessageBox::error(this, error);
        return;
    }
    m_size->hide();
    m_deleting->hide();
    platform::MessageBox::show(this,
        QStringLiteral("All selected records have been deleted.") + lineBreak
            + QStringLiteral("Now go to 'Maintenance and Replication' and compact the database."),
        platform::MessageBox::Icon::None);
    ui::Screens::close(objectName());
    ui::Screens::bringToFront(QStringLiteral("FormMaintenance"));
}

// The count of the table done last, as the row-by-row walk showed it on the
// last row that stayed.
void FormDelete::showProgress(int table, const QList<qint64>& remaining)
{
    if (table > 0 && remaining.size() >= table) {
        const ActivityTable& done = activityTables().at(table - 1);
        const QString count = QString::number(remaining.at(table - 1));
        m_size->setText(QStringLiteral("Checking ") + done.singular + QLatin1Char(' ') + count
            + QStringLiteral(" of ") + count + QStringLiteral(" remaining ") + done.plural
            + QLatin1Char('.'));
    }
    m_size->repaint();
    m_deleting->repaint();
}

} // namespace vantrel::maintenance
