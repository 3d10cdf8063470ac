#include "report/ReportSource.h"

#include <array>
#include <utility>

namespace gw {
namespace {

constexpr std::array<std::string_view, PanelCaptionCount> CaptionLabels = {
    "TotalStr",    "TotalCon",    "TotalDex",    "TotalQui",    "TotalInt",   "TotalPie",
    "TotalCha",    "TotalEmp",    "TotalBody",   "TotalCold",   "TotalHeat",  "TotalEnergy",
    "TotalMatter", "TotalSpirit", "TotalCrush",  "TotalThrust", "TotalSlash", "TotalFocus1",
    "TotalFocus2", "TotalFocus3", "TotalFocus4", "TotalHits",   "TotalPower", "TotalCost",
};

} // namespace

std::string_view PanelCaptionLabel(PanelCaption caption)
{
    const auto index = static_cast<std::size_t>(caption);
    return index < CaptionLabels.size() ? CaptionLabels[index] : std::string_view{};
}

PanelReportSource::PanelReportSource(const Configuration& config, int realm, int crafterSkillIndex,
                                     DisplayMode mode)
    : PanelReportSource(config, ComputePanel(config, realm, mode), realm, crafterSkillIndex)
{
}

PanelReportSource::PanelReportSource(const Configuration& config, CharacterPanel panel, int realm,
                                     int crafterSkillIndex)
    : m_config(config), m_panel(std::move(panel)), m_realm(realm), m_crafterSkill(crafterSkillIndex)
{
}

std::string PanelReportSource::Caption(PanelCaption caption) const
{
    const int index = static_cast<int>(caption);
    if (index >= static_cast<int>(PanelCaption::Str) && index <= static_cast<int>(PanelCaption::Emp))
        return m_panel.stats[static_cast<std::size_t>(index)];
    if (index >= static_cast<int>(PanelCaption::Body) && index <= static_cast<int>(PanelCaption::Slash))
        return m_panel.resists[static_cast<std::size_t>(index - static_cast<int>(PanelCaption::Body))];
    if (index >= static_cast<int>(PanelCaption::Focus1) && index <= static_cast<int>(PanelCaption::Focus4))
        return m_panel.focus[static_cast<std::size_t>(index - static_cast<int>(PanelCaption::Focus1))];
    switch (caption) {
    case PanelCaption::Hits:
        return m_panel.hits;
    case PanelCaption::Power:
        return m_panel.power;
    case PanelCaption::TotalCost:
        return m_panel.totalCost;
    default:
        return {};
    }
}

} // namespace gw
