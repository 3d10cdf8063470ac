// The command line of the gemwright program: an optional configuration to open, the start
// directory, and the usual --help and --version.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Action {
        Run,         // start the window
        ShowHelp,    // print `output` to standard output, exit 0
        ShowVersion, // the same
        Refuse,      // print `output` (one line) to standard error, exit 1
    };
    Action action = Action::Run;
    QString output;
    // The refusal is only about options the window system takes for itself (-platform, -style,
    // ...): look again once it has taken them.
    bool windowSystemOptions = false;
    std::optional<QString> workdir; // --workdir DIR, as typed
    QString file;                   // the configuration to open, absolute; empty when none
    // Renders both assigned report definitions without showing the window and prints them: lets
    // an installation be checked from a script (documented in the manual page, left out of --help).
    bool checkReports = false;
};

// `arguments` as the program received them, the program's name first. A relative FILE is taken
// from the current directory at the time of the call.
CommandLine ParseCommandLine(const QStringList& arguments);
