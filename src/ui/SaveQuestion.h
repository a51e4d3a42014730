#pragma once

namespace vantrel::ui {

// A browser that asks whether to store what the user has just started writing
// elsewhere: the call report browser for a call report, the correspondence
// browser for a letter, fax or e-mail. Its answer ends the pending state.
// While the question waits, the window the work is written in can answer it
// itself when it closes, so that closing it never loses the work unasked.
class SaveQuestion {
public:
    enum class Pending {
        Document, // a letter, fax or call report in the word processor
        Mail, // an e-mail in the mail window
    };

    virtual ~SaveQuestion();
    // Shows the question in place of the browser's document view.
    virtual void askToSave(Pending pending) = 0;
    // Answers Yes: stores the working file; false when nothing was stored (the
    // user was told) and the question still waits.
    virtual bool storePending(Pending pending) = 0;
    // Answers No: nothing is stored.
    virtual void discardPending(Pending pending) = 0;

    // The question that waits for an answer about this kind of work; nullptr when none.
    static SaveQuestion* waiting(Pending pending);

protected:
    // The browser tells when its question comes up and when it is answered.
    void setWaiting(Pending pending, bool waiting);
};

} // namespace vantrel::ui
