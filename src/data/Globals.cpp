#include "data/Globals.h"

#include <array>
#include <span>

namespace gw {
namespace {

struct CatalogueEntry {
    std::string_view effect; // what the item gives
    std::string_view gem;    // base name of the gem that carries it, without the tier prefix
};

struct GemTier {
    std::string_view prefix; // stands directly before the gem name, so it ends in a blank
    std::string_view baseGem;
};

// The order of every list fixes the meaning of the effect indices stored in items and files.
constexpr CatalogueEntry StatEffects[] = {
    {"Strength", "Fiery Essence Jewel"},     {"Constitution", "Earthen Essence Jewel"},
    {"Dexterity", "Vapor Essence Jewel"},    {"Quickness", "Airy Essence Jewel"},
    {"Intelligence", "Dusty Essence Jewel"}, {"Piety", "Watery Essence Jewel"},
    {"Charisma", "Icy Essence Jewel"},       {"Empathy", "Heated Essence Jewel"},
};

constexpr CatalogueEntry ResistEffects[] = {
    {"Body Resist", "Dusty Shielding Jewel"},     {"Cold Resist", "Icy Shielding Jewel"},
    {"Heat Resist", "Heated Shielding Jewel"},    {"Energy Resist", "Light Shielding Jewel"},
    {"Matter Resist", "Earthen Shielding Jewel"}, {"Spirit Resist", "Vapor Shielding Jewel"},
    {"Crush Resist", "Fiery Shielding Jewel"},    {"Thrust Resist", "Airy Shielding Jewel"},
    {"Slash Resist", "Watery Shielding Jewel"},
};

constexpr CatalogueEntry HitsEffects[] = {
    {"Hits", "Blood Essence Jewel"},
};

constexpr CatalogueEntry PowerEffects[] = {
    {"Power", "Mystic Essence Jewel"},
};

constexpr CatalogueEntry FocusAlbion[] = {
    {"Fire Focus", "Fiery Focus Sigil"},          {"Cold Focus", "Icy Focus Sigil"},
    {"Earth Focus", "Earthen Focus Sigil"},       {"Wind Focus", "Airy Focus Sigil"},
    {"Matter Focus", "Dusty Focus Sigil"},        {"Spirit Focus", "Vapor Focus Sigil"},
    {"Body Focus", "Heated Focus Sigil"},         {"Mind Focus", "Watery Focus Sigil"},
    {"Deathsight Focus", "Vacuous Focus Sigil"},  {"Painworking Focus", "Salt Encrusted Focus Sigil"},
    {"Death Servant Focus", "Ashen Focus Sigil"},
};

constexpr CatalogueEntry FocusHibernia[] = {
    {"Enchantment Focus", "Vapor Focus Stone"}, {"Light Focus", "Fiery Focus Stone"},
    {"Mana Focus", "Watery Focus Stone"},       {"Mentalism Focus", "Earthen Focus Stone"},
    {"Void Focus", "Icy Focus Stone"},          {"Arboreal Focus", "Steaming Focus Stone"},
    {"Creeping Focus", "Oozing Focus Stone"},   {"Verdant Focus", "Mineral Encrusted Focus Stone"},
};

constexpr CatalogueEntry FocusMidgard[] = {
    {"Darkness Focus", "Icy Focus Sigil"},     {"Runecarving Focus", "Heated Focus Sigil"},
    {"Summoning Focus", "Vapor Focus Sigil"},  {"Suppression Focus", "Dusty Focus Sigil"},
    {"Bonedancing Focus", "Ashen Focus Rune"},
};

constexpr CatalogueEntry SkillAlbion[] = {
    {"Body Magic", "Heated Evocation Sigil"},
    {"Chants", "Earthen Fervor Sigil"},
    {"Cold Magic", "Icy Evocation Sigil"},
    {"Critical Strike", "Heated Battle Jewel"},
    {"Crossbow", "Vapor War Sigil"},
    {"Crush", "Fiery War Sigil"},
    {"Dual Wield", "Icy War Sigil"},
    {"Earth Magic", "Earthen Evocation Sigil"},
    {"Enhancement", "Airy Fervor Sigil"},
    {"Envenom", "Dusty Battle Jewel"},
    {"Fire Magic", "Fiery Evocation Sigil"},
    {"Instruments", "Vapor Fervor Sigil"},
    {"Longbow", "Airy War Sigil"},
    {"Matter Magic", "Dusty Evocation Sigil"},
    {"Mind Magic", "Watery Evocation Sigil"},
    {"Parry", "Vapor Battle Jewel"},
    {"Polearm", "Earthen War Sigil"},
    {"Rejuvenation", "Watery Fervor Sigil"},
    {"Shield", "Fiery Battle Jewel"},
    {"Slash", "Watery War Sigil"},
    {"Smite", "Fiery Fervor Sigil"},
    {"Spirit Magic", "Vapor Evocation Sigil"},
    {"Staff", "Earthen Battle Jewel"},
    {"Stealth", "Airy Battle Jewel"},
    {"Thrust", "Dusty War Sigil"},
    {"Two Handed", "Heated War Sigil"},
    {"Wind Magic", "Airy Evocation Sigil"},
    {"Death Servant", "Ashen Fervor Sigil"},
    {"Deathsight", "Vacuous Fervor Sigil"},
    {"Flexible", "Molten Magma War Sigil"},
    {"Painworking", "Salt Encrusted Fervor Sigil"},
    {"Soulrending", "Steaming Fervor Sigil"},
};

constexpr CatalogueEntry SkillHibernia[] = {
    {"Blades", "Watery War Spell Stone"},
    {"Blunt", "Fiery War Spell Stone"},
    {"Celtic Dual", "Icy War Spell Stone"},
    {"Celtic Spear", "Earthen War Spell Stone"},
    {"Critical Strike", "Heated Battle Jewel"},
    {"Enchantments", "Vapor Arcane Spell Stone"},
    {"Envenom", "Dusty Battle Jewel"},
    {"Large Weaponry", "Heated War Spell Stone"},
    {"Light Magic", "Fiery Arcane Spell Stone"},
    {"Mana Magic", "Watery Arcane Spell Stone"},
    {"Mentalism", "Earthen Arcane Spell Stone"},
    {"Music", "Airy Nature Spell Stone"},
    {"Nature", "Earthen Nature Spell Stone"},
    {"Nurture", "Fiery Nature Spell Stone"},
    {"Parry", "Vapor Battle Jewel"},
    {"Piercing", "Dusty War Spell Stone"},
    {"Recurve Bow", "Airy War Spell Stone"},
    {"Regrowth", "Watery Nature Spell Stone"},
    {"Shield", "Fiery Battle Jewel"},
    {"Stealth", "Airy Battle Jewel"},
    {"Valor", "Airy Arcane Spell Stone"},
    {"Void Magic", "Icy Arcane Spell Stone"},
    {"Arboreal Path", "Steaming Nature Spell Stone"},
    {"Creeping Path", "Oozing Nature Spell Stone"},
    {"Scythe", "Light War Spell Stone"},
    {"Verdant Path", "Mineral Encrusted Nature Spell Stone"},
};

constexpr CatalogueEntry SkillMidgard[] = {
    {"Augmentation", "Airy Chaos Rune"},
    {"Axe", "Earthen War Rune"},
    {"Battlesongs", "Airy Primal Rune"},
    {"Beastcraft", "Earthen Primal Rune"},
    {"Composite Bow", "Airy War Rune"},
    {"Critical Strike", "Heated Battle Jewel"},
    {"Darkness", "Icy Chaos Rune"},
    {"Envenom", "Dusty Battle Jewel"},
    {"Hammer", "Fiery War Rune"},
    {"Left Axe", "Icy War Rune"},
    {"Mending", "Watery Chaos Rune"},
    {"Pacification", "Earthen Chaos Rune"},
    {"Parry", "Vapor Battle Jewel"},
    {"Runecarving", "Heated Chaos Rune"},
    {"Shield", "Fiery Battle Jewel"},
    {"Spear", "Heated War Rune"},
    {"Stealth", "Airy Battle Jewel"},
    {"Stormcalling", "Fiery Primal Rune"},
    {"Subterranean", "Fiery Chaos Rune"},
    {"Summoning", "Vapor Chaos Rune"},
    {"Suppression", "Dusty Chaos Rune"},
    {"Sword", "Watery War Rune"},
    {"Thrown Weapons", "Vapor War Rune"},
    {"Bonedancing", "Ashen Chaos Rune"},
    {"Hand to Hand", "Lightning Charged War Rune"},
};

// Focus and Skill lists per realm (Albion, Hibernia, Midgard); a realm's count is its list's length.
constexpr std::array<std::span<const CatalogueEntry>, RealmCount> FocusEffects = {
    std::span<const CatalogueEntry>(FocusAlbion), std::span<const CatalogueEntry>(FocusHibernia),
    std::span<const CatalogueEntry>(FocusMidgard)};
constexpr std::array<std::span<const CatalogueEntry>, RealmCount> SkillEffects = {
    std::span<const CatalogueEntry>(SkillAlbion), std::span<const CatalogueEntry>(SkillHibernia),
    std::span<const CatalogueEntry>(SkillMidgard)};

static_assert(std::size(FocusAlbion) == FocusRows && std::size(FocusHibernia) == 8 &&
              std::size(FocusMidgard) == 5);
static_assert(std::size(SkillAlbion) == SkillRows && std::size(SkillHibernia) == 26 &&
              std::size(SkillMidgard) == 25);

constexpr GemTier GemTiers[TierCount] = {
    {"raw ", "Lo"},        {"uncut ", "Um"},     {"rough ", "On"},    {"flawed ", "Ee"},
    {"imperfect ", "Pal"}, {"polished ", "Mon"}, {"faceted ", "Ros"}, {"precious ", "Zo"},
    {"flawless ", "Kath"}, {"perfect ", "Ra"},
};

// Per type 1..6, one value per tier; the Stat row holds the base value.
constexpr int GemAmounts[EffectTypeCount][TierCount] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},          // Unused
    {1, 3, 5, 7, 9, 11, 13, 15, 17, 19},     // Stat
    {1, 2, 3, 5, 7, 9, 11, 13, 15, 17},      // Resist
    {4, 12, 20, 28, 36, 44, 52, 60, 68, 76}, // Hits
    {1, 2, 3, 5, 7, 9, 11, 13, 15, 17},      // Power
    {5, 10, 15, 20, 25, 30, 35, 40, 45, 50}, // Focus
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},         // Skill
};

