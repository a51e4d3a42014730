#include "maintenance/FormReplica.h"

#include "data/ProgramFolder.h"
#include "data/ReplicaSet.h"
#include "data/SetupFlag.h"
#include "maintenance/ReplicaPaths.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/DocumentFileChooser.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/ProgramEnd.h"
#include "ui/Resources.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel::maintenance {

namespace {

const QSize screenSize(5000, 6300); // 1/1440 inch
const QString deliveredDatabase = QStringLiteral("Temp.mdb");
const QString workingDatabase = QStringLiteral("CONTACT.mdb");

QString nativeProgramFolder()
{
    return QDir::toNativeSeparators(data::programFolder());
}

} // namespace

FormReplica::FormReplica(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_source(new QLineEdit(this))
    , m_destination(new QLineEdit(this))
    , m_browse(new QPushButton(QStringLiteral("&Browse"), this))
    , m_createReplica(new QPushButton(QStringLiteral("&Create Replica"), this))
    , m_singleUser(new QCheckBox(
          QStringLiteral("Do not create a replica. I do not work from a network."), this))
    , m_flag(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FormReplica"));
    setWindowTitle(QStringLiteral("Create a Replica of the Database on your PC"));
    setWindowIcon(ui::programIcon());
    m_hints = new ui::HintLine(this);
    m_manual = new ui::ManualLink(this);

    m_sourceLabel = new QLabel(QStringLiteral("Database to Replicate..."), this);
    m_sourceLabel->setObjectName(QStringLiteral("Label1"));
    m_source->setObjectName(QStringLiteral("Text1"));
    m_destinationLabel = new QLabel(QStringLiteral("Destination of the Replica..."), this);
    m_destinationLabel->setObjectName(QStringLiteral("Label2"));
    m_destination->setObjectName(QStringLiteral("Text2"));
    m_destination->setText(nativeProgramFolder() + QDir::separator() + workingDatabase);
    m_browse->setObjectName(QStringLiteral("CommandBrowse"));
    m_createReplica->setObjectName(QStringLiteral("CommandReplica"));
    m_createReplica->setEnabled(false);
    m_singleUser->setObjectName(QStringLiteral("Check1"));
    m_flag->setObjectName(QStringLiteral("TEXT04"));
    m_flag->hide();

    m_hints->setHint(m_singleUser,
        QStringLiteral("Select this option if you are a single user. Instead of creating a "
                       "replica, a copy of the database will be made to ")
            + nativeProgramFolder() + QStringLiteral("."));
    m_hints->setHint(m_browse,
        QStringLiteral("Locate the file 'CONTACT.mdb' on the server and click on 'Create "
                       "Replica'. An exact replica of the ")
            + QStringLiteral("Vantrel database will be created on your computer. Regular "
                             "synchronization will ensure that all information from ")
            + QStringLiteral("all users is always updated."));
    // The file chooser stands in for the folder and file lists: the box that
    // receives the file carries the file list's hint, and the chooser opens
    // with the folder list's.
    m_hints->setHint(
        m_source, QStringLiteral("Click the file 'CONTACT.mdb' and click on 'Create Replica'."));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sourceLabel);
    layout->addWidget(m_source);
    layout->addSpacing(6);
    layout->addWidget(m_destinationLabel);
    layout->addWidget(m_destination);
    auto* replicaRow = new QHBoxLayout;
    replicaRow->addWidget(m_browse);
    replicaRow->addStretch(1);
    replicaRow->addWidget(m_createReplica);
    layout->addLayout(replicaRow);
    layout->addSpacing(12);
    layout->addWidget(m_singleUser);
    layout->addStretch(1);
    layout->addWidget(m_hints->frame());
    auto* helpRow = new QHBoxLayout;
    helpRow->addStretch(1);
    helpRow->addWidget(m_manual->button());
    layout->addLayout(helpRow);

    resize(ui::twipsToPixels(screenSize, this));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    connect(m_singleUser, &QCheckBox::clicked, this, &FormReplica::singleUserClicked);
    connect(m_browse, &QPushButton::clicked, this, &FormReplica::browse);
    connect(m_createReplica, &QPushButton::clicked, this, &FormReplica::createReplica);
}

