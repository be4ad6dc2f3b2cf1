#pragma once

namespace App {

// Creates the process-wide state, applies the look and icon of the program and opens the start-up
// window, whose timer opens the launcher. Everything after that is driven by window events.
void StartProgram();

} // namespace App
