// Any bytes opened as a configuration: no read past a buffer, no endless loop, and a result
// that adds up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "io/ConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte picks the realm the realm box shows; the rest is the file.
    const int realm = size > 0 ? data[0] % 4 : 0; // 3 is out of range and must count as Albion
    const std::string bytes =
        size > 0 ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1) : std::string();
    std::istringstream in(bytes);
    gw::Configuration config;
    const gw::ConfigReadResult result = gw::ReadConfiguration(in, config, realm);

    if (result.recordCount != 16 && result.recordCount != 18)
        std::abort();
    if (result.realm < 0 || result.realm > 2)
        std::abort();
    if (result.recordsRead + result.failedRecords > result.recordCount)
        std::abort();
    if (result.messages.size() !=
        static_cast<std::size_t>(result.failedRecords) + (result.truncated ? 1u : 0u))
        std::abort();
    if (!result.truncated && result.recordsRead + result.failedRecords != result.recordCount)
        std::abort();
    for (const gw::GWItem& item : config.Items)
        if (item.Name.size() > 298 || item.Speed.size() > 298)
            std::abort();

    // What was read saves and opens again unchanged.
    const std::string saved = gw::ConfigurationText(config, result.realm);
    std::istringstream again(saved);
    gw::Configuration reopened;
    const gw::ConfigReadResult second = gw::ReadConfiguration(again, reopened, 0);
    if (second.recordsRead != 18 || !second.messages.empty() || !(reopened.Items == config.Items))
        std::abort();
    return 0;
}