constexpr std::string_view RealmNames[RealmCount] = {"albion", "hibernia", "midgard"};
constexpr std::string_view RealmCaptions[RealmCount] = {"Albion", "Hibernia", "Midgard"};
constexpr std::string_view EffectTypeNames[EffectTypeCount] = {"Unused", "Stat",  "Resist", "Hits",
                                                               "Power",  "Focus", "Skill"};

// The list of a type in a realm; empty for Unused and any type outside 1..6.
std::span<const CatalogueEntry> EffectList(int type, int realm)
{
    switch (type) {
    case TypeStat:
        return StatEffects;
    case TypeResist:
        return ResistEffects;
    case TypeHits:
        return HitsEffects;
    case TypePower:
        return PowerEffects;
    case TypeFocus:
        return FocusEffects[static_cast<std::size_t>(BoundRealm(realm))];
    case TypeSkill:
        return SkillEffects[static_cast<std::size_t>(BoundRealm(realm))];
    default:
        return {};
    }
}

// An index beyond the realm's list (an item kept from a realm with longer lists) names nothing.
const CatalogueEntry* FindEntry(int type, int realm, int index)
{
    const auto list = EffectList(type, realm);
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return nullptr;
    return &list[static_cast<std::size_t>(index)];
}

bool ValidType(int type)
{
    return type >= TypeStat && type <= TypeSkill;
}
bool ValidTier(int tier)
{
    return tier >= 0 && tier < TierCount;
}
bool ValidQuality(int index)
{
    return index >= 0 && index < QualityCount;
}

} // namespace

