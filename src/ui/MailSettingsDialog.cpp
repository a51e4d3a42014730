#include "ui/MailSettingsDialog.h"

#include "office/MailAccount.h"
#include "office/MailAddress.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vantrel::ui {

namespace {

QLineEdit* lineEdit(const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

int standardPort(office::MailAccount::Security security)
{
    switch (security) {
    case office::MailAccount::Security::None:
        return 25;
    case office::MailAccount::Security::SslTls:
        return 465;
    case office::MailAccount::Security::StartTls:
        break;
    }
    return 587;
}

} // namespace

MailSettingsDialog::MailSettingsDialog(QWidget* parent)
    : QDialog(parent)
    , m_userName(lineEdit(QStringLiteral("UserName"), this))
    , m_companyName(lineEdit(QStringLiteral("CompanyName"), this))
    , m_address(lineEdit(QStringLiteral("Address"), this))
    , m_host(lineEdit(QStringLiteral("Host"), this))
    , m_port(new QSpinBox(this))
    , m_security(new QComboBox(this))
    , m_user(lineEdit(QStringLiteral("SmtpUser"), this))
    , m_password(lineEdit(QStringLiteral("Password"), this))
    , m_supportAddress(lineEdit(QStringLiteral("SupportAddress"), this))
    , m_securityWarning(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Mail Settings"));
    setMinimumWidth(460);
    m_port->setObjectName(QStringLiteral("Port"));
    m_port->setRange(1, 65535);
    m_security->setObjectName(QStringLiteral("Security"));
    for (const auto security : { office::MailAccount::Security::StartTls,
             office::MailAccount::Security::SslTls, office::MailAccount::Security::None })
        m_security->addItem(office::MailAccount::securityText(security), int(security));
    m_password->setEchoMode(QLineEdit::Password);
    m_address->setPlaceholderText(QStringLiteral("name@example.org"));
    m_host->setPlaceholderText(QStringLiteral("smtp.example.org"));

    auto* hint = new QLabel(QStringLiteral("Without an address and an outgoing server, e-mails "
                                           "are passed to the desktop's mail program."),
        this);
    hint->setWordWrap(true);
    m_securityWarning->setObjectName(QStringLiteral("SecurityWarning"));
    m_securityWarning->setWordWrap(true);
    m_securityWarning->setText(
        QStringLiteral("Without TLS the user name and the password go over the network "
                       "unencrypted. Choose STARTTLS or SSL/TLS if the server offers it."));
    m_securityWarning->setStyleSheet(QStringLiteral("color: #b00000;"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Your &name:"), m_userName);
    form->addRow(QStringLiteral("&Company:"), m_companyName);
    form->addRow(QStringLiteral("E-mail &address:"), m_address);
    form->addRow(QStringLiteral("Outgoing &server (SMTP):"), m_host);
    form->addRow(QStringLiteral("S&ecurity:"), m_security);
    form->addRow(QStringLiteral("&Port:"), m_port);
    form->addRow(QStringLiteral("&User name:"), m_user);
    form->addRow(QStringLiteral("Pass&word:"), m_password);
    form->addRow(QStringLiteral("Support a&ddress:"), m_supportAddress);
    form->addRow(m_securityWarning);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(buttons);

    office::MailAccount account;
    QString error;
    if (!office::MailAccount::load(&account, &error))
        hint->setText(error);
    m_userName->setText(account.userName);
    m_companyName->setText(account.companyName);
    m_address->setText(account.address);
    m_host->setText(account.host);
    m_port->setValue(account.port);
    m_security->setCurrentIndex(m_security->findData(int(account.security)));
    m_user->setText(account.user);
    m_password->setText(account.password);
    m_supportAddress->setText(account.supportAddress);

    connect(buttons, &QDialogButtonBox::accepted, this, &MailSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MailSettingsDialog::reject);
    connect(
        m_security, &QComboBox::currentIndexChanged, this, &MailSettingsDialog::securityChanged);
    connect(m_user, &QLineEdit::textChanged, this, &MailSettingsDialog::updateSecurityWarning);
    updateSecurityWarning();
}

office::MailAccount MailSettingsDialog::account() const
{
    office::MailAccount account;
    account.userName = m_userName->text();
    account.companyName = m_companyName->text();
    account.address = m_address->text().trimmed();
    account.host = m_host->text().trimmed();
    account.port = m_port->value();
    account.security = office::MailAccount::Security(m_security->currentData().toInt());
    account.user = m_user->text();
    account.password = m_password->text();
    account.supportAddress = m_supportAddress->text().trimmed();
    return account;
}

void MailSettingsDialog::accept()
{
    const office::MailAccount edited = account();
    if (!edited.address.isEmpty() && !office::MailAddress::isValid(edited.address)) {
        platform::MessageBox::warning(
            this, QStringLiteral("'%1' is not a valid e-mail address.").arg(edited.address));
        m_address->setFocus();
        return;
    }
    QString error;
    if (!office::MailAccount::save(edited, &error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    QDialog::accept();
}

// The usual port of the chosen security, unless the user set another one.
void MailSettingsDialog::securityChanged()
{
    const int current = m_port->value();
    if (current == 25 || current == 465 || current == 587)
        m_port->setValue(standardPort(account().security));
    updateSecurityWarning();
}

// A login is sent with every mail; without TLS anyone on the way can read it.
void MailSettingsDialog::updateSecurityWarning()
{
    const office::MailAccount edited = account();
    m_securityWarning->setVisible(
        edited.security == office::MailAccount::Security::None && !edited.user.trimmed().isEmpty());
}

} // namespace vantrel::ui
