#include "io/SettingsFile.h"

#include <charconv>
#include <sstream>

#include "data/Globals.h"
#include "io/ReadFile.h"

namespace gw {

namespace {

namespace fs = std::filesystem;

// What separates directories in a stored path: on Windows both slashes do, as they do for the
// system itself, so that "C:\Gemwright\Config Report.rpt" has the caption "Config Report".
constexpr std::string_view Separators = fs::path::preferred_separator == '\\' ? "/\\" : "/";

// Lines are read whole, so a long path never spills into the next line; bytes past this length
// are skipped, since no path a file system accepts is that long.
constexpr std::size_t MaxSettingsLine = 64 * 1024;

// Reads one line with its line feed, if it has one. False at the end of the input.
bool ReadWholeLine(std::streambuf& buf, std::string& line)
{
    using Traits = std::streambuf::traits_type;
    line.clear();
    if (Traits::eq_int_type(buf.sgetc(), Traits::eof()))
        return false;
    for (;;) {
        const Traits::int_type c = buf.sbumpc();
        if (Traits::eq_int_type(c, Traits::eof()))
            break;
        if (line.size() < MaxSettingsLine)
            line.push_back(Traits::to_char_type(c));
        if (Traits::to_char_type(c) == '\n') {
            if (line.back() != '\n')
                line.push_back('\n');
            break;
        }
    }
    return true;
}

std::string WithoutLineEnd(std::string line)
{
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    }
    return line;
}

// A relative path, a bare file name or one with directories in it, lies below the start
// directory, wherever the program happens to be started from. An empty line names nothing, so
// the button keeps its default definition rather than pointing at the directory itself.
std::string DefinitionPath(const std::string& text, const fs::path& startDir, const std::string& fallback)
{
    if (text.empty())
        return fallback;
    if (!fs::path(text).is_absolute())
        return (startDir / text).string();
    return text;
}

// The whole line must be a number: a line end after the digits, or any other byte, gives 0.
// A realm outside 0..2 is taken as Albion.
int RealmOfLine(std::string_view line)
{
    std::string_view digits = line;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    if (digits.empty())
        return 0;
    for (char c : digits)
        if (c < '0' || c > '9')
            return 0;
    long long value = 0;
    auto [end, ec] =
        std::from_chars(line.data() + (line.front() == '+' ? 1 : 0), line.data() + line.size(), value);
    if (ec != std::errc{} || end != line.data() + line.size() || value < 0 || value >= RealmCount)
        return 0;
    return static_cast<int>(value);
}

} // namespace

Settings DefaultSettings(const fs::path& startDir)
{
    Settings settings;
    settings.ReportDefinition2 = (startDir / "Config Report.rpt").string();
    settings.ReportDefinition1 = (startDir / "Mats List.rpt").string();
    settings.realm = 0;
    return settings;
}

std::string ReportButtonCaption(std::string_view path)
{
    const std::size_t slash = path.find_last_of(Separators);
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    // Characters, not bytes: the paths are UTF-8, so a name is cut only between characters.
    std::size_t cut = name.size();
    for (int removed = 0; removed < 4; ++removed) {
        if (cut == 0)
            return std::string(name);
        --cut;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
    }
    return std::string(name.substr(0, cut));
}

Settings ParseSettings(std::istream& in, const fs::path& startDir)
{
    Settings settings = DefaultSettings(startDir);
    std::streambuf* buf = in.rdbuf();
    if (buf == nullptr)
        return settings;
    std::string line;
    if (ReadWholeLine(*buf, line))
        settings.ReportDefinition2 =
            DefinitionPath(WithoutLineEnd(line), startDir, settings.ReportDefinition2);
    if (ReadWholeLine(*buf, line))
        settings.ReportDefinition1 =
            DefinitionPath(WithoutLineEnd(line), startDir, settings.ReportDefinition1);
    if (ReadWholeLine(*buf, line))
        settings.realm = RealmOfLine(line);
    return settings;
}

SettingsReadResult ReadSettings(const fs::path& startDir)
{
    SettingsReadResult result;
    result.settings = DefaultSettings(startDir);
    const fs::path path = startDir / SettingsFileName;
    std::error_code ec;
    if (!fs::exists(path, ec))
        return result;
    result.found = true;
    // A device or a pipe may never end, or never answer; neither is read, nor a file far larger
    // than two paths and a digit.
    FileRead read = ReadRegularFile(path, FileLimits::Settings);
    if (!read) {
        result.message = "The settings file could not be read: " +
                         DescribeRefusal(path, read, FileLimits::Settings) +
                         " The default report definitions and Albion are used.";
        return result;
    }
    std::istringstream in(std::move(read.bytes));
    result.settings = ParseSettings(in, startDir);
    return result;
}

namespace {

// A path holding a line break cannot be kept on one line; writing it would shift the realm
// line, so such an assignment is not remembered and the button starts with its default.
std::string_view StorablePath(const std::string& path)
{
    return path.find_first_of("\r\n") == std::string::npos ? std::string_view(path) : std::string_view();
}

} // namespace

std::string SettingsText(const Settings& settings)
{
    std::string out;
    out.reserve(settings.ReportDefinition2.size() + settings.ReportDefinition1.size() + 8);
    out.append(StorablePath(settings.ReportDefinition2)).append("\r\n");
    out.append(StorablePath(settings.ReportDefinition1)).append("\r\n");
    out.append(std::to_string(BoundRealm(settings.realm)));
    return out;
}

SaveResult SaveSettings(const fs::path& startDir, const Settings& settings, const SaveFaults& faults)
{
    return WriteFileAtomically(startDir / SettingsFileName, SettingsText(settings), faults);
}

} // namespace gw
