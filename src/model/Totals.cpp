#include "model/Totals.h"

#include <algorithm>
#include <cstdint>

#include "data/Globals.h"
#include "model/Gems.h"

namespace gw {
namespace {

constexpr int MaxLevel = 50;
constexpr int StatKinds = 8;
constexpr int ResistKinds = 9;
constexpr int FocusLines = 4;

// Typed amounts of drops may be anything a 32-bit field holds; totals are summed wide so that
// eighteen large amounts cannot wrap round into a wrong sign.
using Total = std::int64_t;

std::string Shown(Total total, int cap, DisplayMode mode)
{
    return std::to_string(mode == DisplayMode::DistanceToCap ? Total{cap} - total : total);
}

} // namespace

CharLevel HoldCharLevel(std::string_view typed)
{
    CharLevel result;
    const int read = ReadLeadingInt(typed);
    if (read > MaxLevel) {
        result.level = MaxLevel;
        result.rewritten = true;
        result.text = "50";
    } else if (read <= 0) {
        result.level = 1;
        result.rewritten = true;
        result.text = "1";
    } else {
        result.level = read;
        result.text = std::string(typed);
    }
    return result;
}

Caps CapsForLevel(int level)
{
    // Held to the levels the character box allows, whatever the caller passes.
    const int l = std::clamp(level, 1, MaxLevel);
    Caps caps;
    caps.StatCap = l + l / 2;
    caps.ResistCap = l / 2 + 1;
    caps.SkillCap = l / 5 + 1;
    caps.HitsCap = 4 * l;
    caps.PowerCap = l / 2 + 1;
    return caps;
}

int SlotBonus(const GWItem& item, int row)
{
    if (row < 0 || row >= GemsPerItem)
        return 0;
    const auto r = static_cast<std::size_t>(row);
    return item.PlayerMade == 1 ? GemAmount(item.EffectType[r], item.EffectAmount[r]) : item.EffectAmount[r];
}

static_assert(std::tuple_size_v<decltype(CharacterTotals::skills)> == SkillRows);

CharacterTotals SumTotals(const Configuration& config, int realm)
{
    CharacterTotals totals;
    const int skillCount = EffectCount(TypeSkill, realm);
    for (std::size_t slot = 0; slot < SlotCount; ++slot) {
        if (config.Equipped[slot] == 0)
            continue;
        const GWItem& item = config.Items[slot];
        for (int row = 0; row < GemsPerItem; ++row) {
            const auto r = static_cast<std::size_t>(row);
            const int name = item.EffectName[r];
            // An effect whose index lies outside its list (a damaged file, or a skill index
            // beyond this realm's list) adds to no total.
            switch (item.EffectType[r]) {
            case TypeStat:
                if (name >= 0 && name < StatKinds)
                    totals.stats[static_cast<std::size_t>(name)] += SlotBonus(item, row);
                break;
            case TypeResist:
                if (name >= 0 && name < ResistKinds)
                    totals.resists[static_cast<std::size_t>(name)] += SlotBonus(item, row);
                break;
            case TypeHits: // a single total: the effect index is not consulted
                totals.hits += SlotBonus(item, row);
                break;
            case TypePower:
                totals.power += SlotBonus(item, row);
                break;
            case TypeSkill:
                if (name >= 0 && name < skillCount)
                    totals.skills[static_cast<std::size_t>(name)] += SlotBonus(item, row);
                break;
            default:
                break;
            }
        }
    }
    return totals;
}

CharacterPanel ComputePanel(const Configuration& config, int realm, DisplayMode mode)
{
    const CharacterTotals totals = SumTotals(config, realm);
    CharacterPanel panel;

    // Focus effects are listed one by one, never summed; the first four (counted slots in slot
    // order, effects in order) fill the lines.
    int focusFilled = 0;
    for (std::size_t slot = 0; slot < SlotCount && focusFilled < FocusLines; ++slot) {
        if (config.Equipped[slot] == 0)
            continue;
        const GWItem& item = config.Items[slot];
        for (int row = 0; row < GemsPerItem && focusFilled < FocusLines; ++row) {
            const auto r = static_cast<std::size_t>(row);
            if (item.EffectType[r] != TypeFocus)
                continue;
            const std::string_view focusName = LookupEffectName(TypeFocus, realm, item.EffectName[r]);
            if (focusName.empty())
                continue;
            std::string& line = panel.focus[static_cast<std::size_t>(focusFilled++)];
            line = std::to_string(SlotBonus(item, row));
            line += ' ';
            line += focusName;
        }
    }

    const Caps& caps = config.caps;
    for (std::size_t i = 0; i < totals.stats.size(); ++i)
        panel.stats[i] = Shown(totals.stats[i], caps.StatCap, mode);
    for (std::size_t i = 0; i < totals.resists.size(); ++i)
        panel.resists[i] = Shown(totals.resists[i], caps.ResistCap, mode);
    panel.hits = Shown(totals.hits, caps.HitsCap, mode);
    panel.power = Shown(totals.power, caps.PowerCap, mode);

    // Both modes list the same skills, those with a bonus; only the number shown differs.
    const int skillCount = EffectCount(TypeSkill, realm);
    for (int i = 0; i < skillCount; ++i) {
        const Total total = totals.skills[static_cast<std::size_t>(i)];
        if (total <= 0)
            continue;
        std::string line = Shown(total, caps.SkillCap, mode);
        line += ' ';
        line += LookupEffectName(TypeSkill, realm, i);
        panel.skills.push_back(std::move(line));
    }
    panel.totalCost = TotalCostText(config);
    return panel;
}

void ApplyEquippedClick(std::array<int, SlotCount>& equipped, int slot, bool checked)
{
    // Right and left hand may count together; a two-handed or ranged weapon excludes every
    // other weapon slot. Whether the box was ticked or cleared, the exclusions apply.
    switch (slot) {
    case 6:
    case 7:
        equipped[static_cast<std::size_t>(slot)] = checked ? 1 : 0;
        equipped[8] = equipped[9] = 0;
        break;
    case 8:
        equipped[8] = checked ? 1 : 0;
        equipped[9] = equipped[6] = equipped[7] = 0;
        break;
    case 9:
        equipped[9] = checked ? 1 : 0;
        equipped[8] = equipped[6] = equipped[7] = 0;
        break;
    default:
        break; // only the weapon slots carry the box
    }
}

void DeriveEquippedAfterOpen(Configuration& config)
{
    auto& e = config.Equipped;
    const bool rightEmpty = SlotIsEmpty(config.Items[6]);
    const bool twoHandedEmpty = SlotIsEmpty(config.Items[8]);
    if (rightEmpty) {
        e[6] = e[7] = 0;
    } else {
        e[6] = 1;
        e[8] = e[9] = 0;
    }
    if (rightEmpty) {
        if (twoHandedEmpty) {
            e[8] = 0;
        } else {
            e[8] = 1;
            e[9] = e[6] = e[7] = 0;
        }
    }
    if (rightEmpty && twoHandedEmpty) {
        if (SlotIsEmpty(config.Items[9])) {
            e[9] = 0;
        } else {
            e[9] = 1;
            e[8] = e[6] = e[7] = 0;
        }
    }
    if (e[6] == 0 && e[7] == 0 && e[8] == 0 && e[9] == 0)
        e[6] = 1;
}

} // namespace gw
