#include "model/ItemLevel.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <system_error>

#include "model/GWItem.h"

namespace gw {

namespace {

constexpr std::array<std::string_view, ShieldWoodCount> ShieldWoods{
    "Rowan", "Elm", "Oaken", "Ironwood", "Heartwood",
    "Runewood", "Stonewood", "Ebonwood", "Dyrwood", "Duskwood",
};

// The bounds of the typed armour factor: a cloth item's factor is already its level.
constexpr int ArmourFactorMax = 102;
constexpr int ClothFactorMax = 51;
constexpr int FactorMin = 2;
constexpr double DpsMin = 1.5;
constexpr double DpsMax = 16.5;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string HoldFactor(std::string_view text, int max)
{
    const int factor = ReadLeadingInt(text);
    if (factor < FactorMin)
        return "1";
    if (factor > max)
        return std::to_string(max);
    return std::string(text);
}

} // namespace

std::string_view ShieldWoodName(int index)
{
    if (index < 0 || index >= ShieldWoodCount)
        return {};
    return ShieldWoods[static_cast<std::size_t>(index)];
}

std::vector<std::string> ShieldWoodListTexts()
{
    return {ShieldWoods.begin(), ShieldWoods.end()};
}

bool KindUsesInput(ItemKind kind)
{
    return kind == ItemKind::Armor || kind == ItemKind::Cloth || kind == ItemKind::Weapon;
}

std::string_view KindStartText(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Armor:
        return "102";
    case ItemKind::Cloth:
        return "51";
    case ItemKind::Weapon:
        return "16.5";
    case ItemKind::Shield:
    case ItemKind::Reinforced:
        break;
    }
    return {};
}

int RaiseReinforcedWood(int woodIndex)
{
    return std::max(woodIndex, ReinforcedLowestWood);
}

double ReadLeadingDecimal(std::string_view text)
{
    bool negative = false;
    std::size_t pos = SkipBlanksAndSign(text, negative);
    const std::size_t intStart = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    const std::string_view intDigits = text.substr(intStart, pos - intStart);
    std::string_view fracDigits;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fracStart = ++pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
        fracDigits = text.substr(fracStart, pos - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty())
        return 0.0;

    // Rebuilt as plain "digits.digits" so that the conversion sees only the forms read above and
    // rounds to the nearest double, as the text means.
    std::string number = intDigits.empty() ? std::string("0") : std::string(intDigits);
    if (!fracDigits.empty()) {
        number += '.';
        number += fracDigits;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::fixed);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Only a run of digits too long for any double, or a fraction too small for one.
        const bool large = std::any_of(intDigits.begin(), intDigits.end(), [](char c) { return c != '0'; });
        value = large ? std::numeric_limits<double>::max() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string HoldLevelInput(ItemKind kind, std::string_view text)
{
    switch (kind) {
    case ItemKind::Armor:
        return HoldFactor(text, ArmourFactorMax);
    case ItemKind::Cloth:
        return HoldFactor(text, ClothFactorMax);
    case ItemKind::Weapon: {
        const double dps = ReadLeadingDecimal(text);
        if (dps < DpsMin)
            return "1";
        if (dps > DpsMax)
            return "16.5";
        return std::string(text);
    }
    case ItemKind::Shield:
    case ItemKind::Reinforced:
        break;
    }
    return std::string(text);
}

int WeaponLevel(double dps)
{
    if (std::isnan(dps))
        return 0;
    // Far beyond any level an int holds either way; bounding first keeps every step finite.
    dps = std::clamp(dps, -1.0e9, 1.0e9);
    // Only the final sum is rounded to a double: the difference is kept in extended precision
    // too, which decides the half steps (4.05 gives 10, 9.45 gives 27).
    const long double scaled = (static_cast<long double>(dps) - static_cast<long double>(1.2)) *
                                   (10.0L / 3.0L) +
                               0.5L;
    const double level = std::floor(static_cast<double>(scaled));
    if (level >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (level <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(level);
}

int ComputeItemLevel(ItemKind kind, std::string_view input, int woodIndex)
{
    const int wood = std::clamp(woodIndex, 0, ShieldWoodCount - 1);
    switch (kind) {
    case ItemKind::Armor:
        return ReadLeadingInt(input) / 2;
    case ItemKind::Cloth:
        return ReadLeadingInt(input);
    case ItemKind::Weapon:
        return WeaponLevel(ReadLeadingDecimal(input));
    case ItemKind::Shield:
        return wood == 0 ? 2 : 5 * wood;
    case ItemKind::Reinforced:
        return 5 * wood + 6;
    }
    return 0;
}

} // namespace gw
