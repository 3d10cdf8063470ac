// The start directory: where the settings file, the item library and the report definitions of
// one player live. A program started from a desktop menu has no folder of its own, so the choice
// is made from the command line, the current directory and the environment, and the folder is
// then filled from the installed defaults without ever overwriting a player's file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gw {

enum class StartDirectorySource {
    None,             // nothing could be chosen: `error` says why
    WorkdirOption,    // --workdir DIR
    CurrentDirectory, // the current directory already is a Gemwright folder
    DataHome,         // $XDG_DATA_HOME/gemwright, by default ~/.local/share/gemwright
};

// Everything the choice depends on, gathered by ReadStartDirectoryInputs in the program and
// written out by hand in tests.
struct StartDirectoryInputs {
    std::optional<std::string> workdir; // the --workdir value as typed, when given
    std::filesystem::path currentDirectory;
    bool currentIsGemwrightFolder = false;
    std::optional<std::string> xdgDataHome; // unset: nullopt
    std::optional<std::string> home;
};

struct StartDirectoryChoice {
    std::filesystem::path path; // absolute; empty when nothing could be chosen
    StartDirectorySource source = StartDirectorySource::None;
    std::string error;
};

// The rule: --workdir (relative to the current directory) when given; else the current directory
// when it is a Gemwright folder; else $XDG_DATA_HOME/gemwright when XDG_DATA_HOME is absolute;
// else $HOME/.local/share/gemwright when HOME is absolute. Relative environment values are
// ignored, as the base directory convention asks.
StartDirectoryChoice ChooseStartDirectory(const StartDirectoryInputs& inputs);

// A folder a player has used before: it holds gemwright.ini or an items folder.
bool IsGemwrightFolder(const std::filesystem::path& directory);

// The inputs of this process: its current directory and environment.
StartDirectoryInputs ReadStartDirectoryInputs(const std::optional<std::string>& workdir);

// The installed data directory of a program: <prefix>/share/gemwright beside <prefix>/bin. The
// build tree has the same layout, so the rule holds there too.
std::filesystem::path DataDirectoryOf(const std::filesystem::path& executable);

struct PrepareResult {
    bool ok = true;                    // false: the directory cannot be created or written; nothing to run in
    std::string error;                 // why, naming the directory
    std::vector<std::string> warnings; // defaults that could not be copied; the program still runs
    std::vector<std::filesystem::path> copied; // report definitions copied in this time
    explicit operator bool() const { return ok; }
};

// Creates the directory and items/<realm> for every realm where missing, checks that a file can
// be written there, and copies each default report definition (*.rpt) of `dataDirectory` that
// the directory does not hold yet. A file already there, even a dangling link, is never replaced,
// and a copy appears whole or not at all.
PrepareResult PrepareStartDirectory(const std::filesystem::path& startDirectory,
                                    const std::filesystem::path& dataDirectory);

} // namespace gw
