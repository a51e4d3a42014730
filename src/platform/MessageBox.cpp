#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace vantrel::platform {

namespace {

QMessageBox::Icon toQtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::Information:
        return QMessageBox::Information;
    case MessageBox::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBox::Icon::Critical:
        return QMessageBox::Critical;
    case MessageBox::Icon::Question:
        return QMessageBox::Question;
    case MessageBox::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQtButton(MessageBox::Button button)
{
    switch (button) {
    case MessageBox::Ok:
        return QMessageBox::Ok;
    case MessageBox::Yes:
        return QMessageBox::Yes;
    case MessageBox::No:
        return QMessageBox::No;
    case MessageBox::Cancel:
        return QMessageBox::Cancel;
    case MessageBox::NoButton:
        break;
    }
    return QMessageBox::NoButton;
}

class DialogHandler : public MessageBox::Handler {
public:
    MessageBox::Button show(QWidget* parent, const MessageBox::Message& message) override
    {
        QMessageBox box(
            toQtIcon(message.icon), message.title, message.text, QMessageBox::NoButton, parent);
        for (MessageBox::Button button :
            { MessageBox::Yes, MessageBox::No, MessageBox::Ok, MessageBox::Cancel }) {
            if (message.buttons & button)
                box.addButton(toQtButton(button));
        }
        if (message.defaultButton != MessageBox::NoButton)
            box.setDefaultButton(toQtButton(message.defaultButton));
        switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageBox::Yes;
        case QMessageBox::No:
            return MessageBox::No;
        case QMessageBox::Cancel:
            return MessageBox::Cancel;
        default:
            return MessageBox::Ok;
        }
    }
};

std::unique_ptr<MessageBox::Handler>& installedHandler()
{
    static std::unique_ptr<MessageBox::Handler> handler;
    return handler;
}

} // namespace

MessageBox::Button MessageBox::show(QWidget* parent, const QString& text, Icon icon, int buttons,
    Button defaultButton, const QString& title)
{
    const Message message { title.isEmpty() ? QStringLiteral("Vantrel") : title, text, icon,
        buttons, defaultButton };
    if (installedHandler())
        return installedHandler()->show(parent, message);
    DialogHandler dialogs;
    return dialogs.show(parent, message);
}

void MessageBox::information(QWidget* parent, const QString& text)
{
    show(parent, text, Icon::Information);
}

void MessageBox::warning(QWidget* parent, const QString& text)
{
    show(parent, text, Icon::Warning);
}

void MessageBox::critical(QWidget* parent, const QString& text)
{
    show(parent, text, Icon::Critical);
}

void MessageBox::error(QWidget* parent, const QString& description)
{
    show(parent, errorText(description), Icon::Critical);
}

bool MessageBox::question(QWidget* parent, const QString& text, Button defaultButton)
{
    return show(parent, text, Icon::Question, Yes | No, defaultButton) == Yes;
}

QString MessageBox::errorText(const QString& description)
{
    return QStringLiteral("An error has occurred. ") + description;
}

void MessageBox::setHandler(std::unique_ptr<Handler> handler)
{
    installedHandler() = std::move(handler);
}

} // namespace vantrel::platform
