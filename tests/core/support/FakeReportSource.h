// A report source with recognisable captions ("C0", "C1", ... in panel order), so that a test
// sees which caption a tag printed, and with items, skill lines and options a test sets freely.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "report/ReportSource.h"

namespace gw::test {

class FakeReportSource : public ReportSource {
  public:
    FakeReportSource()
    {
        for (int i = 0; i < PanelCaptionCount; ++i)
            captions[static_cast<std::size_t>(i)] = "C" + std::to_string(i);
    }
    std::string Caption(PanelCaption c) const override { return captions[static_cast<std::size_t>(c)]; }
    std::vector<std::string> SkillLines() const override { return skills; }
    const Configuration& Items() const override { return config; }
    int CrafterSkillIndex() const override { return crafterSkill; }
    int Realm() const override { return realm; }

    Configuration config;
    std::array<std::string, PanelCaptionCount> captions;
    std::vector<std::string> skills;
    int crafterSkill = 0;
    int realm = 0;
};

} // namespace gw::test
