// The configuration every benchmark works on: all eighteen slots filled, every gem position of
// the armour and weapons used with all six effect types, so that each total, focus line, skill
// line, material list and report field has work to do; jewellery as typed drops.
#pragma once

#include <string>

#include "data/Globals.h"
#include "model/GWItem.h"

namespace gwbench {

inline gw::Configuration FullConfiguration()
{
    using namespace gw;
    Configuration config;
    for (int slot = 0; slot < SlotCount; ++slot) {
        GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        const bool playerMade = slot < ArmourSlotCount;
        item.PlayerMade = playerMade ? 1 : 0;
        item.Quality = playerMade ? 5 : 0;
        item.ImbuePoints = playerMade ? 28 : 0;
        item.Name = "Item of slot " + std::to_string(slot);
        item.Level = 51;
        item.Qual = "99";
        item.DPS = "16.5";
        item.Speed = "3.7";
        item.Bonus = "35";
        for (int row = 0; row < GemsPerItem; ++row) {
            const auto r = static_cast<std::size_t>(row);
            item.EffectType[r] = 1 + (slot + row) % 6;
            item.EffectAmount[r] = playerMade ? (slot * 3 + row) % TierCount : 3 + slot + row;
            item.EffectName[r] = (slot + 2 * row) % EffectCount(item.EffectType[r], 0);
            item.GemQuality[r] = playerMade ? (slot + row) % QualityCount : 0;
        }
    }
    config.Equipped[7] = 1; // both hands count
    return config;
}

} // namespace gwbench
