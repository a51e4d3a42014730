#include "setup/FormMain.h"

#include "setup/DistributionFolder.h"
#include "setup/FormServer.h"
#include "setup/LauncherDesktop.h"
#include "setup/LauncherMessages.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::setup {

namespace {

QString colourStyle(QRgb colour)
{
    return QStringLiteral("color: #%1;").arg(colour, 6, 16, QLatin1Char('0'));
}

} // namespace

FormMain::FormMain(const DistributionFolder& distribution, QWidget* parent)
    : QWidget(parent)
    , m_distribution(distribution)
    , m_picture(new QLabel(this))
    , m_hint(new QLabel(this))
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Vantrel Version 1.4"));
    setMouseTracking(true);

    auto* title = new QLabel(QStringLiteral("Vantrel"), this);
    title->setObjectName(QStringLiteral("LabelTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setPixmap(QIcon(QStringLiteral(":/setup/vantrel.svg")).pixmap(128, 128));
    m_picture->setAlignment(Qt::AlignCenter);
    m_hint->setObjectName(QStringLiteral("LabelInstructions"));
    m_hint->setWordWrap(true);
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setMinimumWidth(260);
    m_hint->hide();

    auto* overview = new QGroupBox(QStringLiteral("Vantrel - Overview"), this);
    auto* program = new QGroupBox(QStringLiteral("Vantrel - Full Program"), this);
    auto* other = new QGroupBox(QStringLiteral("Other"), this);
    for (QGroupBox* frame : { overview, program, other }) {
        new QGridLayout(frame);
        frame->setMouseTracking(true);
        frame->installEventFilter(this);
    }
    const QString document = QStringLiteral(":/setup/document.svg");
    QPushButton* slideShow
        = addEntry(overview, "Command01", QStringLiteral("ViewVantrel Slide Show"),
            QStringLiteral("Launch a PowerPoint slide show on the features of Vantrel."), document);
    QPushButton* instructions
        = addEntry(program, "Command03", QStringLiteral("Configuration Instructions"),
            QStringLiteral("Explains the basic configuration of Vantrel. Please read these "
                           "instructions before installation of the full program."),
            document);
    QPushButton* install = addEntry(program, "Command05", QStringLiteral("Install Vantrel"),
        QStringLiteral("Installs the full program on this computer, after placing the "
                       "database on the server if you work in a network."),
        QStringLiteral(":/setup/vantrel.svg"));
    QPushButton* runtime
        = addEntry(other, "Command06", QStringLiteral("Install Run-time Libraries"),
            QStringLiteral("This program is compatible with Windows version 2000, XP, Vista and "
                           "Windows 7. ")
                + QStringLiteral("On a Linux desktop that lacks the Qt 6 libraries, this installs "
                                 "them through the package manager; most desktops need it only "
                                 "once."),
            document);
    QPushButton* errors = addEntry(other, "Command07", QStringLiteral("Installation Errors"),
        QStringLiteral("During installation you might be asked to restart your system because "
                       "certain system files are out of date. This is a Windows XP error. If "
                       "you do get this message, follow these instructions."),
        document);

    connect(slideShow, &QPushButton::clicked, this,
        [this] { openDocument(m_distribution.slideShow()); });
    connect(instructions, &QPushButton::clicked, this,
        [this] { openDocument(m_distribution.instructions()); });
    connect(install, &QPushButton::clicked, this, &FormMain::showServerSetup);
    connect(runtime, &QPushButton::clicked, this, &FormMain::startRuntime);
    connect(errors, &QPushButton::clicked, this,
        [this] { openDocument(m_distribution.installationErrors()); });

    auto* frames = new QVBoxLayout;
    frames->addWidget(overview);
    frames->addWidget(program);
    frames->addWidget(other);
    frames->addStretch();
    auto* side = new QVBoxLayout;
    side->addWidget(title, 0, Qt::AlignHCenter);
    side->addWidget(m_picture, 1);
    side->addWidget(m_hint, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side, 1);
    layout->addLayout(frames);
    highlight(nullptr);
}

QPushButton* FormMain::addEntry(QWidget* frame, const char* name, const QString& label,
    const QString& hint, const QString& picture)
{
    auto* button = new QPushButton(frame);
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(24, 24));
    button->setFixedSize(36, 36);
    button->setToolTip(label);
    button->installEventFilter(this);
    auto* caption = new QLabel(label, frame);
    caption->setObjectName(QStringLiteral("Label") + QLatin1String(name).mid(7));
    caption->setBuddy(button);
    auto* grid = static_cast<QGridLayout*>(frame->layout());
    const int row = grid->rowCount();
    grid->addWidget(button, row, 0);
    grid->addWidget(caption, row, 1);
    m_entries.append({ button, caption, hint });
    return button;
}

void FormMain::highlight(const Entry* entry)
{
    for (const Entry& each : std::as_const(m_entries))
        each.label->setStyleSheet(colourStyle(&each == entry ? hoverColour : restColour));
    m_picture->setVisible(!entry);
    m_hint->setVisible(entry);
    m_hint->setText(entry ? entry->hint : QString());
}

bool FormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        for (const Entry& entry : std::as_const(m_entries)) {
            if (watched == entry.button) {
                highlight(&entry);
                return false;
            }
        }
        // The frames' background is the window's background.
        highlight(nullptr);
    }
    return QWidget::eventFilter(watched, event);
}

void FormMain::mouseMoveEvent(QMouseEvent* event)
{
    highlight(nullptr);
    QWidget::mouseMoveEvent(event);
}

// The pointer left the window: no button is under it any more.
void FormMain::leaveEvent(QEvent* event)
{
    highlight(nullptr);
    QWidget::leaveEvent(event);
}

void FormMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_entries.first().button->setFocus(Qt::ActiveWindowFocusReason);
    QWidget::changeEvent(event);
}

void FormMain::openDocument(const QString& path)
{
    QString error;
    if (!LauncherDesktop::instance().openDocument(path, &error))
        LauncherMessages::show(this, QMessageBox::Warning, error);
}

void FormMain::showServerSetup()
{
    if (!m_server) {
        m_server = new FormServer(m_distribution, this);
        m_server->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_server, &FormServer::installationStarted, this, &FormMain::finished);
    }
    m_server->show();
    m_server->raise();
    m_server->activateWindow();
}

void FormMain::startRuntime()
{
    QString error;
    if (!LauncherDesktop::instance().startPackage(m_distribution.runtimeInstaller(), &error))
        LauncherMessages::show(this, QMessageBox::Warning, error);
}

} // namespace vantrel::setup
