#pragma once

#include "office/MailItem.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vantrel::ui {

// The built-in mail window: an e-mail for the user to finish and send.
// Controls: To, Bcc, Subject, Body, Send, Settings.
class MailWindow : public QWidget {
    Q_OBJECT
public:
    explicit MailWindow(const office::MailItem& mail, QWidget* parent = nullptr);

    office::MailItem item() const;
    // Writes the item as plain text. The window writes that file once more when
    // it closes, so the copy holds what the user finally wrote.
    bool saveAsText(const QString& path, QString* error);
    // Grows each time a mail window is shown or activated; the highest is the
    // window the user worked in last.
    quint64 lastUse() const { return m_lastUse; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void sendMail();
    bool handedToTheDesktop() const;
    void showSettings();
    void showAccount();
    void updateTitle();
    void markUse();
    // Whether the auto-save keeps this e-mail as the working file of the correspondence.
    bool holdsWorkingMail() const;
    // False when the user keeps the window open.
    bool answerPendingQuestion();

    QUuid m_id;
    QLineEdit* m_to;
    QLineEdit* m_bcc;
    QLineEdit* m_subject;
    QPlainTextEdit* m_body;
    QPushButton* m_send;
    QLabel* m_account;
    QString m_textCopyPath;
    quint64 m_lastUse = 0;
    bool m_sent = false;
};

} // namespace vantrel::ui
