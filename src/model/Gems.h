// Gem names, prices, money and the materials a configuration needs.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/GWItem.h"

namespace gw {

extern const std::array<int, 10> GemBasePrice;

// Tier prefix followed by the gem's base name ("raw Fiery Essence Jewel"); empty when the type,
// tier or index names no gem.
std::string GemName(int type, int tier, int index, int realm);
// Price in copper; 0 for a type outside 1..6 or a tier outside 0..9.
int GemCost(int type, int tier);
// "%dp %dg %ds %dc " with zero parts left out; 0 gives the empty text (callers show "0c").
// A negative amount is written with a leading "-" before the parts of its magnitude.
std::string FormatMoney(std::int64_t copper);

// Sum of the prices of every gem of every player-made item in all 18 slots.
std::int64_t TotalCostCopper(const Configuration& config);
// "0c" for 0, else FormatMoney.
std::string TotalCostText(const Configuration& config);

// Material lists of the gems on player-made armour and weapon items (slots 0..9), names in the
// realm given. Each line ends in a line feed; no entry gives the empty text.
std::string BaseGemList(const Configuration& config, int realm);   // "%d %s Gem%s\n"
std::string DustList(const Configuration& config, int realm);      // "%d %s\n"
std::string LiquidList(const Configuration& config, int realm);    // "%d %s\n"
std::string GemList(const Configuration& config, int realm);       // "%d %s%s\n" per gem kind

} // namespace gw
