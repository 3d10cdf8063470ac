#include "io/AtomicFile.h"

namespace gw {

std::string SaveFailedMessage(const std::filesystem::path& target, std::string_view reason)
{
    return "Save Failed. Could not write \"" + target.string() + "\": " + std::string(reason) + ".";
}

} // namespace gw
