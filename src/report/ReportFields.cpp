#include "report/ReportFields.h"

#include <algorithm>
#include <climits>

#include "data/Globals.h"
#include "model/Gems.h"
#include "model/Imbue.h"

namespace gw {
namespace {

// The caption keywords, in the order they are tested; index = PanelCaption.
constexpr std::array<std::string_view, PanelCaptionCount> CaptionKeywords = {
    "str",   "con",    "dex",    "qui",    "int",    "pie",    "cha",   "emp",
    "body",  "cold",   "heat",   "energy", "matter", "spirit", "crush", "thrust",
    "slash", "focus1", "focus2", "focus3", "focus4", "hits",   "power", "totalcost",
};

enum class SlotField {
    None,
    Quality,
    Level,
    UsedPoints,
    AvailablePoints,
    Utility,
    Overcharge,
    Name,
    Af,
    Speed,
    Bonus,
    Gem,
};

struct SlotFieldName {
    std::string_view name;
    SlotField field;
};

// Tested in this order, the first match counting.
constexpr SlotFieldName SlotFieldNames[] = {
    {"quality", SlotField::Quality},
    {"level", SlotField::Level},
    {"usedpoints", SlotField::UsedPoints},
    {"availablepoints", SlotField::AvailablePoints},
    {"utility", SlotField::Utility},
    {"overcharge", SlotField::Overcharge},
    {"name", SlotField::Name},
    {"af", SlotField::Af},
    {"speed", SlotField::Speed},
    {"bonus", SlotField::Bonus},
    {"gem", SlotField::Gem},
};

enum class GemField { None, Quality, Amount, Name, Effect };

constexpr std::pair<std::string_view, GemField> GemFieldNames[] = {
    {"quality", GemField::Quality},
    {"amount", GemField::Amount},
    {"name", GemField::Name},
    {"effect", GemField::Effect},
};

// Which source a tag ended up selecting: every matching test overwrites it, and only the last
// one is turned into text.
struct Pick {
    enum class Kind { Nothing, Caption, AllSkills, SkillLine, Slot, Materials } kind = Kind::Nothing;
    int index = 0; // caption, skill line (from 1) or slot
    SlotField field = SlotField::None;
    int gem = 0; // 0..3
    GemField gemField = GemField::None;
    int materials = 0;
};

// Takes a keyword off the front when the text begins with it.
bool TakePrefix(std::string_view& rest, std::string_view keyword)
{
    if (!rest.starts_with(keyword))
        return false;
    rest.remove_prefix(keyword.size());
    return true;
}

// Takes up to n characters off the front (a tag may end before its parameters do).
void TakeUpTo(std::string_view& rest, std::size_t n)
{
    rest.remove_prefix(std::min(n, rest.size()));
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string GemFieldText(const GWItem& item, int gem, GemField field, int realm)
{
    const auto g = static_cast<std::size_t>(gem);
    const int type = item.EffectType[g];
    const int amount = item.EffectAmount[g];
    const int effect = item.EffectName[g];
    const bool playerMade = item.PlayerMade != 0;
    if (type == TypeUnused)
        return field == GemField::Effect ? "Empty" : "";
    switch (field) {
    case GemField::Quality:
        return playerMade ? QualityPercentText(item.GemQuality[g]) : "";
    case GemField::Amount:
        return std::to_string(playerMade ? GemAmount(type, amount) : amount);
    case GemField::Name:
        return playerMade ? GemName(type, amount, effect, realm) : "";
    case GemField::Effect:
        return std::string(LookupEffectName(type, realm, effect));
    case GemField::None:
        break;
    }
    return {};
}

std::string SlotFieldText(const GWItem& item, SlotField field, int crafterSkill)
{
    const bool playerMade = item.PlayerMade != 0;
    switch (field) {
    case SlotField::Quality:
        return playerMade ? QualityPercentText(item.Quality) : item.Qual;
    case SlotField::Level:
        return std::to_string(item.Level);
    case SlotField::UsedPoints:
        return playerMade ? std::to_string(ItemPoints(item, 0)) : "";
    case SlotField::AvailablePoints:
        return playerMade ? std::to_string(item.ImbuePoints) : "";
    case SlotField::Utility:
        return FormatUtility(SlotUtility(item));
    case SlotField::Overcharge:
        // Reports count the gem quality of all four positions, used or not.
        return playerMade ? ComputeOvercharge(item, crafterSkill, OverchargeRows::AllPositions).text : "";
    case SlotField::Name:
        return playerMade ? "" : item.Name;
    case SlotField::Af:
        return playerMade ? "" : item.DPS;
    case SlotField::Speed:
        return playerMade ? "" : item.Speed;
    case SlotField::Bonus:
        return playerMade ? "" : item.Bonus;
    case SlotField::Gem:
    case SlotField::None:
        break;
    }
    return {};
}

} // namespace

std::string ToLowerAscii(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
}

int ReadTagWidth(std::string_view rest)
{
    std::size_t i = 0;
    while (i < rest.size() && IsBlank(rest[i]))
        ++i;
    bool negative = false;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) {
        negative = rest[i] == '-';
        ++i;
    }
    const std::size_t firstDigit = i;
    long long value = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
        if (value <= INT_MAX)
            value = value * 10 + (rest[i] - '0');
    }
    if (i == firstDigit || i != rest.size())
        return 0;
    if (negative)
        return 0; // a negative width pads nothing
    return static_cast<int>(std::min<long long>(value, INT_MAX));
}

std::string EvaluateValueTag(std::string_view tagText, const ReportSource& source)
{
    return ValueTagEvaluator(source).Evaluate(tagText);
}

ValueTagEvaluator::ValueTagEvaluator(const ReportSource& source) : m_source(source) {}

