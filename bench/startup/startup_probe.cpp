// Starts the application exactly as gemwright does and ends once the main window has painted,
// so that timing this whole process measures start-up as a player sees it.
#include <cstdlib>

#include "ui/Startup.h"

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return RunGemwright(argc, argv, StartupMode::QuitWhenShown);
}
