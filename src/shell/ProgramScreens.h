#pragma once

#include "shell/AppContext.h"

namespace valmore {

// Plugs the program's real screens into the screen table of the context and connects the day
// controller to the simulation screen, the result history and the timer. Screens not plugged in here
// stay placeholders.
void InstallProgramScreens(CAppContext& context);

}  // namespace valmore
