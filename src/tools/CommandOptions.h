// The GNU-style command line the headless commands share: "--name value", "--name=value", flags,
// "--" ending the options, "-" and anything else not starting with "-" taken as a file, and a
// repeated option's last value counting. Each command names its own options in two small tables.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace gw::tools {

// Messages go to standard error only, so that standard output carries nothing but the result.
inline void WriteErr(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
}

// A usage error: the problem on one line after the program's name, then the usage; status 1.
inline int UsageError(std::string_view program, std::string_view usage, std::string_view problem)
{
    WriteErr(std::string(program) + ": " + std::string(problem) + "\n");
    WriteErr(usage);
    return 1;
}

struct FlagOption {
    std::string_view name; // "--help"
    bool* set;
};

struct ValueOption {
    std::string_view name; // "--realm"
    std::variant<std::string*, std::optional<std::string>*> value;
};

// Reads the arguments after the program's name into the options' targets and `files`. Returns the
// problem of a usage error, if any. "--help" is expected among the flags and ends the reading at
// once, so that a usage error after it never hides the help.
inline std::optional<std::string> ReadCommandLine(int argc, char** argv, const std::vector<FlagOption>& flags,
                                                  const std::vector<ValueOption>& values,
                                                  std::vector<std::string>& files)
{
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!arg.starts_with("--"))
            return "unknown option '" + std::string(arg) + "'";

        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        std::optional<std::string> inlineValue;
        if (equals != std::string_view::npos)
            inlineValue = std::string(arg.substr(equals + 1));

        bool known = false;
        for (const FlagOption& flag : flags) {
            if (flag.name != name)
                continue;
            if (inlineValue)
                return "option '" + std::string(name) + "' takes no value";
            *flag.set = true;
            if (name == "--help")
                return std::nullopt;
            known = true;
            break;
        }
        if (known)
            continue;

        const ValueOption* option = nullptr;
        for (const ValueOption& candidate : values) {
            if (candidate.name == name)
                option = &candidate;
        }
        if (option == nullptr)
            return "unknown option '" + std::string(name) + "'";

        std::string value;
        if (inlineValue)
            value = std::move(*inlineValue);
        else if (i + 1 < argc)
            value = argv[++i];
        else
            return "option '" + std::string(name) + "' needs a value";
        std::visit([&value](auto* target) { *target = value; }, option->value);
    }
    return std::nullopt;
}

} // namespace gw::tools
