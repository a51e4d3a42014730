#pragma once

namespace vantrel::platform {

// The hourglass for as long as the guard lives, so every way out of an
// operation, failures included, brings the arrow back.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    static bool isBusy();
};

} // namespace vantrel::platform
