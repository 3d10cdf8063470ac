// One piece of equipment, the eighteen slots of a configuration and what the main window keeps
// beside them. Strings are byte strings exactly as they are on disk (Windows-1252 text).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace gw {

inline constexpr int SlotCount = 18;
inline constexpr int ArmourSlotCount = 10;   // slots 0..9: the armour and weapon tabs
inline constexpr int FirstJewellerySlot = 10;
inline constexpr int GemsPerItem = 4;

struct GWItem {
    int PlayerMade = 1;
    int Quality = 5;
    int ImbuePoints = 0;
    std::string Name;
    std::array<int, GemsPerItem> EffectType{};
    std::array<int, GemsPerItem> EffectAmount{};
    std::array<int, GemsPerItem> EffectName{};
    std::array<int, GemsPerItem> GemQuality{};
    int Level = 0;
    std::string Qual = "0";
    std::string DPS = "0";
    std::string Speed = "0";
    std::string Bonus = "0";

    void Clear() { *this = GWItem{}; }
    bool operator==(const GWItem&) const = default;
};

// A player-made item with no gem. A drop or jewellery item is never empty.
bool SlotIsEmpty(const GWItem& item);

enum class SlotGroup { Armour, Weapon, Jewellery };

// The slot table. Every accessor returns empty text for a slot outside 0..17.
std::string_view SlotCaption(int slot);    // "Chest" .. "Right Wrist"
std::string_view SlotKeyword(int slot);    // "chest" .. "lwrist" ("rring" is slot 14)
std::string_view SlotExtension(int slot);  // ".chest" .. ".wrist"
SlotGroup SlotGroupOf(int slot);           // Jewellery for a slot outside 0..17
// The slot whose keyword equals the text, or -1.
int SlotOfKeyword(std::string_view keyword);

// The one rule for reading typed or stored numbers: leading blanks (space, tab, CR, LF, VT,
// FF), an optional sign, then the leading decimal digits; 0 when there are none. A number
// beyond the 32-bit range saturates at INT32_MIN / INT32_MAX rather than wrapping.
int ReadLeadingInt(std::string_view text);
// The start every number reader shares: skips the leading blanks and an optional sign, sets
// `negative`, and returns the position of what follows.
std::size_t SkipBlanksAndSign(std::string_view text, bool& negative);

// The caps of a character level (level 50 by default).
struct Caps {
    int StatCap = 75;
    int ResistCap = 26;
    int SkillCap = 11;
    int HitsCap = 200;
    int PowerCap = 26;
    bool operator==(const Caps&) const = default;
};

// The configuration the main window owns: the items, which slots count, and the caps.
struct Configuration {
    std::array<GWItem, SlotCount> Items{};
    // Right Hand counts at start; Left Hand, 2 Handed and Ranged do not.
    std::array<int, SlotCount> Equipped{1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1};
    Caps caps;

    void ClearAllItems()
    {
        for (auto& item : Items)
            item.Clear();
    }
};

} // namespace gw
