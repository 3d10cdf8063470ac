#include "io/AtomicFile.h"

#include "io/WideText.h"

namespace gw {

std::string SaveFailedMessage(const std::filesystem::path& target, std::string_view reason)
{
    return "Save Failed. Could not write \"" + PathToUtf8(target) + "\": " + std::string(reason) + ".";
}

} // namespace gw
