// The item level calculator: an item's level follows from its armour factor, its damage per
// second or, for shields, the wood it is made of. The level then sets the item's imbue capacity.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gw {

// The kinds of item, in the order of the calculator's radio buttons.
enum class ItemKind : int { Armor = 0, Cloth = 1, Weapon = 2, Shield = 3, Reinforced = 4 };

inline constexpr int ShieldWoodCount = 10;      // "Rowan" .. "Duskwood"
inline constexpr int ReinforcedLowestWood = 4;  // "Heartwood": no reinforced shield of a lesser wood

// "Rowan", "Elm", ... "Duskwood"; empty outside 0..9.
std::string_view ShieldWoodName(int index);
std::vector<std::string> ShieldWoodListTexts();

// Whether a kind reads the typed armour factor or DPS (shields take the wood instead).
bool KindUsesInput(ItemKind kind);

// The text the input box takes when a kind is chosen: "102", "51", "16.5"; empty for the two
// shield kinds, which leave the input as it is.
std::string_view KindStartText(ItemKind kind);

// The wood selection after Reinforced Shield has been chosen: raised to Heartwood when lower.
int RaiseReinforcedWood(int woodIndex);

// The weapon's DPS as typed: leading blanks, an optional sign, digits with an optional decimal
// point ("12", "12.", ".5", "12.25"); 0 when the text does not start with a number. No exponent,
// no "inf" or "nan", and the decimal point is always "." whatever the locale.
double ReadLeadingDecimal(std::string_view text);

// The text the input box must show after the rule of `kind` has looked at `text`: the text
// itself when it is in range (or the kind takes no input), else the replacement ("1", "102",
// "51", "16.5"). The caller writes it back only when it differs, so the rule settles at once.
std::string HoldLevelInput(ItemKind kind, std::string_view text);

// floor((dps - 1.2) * 10/3 + 0.5), the difference, the product and the sum held in extended
// precision and rounded to a double before the floor: 16.5 gives 51, 1.5 gives 1, 1 gives -1. A DPS so large
// or so odd that no int holds the result saturates (or gives 0 for a NaN).
int WeaponLevel(double dps);

// The level that OK writes into the level box, for the kind, the input text and the wood.
// A wood index outside 0..9 is taken as the nearest wood.
int ComputeItemLevel(ItemKind kind, std::string_view input, int woodIndex);

} // namespace gw
