#pragma once

namespace vantrel::app {

// Puts the program together: every screen, the record views of the navigation
// tree, the shell's viewers and the built-in office programs. Runs once, before
// the first screen is made; the tests run it too.
void composeApplication();

} // namespace vantrel::app
