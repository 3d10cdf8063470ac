// Start-up: the application object, the six windows in their fixed order, the event loop.
// Shared by the gemwright executable and the start-up probe so that both start alike.
#pragma once

#include <memory>

class QString;
class TMainForm;

// Creates the main window and then the other windows, each once, in start-up order; the others
// belong to the main window and are destroyed with it. Only the main window is to be shown.
std::unique_ptr<TMainForm> CreateApplicationWindows(const QString& startDir);
// The same in the current directory (tests).
std::unique_ptr<TMainForm> CreateApplicationWindows();

// The application's name, desktop entry and window icon, which the window system and the desktop
// match against the installed desktop entry.
void SetApplicationIdentity();

// Shows the main window and, once it is up, opens the configuration named on the command line (if
// any) as File > Open does, so that its messages stand over the window.
void ShowMainWindow(TMainForm& form, const QString& configuration);

enum class StartupMode { Run, QuitWhenShown };

// The program: returns the exit code. --help and --version print and give 0, a command line that
// cannot be understood gives 1, a start directory that cannot be made or written gives 2 before
// any window opens. An error while the windows are created is shown and ends the program with
// code 0.
int RunGemwright(int& argc, char** argv, StartupMode mode = StartupMode::Run);
