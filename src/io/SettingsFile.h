// The settings file "gemwright.ini" in the start directory: the report definitions of the two
// report buttons and the realm, one per line.
#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <string_view>

#include "io/AtomicFile.h"

namespace gw {

inline constexpr std::string_view SettingsFileName = "gemwright.ini";

struct Settings {
    std::string ReportDefinition2; // line 1: the "Config Report" button
    std::string ReportDefinition1; // line 2: the "Order Form" button
    int realm = 0;                 // line 3: the realm box's index, always 0..2
    bool operator==(const Settings&) const = default;
};

// StartDir/"Config Report.rpt" and StartDir/"Mats List.rpt", Albion.
Settings DefaultSettings(const std::filesystem::path& startDir);

// The button caption of a report definition: the file name after the last "/" with its last
// four characters removed; a name shorter than four characters whole.
std::string ReportButtonCaption(std::string_view path);

struct SettingsReadResult {
    Settings settings;
    bool found = false;  // false: no settings file, the defaults apply (say nothing)
    std::string message; // set when the file exists but cannot be read: the defaults apply
};

// Reads StartDir/gemwright.ini. The realm is to be selected without running the realm box's
// change handler.
SettingsReadResult ReadSettings(const std::filesystem::path& startDir);
// The lines of an open settings file; a bare file name gets the start directory in front.
Settings ParseSettings(std::istream& in, const std::filesystem::path& startDir);

// Three lines: CR LF after lines 1 and 2, nothing after the realm digit.
std::string SettingsText(const Settings& settings);
SaveResult SaveSettings(const std::filesystem::path& startDir, const Settings& settings,
                        const SaveFaults& faults = {});

} // namespace gw
