#include "maintenance/ReplicationSection.h"

#include "data/Clock.h"
#include "data/FieldValues.h"
#include "data/FolderCopy.h"
#include "data/LastSynchronization.h"
#include "data/ProgramFolder.h"
#include "data/ReplicaSet.h"
#include "data/SyncConflictLog.h"
#include "maintenance/ConflictList.h"
#include "maintenance/ReplicaPaths.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/DocumentFileChooser.h"
#include "ui/HintLine.h"
#include "ui/MainWindow.h"
#include "ui/NamedWidget.h"
#include "ui/ProgramEnd.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel::maintenance {

namespace {

const QString lineBreak = QStringLiteral("\r\n");

QString defaultReplica()
{
    return ReplicaPaths::toBox(QDir(data::programFolder()).filePath(QStringLiteral("CONTACT.mdb")));
}

const QStringList databaseFilters { QStringLiteral("Vantrel database (*.mdb)"),
    QStringLiteral("All files (*)") };

// The screens go with the main window, storing their edits and letting go of
// the database; false when the main window stays (a screen kept edits it could
// not store, or the user goes on writing a letter), and then nothing is done.
bool closeMainWindow()
{
    ui::MainWindow* main = ui::MainWindow::instance();
    if (!main || !main->widget()->isVisible())
        return true;
    main->widget()->close();
    return !main->widget()->isVisible();
}

} // namespace

ReplicationSection::ReplicationSection(ui::HintLine* hints, QWidget* parent)
    : QGroupBox(QStringLiteral("Replication"), parent)
    , m_showReplica(ui::named<QPushButton>("CommandShowReplica", QString(), this))
    , m_replicaCaption(ui::named<QLabel>(
          "LabelReplica", QStringLiteral("Create a Replica of the Database"), this))
    , m_showSynchronize(ui::named<QPushButton>("CommandShowSynchronize", QString(), this))
    , m_synchronizeCaption(
          ui::named<QLabel>("LabelSynchronize", QStringLiteral("Synchronize Database"), this))
    , m_serverLabel(ui::named<QLabel>("Label1", QString(), this))
    , m_server(ui::named<QLineEdit>("TextDBNameFrom", this))
    , m_chooseServer(ui::named<QPushButton>("CommandOpenForm", QStringLiteral("Browse"), this))
    , m_documents(ui::named<QLineEdit>("TextDocuments", this))
    , m_attachments(ui::named<QLineEdit>("TextAttachments", this))
    , m_replicaLabel(ui::named<QLabel>("Label2", QString(), this))
    , m_replica(ui::named<QLineEdit>("TextReplicaDBName", this))
    , m_chooseReplica(ui::named<QPushButton>("CommandDestination", QStringLiteral("Browse"), this))
    , m_createReplica(
          ui::named<QPushButton>("CommandReplica", QStringLiteral("&Create Replica"), this))
    , m_synchronize(
          ui::named<QPushButton>("CommandSynchronize", QStringLiteral("&Synchronize"), this))
    , m_lastLabel(ui::named<QLabel>("LabelLast", QStringLiteral("Last synchronized on"), this))
    , m_date(ui::named<QLabel>("LabelDate", QString(), this))
    , m_conflicts(new ConflictList(this))
{
    setObjectName(QStringLiteral("FrameReplication"));
    m_showReplica->setIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));
    m_showSynchronize->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    for (QPushButton* button : { m_showReplica, m_showSynchronize }) {
        button->setIconSize(QSize(24, 24));
        button->setFixedSize(40, 36);
    }
    m_replica->setReadOnly(true);
    m_documents->hide();
    m_attachments->hide();

    auto* commands = new QHBoxLayout;
    commands->addWidget(m_showReplica);
    commands->addWidget(m_replicaCaption);
    commands->addSpacing(24);
    commands->addWidget(m_showSynchronize);
    commands->addWidget(m_synchronizeCaption);
    commands->addStretch(1);

    auto* paths = new QGridLayout;
    paths->addWidget(m_serverLabel, 0, 0, 1, 2);
    paths->addWidget(m_server, 1, 0);
    paths->addWidget(m_chooseServer, 1, 1);
    paths->addWidget(m_replicaLabel, 2, 0, 1, 2);
    paths->addWidget(m_replica, 3, 0);
    paths->addWidget(m_chooseReplica, 3, 1);
    paths->setColumnStretch(0, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_lastLabel);
    bottom->addWidget(m_date);
    bottom->addStretch(1);
    bottom->addWidget(m_createReplica);
    bottom->addWidget(m_synchronize);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addLayout(paths);
    layout->addLayout(bottom);
    layout->addWidget(m_conflicts);

    for (QWidget* control :
        std::initializer_list<QWidget*> { m_serverLabel, m_server, m_chooseServer, m_replicaLabel,
            m_replica, m_chooseReplica, m_createReplica, m_synchronize })
        control->hide();

    const QString replicaHint = QStringLiteral("Create a replica of the Database:") + lineBreak
        + QStringLiteral("Vantrel only connects to the database if this")
        + QStringLiteral(" database is in the same folder as the program.")
        + QStringLiteral(" Therefore it is necessary")
        + QStringLiteral(" to create a replica from the database on the server. This")
        + QStringLiteral(" database is called 'CONTACT.mdb'.")
        + QStringLiteral(" Select the database from the server to be replicated.")
        + QStringLiteral(
            " Click on 'Create Replica'. An exact replica of the database on the server")
        + QStringLiteral(
            " will be created on the user's computer. N.B: This feature can only be used")
        + QStringLiteral(" when nobody is connected to the database on the server. ");
    const QString synchronizeHint = QStringLiteral("Synchronize Database:") + lineBreak
        + QStringLiteral("The user of the program will make changes and updates to the database on "
                         "his or her machine.")
        + QStringLiteral(" In the meantime, changes")
        + QStringLiteral(
            " have also been made to the database on the server. Synchronizing allows you")
        + QStringLiteral(" to update both changes.  If necessary, select the required paths.")
        + QStringLiteral(" Click on 'Synchronize' and both databases will have exactly")
        + QStringLiteral(" the same data. Synchronization should be done on a regular basis. N.B: "
                         "This feature can be used at any time.");
    if (hints) {
        hints->setHint(m_showReplica, replicaHint);
        hints->setHint(m_replicaCaption, replicaHint);
        hints->setHint(m_showSynchronize, synchronizeHint);
        hints->setHint(m_synchronizeCaption, synchronizeHint);
        hints->addBackground(this);
    }

    connect(m_showReplica, &QPushButton::clicked, this, [this] { showControls(Mode::Replica); });
    connect(m_showSynchronize, &QPushButton::clicked, this,
        [this] { showControls(Mode::Synchronize); });
    connect(m_chooseServer, &QPushButton::clicked, this, &ReplicationSection::chooseServerDatabase);
    connect(m_chooseReplica, &QPushButton::clicked, this, &ReplicationSection::chooseReplica);
    connect(m_createReplica, &QPushButton::clicked, this, &ReplicationSection::createReplica);
    connect(m_synchronize, &QPushButton::clicked, this, &ReplicationSection::synchronize);
    refreshLastSynchronization();
}

