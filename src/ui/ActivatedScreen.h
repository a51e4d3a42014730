#pragma once

namespace vantrel::ui {

// A child screen that does something each time it becomes the active screen:
// when it is brought to front, or when the focus comes into it from the
// navigation window or another screen.
class ActivatedScreen {
public:
    virtual ~ActivatedScreen() = default;
    virtual void screenActivated() = 0;
};

} // namespace vantrel::ui
