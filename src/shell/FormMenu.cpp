#include "shell/FormMenu.h"

#include "data/SetupPassword.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "shell/FormHelp.h"
#include "ui/HelpKey.h"
#include "ui/HintLine.h"
#include "ui/Resources.h"
#include "ui/Screens.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <QVersionNumber>

namespace vantrel::shell {

namespace {

const QColor enabledColour(0, 0, 255);
const QColor incorrectColour(255, 0, 0);

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

struct ScreenCommand {
    const char* button;
    const char* label;
    const char* screen;
    const char* suffix;
};

const ScreenCommand screenCommands[] = {
    { "CommandMastertables", "LabelMastertables", "FormMastertables", " - Mastertables" },
    { "CommandImport", "LabelImport", "FormImport", "" },
    { "CommandSize", "LabelSize", "FormDelete", " - Database Size" },
    { "CommandSupport", "LabelSupport", "FormSupport", " - Technical Support" },
    { "CommandMaintenance", "LabelMaintenance", "FormMaintenance", "" },
    { "CommandImportSales", "LabelImportSales", "FormImportSales", " - Import Sales" },
    { "CommandExport", "LabelExport", "FormExport", "" },
};

bool isLocked(QByteArrayView button)
{
    return button == "CommandMastertables" || button == "CommandImport" || button == "CommandSize";
}

const ScreenCommand* screenCommandOf(QByteArrayView button)
{
    for (const ScreenCommand& command : screenCommands) {
        if (button == command.button)
            return &command;
    }
    return nullptr;
}

} // namespace

const QString FormMenu::defaultPassword = QStringLiteral("Keystone");
const QString FormMenu::website = QStringLiteral("https://vantrel.example/");

FormMenu::FormMenu(QWidget* parent)
    : QWidget(parent)
    , m_hints(new ui::HintLine(this))
{
    setObjectName(QStringLiteral("FormMenu"));
    setWindowTitle(QStringLiteral("Advanced Setup"));

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("ImageLogo"));
    logo->setPixmap(ui::programIcon().pixmap(72, 72));
    auto* title = new QLabel(QStringLiteral("Vantrel"), this);
    title->setObjectName(QStringLiteral("LabelTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    const QVersionNumber version
        = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    auto* versionLabel = new QLabel(
        QStringLiteral("Version %1.%2").arg(version.majorVersion()).arg(version.minorVersion()),
        this);
    versionLabel->setObjectName(QStringLiteral("LabelVersion"));
    m_website = new QLabel(QUrl(website).host(), this);
    m_website->setObjectName(QStringLiteral("LabelWebsite"));
    m_website->setCursor(Qt::PointingHandCursor);
    m_website->installEventFilter(this);

    buildPasswordFrame();
    QGroupBox* advanced = buildCommandFrame("FrameAdvanced", QStringLiteral("Advanced Options"),
        { { "CommandMastertables", "LabelMastertables", "Mastertables" },
            { "CommandImport", "LabelImport", "Import from MS-Outlook" },
            { "CommandSize", "LabelSize", "Check Database Size" } });
    QGroupBox* other = buildCommandFrame("FrameOther", QStringLiteral("Other Options"),
        { { "CommandSlideShow", "LabelSlideShow", "Quick Start" },
            { "CommandManual", "LabelManual", "User Manual" },
            { "CommandSupport", "LabelSupport", "Technical Support" } });
    QGroupBox* setup = buildCommandFrame("FrameSetup", QStringLiteral("Setup and Maintenance"),
        { { "CommandMaintenance", "LabelMaintenance", "Maintenance & Replication" },
            { "CommandImportSales", "LabelImportSales", "Import Sales" },
            { "CommandExport", "LabelExport", "Export to MS-Outlook" },
            { "CommandUpgrade", "LabelCheckVersion", "Check for New Versions" } });
    auto* heading = new QVBoxLayout;
    heading->addWidget(title);
    heading->addWidget(versionLabel);
    heading->addWidget(m_website);
    heading->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addLayout(heading);
    top->addStretch();
    top->addWidget(m_framePassword, 0, Qt::AlignTop);

    auto* frames = new QGridLayout;
    frames->addWidget(advanced, 0, 0);
    frames->addWidget(other, 0, 1);
    frames->addWidget(setup, 1, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(frames);
    layout->addWidget(m_hints->frame());
    layout->addStretch();
    // The hint line stands 120 twips (8 pixels) in from the left edge, like the frames.
    layout->setContentsMargins(8, 8, 8, 8);
    m_hints->frame()->setMinimumHeight(110);
    for (QGroupBox* frame : { m_framePassword, advanced, other, setup })
        m_hints->addBackground(frame);

    declareHints();
    wireCommands();
    updateCommands();
    new ui::HelpKey(this, [this] { openManual(); });

    // The folders that attachments, documents and reports go to; one that exists is fine.
    for (const char* folder : { "Temp", "Documents", "Attachments" })
        QDir().mkdir(latin(folder));
}

void FormMenu::buildPasswordFrame()
{
    m_framePassword = new QGroupBox(this);
    m_framePassword->setObjectName(QStringLiteral("FramePassword"));
    m_password = new QLineEdit(m_framePassword);
    m_password->setObjectName(QStringLiteral("TextPassword"));
    m_password->installEventFilter(this);
    m_enter = new QPushButton(QStringLiteral("&Enter"), m_framePassword);
    m_enter->setObjectName(QStringLiteral("CommandEnter"));
    m_change = new QPushButton(QStringLiteral("&Change"), m_framePassword);
    m_change->setObjectName(QStringLiteral("CommandChange"));
    m_change->hide();
    m_newPasswordLabel
        = new QLabel(QStringLiteral("Please enter your New Password"), m_framePassword);
    m_newPasswordLabel->setObjectName(QStringLiteral("LabelNewPassword"));
    m_newPassword = new QLineEdit(m_framePassword);
    m_newPassword->setObjectName(QStringLiteral("TextNewPassword"));
    m_save = new QPushButton(QStringLiteral("&Save"), m_framePassword);
    m_save->setObjectName(QStringLiteral("CommandSave"));
    for (QWidget* widget :
        std::initializer_list<QWidget*> { m_newPasswordLabel, m_newPassword, m_save })
        widget->hide();
    // The caption's colour must not spill into the label inside the frame.
    QPalette own = m_newPasswordLabel->palette();
    own.setColor(QPalette::WindowText, own.color(QPalette::WindowText));
    m_newPasswordLabel->setPalette(own);

    auto* layout = new QGridLayout(m_framePassword);
    layout->addWidget(m_password, 0, 0);
    layout->addWidget(m_enter, 0, 1);
    layout->addWidget(m_change, 0, 2);
    layout->addWidget(m_newPasswordLabel, 1, 0, 1, 3);
    layout->addWidget(m_newPassword, 2, 0);
    layout->addWidget(m_save, 2, 1);
    m_framePassword->setMinimumWidth(300);

    connect(m_enter, &QPushButton::clicked, this, &FormMenu::enterPassword);
    connect(m_password, &QLineEdit::returnPressed, this, &FormMenu::enterPassword);
    connect(m_change, &QPushButton::clicked, this, &FormMenu::changePassword);
    connect(m_save, &QPushButton::clicked, this, &FormMenu::savePassword);
    connect(m_newPassword, &QLineEdit::returnPressed, this, &FormMenu::savePassword);
}

QGroupBox* FormMenu::buildCommandFrame(
    const char* name, const QString& title, const QList<Command>& commands)
{
    static const QHash<QByteArray, QStyle::StandardPixmap> icons {
        { "CommandMastertables", QStyle::SP_FileDialogListView },
        { "CommandImport", QStyle::SP_DialogOpenButton },
        { "CommandSize", QStyle::SP_DriveHDIcon },
        { "CommandSlideShow", QStyle::SP_MediaPlay },
        { "CommandManual", QStyle::SP_DialogHelpButton },
        { "CommandSupport", QStyle::SP_MessageBoxInformation },
        { "CommandMaintenance", QStyle::SP_BrowserReload },
        { "CommandImportSales", QStyle::SP_FileDialogDetailedView },
        { "CommandExport", QStyle::SP_DialogSaveButton },
        { "CommandUpgrade", QStyle::SP_ArrowUp },
    };
    auto* frame = new QGroupBox(title, this);
    frame->setObjectName(latin(name));
    auto* layout = new QGridLayout(frame);
    for (qsizetype i = 0; i < commands.size(); ++i) {
        const Command& command = commands.at(i);
        auto* commandButton = new QPushButton(frame);
        commandButton->setObjectName(latin(command.button));
        commandButton->setIcon(style()->standardIcon(icons.value(command.button)));
        commandButton->setIconSize(QSize(24, 24));
        commandButton->setFixedSize(40, 36);
        auto* caption = new QLabel(latin(command.caption), frame);
        caption->setObjectName(latin(command.label));
        // Two columns in the wide frame, one in the narrow ones.
        const int row = commands.size() > 3 ? int(i / 2) : int(i);
        const int column = commands.size() > 3 ? int(i % 2) * 2 : 0;
        layout->addWidget(commandButton, row, column);
        layout->addWidget(caption, row, column + 1);
    }
    layout->setColumnStretch(1, 1);
    if (commands.size() > 3)
        layout->setColumnStretch(3, 1);
    return frame;
}

void FormMenu::setCommandHint(const char* name, const QString& text)
{
    const QByteArray key(name);
    m_hints->setHint(button(name), [key, text] {
        const ScreenCommand* command = screenCommandOf(key);
        if (command && !ui::Screens::isRegistered(latin(command->screen)))
            return QStringLiteral("Not available in this version of Vantrel yet. ") + text;
        return text;
    });
}

void FormMenu::declareHints()
{
    m_hints->setHint(m_password,
        QStringLiteral(
            "The Advanced Setup Menu is Password protected. The default password is 'Keystone'. "
            "Change this in order to restrict access. Passwords are case sensitive."));
    setCommandHint("CommandMastertables",
        QStringLiteral("Master tables are basically selections that your sales force can make when "
                       "entering information. "
                       "You want your sales force to have certain restrictions and you want "
                       "uniformity throughout "
                       "your organization. For example, if you select your regions as Pacific, "
                       "Midwest and Atlantic"
                       ", you do not want anybody to enter a region like California. This would "
                       "create complications if "
                       "you want a report on activities in the region 'Pacific' because California "
                       "is part of the Pacific region. "
                       "Therefore the setup of master tables together with most other setup "
                       "functions is password protected."));
    setCommandHint("CommandImport",
        QStringLiteral("Import basic company information from MS-Outlook. This function should "
                       "only be done once. "
                       "Repeating this function will create duplicates in your database. "));
    setCommandHint("CommandSize",
        QStringLiteral("The database can contain 2 GB of data. Most data is taken up by call "
                       "reports, letters, faxes, e-mails "
                       "and projects. Approximately 250,000 such documents can be stored in the "
                       "database. Most companies never "
                       "reach that level. However, you might want to check how full your database "
                       "is and if necessary delete "
                       "some old information."));
    setCommandHint("CommandSlideShow",
        QStringLiteral("No time to read the User Manual? Open a PowerPoint slide show and learn "
                       "how to use Vantrel in less "
                       "than 30 minutes."));
    setCommandHint("CommandManual", QStringLiteral("Display the user manual."));
    setCommandHint(
        "CommandSupport", QStringLiteral("Request technical support or contact Orvane."));
    setCommandHint("CommandMaintenance",
        QStringLiteral("Compact your database, create a replica or synchronize this database with "
                       "the server."));
    setCommandHint("CommandImportSales",
        QStringLiteral("This function allows you to import sales figures from an MS-Excel "
                       "spreadsheet, saved in Excel 97-2003 "
                       "format. This spreadsheet could be located anywhere on your PC or "
                       "network.This action can be done "
                       "periodically if the data in the spreadsheet changes. The path to the "
                       "spreadsheet is saved and new data "
                       "will overwrite older data."));
    setCommandHint("CommandExport",
        QStringLiteral("Sometimes you might want to export your database of contacts to "
                       "MS-Outlook. For example, if your cell "
                       "phone synchronizes with Outlook, it would be handy to have all your "
                       "contacts on your cell phone, "
                       "together with all the relevant details."));
    setCommandHint("CommandUpgrade",
        QStringLiteral("Check whether any updates of Vantrel have been released. Updates are free "
                       "of charge."));
    connect(
        m_hints, &ui::HintLine::backgroundHovered, this, [this] { setWebsiteColour(Qt::black); });
}

void FormMenu::wireCommands()
{
    for (const ScreenCommand& entry : screenCommands) {
        connect(button(entry.button), &QPushButton::clicked, this,
            [this, screen = latin(entry.screen), suffix = latin(entry.suffix)] {
                bringScreenToFront(screen, suffix);
            });
    }
    connect(button("CommandSlideShow"), &QPushButton::clicked, this, &FormMenu::openSlideShow);
    connect(button("CommandManual"), &QPushButton::clicked, this, &FormMenu::openManual);
    connect(button("CommandUpgrade"), &QPushButton::clicked, this,
        [this] { openWebPage(QUrl(website).resolved(QUrl(QStringLiteral("Version.htm")))); });
}

void FormMenu::updateCommands()
{
    // A screen that is not part of this build yet keeps its button greyed, and its hint says
    // why, instead of a button that does nothing.
    for (const ScreenCommand& entry : screenCommands) {
        const bool enabled = ui::Screens::isRegistered(latin(entry.screen))
            && (m_unlocked || !isLocked(entry.button));
        button(entry.button)->setEnabled(enabled);
        label(entry.label)->setEnabled(enabled);
    }
}

// The desktop's PDF viewer when there is one, else the program's own viewer, which also
// says when the file is missing.
void FormMenu::openManual()
{
    if (!platform::Desktop::openFile(QStringLiteral("Help.pdf")))
        FormHelp::showPage(this, 1);
}

void FormMenu::openSlideShow()
{
    if (!platform::Desktop::openFile(QStringLiteral("Presentation.pdf")))
        FormHelp::showSlideShow(this);
}

void FormMenu::openWebPage(const QUrl& url)
{
    QString error;
    if (!platform::Desktop::openUrl(url, &error))
        platform::MessageBox::warning(this, error);
}

void FormMenu::bringScreenToFront(const QString& screen, const QString& captionSuffix)
{
    if (!ui::Screens::bringToFront(screen))
        return;
    // Suffixes pile up until a click in the navigation tree sets the caption anew.
    QWidget* main = window();
    if (main != this)
        main->setWindowTitle(main->windowTitle() + captionSuffix);
}

void FormMenu::screenActivated()
{
    m_password->setText(defaultPassword);
    updateCommands();
}

bool FormMenu::readStoredPassword(QString* password)
{
    QString error;
    if (data::SetupPassword::read(password, &error))
        return true;
    platform::MessageBox::error(this, error);
    return false;
}

void FormMenu::enterPassword()
{
    QString stored;
    if (!readStoredPassword(&stored))
        return;
    if (m_password->text() == stored) {
        m_unlocked = true;
        updateCommands();
        setPasswordCaption(QStringLiteral("Advanced Setup Enabled"), enabledColour);
        if (m_save->isHidden())
            m_change->show();
        return;
    }
    setPasswordCaption(QStringLiteral("INCORRECT PASSWORD"), incorrectColour);
    m_password->clear();
    maskPassword();
    m_password->setFocus();
}

void FormMenu::changePassword()
{
    QString stored;
    if (!readStoredPassword(&stored))
        return;
    if (m_password->text() != stored) {
        QApplication::beep();
        platform::MessageBox::show(this,
            QStringLiteral("Please enter your current password first."),
            platform::MessageBox::Icon::None, platform::MessageBox::Ok);
        m_password->setFocus();
        return;
    }
    m_newPasswordLabel->show();
    m_change->hide();
    m_newPassword->clear();
    m_newPassword->show();
    m_save->show();
    m_newPassword->setFocus();
}

void FormMenu::savePassword()
{
    const QString password = m_newPassword->text();
    QString error;
    if (!data::SetupPassword::write(password, &error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    m_password->setText(password);
    for (QWidget* widget :
        std::initializer_list<QWidget*> { m_newPasswordLabel, m_newPassword, m_save })
        widget->hide();
    m_change->show();
}

void FormMenu::maskPassword()
{
    if (m_password->echoMode() == QLineEdit::Password)
        return;
    m_password->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    m_password->setEchoMode(QLineEdit::Password);
}

void FormMenu::setPasswordCaption(const QString& caption, const QColor& colour)
{
    m_framePassword->setTitle(caption);
    QPalette palette = m_framePassword->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_framePassword->setPalette(palette);
}

void FormMenu::setWebsiteColour(const QColor& colour)
{
    QPalette palette = m_website->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_website->setPalette(palette);
}

bool FormMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_password && event->type() == QEvent::MouseButtonPress) {
        m_password->clear();
        maskPassword();
    }
    else if (watched == m_website && event->type() == QEvent::Enter) {
        setWebsiteColour(Qt::blue);
    }
    else if (watched == m_website && event->type() == QEvent::MouseButtonRelease) {
        openWebPage(QUrl(website));
    }
    return QWidget::eventFilter(watched, event);
}

QPushButton* FormMenu::button(const char* name) const
{
    return findChild<QPushButton*>(latin(name));
}

QLabel* FormMenu::label(const char* name) const
{
    return findChild<QLabel*>(latin(name));
}

} // namespace vantrel::shell