int BoundRealm(int realm)
{
    return realm >= 0 && realm < RealmCount ? realm : 0;
}

std::string_view RealmFileName(int realm)
{
    return RealmNames[BoundRealm(realm)];
}

std::string_view RealmCaption(int realm)
{
    return RealmCaptions[BoundRealm(realm)];
}

int RealmOfKeyword(std::string_view keyword)
{
    for (int realm = 0; realm < RealmCount; ++realm)
        if (RealmNames[realm] == keyword)
            return realm;
    return -1;
}

std::string_view EffectTypeName(int type)
{
    return type >= 0 && type < EffectTypeCount ? EffectTypeNames[type] : std::string_view{};
}

int EffectCount(int type, int realm)
{
    return static_cast<int>(EffectList(type, realm).size());
}

std::string_view LookupEffectName(int type, int realm, int index)
{
    const CatalogueEntry* entry = FindEntry(type, realm, index);
    return entry ? entry->effect : std::string_view{};
}

std::string_view LookupGemBaseName(int type, int realm, int index)
{
    const CatalogueEntry* entry = FindEntry(type, realm, index);
    return entry ? entry->gem : std::string_view{};
}

int GemBaseValue(int type, int tier)
{
    return ValidType(type) && ValidTier(tier) ? GemAmounts[type][tier] : 0;
}

int GemAmount(int type, int tier)
{
    const int value = GemBaseValue(type, tier);
    // A Stat gem gives its base value and half of it again, the half truncated.
    return type == TypeStat ? value + value / 2 : value;
}

std::string_view TierPrefix(int tier)
{
    return ValidTier(tier) ? GemTiers[tier].prefix : std::string_view{};
}

std::string_view BaseGemWord(int tier)
{
    return ValidTier(tier) ? GemTiers[tier].baseGem : std::string_view{};
}

std::string QualityText(int qualityIndex)
{
    return ValidQuality(qualityIndex) ? std::to_string(94 + qualityIndex) : std::string{};
}

std::string QualityPercentText(int qualityIndex)
{
    return ValidQuality(qualityIndex) ? QualityText(qualityIndex) + "%" : std::string{};
}

std::vector<std::string> AmountListTexts(int type)
{
    std::vector<std::string> texts;
    if (!ValidType(type))
        return texts;
    texts.reserve(TierCount);
    for (int tier = 0; tier < TierCount; ++tier)
        texts.push_back(std::to_string(GemAmount(type, tier)));
    return texts;
}

std::vector<std::string> EffectListTexts(int type, int realm)
{
    std::vector<std::string> texts;
    for (const CatalogueEntry& entry : EffectList(type, realm))
        texts.emplace_back(entry.effect);
    return texts;
}

std::vector<std::string> EffectTypeListTexts()
{
    return {std::begin(EffectTypeNames), std::end(EffectTypeNames)};
}

} // namespace gw
