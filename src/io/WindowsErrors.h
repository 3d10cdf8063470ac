// The system's own words for a Windows error code, as the platform files of io/ put them into
// their messages. Defined only in the Windows build.
#pragma once

#include <string>

namespace gw {

// FormatMessage's text for `code` in UTF-8, without its closing full stop and line end, so that
// it reads inside a sentence; "error N" when the system has no text for it.
std::string WindowsErrorText(unsigned long code);

} // namespace gw
