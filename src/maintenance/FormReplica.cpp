#include "maintenance/FormReplica.h"

#include "data/ProgramFolder.h"
#include "data/SetupFlag.h"
#include "platform/MessageBox.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
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

    auto* sourceLabel = new QLabel(QStringLiteral("Database to Replicate..."), this);
    sourceLabel->setObjectName(QStringLiteral("Label1"));
    m_source->setObjectName(QStringLiteral("Text1"));
    auto* destinationLabel = new QLabel(QStringLiteral("Destination of the Replica..."), this);
    destinationLabel->setObjectName(QStringLiteral("Label2"));
    m_destination->setObjectName(QStringLiteral("Text2"));
    m_destination->setText(nativeProgramFolder() + QDir::separator() + workingDatabase);
    m_createReplica->setObjectName(QStringLiteral("CommandReplica"));
    m_createReplica->setEnabled(false);
    m_singleUser->setObjectName(QStringLiteral("Check1"));
    m_flag->setObjectName(QStringLiteral("TEXT04"));
    m_flag->hide();

    m_hints->setHint(m_singleUser,
        QStringLiteral("Select this option if you are a single user. Instead of creating a "
                       "replica, a copy of the database will be made to ")
            + nativeProgramFolder() + QStringLiteral("."));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourceLabel);
    layout->addWidget(m_source);
    layout->addSpacing(6);
    layout->addWidget(destinationLabel);
    layout->addWidget(m_destination);
    auto* replicaRow = new QHBoxLayout;
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

} // namespace vantrel::maintenance
