// gemwright-plan: plans the gems that bring the chosen totals of a saved configuration to their
// caps, without the window, and prints the plan as a table with its status line.
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/Globals.h"
#include "io/ConfigFile.h"
#include "model/Imbue.h"
#include "model/Totals.h"
#include "plan/GemPlanner.h"
#include "plan/PlanText.h"
#include "tools/CommandOptions.h"

namespace {

constexpr std::string_view Program = "gemwright-plan";

constexpr std::string_view Usage =
    "Usage: gemwright-plan [--realm albion|hibernia|midgard] [--level N] [--crafter-skill S]\n"
    "                      [--target LIST] [--all-stats] [--all-resists] [--slots LIST]\n"
    "                      [--replace] [--gem-quality Q] [--min-chance P] [--time-limit S]\n"
    "                      [--write-config FILE] CONFIG\n"
    "\n"
    "Plans the cheapest gems that bring the chosen totals of the configuration CONFIG to the\n"
    "caps of the character level, and prints the plan and its status.\n"
    "\n"
    "  --realm R            realm selected at start (default albion); a realm named in\n"
    "                       CONFIG replaces it\n"
    "  --level N            character level, held to 1..50 (default 50)\n"
    "  --crafter-skill S    crafter skill: 1001, 951, 901, ... 51 (default 1001)\n"
    "  --target LIST        totals to bring to their caps, separated by commas: str, con, dex,\n"
    "                       qui, int, pie, cha, emp, body, cold, heat, energy, matter, spirit,\n"
    "                       crush, thrust, slash, hits, power, skill:NAME or skill:N (the N-th\n"
    "                       skill of the realm's list)\n"
    "  --all-stats          the eight stats as targets too\n"
    "  --all-resists        the nine resists as targets too\n"
    "  --slots LIST         the slots the plan may change, separated by commas: chest, arms,\n"
    "                       head, legs, hands, feet, rweapon, lweapon, 2handed, ranged\n"
    "                       (default: every equipped player-made slot)\n"
    "  --replace            gems already set may be replaced (default: only empty positions)\n"
    "  --gem-quality Q      quality of the new gems, 94..100 (default 99)\n"
    "  --min-chance P       allow an overcharge while the success chance stays at least P%\n"
    "                       (0..100; default: no overcharge)\n"
    "  --time-limit S       seconds the solver may take (default 10)\n"
    "  --write-config FILE  save the configuration with the plan applied to FILE\n"
    "  --help               show this text\n"
    "\n"
    "Options may stand before or after CONFIG; \"--\" ends them.\n"
    "Exit status: 0 plan made (an empty plan when there is nothing to gain); 1 usage error;\n"
    "2 a file could not be opened or written; 3 plan made, but some items of CONFIG could not\n"
    "be loaded; 4 the solver failed and nothing was planned.\n";

struct Options {
    std::string realm = "albion";
    std::string level = "50";
    std::string crafterSkill = "1001";
    std::optional<std::string> targets;
    bool allStats = false;
    bool allResists = false;
    std::optional<std::string> slots;
    bool replace = false;
    std::string gemQuality = "99";
    std::optional<std::string> minChance;
    std::string timeLimit = "10";
    std::optional<std::string> writeConfig;
    std::vector<std::string> files;
    bool help = false;
};

void WriteErr(std::string_view text)
{
    gw::tools::WriteErr(text);
}

int UsageError(std::string_view problem)
{
    return gw::tools::UsageError(Program, Usage, problem);
}

// Fills `options` from the arguments; returns the problem of a usage error, if any.
std::optional<std::string> ParseArguments(int argc, char** argv, Options& options)
{
    return gw::tools::ReadCommandLine(argc, argv,
                                      {{"--help", &options.help},
                                       {"--all-stats", &options.allStats},
                                       {"--all-resists", &options.allResists},
                                       {"--replace", &options.replace}},
                                      {{"--realm", &options.realm},
                                       {"--level", &options.level},
                                       {"--crafter-skill", &options.crafterSkill},
                                       {"--gem-quality", &options.gemQuality},
                                       {"--time-limit", &options.timeLimit},
                                       {"--target", &options.targets},
                                       {"--slots", &options.slots},
                                       {"--min-chance", &options.minChance},
                                       {"--write-config", &options.writeConfig}},
                                      options.files);
}

std::vector<std::string> SplitCommas(std::string_view list)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        words.emplace_back(list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            return words;
        start = comma + 1;
    }
}

// A whole decimal number within [lo, hi], or nothing.
std::optional<int> WholeNumber(std::string_view text, int lo, int hi)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < lo || value > hi)
        return std::nullopt;
    return value;
}

int CrafterSkillIndexOf(std::string_view text)
{
    for (int i = 0; i < gw::CrafterSkillCount; ++i) {
        if (gw::CrafterSkillText(i) == text)
            return i;
    }
    return -1;
}

std::string Reason(int error)
{
    return error != 0 ? std::strerror(error) : "unknown error";
}

