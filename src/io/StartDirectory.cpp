#include "io/StartDirectory.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>
#include <system_error>

#include "data/Globals.h"
#include "io/ItemFiles.h"
#include "io/SettingsFile.h"

namespace gw {

namespace {

namespace fs = std::filesystem;

// An environment value the base directory convention accepts: set and absolute.
std::optional<fs::path> AbsoluteValue(const std::optional<std::string>& value)
{
    if (!value || value->empty())
        return std::nullopt;
    fs::path path(*value);
    if (!path.is_absolute())
        return std::nullopt;
    return path.lexically_normal();
}

// Drops the trailing separator lexically_normal leaves on "dir/", so that a path prints as the
// player typed it.
fs::path Tidy(const fs::path& path)
{
    fs::path normal = path.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path())
        normal = normal.parent_path();
    return normal;
}

std::optional<std::string> Environment(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::string Reason(const std::error_code& error)
{
    return error.message();
}

// A name of our own beside the files of the directory, unlikely to meet any other.
fs::path ScratchName(const fs::path& directory)
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    return directory /
           (".gemwright-" + std::to_string(random()) + "-" + std::to_string(counter.fetch_add(1)) + ".tmp");
}

// A write test that leaves nothing behind: the directory may exist already and still refuse files.
bool CanWriteIn(const fs::path& directory, std::string& reason)
{
    const fs::path scratch = ScratchName(directory);
    bool written = false;
    {
        std::ofstream out(scratch, std::ios::binary);
        written = out.good() && static_cast<bool>(out << "gemwright\n");
        out.close();
        written = written && !out.fail();
    }
    std::error_code ignored;
    fs::remove(scratch, ignored);
    if (!written)
        reason = "a file cannot be written there";
    return written;
}

enum class CopyOutcome { Copied, AlreadyThere, Failed };

// Copies `source` to `target` only when `target` does not exist. The copy is made under a scratch
// name and then linked into place, which fails rather than replacing a file that appeared
// meanwhile; where the file system has no links it is renamed into place after one more check.
// A copy cut short (a full disk) thus never leaves a broken default that would then be kept.
CopyOutcome CopyWithoutReplacing(const fs::path& source, const fs::path& target, std::string& reason)
{
    const fs::path scratch = ScratchName(target.parent_path());
    std::error_code error;
    std::error_code ignored;
    if (!fs::copy_file(source, scratch, fs::copy_options::none, error)) {
        reason = Reason(error);
        fs::remove(scratch, ignored);
        return CopyOutcome::Failed;
    }
    CopyOutcome outcome = CopyOutcome::Copied;
    fs::create_hard_link(scratch, target, error);
    if (error) {
        if (fs::exists(fs::symlink_status(target, ignored))) {
            outcome = CopyOutcome::AlreadyThere; // another start filled it in: that file stays
        } else {
            error.clear();
            fs::rename(scratch, target, error);
            if (error) {
                reason = Reason(error);
                outcome = CopyOutcome::Failed;
            }
        }
    }
    fs::remove(scratch, ignored);
    return outcome;
}

} // namespace

StartDirectoryChoice ChooseStartDirectory(const StartDirectoryInputs& inputs)
{
    if (inputs.workdir) {
        if (inputs.workdir->empty())
            return {{}, StartDirectorySource::None, "--workdir needs a directory"};
        const fs::path given(*inputs.workdir);
        const fs::path path = given.is_absolute() ? given : inputs.currentDirectory / given;
        return {Tidy(path), StartDirectorySource::WorkdirOption, {}};
    }
    if (inputs.currentIsGemwrightFolder && !inputs.currentDirectory.empty())
        return {Tidy(inputs.currentDirectory), StartDirectorySource::CurrentDirectory, {}};
    if (const auto dataHome = AbsoluteValue(inputs.xdgDataHome))
        return {Tidy(*dataHome / "gemwright"), StartDirectorySource::DataHome, {}};
    if (const auto home = AbsoluteValue(inputs.home))
        return {Tidy(*home / ".local" / "share" / "gemwright"), StartDirectorySource::DataHome, {}};
    return {{},
            StartDirectorySource::None,
            "no start directory: neither XDG_DATA_HOME nor HOME names an absolute directory; "
            "give one with --workdir DIR"};
}

bool IsGemwrightFolder(const fs::path& directory)
{
    std::error_code error;
    return fs::exists(directory / SettingsFileName, error) || fs::is_directory(directory / "items", error);
}

StartDirectoryInputs ReadStartDirectoryInputs(const std::optional<std::string>& workdir)
{
    StartDirectoryInputs inputs;
    inputs.workdir = workdir;
    std::error_code error;
    inputs.currentDirectory = fs::current_path(error); // a removed directory has none
    inputs.currentIsGemwrightFolder =
        !inputs.currentDirectory.empty() && IsGemwrightFolder(inputs.currentDirectory);
    inputs.xdgDataHome = Environment("XDG_DATA_HOME");
    inputs.home = Environment("HOME");
    return inputs;
}

fs::path DataDirectoryOf(const fs::path& executable)
{
    return executable.parent_path().parent_path() / "share" / "gemwright";
}

PrepareResult PrepareStartDirectory(const fs::path& startDirectory, const fs::path& dataDirectory)
{
    PrepareResult result;
    const auto refuse = [&result, &startDirectory](const std::string& reason) {
        result.ok = false;
        result.error = "cannot use \"" + startDirectory.string() + "\" as the start directory: " + reason;
        return result;
    };

    std::error_code error;
    for (int realm = 0; realm < RealmCount; ++realm) {
        fs::create_directories(ItemDirectory(startDirectory, realm), error);
        if (error)
            return refuse(Reason(error));
    }
    std::string reason;
    if (!CanWriteIn(startDirectory, reason))
        return refuse(reason);

    // The defaults in name order, so that what is copied does not depend on the directory's order.
    std::vector<fs::path> defaults;
    for (fs::directory_iterator it(dataDirectory, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".rpt" && it->is_regular_file(error))
            defaults.push_back(it->path());
    }
    if (error || defaults.empty()) {
        result.warnings.push_back("no default report definitions found in \"" + dataDirectory.string() +
                                  "\"");
        return result;
    }
    std::sort(defaults.begin(), defaults.end());
    for (const fs::path& source : defaults) {
        const fs::path target = startDirectory / source.filename();
        std::error_code status;
        if (fs::exists(fs::symlink_status(target, status)))
            continue;
        const CopyOutcome outcome = CopyWithoutReplacing(source, target, reason);
        if (outcome == CopyOutcome::Copied)
            result.copied.push_back(target);
        else if (outcome == CopyOutcome::Failed)
            result.warnings.push_back("cannot copy \"" + source.string() + "\" to \"" + target.string() +
                                      "\": " + reason);
    }
    return result;
}

} // namespace gw