void ReplicationSection::showEvent(QShowEvent* event)
{
    QGroupBox::showEvent(event);
    refreshLastSynchronization();
    m_conflicts->refresh();
}

// The server's database is chosen anew each time; the replica is the
// workstation's own database unless the user picks another.
void ReplicationSection::showControls(Mode mode)
{
    const bool replica = mode == Mode::Replica;
    for (QWidget* control : std::initializer_list<QWidget*> {
             m_serverLabel, m_server, m_chooseServer, m_replicaLabel, m_replica, m_chooseReplica })
        control->show();
    m_serverLabel->setText(replica
            ? QStringLiteral("Database to Replicate")
            : QStringLiteral("Select the path to the Database on the Server"));
    m_replicaLabel->setText(replica ? QStringLiteral("Name of new Replica")
                                    : QStringLiteral("The path to your Replica:"));
    m_server->clear();
    m_documents->clear();
    m_attachments->clear();
    m_replica->setText(defaultReplica());
    m_replica->setReadOnly(true);
    m_createReplica->setVisible(replica);
    m_synchronize->setVisible(!replica);
}

// The document folders that travel with a synchronization are those beside
// the file chosen here; a path typed into the box later does not move them.
void ReplicationSection::chooseServerDatabase()
{
    const QString chosen = ui::DocumentFileChooser::openFileName(this,
        QStringLiteral("Select the folder where 'CONTACT.mdb' is located."), QDir::homePath(),
        databaseFilters);
    if (chosen.isEmpty())
        return;
    const QDir folder = QFileInfo(chosen).absoluteDir();
    m_server->setText(ReplicaPaths::toBox(chosen));
    m_documents->setText(ReplicaPaths::toBox(folder.filePath(QStringLiteral("Documents"))));
    m_attachments->setText(ReplicaPaths::toBox(folder.filePath(QStringLiteral("Attachments"))));
}

void ReplicationSection::chooseReplica()
{
    m_replica->setReadOnly(false);
    const QString chosen = ui::DocumentFileChooser::openFileName(
        this, QStringLiteral("Open"), data::programFolder(), databaseFilters);
    if (!chosen.isEmpty())
        m_replica->setText(ReplicaPaths::toBox(chosen));
}

