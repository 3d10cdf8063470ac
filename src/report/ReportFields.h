// The value tags of report templates: what `<str>`, `<chest gem1 name>`, `<skill 3>` or
// `<materials dusts 10>` put into a report.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/ReportSource.h"

namespace gw {

// The widest a value is padded to. Longer values themselves are kept whole.
inline constexpr int MaxValueWidth = 2047;

// ASCII lower case: keywords are ASCII, and the rest of a tag only ever meets keywords and
// the width, so letters beyond ASCII never need folding.
std::string ToLowerAscii(std::string_view text);

// What is left of a tag after its keyword and parameters, read as the width: leading blanks,
// an optional sign and digits with nothing after them; anything else reads as 0.
int ReadTagWidth(std::string_view rest);

// The value of one value tag, already padded to its width. `tagText` is the text between the
// brackets, in any letter case.
std::string EvaluateValueTag(std::string_view tagText, const ReportSource& source);

// Evaluates the value tags of one report. The skill list, the captions and the material lists
// cannot change while a report is generated, so each is read from the source once, on first use.
class ValueTagEvaluator {
  public:
    explicit ValueTagEvaluator(const ReportSource& source);

    std::string Evaluate(std::string_view tagText);
    // The same for a tag text that is already lower case, appended to `out`.
    void AppendLowered(std::string_view loweredTagText, std::string& out);

  private:
    enum class Materials { None, GemList, Gems, Dusts, Liquids };

    const std::string& CaptionText(int index);
    const std::vector<std::string>& Skills();
    const std::string& SkillsJoined();
    const std::string& MaterialsText(Materials list);

    const ReportSource& m_source;
    std::array<std::optional<std::string>, PanelCaptionCount> m_captions;
    std::optional<std::vector<std::string>> m_skills;
    std::optional<std::string> m_skillsJoined;
    std::array<std::optional<std::string>, 5> m_materials;
    std::string m_scratch;
};

} // namespace gw
