#include "model/SlotFinder.h"

#include <cstdint>

#include "data/Globals.h"
#include "model/Totals.h"

namespace gw {

namespace {

// The panel's lines hold the effect's name after its figure; a name that is part of a longer
// one ("Axe" in "Left Axe") sits earlier in its table, so the last match is the right one.
// A line that names nothing opens nothing rather than some arbitrary first row.
int LastRowInText(std::string_view text, int type, int rows, int realm)
{
    int found = -1;
    for (int row = 0; row < rows; ++row) {
        const std::string_view name = LookupEffectName(type, realm, row);
        if (!name.empty() && text.find(name) != std::string_view::npos)
            found = row;
    }
    return found;
}

// Hits and Power have one effect each and the totals count them whatever effect index a row
// holds; the finder lists the same slots that the total counts.
bool RowNamesEffect(int type, int rowIndex, int index)
{
    if (type == TypeHits || type == TypePower)
        return true;
    return rowIndex == index;
}

} // namespace

std::string FinderCaption(int type, int realm, int index)
{
    std::string caption = "Slots with ";
    caption += LookupEffectName(type, realm, index);
    return caption;
}

std::vector<FinderLine> SlotsWithEffect(const Configuration& config, int type, int index)
{
    std::vector<FinderLine> lines;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        // Amounts read from a file are unbounded, so the sum is kept wide: four large amounts
        // must not wrap round to a 0 that would hide the slot.
        std::int64_t sum = 0;
        for (std::size_t row = 0; row < GemsPerItem; ++row)
            if (item.EffectType[row] == type && RowNamesEffect(type, item.EffectName[row], index))
                sum += SlotBonus(item, static_cast<int>(row));
        if (sum == 0)
            continue;
        std::string text(SlotCaption(slot));
        text += ": ";
        text += std::to_string(sum);
        lines.push_back({std::move(text), slot});
    }
    return lines;
}

int FocusRowOfCaption(std::string_view caption, int realm)
{
    if (caption.empty() || caption == "No Focus")
        return -1;
    return LastRowInText(caption, TypeFocus, FocusRows, realm);
}

int SkillRowOfLine(std::string_view line, int realm)
{
    if (line.empty())
        return -1;
    return LastRowInText(line, TypeSkill, SkillRows, realm);
}

std::optional<GemPosition> FirstEmptyGem(const Configuration& config)
{
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        const GWItem& item = config.Items[s];
        if (item.PlayerMade == 0 || config.Equipped[s] == 0)
            continue;
        for (int row = 0; row < GemsPerItem; ++row)
            if (item.EffectType[static_cast<std::size_t>(row)] == TypeUnused)
                return GemPosition{slot, row};
    }
    return std::nullopt;
}

} // namespace gw
