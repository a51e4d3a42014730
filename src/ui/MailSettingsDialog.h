#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace vantrel::office {
struct MailAccount;
}

namespace vantrel::ui {

// The mail account of this workstation, edited from the mail window. OK saves
// it; a failure is shown and the dialog stays open with what was typed.
class MailSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit MailSettingsDialog(QWidget* parent = nullptr);

    office::MailAccount account() const;

public slots:
    void accept() override;

private:
    void securityChanged();
    void updateSecurityWarning();

    QLineEdit* m_userName;
    QLineEdit* m_companyName;
    QLineEdit* m_address;
    QLineEdit* m_host;
    QSpinBox* m_port;
    QComboBox* m_security;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QLineEdit* m_supportAddress;
    QLabel* m_securityWarning;
};

} // namespace vantrel::ui
