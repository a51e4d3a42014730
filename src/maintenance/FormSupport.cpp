#include "maintenance/FormSupport.h"

#include "office/MailAccount.h"
#include "office/MailItem.h"
#include "office/MailProgram.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/MailWindow.h"
#include "ui/ManualLink.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrel::maintenance {

namespace {

const QString lineBreak = QStringLiteral("\r\n");
constexpr int retryDelayMs = 10;
// Colour values of the confirmation, blue-green-red: bright green for the
// first attempt, dark green for a retry.
const QColor firstAttemptColour(0, 255, 0);
const QColor retryColour(0, 128, 0);

// A refused item stays with no one: its window closes, and a retry makes it anew.
void releaseMail(const office::MailItem& mail)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* mailWindow = qobject_cast<ui::MailWindow*>(window);
        if (mailWindow && mailWindow->item().id == mail.id)
            mailWindow->close();
    }
}

} // namespace

const QString FormSupport::supportAddress = QStringLiteral("support@vantrel.example");

FormSupport::FormSupport(QWidget* parent)
    : QWidget(parent)
    , m_label(new QLabel(QStringLiteral("Type your message and click on Go..."), this))
    , m_message(new QPlainTextEdit(this))
    , m_go(new QPushButton(QStringLiteral("&Go"), this))
    , m_retry(new QTimer(this))
{
    setObjectName(QStringLiteral("FormSupport"));
    m_manual = new ui::ManualLink(this);
    m_label->setObjectName(QStringLiteral("LabelMessage"));
    m_message->setObjectName(QStringLiteral("TextMessage"));
    m_go->setObjectName(QStringLiteral("CommandGo"));
    m_retry->setObjectName(QStringLiteral("Timer1"));
    m_retry->setSingleShot(true);
    m_retry->setInterval(retryDelayMs);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_go);
    buttons->addStretch(1);
    buttons->addWidget(m_manual->button());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_message, 1);
    layout->addLayout(buttons);

    connect(m_go, &QPushButton::clicked, this, [this] { send(Attempt::First); });
    connect(m_retry, &QTimer::timeout, this, [this] { send(Attempt::Retry); });
}

QString FormSupport::versionLine(Attempt attempt)
{
    const QStringList parts = QCoreApplication::applicationVersion().split(QLatin1Char('.'));
    auto part = [&parts](int index) {
        return index < parts.size() && !parts.at(index).isEmpty() ? parts.at(index)
                                                                  : QStringLiteral("0");
    };
    return QStringLiteral(" Version ") + part(0) + QLatin1Char('.') + part(1)
        + (attempt == Attempt::First ? QStringLiteral(" Revision ")
                                     : QStringLiteral(" Service Pack "))
        + part(2);
}

void FormSupport::send(Attempt attempt)
{
    office::MailProgram& program = office::MailProgram::instance();
    office::MailItem mail = program.createMail();
    QString error;
    bool sent = false;
    {
        platform::BusyCursor busy;
        office::MailAccount account;
        if (office::MailAccount::load(&account, &error)) {
            mail.to = account.supportAddress.isEmpty() ? supportAddress : account.supportAddress;
            mail.subject = QStringLiteral("Request for technical support from ") + account.userName
                + QStringLiteral(" at ") + account.companyName;
            mail.body = versionLine(attempt) + lineBreak + lineBreak + m_message->toPlainText();
            sent = program.display(mail, &error) && program.send(mail, &error);
        }
    }
    if (sent) {
        QPalette palette = m_label->palette();
        palette.setColor(
            QPalette::WindowText, attempt == Attempt::First ? firstAttemptColour : retryColour);
        m_label->setPalette(palette);
        m_label->setText(QStringLiteral("Your message has been sent..."));
        m_go->hide();
        return;
    }
    releaseMail(mail);
    const auto answer = platform::MessageBox::show(this,
        QStringLiteral("You must allow this e-mail to be sent.") + lineBreak + lineBreak + error
            + lineBreak + lineBreak + QStringLiteral("Do you want to try again?"),
        platform::MessageBox::Icon::None, platform::MessageBox::Yes | platform::MessageBox::No,
        platform::MessageBox::Yes, QStringLiteral("Technical Support"));
    if (answer == platform::MessageBox::Yes)
        m_retry->start();
}

} // namespace vantrel::maintenance
