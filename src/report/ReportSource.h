// What a report reads: the character panel's captions as they are displayed, the eighteen
// items and the crafter-skill and realm selections. The main window implements it from its
// labels; gemwright-report and the tests use PanelReportSource, built from a freshly computed
// panel.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/GWItem.h"
#include "model/Totals.h"

namespace gw {

// The character panel's single-line captions, in the order the value tags test their keywords.
enum class PanelCaption : int {
    Str,
    Con,
    Dex,
    Qui,
    Int,
    Pie,
    Cha,
    Emp,
    Body,
    Cold,
    Heat,
    Energy,
    Matter,
    Spirit,
    Crush,
    Thrust,
    Slash,
    Focus1,
    Focus2,
    Focus3,
    Focus4,
    Hits,
    Power,
    TotalCost,
};
inline constexpr int PanelCaptionCount = 24;

// The objectName of the label that shows a caption ("TotalStr" .. "TotalCost").
std::string_view PanelCaptionLabel(PanelCaption caption);

class ReportSource {
  public:
    virtual ~ReportSource() = default;

    // A label's text exactly as displayed (byte string, Windows-1252), so that reports follow
    // the display mode the user has chosen.
    virtual std::string Caption(PanelCaption caption) const = 0;
    // The lines of the skill list, in list order.
    virtual std::vector<std::string> SkillLines() const = 0;
    // The eighteen items (and the Equipped flags and caps, which the value tags do not read).
    virtual const Configuration& Items() const = 0;
    // Index of the CrafterSkill selection (0 is "1001").
    virtual int CrafterSkillIndex() const = 0;
    // Index of the RealmSelect selection (0 Albion, 1 Hibernia, 2 Midgard).
    virtual int Realm() const = 0;
};

// A ReportSource over a panel computed from the configuration, as the main window shows it
// after a refresh. It keeps a reference to the configuration, which must outlive it.
class PanelReportSource final : public ReportSource {
  public:
    PanelReportSource(const Configuration& config, int realm, int crafterSkillIndex, DisplayMode mode);
    PanelReportSource(const Configuration& config, CharacterPanel panel, int realm, int crafterSkillIndex);

    std::string Caption(PanelCaption caption) const override;
    std::vector<std::string> SkillLines() const override { return m_panel.skills; }
    const Configuration& Items() const override { return m_config; }
    int CrafterSkillIndex() const override { return m_crafterSkill; }
    int Realm() const override { return m_realm; }

    const CharacterPanel& Panel() const { return m_panel; }

  private:
    const Configuration& m_config;
    CharacterPanel m_panel;
    int m_realm;
    int m_crafterSkill;
};

} // namespace gw
