#include "model/Preview.h"

#include "data/Globals.h"
#include "model/Imbue.h"

namespace gw {

PreviewTexts EmptyPreview()
{
    PreviewTexts p;
    p.name = "none selected";
    for (std::string* text : {&p.level, &p.utility, &p.dps, &p.speed, &p.quality, &p.bonus})
        text->assign(1, '0');
    p.effects.fill("none");
    return p;
}

PreviewTexts PreviewOf(const GWItem& item, int realm)
{
    PreviewTexts p;
    p.name = item.Name;
    p.level = std::to_string(item.Level);
    p.utility = FormatUtility(PreviewUtility(item));
    p.dps = item.DPS;
    p.speed = item.Speed;
    p.quality = item.Qual;
    p.bonus = item.Bonus;
    for (int row = 0; row < GemsPerItem; ++row) {
        const int type = item.EffectType[static_cast<std::size_t>(row)];
        if (type == TypeUnused) {
            p.effects[static_cast<std::size_t>(row)] = "none";
            continue;
        }
        // The name lookup is bounded: a type or index from a damaged file names nothing.
        p.effects[static_cast<std::size_t>(row)] =
            std::to_string(item.EffectAmount[static_cast<std::size_t>(row)]) + " " +
            std::string(
                LookupEffectName(type, BoundRealm(realm), item.EffectName[static_cast<std::size_t>(row)]));
    }
    return p;
}

} // namespace gw