void FormReplica::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_checked)
        return;
    m_checked = true;
    QTimer::singleShot(0, this, &FormReplica::startupCheck);
}

void FormReplica::startupCheck()
{
    QString flag;
    QString error;
    if (!data::SetupFlag::read(&flag, &error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    m_flag->setText(flag);
    if (!data::SetupFlag::isSetUp(flag))
        return;
    emit alreadySetUp();
    close();
}

void FormReplica::singleUserClicked(bool checked)
{
    if (!checked)
        return;
    QString error;
    if (!adoptDeliveredDatabase(&error)) {
        m_singleUser->setChecked(false);
        platform::MessageBox::error(this, error);
        return;
    }
    m_flag->setText(QStringLiteral("1"));
    emit singleUserSetUp();
    close();
}

// An existing CONTACT.mdb is never replaced, and the flag is only set when the
// database is in place: a failure leaves the folder as it was.
bool FormReplica::adoptDeliveredDatabase(QString* error)
{
    if (!QFile::exists(deliveredDatabase)) {
        *error = QStringLiteral("The file '%1' could not be found in %2.")
                     .arg(deliveredDatabase, nativeProgramFolder());
        return false;
    }
    if (QFile::exists(workingDatabase)) {
        *error = QStringLiteral("The file '%1' already exists in %2.")
                     .arg(workingDatabase, nativeProgramFolder());
        return false;
    }
    QFile delivered(deliveredDatabase);
    if (!delivered.rename(workingDatabase)) {
        *error = QStringLiteral("'%1' could not be renamed to '%2': %3")
                     .arg(deliveredDatabase, workingDatabase, delivered.errorString());
        return false;
    }
    if (!data::SetupFlag::store(QStringLiteral("1"), error)) {
        QFile::rename(workingDatabase, deliveredDatabase);
        return false;
    }
    return true;
}

// The server's folder is mounted somewhere the user knows (a share under the
// home folder or /mnt); the program folder would only offer its own databases.
void FormReplica::browse()
{
    const QString chosen = ui::DocumentFileChooser::openFileName(this,
        QStringLiteral("Select the folder where 'CONTACT.mdb' is located."), QDir::homePath(),
        { QStringLiteral("Vantrel database (*.mdb)"), QStringLiteral("All files (*)") });
    if (chosen.isEmpty())
        return;
    m_source->setText(ReplicaPaths::toBox(chosen));
    m_createReplica->setEnabled(true);
    m_createReplica->setFocus(Qt::OtherFocusReason);
}

// The replica is written beside the destination and only then takes its
// place, so an old CONTACT.mdb there stays when the creation fails.
void FormReplica::createReplica()
{
    const QString source = ReplicaPaths::fromBox(m_source->text());
    const QString destination = ReplicaPaths::fromBox(m_destination->text());
    QString error;
    bool created = false;
    {
        platform::BusyCursor busy;
        created = ReplicaPaths::checkCreation(source, destination, &error)
            && data::ReplicaSet::createReplica(source, destination, &error);
    }
    if (!created) {
        platform::MessageBox::error(this, error);
        return;
    }
    for (QWidget* control : std::initializer_list<QWidget*> { m_sourceLabel, m_source,
             m_destinationLabel, m_destination, m_browse, m_createReplica })
        control->hide();
    platform::MessageBox::information(this,
        QStringLiteral("A replica has been created at location ") + m_destination->text().trimmed()
            + QStringLiteral(". You must restart Vantrel."));
    // Without the flag the next start offers the set-up again, where a new
    // replica can be made; the one made now is in place either way.
    if (data::SetupFlag::store(QStringLiteral("1"), &error))
        m_flag->setText(QStringLiteral("1"));
    else
        platform::MessageBox::error(this, error);
    ui::ProgramEnd::request();
}

} // namespace vantrel::maintenance
