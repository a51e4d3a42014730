#include "ui/MailWindow.h"

#include "data/ProgramFolder.h"

#include "office/MailAccount.h"
#include "office/MailProgram.h"
#include "office/MailtoLink.h"
#include "platform/MessageBox.h"
#include "ui/MailSettingsDialog.h"
#include "ui/SaveQuestion.h"
#include "ui/WorkingFiles.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::ui {

namespace {

quint64 nextUse()
{
    static quint64 counter = 0;
    return ++counter;
}

QLineEdit* lineEdit(const QString& name, const QString& text, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

MailWindow::MailWindow(const office::MailItem& mail, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_id(mail.id)
    , m_to(lineEdit(QStringLiteral("To"), mail.to, this))
    , m_bcc(lineEdit(QStringLiteral("Bcc"), mail.bcc, this))
    , m_subject(lineEdit(QStringLiteral("Subject"), mail.subject, this))
    , m_body(new QPlainTextEdit(mail.body, this))
    , m_send(new QPushButton(QStringLiteral("&Send"), this))
    , m_account(new QLabel(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_body->setObjectName(QStringLiteral("Body"));
    m_send->setObjectName(QStringLiteral("Send"));
    m_account->setObjectName(QStringLiteral("Account"));
    m_account->setWordWrap(true);
    auto* settings = new QPushButton(QStringLiteral("Setti&ngs..."), this);
    settings->setObjectName(QStringLiteral("Settings"));
    m_to->setPlaceholderText(QStringLiteral("Addresses separated by ;"));
    m_bcc->setPlaceholderText(QStringLiteral("Addresses separated by ;"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_send);
    buttons->addWidget(m_account, 1);
    buttons->addWidget(settings);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&To..."), m_to);
    fields->addRow(QStringLiteral("&Bcc..."), m_bcc);
    fields->addRow(QStringLiteral("S&ubject:"), m_subject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(fields);
    layout->addWidget(m_body, 1);
    resize(640, 480);

    connect(m_send, &QPushButton::clicked, this, &MailWindow::sendMail);
    connect(settings, &QPushButton::clicked, this, &MailWindow::showSettings);
    connect(m_subject, &QLineEdit::textChanged, this, &MailWindow::updateTitle);
    updateTitle();
    showAccount();
    // The cursor waits where the user has to write next.
    if (mail.to.trimmed().isEmpty() && mail.bcc.trimmed().isEmpty())
        m_to->setFocus();
    else if (mail.subject.isEmpty())
        m_subject->setFocus();
    else
        m_body->setFocus();
}

office::MailItem MailWindow::item() const
{
    office::MailItem mail;
    mail.id = m_id;
    mail.to = m_to->text();
    mail.bcc = m_bcc->text();
    mail.subject = m_subject->text();
    mail.body = m_body->toPlainText();
    return mail;
}

bool MailWindow::saveAsText(const QString& path, QString* error)
{
    m_textCopyPath = path;
    return data::prepareWorkingFile(path, error) && item().saveAsText(path, error);
}

void MailWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        markUse();
    QWidget::changeEvent(event);
}

void MailWindow::closeEvent(QCloseEvent* event)
{
    if (isVisible() && !m_sent && !answerPendingQuestion()) {
        event->ignore();
        return;
    }
    // A failure here is left alone, as for the periodic saves.
    if (!m_textCopyPath.isEmpty() && data::prepareWorkingFile(m_textCopyPath, nullptr))
        item().saveAsText(m_textCopyPath, nullptr);
    QWidget::closeEvent(event);
}

bool MailWindow::holdsWorkingMail() const
{
    return !m_textCopyPath.isEmpty()
        && QFileInfo(m_textCopyPath).absoluteFilePath()
        == QFileInfo(workingMailTextPath()).absoluteFilePath();
}

bool MailWindow::answerPendingQuestion()
{
    // An e-mail neither sent nor stored would be gone with its window.
    SaveQuestion* question = SaveQuestion::waiting(SaveQuestion::Pending::Mail);
    if (!question || !holdsWorkingMail())
        return true;
    const platform::MessageBox::Button answer = platform::MessageBox::show(this,
        QStringLiteral("This e-mail has not been sent, nor saved in Vantrel. Would you like to "
                       "save it in Vantrel before the window closes?\n\n"
                       "Yes saves it, No discards it, Cancel keeps the window open so that you "
                       "can go on writing."),
        platform::MessageBox::Icon::Question,
        platform::MessageBox::Yes | platform::MessageBox::No | platform::MessageBox::Cancel,
        platform::MessageBox::Cancel);
    if (answer == platform::MessageBox::No) {
        question->discardPending(SaveQuestion::Pending::Mail);
        return true;
    }
    if (answer != platform::MessageBox::Yes)
        return false;
    QString error;
    // The periodic save may be a few seconds older than the last keystroke.
    if (!item().saveAsText(m_textCopyPath, &error)) {
        platform::MessageBox::error(this, error);
        return false;
    }
    return question->storePending(SaveQuestion::Pending::Mail);
}

void MailWindow::showEvent(QShowEvent* event)
{
    markUse();
    QWidget::showEvent(event);
}

void MailWindow::sendMail()
{
    QPointer<MailWindow> self(this);
    m_send->setEnabled(false);
    QString error;
    const bool sent = office::MailProgram::instance().send(item(), &error);
    if (!self)
        return;
    m_send->setEnabled(true);
    m_sent = sent;
    if (sent) {
        if (isVisible())
            close();
        return;
    }
    if (!handedToTheDesktop()) {
        platform::MessageBox::error(this, error);
        return;
    }
    // Without a mail program the way out is Vantrel's own account, offered where the user
    // meets the problem; the e-mail stays open either way, and nothing is stored for it.
    const QString offer = error
        + QStringLiteral(" The e-mail was not sent and stays open.\n\nWould you like to enter "
                         "your mail account (SMTP server) now, so that Vantrel sends it itself?");
    if (platform::MessageBox::show(this, offer, platform::MessageBox::Icon::Question,
            platform::MessageBox::Yes | platform::MessageBox::No, platform::MessageBox::Yes)
        == platform::MessageBox::Yes)
        showSettings();
}

bool MailWindow::handedToTheDesktop() const
{
    // Without an account Send hands the mail to the desktop; an address that cannot be
    // written as a mailto: link fails before that, and is the user's to correct.
    office::MailAccount account;
    QUrl link;
    return office::MailAccount::load(&account, nullptr) && !account.canSend()
        && office::mailtoLink(item(), &link, nullptr);
}

void MailWindow::showSettings()
{
    auto* dialog = new MailSettingsDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, &MailWindow::showAccount);
    dialog->open();
}

void MailWindow::showAccount()
{
    office::MailAccount account;
    QString error;
    if (!office::MailAccount::load(&account, &error))
        m_account->setText(error);
    else if (!account.canSend())
        m_account->setText(QStringLiteral("No mail account is set up: Send passes the e-mail to "
                                          "the desktop's mail program."));
    else {
        const QString sender = account.userName.isEmpty()
            ? account.address
            : QStringLiteral("%1 <%2>").arg(account.userName, account.address);
        m_account->setText(QStringLiteral("From %1 through %2").arg(sender, account.host));
    }
}

void MailWindow::updateTitle()
{
    const QString subject = m_subject->text().trimmed();
    setWindowTitle(
        (subject.isEmpty() ? QStringLiteral("Untitled") : subject) + QStringLiteral(" - Message"));
}

void MailWindow::markUse()
{
    m_lastUse = nextUse();
}

} // namespace vantrel::ui
