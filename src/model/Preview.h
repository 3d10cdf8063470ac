// What the saved-item browser shows for one item file: its name, level, utility, the four
// typed strings and one line per effect. Texts are byte strings; the window converts them.
#pragma once

#include <array>
#include <string>

#include "model/GWItem.h"

namespace gw {

struct PreviewTexts {
    std::string name;
    std::string level;
    std::string utility;
    std::string dps;
    std::string speed;
    std::string quality;
    std::string bonus;
    std::array<std::string, GemsPerItem> effects;
    bool operator==(const PreviewTexts&) const = default;
};

// The preview before any file has been picked: "none selected", zeros and "none".
PreviewTexts EmptyPreview();

// The preview of an item read under `realm`, whose Focus and Skill names it uses. An Unused row
// shows "none"; every other row shows the stored amount and the effect's name.
PreviewTexts PreviewOf(const GWItem& item, int realm);

} // namespace gw
