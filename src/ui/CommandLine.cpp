#include "ui/CommandLine.h"

#include <algorithm>
#include <iterator>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

#include "Version.h"

namespace {

// Options Qt's application object reads and removes from the command line itself.
bool IsWindowSystemOption(const QString& name)
{
    static const char* const known[] = {"platform",
                                        "platformpluginpath",
                                        "platformtheme",
                                        "plugin",
                                        "qwindowgeometry",
                                        "qwindowicon",
                                        "qwindowtitle",
                                        "reverse",
                                        "session",
                                        "display",
                                        "geometry",
                                        "style",
                                        "stylesheet",
                                        "widgetcount",
                                        "name",
                                        "title",
                                        "qmljsdebugger"};
    return std::any_of(std::begin(known), std::end(known),
                       [&name](const char* option) { return name == QLatin1String(option); });
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's own options are single-dash words ("-platform"), not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Plans the crafted equipment, gems and materials of one character."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption workdir(
        QStringLiteral("workdir"),
        QStringLiteral("Keep the settings, report definitions and item library in DIR (created when "
                       "missing) instead of the current Gemwright folder or ~/.local/share/gemwright."),
        QStringLiteral("DIR"));
    QCommandLineOption checkReports(QStringLiteral("check-reports"));
    checkReports.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({help, version, workdir, checkReports});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A configuration (.gwc) to open."),
                                 QStringLiteral("[FILE]"));

    CommandLine line;
    const bool parsed = parser.parse(arguments);
    // Help and version answer even beside an option only the window system knows.
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::ShowHelp;
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')), QStringLiteral("Usage: gemwright [options] [FILE]"));
        line.output = text;
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::ShowVersion;
        line.output = QStringLiteral("gemwright %1\n").arg(QString::fromLatin1(GemwrightVersion));
        return line;
    }
    const QStringList files = parser.positionalArguments();
    QString refusal;
    if (!parsed)
        refusal = parser.errorText();
    else if (files.size() > 1)
        refusal = QStringLiteral("one configuration at a time, not %1").arg(files.size());
    if (!refusal.isEmpty()) {
        const QStringList unknown = parser.unknownOptionNames();
        line.windowSystemOptions = !parsed && !unknown.isEmpty() &&
                                   std::all_of(unknown.begin(), unknown.end(), IsWindowSystemOption);
        line.action = CommandLine::Action::Refuse;
        line.output = QStringLiteral("gemwright: %1 (see gemwright --help)\n").arg(refusal);
        return line;
    }
    if (parser.isSet(workdir))
        line.workdir = parser.value(workdir);
    if (!files.isEmpty())
        line.file = QFileInfo(files.first()).absoluteFilePath();
    line.checkReports = parser.isSet(checkReports);
    return line;
}
