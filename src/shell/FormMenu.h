#pragma once

#include "ui/ActivatedScreen.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QUrl;

namespace vantrel::ui {
class HintLine;
}

namespace vantrel::shell {

// The advanced setup menu: the first screen right of the navigation tree. Master
// tables, the import from the mail program and the database size are locked until
// the setup password is entered; the other functions are always at hand.
class FormMenu : public QWidget, public ui::ActivatedScreen {
    Q_OBJECT
public:
    static const QString defaultPassword;
    static const QString website;

    explicit FormMenu(QWidget* parent = nullptr);

    void screenActivated() override;

private:
    struct Command {
        const char* button;
        const char* label;
        const char* caption;
    };

    void buildPasswordFrame();
    QGroupBox* buildCommandFrame(
        const char* name, const QString& title, const QList<Command>& commands);
    void declareHints();
    void setCommandHint(const char* name, const QString& text);
    void wireCommands();
    void updateCommands();
    void openManual();
    void openSlideShow();
    void openWebPage(const QUrl& url);
    void bringScreenToFront(const QString& screen, const QString& captionSuffix);

    void enterPassword();
    void changePassword();
    void savePassword();
    void maskPassword();
    void setPasswordCaption(const QString& caption, const QColor& colour);
    void setWebsiteColour(const QColor& colour);
    bool readStoredPassword(QString* password);

    bool eventFilter(QObject* watched, QEvent* event) override;

    QPushButton* button(const char* name) const;
    QLabel* label(const char* name) const;

    ui::HintLine* m_hints;
    QGroupBox* m_framePassword = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_newPassword = nullptr;
    QLabel* m_newPasswordLabel = nullptr;
    QPushButton* m_enter = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_website = nullptr;
    bool m_unlocked = false;
};

} // namespace vantrel::shell
