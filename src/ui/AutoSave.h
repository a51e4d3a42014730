#pragma once

#include <QTimer>

namespace vantrel::ui {

// Keeps the working file of the document or e-mail being written current while
// it is pending: each tick saves it again. Failures are ignored (the user closed
// the word processor or the mail window); the timer stays on until stopped.
class AutoSave : public QTimer {
    Q_OBJECT
public:
    enum class Kind {
        Document, // "TimerWord": the word processor's active document, every second
        MailText, // "TimerOutlook": the open mail item as plain text, every five seconds
    };

    AutoSave(Kind kind, QObject* parent);

    Kind kind() const { return m_kind; }
    // One save at once, as a tick does; false when nothing was saved.
    bool saveNow() const;

private:
    Kind m_kind;
};

} // namespace vantrel::ui