// Opens a file for reading, refusing a directory, which some systems open as an empty stream.
bool OpenForReading(const std::string& path, std::ifstream& in, std::string& reason)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reason = Reason(EISDIR);
        return false;
    }
    errno = 0;
    in.open(path, std::ios::binary);
    if (!in.is_open()) {
        reason = Reason(errno);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (const auto problem = ParseArguments(argc, argv, options))
        return UsageError(*problem);
    if (options.help) {
        std::fwrite(Usage.data(), 1, Usage.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 2;
    }
    // A repeated option counts by its last value, so only that one is checked.
    const int startRealm = gw::RealmOfKeyword(options.realm);
    if (startRealm < 0)
        return UsageError("unknown realm '" + options.realm + "'");
    const int crafterSkill = CrafterSkillIndexOf(options.crafterSkill);
    if (crafterSkill < 0)
        return UsageError("unknown crafter skill '" + options.crafterSkill + "'");
    const auto gemQuality = WholeNumber(options.gemQuality, 94, 100);
    if (!gemQuality)
        return UsageError("gem quality '" + options.gemQuality + "' is not one of 94..100");
    std::optional<int> minChance;
    if (options.minChance) {
        minChance = WholeNumber(*options.minChance, 0, 100);
        if (!minChance)
            return UsageError("minimum chance '" + *options.minChance + "' is not one of 0..100");
    }
    double timeLimit = 0;
    {
        const std::string& text = options.timeLimit;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), timeLimit);
        if (text.empty() || error != std::errc{} || end != text.data() + text.size() || !std::isfinite(timeLimit) ||
            timeLimit <= 0 || timeLimit > 86400)
            return UsageError("time limit '" + text + "' is not a number of seconds above 0");
    }
    std::vector<std::string> targetWords;
    if (options.targets)
        targetWords = SplitCommas(*options.targets);
    for (const std::string& word : targetWords)
        if (!gw::LooksLikePlanTarget(word))
            return UsageError("unknown target '" + word + "'");
    if (targetWords.empty() && !options.allStats && !options.allResists)
        return UsageError("no target given: use --target, --all-stats or --all-resists");
    std::optional<std::array<bool, gw::SlotCount>> slots;
    if (options.slots) {
        slots.emplace();
        for (const std::string& word : SplitCommas(*options.slots)) {
            const int slot = gw::SlotOfKeyword(word);
            if (slot < 0 || slot >= gw::ArmourSlotCount)
                return UsageError("unknown armour or weapon slot '" + word + "'");
            (*slots)[static_cast<std::size_t>(slot)] = true;
        }
    }
    if (options.files.empty())
        return UsageError("no CONFIG given");
    if (options.files.size() > 1)
        return UsageError("too many files: only CONFIG is taken");

    std::ifstream configIn;
    std::string reason;
    if (!OpenForReading(options.files[0], configIn, reason)) {
        WriteErr(std::string(Program) + ": cannot open the configuration \"" + options.files[0] + "\": " + reason +
                 "\n");
        return 2;
    }

    // The start-up configuration, then the file read over it as the window opens one.
    gw::Configuration config;
    config.caps = gw::CapsForLevel(gw::HoldCharLevel(options.level).level);
    const gw::ConfigReadResult read = gw::ReadConfiguration(configIn, config, startRealm);
    const int realm = read.realm;
    for (const std::string& message : read.messages)
        WriteErr(message + "\n");
    const bool recordsFailed = !read.messages.empty();

    gw::PlanRequest request;
    for (const std::string& word : targetWords) {
        const auto target = gw::ParsePlanTarget(word, realm);
        if (!target)
            return UsageError("unknown target '" + word + "' in " + std::string(gw::RealmCaption(realm)));
        request.targets.push_back(*target);
    }
    if (options.allStats)
        for (const gw::PlanTarget& target : gw::AllStatTargets())
            request.targets.push_back(target);
    if (options.allResists)
        for (const gw::PlanTarget& target : gw::AllResistTargets())
            request.targets.push_back(target);
    request.mayChange = slots ? *slots : gw::DefaultPlanSlots(config);
    request.replaceGems = options.replace;
    request.gemQuality = *gemQuality - 94;
    request.minChance = minChance;
    request.timeLimitSeconds = timeLimit;

    const gw::PlanResult plan = gw::PlanGems(config, realm, crafterSkill, request);
    if (plan.status == gw::PlanStatus::Failed) {
        WriteErr(std::string(Program) + ": " + plan.message + "\n");
        return 4;
    }

    if (options.writeConfig) {
        gw::Configuration planned = config;
        gw::ApplyPlan(planned, plan);
        const gw::SaveResult saved = gw::SaveConfiguration(*options.writeConfig, planned, realm);
        if (!saved) {
            WriteErr(std::string(Program) + ": " + saved.message + "\n");
            return 2;
        }
    }

    const std::string out = gw::FormatPlanTable(plan, realm) + gw::PlanStatusLine(plan) + "\n";
    // A plan that did not reach its destination (a full disk) must not look produced.
    const std::size_t written = std::fwrite(out.data(), 1, out.size(), stdout);
    if (written != out.size() || std::fflush(stdout) != 0) {
        WriteErr(std::string(Program) + ": cannot write the plan: " + Reason(errno) + "\n");
        return 2;
    }
    return recordsFailed ? 3 : 0;
}
