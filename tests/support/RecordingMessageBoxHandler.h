#pragma once

#include "platform/MessageBox.h"

#include <QList>

namespace vantrel::platform {

// Answers messages from a queue (Ok when it runs dry) and keeps what was shown.
class RecordingMessageBoxHandler : public MessageBox::Handler {
public:
    MessageBox::Button show(QWidget* parent, const MessageBox::Message& message) override;

    QList<MessageBox::Button> answers;
    QList<MessageBox::Message> shown;
};

} // namespace vantrel::platform
