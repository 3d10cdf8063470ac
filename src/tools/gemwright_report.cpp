// gemwright-report: renders a report definition for a saved configuration without the window,
// exactly as the report buttons would, and writes the report to standard output.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/Globals.h"
#include "io/ConfigFile.h"
#include "io/ReadFile.h"
#include "io/StandardOutput.h"
#include "model/Imbue.h"
#include "model/Totals.h"
#include "report/ReportSource.h"
#include "report/ReportTemplate.h"
#include "tools/CommandOptions.h"

namespace {

constexpr std::string_view Program = "gemwright-report";

constexpr std::string_view Usage =
    "Usage: gemwright-report [--realm albion|hibernia|midgard] [--level N] [--crafter-skill S]\n"
    "                        [--distance] [--write-config FILE] TEMPLATE [CONFIG]\n"
    "\n"
    "Renders the report definition TEMPLATE for the configuration CONFIG (for an empty\n"
    "configuration when CONFIG is not given) and writes the report to standard output.\n"
    "\n"
    "  --realm R            realm selected at start (default albion); a realm named in\n"
    "                       CONFIG replaces it\n"
    "  --level N            character level, held to 1..50 (default 50)\n"
    "  --crafter-skill S    crafter skill: 1001, 951, 901, ... 51 (default 1001)\n"
    "  --distance           show the totals as the distance to the cap\n"
    "  --write-config FILE  save the configuration as read to FILE\n"
    "  --help               show this text\n"
    "\n"
    "Options may stand before or after the files; \"--\" ends them.\n"
    "Exit status: 0 report written; 1 usage error; 2 a file could not be opened or written,\n"
    "or the report grew past its limit and was stopped; 3 report written, but some items of\n"
    "CONFIG could not be loaded.\n";

struct Options {
    std::string realm = "albion";
    std::string level = "50";
    std::string crafterSkill = "1001";
    bool distance = false;
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
    return gw::tools::ReadCommandLine(argc, argv, {{"--help", &options.help}, {"--distance", &options.distance}},
                                      {{"--realm", &options.realm},
                                       {"--level", &options.level},
                                       {"--crafter-skill", &options.crafterSkill},
                                       {"--write-config", &options.writeConfig}},
                                      options.files);
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

} // namespace

int main(int argc, char** argv)
{
    gw::UseBinaryStandardOutput();
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
    if (options.files.empty())
        return UsageError("no TEMPLATE given");
    if (options.files.size() > 2)
        return UsageError("too many files: only TEMPLATE and CONFIG are taken");

    // Both files are read as the window reads them: regular files only, bounded by their kind,
    // so that a device, a pipe or a huge file is refused at once instead of hanging the command.
    const std::string& templatePath = options.files[0];
    const gw::FileRead templ = gw::ReadRegularFile(templatePath, gw::FileLimits::ReportDefinition);
    if (!templ) {
        WriteErr(std::string(Program) + ": " +
                 gw::DescribeRefusal(templatePath, templ, gw::FileLimits::ReportDefinition) + "\n");
        return 2;
    }

    // The start-up configuration: every slot cleared, the start-up Equipped flags.
    gw::Configuration config;
    config.caps = gw::CapsForLevel(gw::HoldCharLevel(options.level).level);
    int realm = startRealm;
    bool recordsFailed = false;
    if (options.files.size() == 2) {
        const gw::ConfigReadResult read = gw::OpenConfiguration(options.files[1], config, realm);
        if (!read.opened) {
            for (const std::string& message : read.messages)
                WriteErr(std::string(Program) + ": " + message + "\n");
            return 2;
        }
        realm = read.realm;
        for (const std::string& message : read.messages)
            WriteErr(message + "\n");
        recordsFailed = !read.messages.empty();
    }

    if (options.writeConfig) {
        const gw::SaveResult saved = gw::SaveConfiguration(*options.writeConfig, config, realm);
        if (!saved) {
            WriteErr(std::string(Program) + ": " + saved.message + "\n");
            return 2;
        }
    }

    const gw::PanelReportSource source(config, realm, crafterSkill,
                                       options.distance ? gw::DisplayMode::DistanceToCap
                                                        : gw::DisplayMode::TotalBonus);
    // The report is written as it is produced, so the command's memory stays small whatever
    // the report's size. A report that did not reach its destination (a full disk) must not
    // look produced.
    const gw::RenderEnd end = gw::RenderTemplate(templ.bytes, source, [](std::string_view piece) {
        return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
    });
    if (end == gw::RenderEnd::SinkFailed || std::fflush(stdout) != 0) {
        WriteErr(std::string(Program) + ": cannot write the report: " + Reason(errno) + "\n");
        return 2;
    }
    if (end == gw::RenderEnd::Stopped) {
        WriteErr(std::string(Program) + ": " + gw::ReportStoppedMessage() + "\n");
        return 2;
    }
    return recordsFailed ? 3 : 0;
}
