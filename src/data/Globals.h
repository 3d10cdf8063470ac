// The game's crafting vocabulary: realms, effect types, the effects of each type with the gem
// that carries each, gem tiers and amounts. Constant data; every lookup is bounded, so an index
// that came from a damaged file or a typed amount names nothing instead of reading past a table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gw {

inline constexpr int RealmCount = 3;          // 0 Albion, 1 Hibernia, 2 Midgard
inline constexpr int EffectTypeCount = 7;     // 0 Unused .. 6 Skill
inline constexpr int TierCount = 10;          // 0 raw .. 9 perfect
inline constexpr int QualityCount = 7;        // index 0..6 is quality 94..100
inline constexpr int FocusRows = 11;          // rows of the focus table (Albion's count)
inline constexpr int SkillRows = 32;          // rows of the skill table (Albion's count)

enum EffectTypeIndex : int {
    TypeUnused = 0,
    TypeStat = 1,
    TypeResist = 2,
    TypeHits = 3,
    TypePower = 4,
    TypeFocus = 5,
    TypeSkill = 6,
};

// A realm index outside 0..2 is taken as Albion wherever a realm must be chosen.
int BoundRealm(int realm);

// "albion", "hibernia", "midgard": the realm as written in files.
std::string_view RealmFileName(int realm);
// "Albion", "Hibernia", "Midgard": the realm as the realm box lists it.
std::string_view RealmCaption(int realm);
// The realm of a keyword of RealmFileName, or -1 when the text is none of them.
int RealmOfKeyword(std::string_view keyword);

// "Unused", "Stat", "Resist", "Hits", "Power", "Focus", "Skill"; empty outside 0..6.
std::string_view EffectTypeName(int type);

// Number of entries of a type's list: 0 for Unused and for any type outside 1..6.
int EffectCount(int type, int realm);
// The effect name and the gem base name of an entry; empty when the index lies outside the
// realm's list (an item stored under another realm, or a damaged file).
std::string_view LookupEffectName(int type, int realm, int index);
std::string_view LookupGemBaseName(int type, int realm, int index);

// The amount a gem of a tier gives (Stat: base + base / 2) and the raw table value; 0 for a
// type outside 1..6 or a tier outside 0..9.
int GemAmount(int type, int tier);
int GemBaseValue(int type, int tier);

// "raw " .. "perfect " (each ends in a blank) and "Lo" .. "Ra"; empty outside 0..9.
std::string_view TierPrefix(int tier);
std::string_view BaseGemWord(int tier);

// "94%" .. "100%" for 0..6, empty otherwise (report quality texts).
std::string QualityPercentText(int qualityIndex);
// "94" .. "100" for 0..6, empty otherwise (the quality lists).
std::string QualityText(int qualityIndex);

// What the lists of a gem row hold: the ten amounts of a type as decimal texts (empty for
// Unused or an unknown type), and the effect names of a type in a realm, in index order.
std::vector<std::string> AmountListTexts(int type);
std::vector<std::string> EffectListTexts(int type, int realm);
// The seven effect-type names, in list order.
std::vector<std::string> EffectTypeListTexts();

} // namespace gw
