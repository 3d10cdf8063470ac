// gemwright-report: renders a report template for a configuration file without the window.
// The full command is being written; until then it only refuses to run.
#include <cstdio>

int main()
{
    std::fputs("gemwright-report: not available yet\n", stderr);
    return 1;
}
