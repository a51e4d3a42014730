#include "RecordingMessageBoxHandler.h"

namespace vantrel::platform {

MessageBox::Button RecordingMessageBoxHandler::show(QWidget*, const MessageBox::Message& message)
{
    shown.append(message);
    if (answers.isEmpty())
        return (message.buttons & MessageBox::Ok) ? MessageBox::Ok : message.defaultButton;
    return answers.takeFirst();
}

} // namespace vantrel::platform
