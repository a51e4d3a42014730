#pragma once

namespace vantrel::ui {

// A browser that asks whether to store what the user has just started writing
// elsewhere: the call report browser for a call report, the correspondence
// browser for a letter, fax or e-mail. Its answer ends the pending state.
class SaveQuestion {
public:
    enum class Pending {
        Document, // a letter, fax or call report in the word processor
        Mail, // an e-mail in the mail window
    };

    virtual ~SaveQuestion() = default;
    // Shows the question in place of the browser's document view.
    virtual void askToSave(Pending pending) = 0;
};

} // namespace vantrel::ui
