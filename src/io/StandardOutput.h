// The standard output of the command-line tools carries a file's bytes: a report goes out exactly
// as rendered, with the line ends of its report definition, on every system.
#pragma once

namespace gw {

// Stops the system from translating line ends on standard output.
void UseBinaryStandardOutput();

} // namespace gw
