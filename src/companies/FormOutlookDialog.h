#pragma once

#include <QWidget>

class QRadioButton;

namespace vantrel::ui {
class LoadIndicator;
}

namespace vantrel::companies {

// Asks whether the mail merge's recipients go into the To or the Bcc box of the
// new e-mail, then opens the mail window with them.
class FormOutlookDialog : public QWidget {
    Q_OBJECT
public:
    enum class Box { To, Bcc };

    explicit FormOutlookDialog(QWidget* parent = nullptr);

    void setRecipients(const QString& recipients) { m_recipients = recipients; }
    QString recipients() const { return m_recipients; }
    // Opens the mail window; on failure the dialog stays open with the reason shown.
    void place(Box box);

private:
    QString m_recipients;
    QRadioButton* m_to;
    QRadioButton* m_bcc;
    ui::LoadIndicator* m_loading;
};

} // namespace vantrel::companies
