// Fuzzes report rendering with a template and a configuration file together.
// Input: one byte of settings (realm, crafter skill, display mode), the configuration file's
// text up to the first NUL byte, then the template.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "io/ConfigFile.h"
#include "report/ReportFields.h"
#include "report/ReportTemplate.h"

namespace {

// What a text-mode read makes of a template: CR LF arrives as LF.
std::string TextModeLines(std::string_view text)
{
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        lines += text[i];
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const unsigned settings = static_cast<unsigned char>(input[0]);
    const std::string_view rest = input.substr(1);
    const std::size_t split = rest.find('\0');
    const std::string_view configText = rest.substr(0, split);
    const std::string_view templ =
        split == std::string_view::npos ? std::string_view{} : rest.substr(split + 1);

    gw::Configuration config;
    std::istringstream configIn{std::string(configText)};
    const gw::ConfigReadResult read = gw::ReadConfiguration(configIn, config, static_cast<int>(settings % 3));
    const int crafterSkill = static_cast<int>((settings / 3) % 21); // 20: outside the list
    const auto mode = (settings & 0x80) != 0 ? gw::DisplayMode::DistanceToCap : gw::DisplayMode::TotalBonus;
    const gw::PanelReportSource source(config, read.realm, crafterSkill, mode);

    const std::string report = gw::RenderTemplate(templ, source);

    // Without any "<" there is no tag, and the template comes through as a text-mode read gives it.
    if (templ.find('<') == std::string_view::npos && report != TextModeLines(templ))
        std::abort();
    // A report stopped at a limit is exactly the beginning of the whole report.
    const std::uintmax_t limit = report.size() / 2 + (settings & 1);
    std::string bounded;
    const gw::RenderEnd end = gw::RenderTemplate(templ, source, [&bounded](std::string_view piece) {
        bounded.append(piece);
        return true;
    }, limit);
    if (bounded != std::string_view(report).substr(0, static_cast<std::size_t>(limit)))
        std::abort();
    if ((end == gw::RenderEnd::Stopped) != (report.size() > limit) || end == gw::RenderEnd::SinkFailed)
        std::abort();
    // A value stays bounded whatever width a tag asks for.
    if (gw::EvaluateValueTag(templ.substr(0, 64), source).size() > 64 * 1024)
        std::abort();
    return 0;
}
