#include "model/Gems.h"

#include <cstdio>
#include <string_view>

#include "data/Globals.h"

namespace gw {

const std::array<int, 10> GemBasePrice = {60, 540, 3240, 12960, 38880, 87480, 131220, 196860, 255900, 294240};

namespace {

constexpr std::int64_t CopperPerSilver = 100;
constexpr std::int64_t CopperPerGold = 10'000;
constexpr std::int64_t CopperPerPlatinum = 10'000'000;

constexpr int DustKinds = 6;
constexpr int LiquidKinds = 11;
constexpr int FocusDustRow = 5; // selected by "Focus" and "Shielding": these gems take more dust

// The dust of each row by realm (Albion, Hibernia, Midgard).
constexpr std::string_view DustNames[DustKinds][RealmCount] = {
    {"Essence of Life", "Essence of Life", "Essence of Life"},
    {"Bloodied Battlefield Dirt", "Bloodied Battlefield Dirt", "Bloodied Battlefield Dirt"},
    {"Ground Caer Stone", "Unseelie Dust", "Ground Giant Bone"},
    {"Ground Blessed Undead Bone", "Fairy Dust", "Ground Vendo Bone"},
    {"Ground Cave Crystal", "Otherworldly Dust", "Soot from Nifflheim"},
    {"Ground Draconic Scales", "Ground Draconic Scales", "Ground Draconic Scales"},
};

constexpr std::string_view LiquidNames[LiquidKinds] = {
    "Draconic Fire",
    "Treant Blood",
    "Leviathan Blood",
    "Swamp Fog",
    "Air Elemental Essence",
    "Heat From an Unearthly Pyre",
    "Frost From a Wasteland",
    "Undead Ash and Holy Water",
    "Sun Light",
    "Giant's Blood",
    "Mystic Essence",
};

struct Keyword {
    std::string_view word;
    int row;
};

// Words of a gem name that select a material, in the order they are tested. Every test is
// independent: a name holding two keywords counts for both.
constexpr Keyword DustKeywords[] = {
    {"Essence", 0},   {"Battle", 1}, {"War", 2},   {"Fervor", 3}, {"Nature", 3},    {"Primal", 3},
    {"Evocation", 4}, {"Arcane", 4}, {"Chaos", 4}, {"Focus", 5},  {"Shielding", 5},
};

constexpr Keyword LiquidKeywords[] = {
    {"Fiery", 0},
    {"Earthen", 1},
    {"Watery", 2},
    {"Vapor", 3},
    {"Airy", 4},
    {"Heated", 5},
    {"Icy", 6},
    {"Dusty", 7},
    {"Light", 8},
    {"Blood", 9},
    {"Mystic", 10},
    {"Ashen", 7},
    {"Vacuous", 3},
    {"Molten", 2},
    {"Salt", 10},
    {"Steaming Fervor", 5},
    {"Steaming Nature", 3},
    {"Steaming Focus", 3},
    {"Oozing", 1},
    {"Mineral", 5},
};

bool ValidTier(int tier)
{
    return tier >= 0 && tier < TierCount;
}

// Calls `visit` for every gem that is bought: the used gem rows of player-made armour and weapon
// items, whether or not their slot is equipped.
template <typename Visit> void ForEachBoughtGem(const Configuration& config, Visit visit)
{
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        const GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        if (item.PlayerMade == 0)
            continue;
        for (std::size_t row = 0; row < GemsPerItem; ++row)
            if (item.EffectType[row] != TypeUnused)
                visit(item.EffectType[row], item.EffectAmount[row], item.EffectName[row]);
    }
}

void AppendCountLine(std::string& out, std::int64_t count, std::string_view name, std::string_view suffix)
{
    out += std::to_string(count);
    out += ' ';
    out += name;
    out += suffix;
    out += '\n';
}

} // namespace

std::string GemName(int type, int tier, int index, int realm)
{
    const std::string_view base = LookupGemBaseName(type, realm, index);
    if (base.empty() || !ValidTier(tier))
        return {};
    std::string name(TierPrefix(tier));
    name += base;
    return name;
}

int GemCost(int type, int tier)
{
    if (type < TypeStat || type > TypeSkill || !ValidTier(tier))
        return 0;
    int cost = GemBasePrice[static_cast<std::size_t>(tier)] + 40 * (tier + 1) + 60 * (4 * tier + 1);
    // Resist gems alone carry the extra term; Focus gems are priced like the rest.
    if (type == TypeResist)
        cost += 60 * tier;
    return cost;
}