std::string ValueTagEvaluator::Evaluate(std::string_view tagText)
{
    std::string value;
    AppendLowered(ToLowerAscii(tagText), value);
    return value;
}

void ValueTagEvaluator::AppendLowered(std::string_view text, std::string& out)
{
    std::string_view rest = text;
    Pick pick;

    for (int i = 0; i < PanelCaptionCount; ++i) {
        if (TakePrefix(rest, CaptionKeywords[static_cast<std::size_t>(i)])) {
            pick = Pick{};
            pick.kind = Pick::Kind::Caption;
            pick.index = i;
        }
    }

    if (rest.starts_with("skill")) {
        pick = Pick{};
        if (rest.starts_with("skills")) {
            // The whole list; whatever follows is discarded, so no width applies.
            pick.kind = Pick::Kind::AllSkills;
            rest = {};
        } else {
            TakeUpTo(rest, 6); // "skill" and its separator
            pick.kind = Pick::Kind::SkillLine;
            pick.index = ReadLeadingInt(rest.substr(0, std::min<std::size_t>(2, rest.size())));
            TakeUpTo(rest, 2);
        }
    }

    for (int slot = 0; slot < SlotCount; ++slot) {
        const std::string_view keyword = SlotKeyword(slot);
        if (!rest.starts_with(keyword))
            continue;
        TakeUpTo(rest, keyword.size() + 1); // the keyword and its separator
        pick = Pick{};
        pick.kind = Pick::Kind::Slot;
        pick.index = slot;
        for (const auto& [name, field] : SlotFieldNames) {
            if (!rest.starts_with(name))
                continue;
            pick.field = field;
            if (field != SlotField::Gem) {
                rest.remove_prefix(name.size());
                break;
            }
            // "gem", the position character and a separator go together: gem1..gem3 name
            // their positions and any other fifth character the last one.
            const std::string_view head = rest.substr(0, std::min<std::size_t>(4, rest.size()));
            pick.gem = head == "gem1" ? 0 : head == "gem2" ? 1 : head == "gem3" ? 2 : 3;
            TakeUpTo(rest, 5);
            for (const auto& [gemName, gemField] : GemFieldNames) {
                if (TakePrefix(rest, gemName)) {
                    pick.gemField = gemField;
                    break;
                }
            }
            break;
        }
        break;
    }

    if (rest.starts_with("materials")) {
        TakeUpTo(rest, 10); // "materials" and its separator
        pick = Pick{};
        pick.kind = Pick::Kind::Materials;
        constexpr std::string_view Lists[] = {"gemlist", "gems", "dusts", "liquids"};
        for (int i = 0; i < 4; ++i) {
            if (TakePrefix(rest, Lists[i])) {
                pick.materials = i + 1;
                break;
            }
        }
    }

    const int width = std::min(ReadTagWidth(rest), MaxValueWidth);

    // A value of more than 2047 characters (a long material list) is kept whole, never cut.
    std::string_view value;
    const Configuration& config = m_source.Items();
    switch (pick.kind) {
    case Pick::Kind::Nothing:
        break;
    case Pick::Kind::Caption:
        value = CaptionText(pick.index);
        break;
    case Pick::Kind::AllSkills:
        value = SkillsJoined();
        break;
    case Pick::Kind::SkillLine: {
        const auto& skills = Skills();
        if (pick.index >= 1 && static_cast<std::size_t>(pick.index) <= skills.size())
            value = skills[static_cast<std::size_t>(pick.index - 1)];
        break;
    }
    case Pick::Kind::Slot: {
        const GWItem& item = config.Items[static_cast<std::size_t>(pick.index)];
        m_scratch = pick.field == SlotField::Gem
                        ? GemFieldText(item, pick.gem, pick.gemField, m_source.Realm())
                        : SlotFieldText(item, pick.field, m_source.CrafterSkillIndex());
        value = m_scratch;
        break;
    }
    case Pick::Kind::Materials:
        value = MaterialsText(static_cast<Materials>(pick.materials));
        break;
    }

    if (value.size() < static_cast<std::size_t>(width))
        out.append(static_cast<std::size_t>(width) - value.size(), ' ');
    out.append(value);
}

const std::string& ValueTagEvaluator::CaptionText(int index)
{
    auto& cached = m_captions[static_cast<std::size_t>(index)];
    if (!cached)
        cached = m_source.Caption(static_cast<PanelCaption>(index));
    return *cached;
}

const std::vector<std::string>& ValueTagEvaluator::Skills()
{
    if (!m_skills)
        m_skills = m_source.SkillLines();
    return *m_skills;
}

const std::string& ValueTagEvaluator::SkillsJoined()
{
    if (!m_skillsJoined) {
        const auto& skills = Skills();
        std::string joined;
        for (std::size_t i = 0; i < skills.size(); ++i) {
            if (i > 0)
                joined += '\n';
            joined += skills[i];
        }
        m_skillsJoined = std::move(joined);
    }
    return *m_skillsJoined;
}

const std::string& ValueTagEvaluator::MaterialsText(Materials list)
{
    auto& cached = m_materials[static_cast<std::size_t>(list)];
    if (!cached) {
        const Configuration& config = m_source.Items();
        const int realm = m_source.Realm();
        switch (list) {
        case Materials::GemList:
            cached = GemList(config, realm);
            break;
        case Materials::Gems:
            cached = BaseGemList(config, realm);
            break;
        case Materials::Dusts:
            cached = DustList(config, realm);
            break;
        case Materials::Liquids:
            cached = LiquidList(config, realm);
            break;
        case Materials::None:
            cached = std::string();
            break;
        }
    }
    return *cached;
}

} // namespace gw
