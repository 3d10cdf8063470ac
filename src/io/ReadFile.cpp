#include "io/ReadFile.h"

namespace gw {

std::string ByteSizeText(std::uintmax_t bytes)
{
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    if (bytes >= (1u << 10) && bytes % (1u << 10) == 0)
        return std::to_string(bytes >> 10) + " KiB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

std::string DescribeRefusal(const std::filesystem::path& path, const FileRead& read, std::uintmax_t limit)
{
    const std::string name = "\"" + path.string() + "\"";
    switch (read.refusal) {
    case ReadRefusal::None:
        return {};
    case ReadRefusal::CannotOpen:
        return "Cannot open " + name + ": " + read.reason + ".";
    case ReadRefusal::NotRegular:
        return name + " is not a regular file.";
    case ReadRefusal::TooLarge:
        return name + " is larger than " + ByteSizeText(limit) + ", more than a file of its kind can hold.";
    case ReadRefusal::ReadError:
        return "Cannot read " + name + ": " + read.reason + ".";
    }
    return {};
}

} // namespace gw
