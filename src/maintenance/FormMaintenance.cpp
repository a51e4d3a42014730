#include "maintenance/FormMaintenance.h"

#include "data/Compaction.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "maintenance/BlankCompanies.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/HintLine.h"
#include "ui/MainWindow.h"
#include "ui/ManualLink.h"
#include "ui/NamedWidget.h"
#include "ui/Resources.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel::maintenance {

namespace {

const QString lineBreak = QStringLiteral("\r\n");

QString nativeTempFolder()
{
    return QDir::toNativeSeparators(data::programFolder()) + QDir::separator()
        + QStringLiteral("Temp");
}

} // namespace

const QString FormMaintenance::compactionBackup = QStringLiteral("Temp/CONTACT.bak");

FormMaintenance::FormMaintenance(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_replicationPlace(new QVBoxLayout)
    , m_frame(new QGroupBox(QStringLiteral("Maintenance"), this))
    , m_deleteFiles(ui::named<QPushButton>(
          "CommandDelete", QStringLiteral("Delete Temporary Files"), m_frame))
    , m_compact(ui::named<QPushButton>("CommandShowCompact",
          // "&&" shows the ampersand itself rather than underlining the next letter.
          QStringLiteral("Compact && Repair Database"), m_frame))
    , m_removeBlanks(
          ui::named<QPushButton>("CommandRemove", QStringLiteral("Remove Blank Entries"), m_frame))
    , m_size(new QLabel(m_frame))
{
    setObjectName(QStringLiteral("FormMaintenance"));
    setWindowTitle(QStringLiteral("Database Maintenance"));
    setWindowIcon(ui::programIcon());
    m_hints = new ui::HintLine(this);
    m_manual = new ui::ManualLink(this);
    m_frame->setObjectName(QStringLiteral("FrameMaintenance"));
    m_size->setObjectName(QStringLiteral("LabelSize"));
    m_size->setWordWrap(true);

    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_size);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_compact);
    buttons->addWidget(m_deleteFiles);
    buttons->addWidget(m_removeBlanks);
    buttons->addStretch(1);
    frameLayout->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_replicationPlace);
    layout->addWidget(m_frame);
    layout->addStretch(1);
    layout->addWidget(m_hints->frame());
    auto* helpRow = new QHBoxLayout;
    helpRow->addStretch(1);
    helpRow->addWidget(m_manual->button());
    layout->addLayout(helpRow);

    m_hints->addBackground(m_frame);
    m_hints->setHint(m_deleteFiles, [] {
        return QStringLiteral(
                   "Whenever a report is generated, this report is stored in the folder ")
            + nativeTempFolder() + QStringLiteral(". ")
            + QStringLiteral("Clicking 'Delete Temporary Files' will remove these reports.");
    });
    m_hints->setHint(m_compact,
        QStringLiteral("Compact & Repair Database:") + lineBreak
            + QStringLiteral("Over time, a database can grow in size. Once data gets deleted, the "
                             "database doesn't get smaller.")
            + QStringLiteral(" Compacting a database allows you to reclaim deleted space in your "
                             "database, thereby reducing the")
            + QStringLiteral(" size of the database. Using this feature can also repair a corrupt "
                             "database."));
    m_hints->setHint(m_removeBlanks,
        QStringLiteral("Sometimes a new company is entered by accident and left blank. Clicking on "
                       "'Remove Blank Entries'")
            + QStringLiteral(" will remove any such companies from the database."));

    connect(m_compact, &QPushButton::clicked, this, &FormMaintenance::compact);
    connect(m_deleteFiles, &QPushButton::clicked, this, &FormMaintenance::deleteTemporaryFiles);
    connect(m_removeBlanks, &QPushButton::clicked, this, &FormMaintenance::removeBlankEntries);
    refreshSize(DatabaseSize::Megabytes::TwoDecimals);
}

void FormMaintenance::setReplicationSection(QWidget* section)
{
    m_replicationPlace->addWidget(section);
}

void FormMaintenance::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_sized)
        return;
    m_sized = true;
    if (ui::MainWindow* main = ui::MainWindow::instance())
        resize(main->widget()->size());
}

void FormMaintenance::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (ui::MainWindow* main = ui::MainWindow::instance()) {
        QWidget* window = main->widget();
        if (!window->isVisible())
            window->show();
    }
}

void FormMaintenance::refreshSize(DatabaseSize::Megabytes pattern)
{
    m_size->setText(DatabaseSize::text(pattern));
}

void FormMaintenance::compact()
{
    // Nothing may hold the database open while it is replaced; the maintenance
    // window stays and brings the main window back when it closes.
    if (ui::MainWindow* main = ui::MainWindow::instance()) {
        if (main->widget()->isVisible())
            main->widget()->close();
    }
    // The closed screens let go of the database when they are deleted, at the
    // event loop's next turn; the compaction comes after that.
    m_compact->setEnabled(false);
    QTimer::singleShot(0, this, &FormMaintenance::compactClosedDatabase);
}

void FormMaintenance::compactClosedDatabase()
{
    QString error;
    bool compacted = false;
    {
        platform::BusyCursor busy;
        compacted = data::compactInPlace(QStringLiteral("CONTACT.mdb"), compactionBackup, &error);
    }
    m_compact->setEnabled(true);
    if (!compacted) {
        platform::MessageBox::show(this,
            QStringLiteral("An error was encountered. Please restart Vantrel and try again.")
                + lineBreak + lineBreak + error,
            platform::MessageBox::Icon::Critical);
        return;
    }
    platform::MessageBox::information(this, QStringLiteral("Compacting is complete."));
    refreshSize(DatabaseSize::Megabytes::UpToTwoDecimals);
}

// Only plain files of the folder go; sub-folders and what they hold stay.
void FormMaintenance::deleteTemporaryFiles()
{
    const QFileInfoList files = QDir(QStringLiteral("Temp")).entryInfoList(QDir::Files);
    if (files.isEmpty()) {
        platform::MessageBox::information(this,
            QStringLiteral("The folder ") + nativeTempFolder() + QStringLiteral(" is empty."));
        return;
    }
    QStringList kept;
    for (const QFileInfo& file : files) {
        if (!QFile::remove(file.filePath()))
            kept.append(file.fileName());
    }
    if (kept.isEmpty()) {
        platform::MessageBox::information(this,
            QStringLiteral("All files in ") + nativeTempFolder()
                + QStringLiteral(" have been deleted."));
        return;
    }
    platform::MessageBox::warning(this,
        QStringLiteral("These files in ") + nativeTempFolder()
            + QStringLiteral(" could not be deleted; they may be open in another program:")
            + lineBreak + kept.join(lineBreak));
}

void FormMaintenance::removeBlankEntries()
{
    QString error;
    bool removed = false;
    {
        platform::BusyCursor busy;
        data::Database db;
        removed = data::openBusinessDatabase(db) ? removeBlankCompanies(db, nullptr, &error)
                                                 : (error = db.lastError(), false);
    }
    if (!removed) {
        platform::MessageBox::error(this, error);
        return;
    }
    platform::MessageBox::information(this, QStringLiteral("All Blank Entries have been Removed!"));
}

} // namespace vantrel::maintenance