void ReplicationSection::createReplica()
{
    QString error;
    if (!ReplicaPaths::checkCreation(ReplicaPaths::fromBox(m_server->text()),
            ReplicaPaths::fromBox(m_replica->text()), &error)) {
        platform::MessageBox::critical(this, error);
        return;
    }
    if (!closeMainWindow())
        return;
    // The closed screens let go of the database when they are deleted, at the
    // event loop's next turn; the replica comes after that.
    m_createReplica->setEnabled(false);
    QTimer::singleShot(0, this, &ReplicationSection::createReplicaOnClosedDatabase);
}

void ReplicationSection::createReplicaOnClosedDatabase()
{
    const QString replica = m_replica->text().trimmed();
    QString error;
    bool created = false;
    {
        platform::BusyCursor busy;
        created = data::ReplicaSet::createReplica(
            ReplicaPaths::fromBox(m_server->text()), ReplicaPaths::fromBox(replica), &error);
    }
    m_createReplica->setEnabled(true);
    if (!created) {
        platform::MessageBox::critical(this, error);
        return;
    }
    hidePaths();
    m_createReplica->hide();
    platform::MessageBox::show(this,
        QStringLiteral("A replica has been created at location ") + replica
            + QStringLiteral(". You must restart Vantrel."),
        platform::MessageBox::Icon::None, platform::MessageBox::Ok);
    ui::ProgramEnd::request();
}

void ReplicationSection::synchronize()
{
    QString error;
    if (!ReplicaPaths::checkSynchronization(ReplicaPaths::fromBox(m_replica->text()),
            ReplicaPaths::fromBox(m_server->text()), &error)) {
        platform::MessageBox::critical(this, error);
        return;
    }
    if (!closeMainWindow())
        return;
    m_synchronize->setEnabled(false);
    QTimer::singleShot(0, this, &ReplicationSection::synchronizeClosedDatabase);
}

void ReplicationSection::synchronizeClosedDatabase()
{
    const QString replica = m_replica->text().trimmed();
    const QString server = m_server->text().trimmed();
    QString error;
    data::SyncOutcome outcome;
    bool synchronized = false;
    {
        platform::BusyCursor busy;
        synchronized = data::ReplicaSet::synchronize(
            ReplicaPaths::fromBox(replica), ReplicaPaths::fromBox(server), &outcome, &error);
    }
    m_synchronize->setEnabled(true);
    if (!synchronized) {
        platform::MessageBox::critical(this, error);
        return;
    }
    hidePaths();
    m_synchronize->hide();

    // The databases are in step whatever follows; what fails now is told
    // before the program ends and does not undo the exchange.
    QStringList problems;
    if (!data::SyncConflictLog::replace(outcome.conflicts, &error))
        problems.append(
            QStringLiteral("The conflicts of this synchronization could not be kept: ") + error);
    // Without a folder chosen in the file chooser the folders beside the
    // synchronized database go, rather than folders of no server at all.
    QString documents = ReplicaPaths::fromBox(m_documents->text());
    QString attachments = ReplicaPaths::fromBox(m_attachments->text());
    if (documents.isEmpty() || attachments.isEmpty()) {
        const QDir folder = QFileInfo(ReplicaPaths::fromBox(server)).absoluteDir();
        documents = folder.filePath(QStringLiteral("Documents"));
        attachments = folder.filePath(QStringLiteral("Attachments"));
    }
    if (!data::FolderCopy::startDetached(data::programFolder(), documents, attachments, &error))
        problems.append(error);
    if (!data::LastSynchronization::store(data::Clock::today(), &error))
        problems.append(
            QStringLiteral("The date of this synchronization could not be stored: ") + error);
    if (!problems.isEmpty())
        platform::MessageBox::warning(this, problems.join(lineBreak));
    platform::MessageBox::show(this,
        QStringLiteral("You succesfully synchronized ") + replica + QStringLiteral(" with ")
            + lineBreak + server + QStringLiteral(". You must restart Vantrel."),
        platform::MessageBox::Icon::None, platform::MessageBox::Ok);
    ui::ProgramEnd::request();
}

void ReplicationSection::hidePaths()
{
    for (QWidget* control : std::initializer_list<QWidget*> {
             m_serverLabel, m_server, m_chooseServer, m_replicaLabel, m_replica, m_chooseReplica })
        control->hide();
}

void ReplicationSection::refreshLastSynchronization()
{
    QDate date;
    QString error;
    // Without a readable date the label stays away, as on a workstation that never synchronized.
    if (!data::LastSynchronization::read(&date, &error))
        date = QDate();
    m_date->setText(date.isValid() ? data::displayText(date) : QString());
    m_lastLabel->setVisible(date.isValid());
}

} // namespace vantrel::maintenance
