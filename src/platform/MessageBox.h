#pragma once

#include <QList>
#include <QString>

#include <memory>

class QWidget;

namespace vantrel::platform {

// Every message the program shows goes through here: title "Vantrel", the icon,
// the buttons and the default button. Tests install a handler that answers in
// advance and records what would have been shown.
class MessageBox {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum Button { NoButton = 0, Ok = 1, Yes = 2, No = 4, Cancel = 8 };

    struct Message {
        QString title;
        QString text;
        Icon icon = Icon::None;
        int buttons = Ok;
        Button defaultButton = NoButton;
    };

    class Handler {
    public:
        virtual ~Handler() = default;
        virtual Button show(QWidget* parent, const Message& message) = 0;
    };

    static Button show(QWidget* parent, const QString& text, Icon icon, int buttons = Ok,
        Button defaultButton = NoButton, const QString& title = {});

    static void information(QWidget* parent, const QString& text);
    static void warning(QWidget* parent, const QString& text);
    static void critical(QWidget* parent, const QString& text);
    // "An error has occurred. " followed by the description, with the error icon.
    static void error(QWidget* parent, const QString& description);
    static bool question(QWidget* parent, const QString& text, Button defaultButton = Yes);

    static QString errorText(const QString& description);

    // Replaces the real dialogs; nullptr restores them.
    static void setHandler(std::unique_ptr<Handler> handler);
};

} // namespace vantrel::platform
