#include "ui/SaveQuestion.h"

#include <array>

namespace vantrel::ui {

namespace {

std::array<SaveQuestion*, 2>& waitingQuestions()
{
    static std::array<SaveQuestion*, 2> questions {};
    return questions;
}

SaveQuestion*& slot(SaveQuestion::Pending pending)
{
    return waitingQuestions()[pending == SaveQuestion::Pending::Document ? 0 : 1];
}

} // namespace

SaveQuestion::~SaveQuestion()
{
    for (SaveQuestion*& question : waitingQuestions()) {
        if (question == this)
            question = nullptr;
    }
}

SaveQuestion* SaveQuestion::waiting(Pending pending)
{
    return slot(pending);
}

void SaveQuestion::setWaiting(Pending pending, bool waiting)
{
    // There is one working file of each kind: the browser that asked last
    // speaks for it.
    SaveQuestion*& question = slot(pending);
    if (waiting)
        question = this;
    else if (question == this)
        question = nullptr;
}

} // namespace vantrel::ui
