// Any bytes read as the settings file: the realm is always one of the three, the captions come
// out of any path, and what was read is written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "io/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const gw::Settings settings = gw::ParseSettings(in, "/start");
    if (settings.realm < 0 || settings.realm > 2)
        std::abort();
    const std::string caption = gw::ReportButtonCaption(settings.ReportDefinition1);
    if (caption.size() > settings.ReportDefinition1.size())
        std::abort();
    gw::ReportButtonCaption(settings.ReportDefinition2);

    const std::string text = gw::SettingsText(settings);
    std::istringstream again(text);
    const gw::Settings reread = gw::ParseSettings(again, "/start");
    // A path is stored on one line; one near the length at which a line is cut may grow past
    // it when the start directory is put in front, so only shorter ones must come back whole.
    const bool storable = settings.ReportDefinition1.size() < 60000 &&
                          settings.ReportDefinition2.size() < 60000 &&
                          settings.ReportDefinition1.find_first_of("\r\n") == std::string::npos &&
                          settings.ReportDefinition2.find_first_of("\r\n") == std::string::npos;
    if (storable && !(reread == settings))
        std::abort();
    if (reread.realm != settings.realm)
        std::abort();
    return 0;
}
