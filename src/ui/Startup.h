// Start-up: the application object, the six windows in their fixed order, the event loop.
// Shared by the gemwright executable and the start-up probe so that both start alike.
#pragma once

#include <memory>

class TMainForm;

// Creates the main window and then the other windows, each once, in start-up order; the others
// belong to the main window and are destroyed with it. Only the main window is to be shown.
std::unique_ptr<TMainForm> CreateApplicationWindows();

enum class StartupMode { Run, QuitWhenShown };

// The program: returns the exit code. An error while the windows are created is shown and ends
// the program with code 0.
int RunGemwright(int& argc, char** argv, StartupMode mode = StartupMode::Run);
