#include "io/StandardOutput.h"

namespace gw {

// POSIX streams never translate line ends.
void UseBinaryStandardOutput() {}

} // namespace gw