std::string FormatMoney(std::int64_t copper)
{
    if (copper == 0)
        return {};
    std::string text;
    // Work on the magnitude in unsigned arithmetic so that the most negative amount has one too.
    std::uint64_t magnitude = static_cast<std::uint64_t>(copper);
    if (copper < 0) {
        text = "-";
        magnitude = 0 - magnitude;
    }
    const std::uint64_t parts[4] = {
        magnitude / CopperPerPlatinum,
        magnitude % CopperPerPlatinum / CopperPerGold,
        magnitude % CopperPerGold / CopperPerSilver,
        magnitude % CopperPerSilver,
    };
    constexpr char units[4] = {'p', 'g', 's', 'c'};
    for (int i = 0; i < 4; ++i) {
        if (parts[i] == 0)
            continue;
        text += std::to_string(parts[i]);
        text += units[i];
        text += ' ';
    }
    return text;
}

std::int64_t TotalCostCopper(const Configuration& config)
{
    std::int64_t total = 0;
    for (const GWItem& item : config.Items) {
        if (item.PlayerMade == 0)
            continue;
        for (std::size_t row = 0; row < GemsPerItem; ++row)
            if (item.EffectType[row] > 0)
                total += GemCost(item.EffectType[row], item.EffectAmount[row]);
    }
    return total;
}

std::string TotalCostText(const Configuration& config)
{
    const std::int64_t total = TotalCostCopper(config);
    return total == 0 ? std::string("0c") : FormatMoney(total);
}

std::string BaseGemList(const Configuration& config, int realm)
{
    (void)realm; // the base gems are named alike in every realm
    std::array<std::int64_t, TierCount> counts{};
    ForEachBoughtGem(config, [&](int, int tier, int) {
        // A stored tier outside the table names no base gem.
        if (ValidTier(tier))
            ++counts[static_cast<std::size_t>(tier)];
    });
    std::string out;
    for (int tier = 0; tier < TierCount; ++tier) {
        const std::int64_t n = counts[static_cast<std::size_t>(tier)];
        if (n == 0)
            continue;
        out += std::to_string(n);
        out += ' ';
        out += BaseGemWord(tier);
        out += n > 1 ? " Gems\n" : " Gem\n";
    }
    return out;
}

std::string DustList(const Configuration& config, int realm)
{
    std::array<std::int64_t, DustKinds> totals{};
    ForEachBoughtGem(config, [&](int type, int tier, int index) {
        // A gem that names nothing (damaged tier, type or effect index) selects no dust.
        const std::string name = GemName(type, tier, index, realm);
        if (name.empty())
            return;
        for (const Keyword& keyword : DustKeywords)
            if (name.find(keyword.word) != std::string::npos)
                totals[static_cast<std::size_t>(keyword.row)] +=
                    keyword.row == FocusDustRow ? 5 * tier + 1 : 4 * tier + 1;
    });
    std::string out;
    const auto column = static_cast<std::size_t>(BoundRealm(realm));
    for (std::size_t row = 0; row < DustKinds; ++row)
        if (totals[row] != 0)
            AppendCountLine(out, totals[row], DustNames[row][column], "");
    return out;
}

std::string LiquidList(const Configuration& config, int realm)
{
    std::array<std::int64_t, LiquidKinds> totals{};
    ForEachBoughtGem(config, [&](int type, int tier, int index) {
        const std::string name = GemName(type, tier, index, realm);
        if (name.empty())
            return;
        for (const Keyword& keyword : LiquidKeywords)
            if (name.find(keyword.word) != std::string::npos)
                totals[static_cast<std::size_t>(keyword.row)] += tier + 1;
    });
    std::string out;
    for (std::size_t index = 0; index < LiquidKinds; ++index)
        if (totals[index] != 0)
            AppendCountLine(out, totals[index], LiquidNames[index], "");
    return out;
}

std::string GemList(const Configuration& config, int realm)
{
    // Counted on a grid of type 1..6, effect index 0..31 and tier 0..9; a gem outside it, or one
    // whose index names no gem in this realm, has no name to buy it by and is left out.
    constexpr int Types = 6, Indices = SkillRows;
    std::array<int, Types * Indices * TierCount> counts{};
    ForEachBoughtGem(config, [&](int type, int tier, int index) {
        if (type < TypeStat || type > TypeSkill || index < 0 || index >= Indices || !ValidTier(tier))
            return;
        ++counts[static_cast<std::size_t>(((type - 1) * Indices + index) * TierCount + tier)];
    });
    std::string out;
    for (int type = TypeStat; type <= TypeSkill; ++type)
        for (int index = 0; index < Indices; ++index)
            for (int tier = 0; tier < TierCount; ++tier) {
                const int n =
                    counts[static_cast<std::size_t>(((type - 1) * Indices + index) * TierCount + tier)];
                if (n == 0)
                    continue;
                const std::string name = GemName(type, tier, index, realm);
                if (!name.empty())
                    AppendCountLine(out, n, name, n > 1 ? "s" : "");
            }
    return out;
}

} // namespace gw
