#include "setup/FormServer.h"

#include "setup/DistributionFolder.h"
#include "setup/LauncherMessages.h"
#include "setup/PackageStart.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace vantrel::setup {

namespace {

// The copy goes to a temporary name first, so a failed copy never leaves half a
// master database behind, and an existing one is replaced only in one step.
bool copyAtomically(const QString& source, const QString& target, QString* error)
{
    const QString partial = target + QStringLiteral(".partial");
    QFile::remove(partial);
    QFile from(source);
    if (!from.copy(partial)) {
        *error = from.errorString();
        QFile::remove(partial);
        return false;
    }
    if (QFileInfo::exists(target) && !QFile::remove(target)) {
        *error = QStringLiteral("The existing database cannot be replaced.");
        QFile::remove(partial);
        return false;
    }
    if (!QFile::rename(partial, target)) {
        *error = QStringLiteral("The copy cannot be given its name.");
        QFile::remove(partial);
        return false;
    }
    return true;
}

class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

FormServer::FormServer(const DistributionFolder& distribution, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_distribution(distribution)
    , m_folders(new QFileSystemModel(this))
    , m_folderList(new QTreeView(this))
    , m_path(new QLineEdit(this))
    , m_ok(new QPushButton(QStringLiteral("&OK"), this))
    , m_skip(new QCheckBox(QStringLiteral("Skip"), this))
    , m_instructions(new QLabel(instructionText(), this))
{
    setObjectName(QStringLiteral("FormServer"));
    setWindowTitle(QStringLiteral("Vantrel Setup"));
    m_folderList->setObjectName(QStringLiteral("Dir1"));
    m_path->setObjectName(QStringLiteral("Text1"));
    m_ok->setObjectName(QStringLiteral("CommandOK"));
    m_skip->setObjectName(QStringLiteral("Check1"));
    m_instructions->setObjectName(QStringLiteral("LabelInstructions"));
    m_instructions->setWordWrap(true);

    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());
    m_folderList->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_folderList->hideColumn(column);
    m_folderList->setHeaderHidden(true);
    m_path->setReadOnly(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_instructions, 0, 0, 1, 2);
    layout->addWidget(m_folderList, 1, 0, 1, 2);
    layout->addWidget(m_path, 2, 0, 1, 2);
    layout->addWidget(m_skip, 3, 0);
    layout->addWidget(m_ok, 3, 1, Qt::AlignRight);
    resize(520, 460);

    connect(m_folderList->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) { m_path->setText(m_folders->filePath(current)); });
    connect(m_ok, &QPushButton::clicked, this, &FormServer::placeDatabase);
    connect(m_skip, &QCheckBox::clicked, this, &FormServer::skip);
    chooseFolder(QDir::homePath());
}

QString FormServer::instructionText()
{
    const QString paragraph = QStringLiteral("\r\n\r\n");
    return QStringLiteral("Select the folder on the server where you want to store the Vantrel "
                          "database. ")
        + QStringLiteral("This should preferably be a folder that is regularly being backed up.")
        + paragraph + QStringLiteral("If you have already done so, click on 'Skip'.") + paragraph
        + QStringLiteral("If you do not work from a networking environment but are a single "
                         "user, also click on 'Skip'.");
}

void FormServer::chooseFolder(const QString& path)
{
    const QModelIndex index = m_folders->index(path);
    m_folderList->setCurrentIndex(index);
    m_folderList->scrollTo(index);
    m_path->setText(QDir::cleanPath(path));
}

bool FormServer::copyDatabase(const QString& folder)
{
    const QString target = QDir(folder).filePath(QStringLiteral("CONTACT.mdb"));
    if (QFileInfo::exists(target)) {
        // A master database holds the office's customers: it is never lost silently.
        const auto answer = LauncherMessages::show(this, QMessageBox::Question,
            QStringLiteral("The folder '%1' already holds a Vantrel database 'CONTACT.mdb'. "
                           "Replace it with an empty database? All the data in it would be "
                           "lost.")
                .arg(folder),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }
    QString error;
    bool copied = false;
    {
        const BusyPointer busy;
        copied = copyAtomically(m_distribution.masterDatabase(), target, &error);
    }
    if (!copied) {
        LauncherMessages::show(this, QMessageBox::Critical,
            QStringLiteral("The database 'CONTACT.mdb' could not be copied to %1: %2")
                .arg(folder, error));
        return false;
    }
    // Folders that exist already are kept as they are.
    QDir(folder).mkdir(QStringLiteral("Documents"));
    QDir(folder).mkdir(QStringLiteral("Attachments"));
    return true;
}

void FormServer::placeDatabase()
{
    const QString folder = m_path->text();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        LauncherMessages::show(
            this, QMessageBox::Warning, QStringLiteral("Please select a folder on the server."));
        return;
    }
    if (!copyDatabase(folder))
        return;
    LauncherMessages::show(this, QMessageBox::Information,
        QStringLiteral("The database 'CONTACT.mdb' was successfully copied to ") + folder);
    if (startInstallation(this, m_distribution.package()))
        emit installationStarted();
}

void FormServer::skip()
{
    m_skip->setChecked(false);
    m_ok->hide();
    if (startInstallation(this, m_distribution.package()))
        emit installationStarted();
    else
        m_ok->show();
}

} // namespace vantrel::setup
