#pragma once

namespace vantrel::app {

// Registers every screen of the program with Screens.
void registerScreens();

} // namespace vantrel::app
