#include "model/GWItem.h"

#include <climits>
#include <cstdint>

namespace gw {
namespace {

struct SlotInfo {
    std::string_view caption;
    std::string_view keyword;
    std::string_view extension;
    SlotGroup group;
};

// Keywords map to slots by position, so "rring" is the Left Ring and "lwrist" the Right Wrist;
// templates that players have written rely on it.
constexpr SlotInfo Slots[SlotCount] = {
    {"Chest", "chest", ".chest", SlotGroup::Armour},
    {"Arms", "arms", ".arms", SlotGroup::Armour},
    {"Head", "head", ".head", SlotGroup::Armour},
    {"Legs", "legs", ".legs", SlotGroup::Armour},
    {"Hands", "hands", ".hands", SlotGroup::Armour},
    {"Feet", "feet", ".feet", SlotGroup::Armour},
    {"Right Hand", "rweapon", ".weapon", SlotGroup::Weapon},
    {"Left Hand", "lweapon", ".weapon", SlotGroup::Weapon},
    {"2 Handed", "2handed", ".weapon", SlotGroup::Weapon},
    {"Ranged", "ranged", ".weapon", SlotGroup::Weapon},
    {"Neck", "neck", ".neck", SlotGroup::Jewellery},
    {"Cloak", "cloak", ".cloak", SlotGroup::Jewellery},
    {"Jewel", "jewel", ".jewel", SlotGroup::Jewellery},
    {"Belt", "belt", ".belt", SlotGroup::Jewellery},
    {"Left Ring", "rring", ".ring", SlotGroup::Jewellery},
    {"Right Ring", "lring", ".ring", SlotGroup::Jewellery},
    {"Left Wrist", "rwrist", ".wrist", SlotGroup::Jewellery},
    {"Right Wrist", "lwrist", ".wrist", SlotGroup::Jewellery},
};

const SlotInfo* FindSlot(int slot)
{
    return slot >= 0 && slot < SlotCount ? &Slots[slot] : nullptr;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

bool SlotIsEmpty(const GWItem& item)
{
    if (item.PlayerMade != 1)
        return false;
    for (int type : item.EffectType)
        if (type != 0)
            return false;
    return true;
}

std::string_view SlotCaption(int slot)
{
    const SlotInfo* info = FindSlot(slot);
    return info ? info->caption : std::string_view{};
}

std::string_view SlotKeyword(int slot)
{
    const SlotInfo* info = FindSlot(slot);
    return info ? info->keyword : std::string_view{};
}

std::string_view SlotExtension(int slot)
{
    const SlotInfo* info = FindSlot(slot);
    return info ? info->extension : std::string_view{};
}

SlotGroup SlotGroupOf(int slot)
{
    const SlotInfo* info = FindSlot(slot);
    return info ? info->group : SlotGroup::Jewellery;
}

int SlotOfKeyword(std::string_view keyword)
{
    for (int slot = 0; slot < SlotCount; ++slot)
        if (Slots[slot].keyword == keyword)
            return slot;
    return -1;
}

std::size_t SkipBlanksAndSign(std::string_view text, bool& negative)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return pos;
}

int ReadLeadingInt(std::string_view text)
{
    bool negative = false;
    std::size_t pos = SkipBlanksAndSign(text, negative);
    // Accumulate the magnitude in 64 bits and stop growing it once it is past the 32-bit range,
    // so that a long run of digits saturates instead of wrapping.
    constexpr std::int64_t limit = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[pos] - '0');
    }
    if (negative)
        return magnitude >= limit ? INT_MIN : static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

} // namespace gw
