#include "ui/Startup.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QTimer>

#include "io/StartDirectory.h"

#include "ui/AboutFormSrc.h"
#include "ui/CommandLine.h"
#include "ui/FindStatFormSrc.h"
#include "ui/GwApplication.h"
#include "ui/ItemLevelSrc.h"
#include "ui/LoadDropSrc.h"
#include "ui/MainForm.h"
#include "ui/PlanGemsFormSrc.h"
#include "ui/ReportCheck.h"
#include "ui/ReportFormSrc.h"

namespace {

// For the probe: ends the event loop once the main window has first painted.
class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

void PrintTo(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// Where this program lies. The window program runs on Linux only (the core alone is built for
// Windows), and the answer is needed before the application object exists.
std::filesystem::path ExecutablePath(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self;
    return std::filesystem::absolute(argv0 != nullptr ? argv0 : "gemwright", error);
}

struct PreparedStart {
    QString directory;   // empty when refused
    std::string refusal; // why
};

// Chooses the start directory and fills it from the defaults installed beside the program.
PreparedStart PrepareStart(const CommandLine& line, const char* argv0)
{
    std::optional<std::string> workdir;
    if (line.workdir)
        workdir = line.workdir->toStdString();
    const gw::StartDirectoryChoice choice = gw::ChooseStartDirectory(gw::ReadStartDirectoryInputs(workdir));
    if (choice.source == gw::StartDirectorySource::None)
        return {{}, choice.error};
    const gw::PrepareResult prepared =
        gw::PrepareStartDirectory(choice.path, gw::DataDirectoryOf(ExecutablePath(argv0)));
    if (!prepared)
        return {{}, prepared.error};
    for (const std::string& warning : prepared.warnings)
        PrintTo(stderr, QStringLiteral("gemwright: %1\n").arg(QString::fromStdString(warning)));
    const QString startDir = QString::fromStdString(choice.path.string());
    // The program works in its start directory: a relative report-definition path in the settings
    // file and the dialogs' "." mean that folder, as they always have.
    QDir::setCurrent(startDir);
    return {startDir, {}};
}

} // namespace

void SetApplicationIdentity()
{
    QApplication::setApplicationName(QStringLiteral("Gemwright"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.gemwright.Gemwright"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/io.github.gemwright.Gemwright.svg")));
}

std::unique_ptr<TMainForm> CreateApplicationWindows()
{
    return CreateApplicationWindows(QDir::currentPath());
}

std::unique_ptr<TMainForm> CreateApplicationWindows(const QString& startDir)
{
    auto mainForm = std::make_unique<TMainForm>(startDir);
    TMainForm* main = mainForm.get();
    // The other windows, in this order: report window, About box, item level dialog, saved-item
    // browser, slot finder dialog, and the gem planner last.
    main->ReportForm = new TReportForm(main);
    main->AboutForm = new TAboutForm(main);
    main->ItemLevelForm = new TItemLevelForm(main);
    main->ItemBrowser = new TItemBrowser(main);
    main->FindStatForm = new TFindStatForm(main);
    main->PlanGemsForm = new TPlanGemsForm(main);
    return mainForm;
}

void ShowMainWindow(TMainForm& form, const QString& configuration)
{
    form.show();
    if (!configuration.isEmpty())
        QTimer::singleShot(0, &form, [&form, configuration] { form.OpenConfigurationPath(configuration); });
}

int RunGemwright(int& argc, char** argv, StartupMode mode)
{
    // Help and version need no display: they are answered before the window system is reached.
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    const CommandLine early = ParseCommandLine(given);
    if (early.action == CommandLine::Action::ShowHelp || early.action == CommandLine::Action::ShowVersion) {
        PrintTo(stdout, early.output);
        return 0;
    }

    // A clean command line is acted on before the window system is reached, so that a refusal
    // needs no display; Qt's own options (-platform, ...) are taken by the application object first.
    std::optional<GwApplication> app;
    CommandLine line = early;
    if (line.action == CommandLine::Action::Refuse && line.windowSystemOptions) {
        app.emplace(argc, argv);
        line = ParseCommandLine(QCoreApplication::arguments());
    }
    if (line.action == CommandLine::Action::Refuse) {
        PrintTo(stderr, line.output);
        return 1;
    }
    const PreparedStart start = PrepareStart(line, argc > 0 ? argv[0] : nullptr);
    if (start.directory.isEmpty()) {
        // The line on standard error says why; started from a menu there is no terminal, so unless
        // the player named the directory on the command line the error box says it too.
        const QString reason = QString::fromStdString(start.refusal);
        PrintTo(stderr, QStringLiteral("gemwright: %1\n").arg(reason));
        if (!line.workdir) {
            if (!app)
                app.emplace(argc, argv);
            SetApplicationIdentity();
            GwApplication::ShowError(reason);
        }
        return 2;
    }
    if (!app)
        app.emplace(argc, argv);
    SetApplicationIdentity();
    const QString startDir = start.directory;

    std::unique_ptr<TMainForm> mainForm;
    try {
        mainForm = CreateApplicationWindows(startDir);
    } catch (const std::exception& error) {
        GwApplication::ShowError(QString::fromLocal8Bit(error.what()));
        return 0;
    } catch (...) {
        GwApplication::ShowError(GwApplication::tr("An unexpected error occurred."));
        return 0;
    }

    if (line.checkReports)
        return CheckReports(*mainForm, line.file);

    // The application ends when the main window has closed, even while the About box or the
    // report window is open; a close the player cancels ends nothing.
    QObject::connect(mainForm.get(), &TMainForm::Closed, &*app, &QCoreApplication::quit, Qt::QueuedConnection);
    FirstPaintWatcher watcher;
    if (mode == StartupMode::QuitWhenShown)
        mainForm->installEventFilter(&watcher);
    ShowMainWindow(*mainForm, line.file);
    return app->exec();
}
