#include "plan/PlanText.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "data/Globals.h"
#include "model/Gems.h"

namespace gw {
namespace {

constexpr std::string_view StatWords[] = {"str", "con", "dex", "qui", "int", "pie", "cha", "emp"};
constexpr std::string_view ResistWords[] = {"body",   "cold",  "heat",   "energy", "matter",
                                            "spirit", "crush", "thrust", "slash"};
constexpr std::string_view SkillPrefix = "skill:";

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Rows of cells written in columns as wide as their widest cell, two blanks apart.
std::string Table(const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::size_t> widths;
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.push_back(0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line.append(widths[c] - row[c].size() + 2, ' ');
        }
        out += line + "\n";
    }
    return out;
}

} // namespace

std::string PriceText(std::int64_t copper)
{
    std::string text = copper == 0 ? std::string("0c") : FormatMoney(copper);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

bool LooksLikePlanTarget(std::string_view word)
{
    const std::string lower = Lower(word);
    if (lower.starts_with(SkillPrefix))
        return lower.size() > SkillPrefix.size();
    return ParsePlanTarget(word, 0).has_value();
}

std::optional<PlanTarget> ParsePlanTarget(std::string_view word, int realm)
{
    const std::string lower = Lower(word);
    for (std::size_t i = 0; i < std::size(StatWords); ++i)
        if (lower == StatWords[i])
            return PlanTarget{TypeStat, static_cast<int>(i)};
    for (std::size_t i = 0; i < std::size(ResistWords); ++i)
        if (lower == ResistWords[i])
            return PlanTarget{TypeResist, static_cast<int>(i)};
    if (lower == "hits")
        return PlanTarget{TypeHits, 0};
    if (lower == "power")
        return PlanTarget{TypePower, 0};
    if (!lower.starts_with(SkillPrefix))
        return std::nullopt;
    const std::string name = lower.substr(SkillPrefix.size());
    const int count = EffectCount(TypeSkill, realm);
    if (!name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const int place = name.size() <= 3 ? std::stoi(name) : 0;
        if (place >= 1 && place <= count)
            return PlanTarget{TypeSkill, place - 1};
        return std::nullopt;
    }
    for (int i = 0; i < count; ++i)
        if (Lower(LookupEffectName(TypeSkill, realm, i)) == name)
            return PlanTarget{TypeSkill, i};
    return std::nullopt;
}

std::string FormatPlanTable(const PlanResult& plan, int realm)
{
    std::string out;
    if (plan.HasPlan()) {
        std::vector<std::vector<std::string>> gems{{"Slot", "Gem", "Effect", "Amount", "Quality", "Points", "Price"}};
        for (const PlannedItem& item : plan.items)
            for (const PlannedGem& gem : item.gems)
                gems.push_back({std::string(SlotCaption(item.slot)) + " " + std::to_string(gem.row + 1),
                                GemName(gem.type, gem.tier, gem.effect, realm) + (gem.replaces ? " (replaces)" : ""),
                                std::string(LookupEffectName(gem.type, realm, gem.effect)),
                                "+" + std::to_string(GemAmount(gem.type, gem.tier)), QualityText(gem.quality),
                                std::to_string(gem.points), PriceText(gem.price)});
        out += Table(gems) + "\n";

        std::vector<std::vector<std::string>> items{{"Slot", "Used", "Capacity", "Overcharge"}};
        for (const PlannedItem& item : plan.items)
            items.push_back({std::string(SlotCaption(item.slot)),
                             std::to_string(item.usedBefore) + " -> " + std::to_string(item.usedAfter),
                             std::to_string(item.capacity),
                             item.overchargeBefore.text + " -> " + item.overchargeAfter.text});
        out += Table(items) + "\n";
    }
    std::vector<std::vector<std::string>> totals{{"Target", "Before", "After", "Cap"}};
    for (const PlannedTotal& total : plan.totals)
        totals.push_back({PlanTargetName(total.target, realm), std::to_string(total.before),
                          std::to_string(total.after), std::to_string(total.cap)});
    if (totals.size() > 1)
        out += Table(totals) + "\n";
    out += "Price: " + PriceText(plan.priceBefore) + " -> " + PriceText(plan.priceAfter) + "\n";
    return out;
}

} // namespace gw
