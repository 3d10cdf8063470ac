#include "io/StandardOutput.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace gw {

// In text mode the C library writes every "\n" as "\r\n", so a report would differ from the same
// report made on another system. Standard error stays text: its lines are for a console.
void UseBinaryStandardOutput()
{
    _setmode(_fileno(stdout), _O_BINARY);
}

} // namespace gw
