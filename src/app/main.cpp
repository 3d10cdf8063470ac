// gemwright: the planner's window. Start-up lives in the window library (ui/Startup) so that the
// start-up probe starts exactly the same way.
#include "ui/Startup.h"

int main(int argc, char** argv)
{
    return RunGemwright(argc, argv);
}
