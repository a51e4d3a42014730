#pragma once

namespace vantrel::shell {

// Registers every screen of the program with Screens, and the navigation
// actions that replace the shell's defaults. Runs once, at the first use of Screens.
void registerScreens();

} // namespace vantrel::shell
