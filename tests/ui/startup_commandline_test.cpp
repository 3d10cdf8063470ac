// Starting the program: its command line, the configuration named on it, the start directory it
// refuses, and the identity the desktop matches against its entry.
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "io/ConfigFile.h"
#include "support/GuiTest.h"
#include "ui/CommandLine.h"
#include "ui/MainForm.h"
#include "ui/Startup.h"

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// The built program, in a scratch HOME so that nothing reaches the real one.
Run RunProgram(const QStringList& arguments, const QString& workingDirectory, const QString& home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.remove(QStringLiteral("XDG_DATA_HOME"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(GW_PROGRAM), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A configuration whose chest is a drop named `name`, written as the program writes one.
void WritePlan(const QString& path, const std::string& name)
{
    gw::Configuration config;
    config.Items[0].PlayerMade = 0;
    config.Items[0].Name = name;
    QVERIFY(gw::SaveConfiguration(path.toStdString(), config, 0));
}

// The lines Qt's offscreen platform and a missing runtime directory print on their own.
QStringList OwnLines(const QString& err)
{
    QStringList lines;
    for (const QString& line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (line.startsWith(QLatin1String("gemwright")))
            lines << line;
    return lines;
}

} // namespace

class StartupCommandLineTest : public gwtest::MainWindowTest {
    Q_OBJECT

  private slots:
    void theCommandLineIsUnderstood_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("workdir"); // "-" when not given
        QTest::addColumn<QString>("file");    // relative to the current directory
        QTest::addColumn<bool>("windowSystemOptions");
        const int run = int(CommandLine::Action::Run);
        const int refuse = int(CommandLine::Action::Refuse);
        QTest::newRow("nothing") << QStringList{} << run << "-"
                                 << "" << false;
        QTest::newRow("a file") << QStringList{"my plan.gwc"} << run << "-"
                                << "my plan.gwc" << false;
        QTest::newRow("workdir and file") << QStringList{"--workdir", "w", "p.gwc"} << run << "w"
                                          << "p.gwc" << false;
        QTest::newRow("workdir=") << QStringList{"--workdir=/x y"} << run << "/x y"
                                  << "" << false;
        QTest::newRow("help") << QStringList{"--help"} << int(CommandLine::Action::ShowHelp) << "-"
                              << "" << false;
        QTest::newRow("-h beside a bad option")
            << QStringList{"--nope", "-h"} << int(CommandLine::Action::ShowHelp) << "-"
            << "" << false;
        QTest::newRow("version") << QStringList{"-v"} << int(CommandLine::Action::ShowVersion) << "-"
                                 << "" << false;
        QTest::newRow("two files") << QStringList{"a.gwc", "b.gwc"} << refuse << "-"
                                   << "" << false;
        QTest::newRow("unknown option") << QStringList{"--nope"} << refuse << "-"
                                        << "" << false;
        QTest::newRow("workdir without its value") << QStringList{"--workdir"} << refuse << "-"
                                                   << "" << false;
        QTest::newRow("a window-system option") << QStringList{"-platform", "offscreen"} << refuse << "-"
                                                << "" << true;
        QTest::newRow("a window-system option beside an unknown one")
            << QStringList{"-style", "fusion", "--nope"} << refuse << "-"
            << "" << false;
    }
    void theCommandLineIsUnderstood()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, workdir);
        QFETCH(QString, file);
        QFETCH(bool, windowSystemOptions);
        const CommandLine line = ParseCommandLine(QStringList{QStringLiteral("gemwright")} + arguments);
        QCOMPARE(int(line.action), action);
        QCOMPARE(line.windowSystemOptions, windowSystemOptions);
        if (line.action != CommandLine::Action::Run) {
            QVERIFY(!line.output.isEmpty());
            QVERIFY(line.output.endsWith(QLatin1Char('\n')));
            return;
        }
        QCOMPARE(line.workdir.value_or(QStringLiteral("-")), workdir);
        QCOMPARE(line.file, file.isEmpty() ? QString() : QDir::current().absoluteFilePath(file));
        QVERIFY(!line.checkReports);
    }

    void theWindowIconIsDrawn()
    {
        SetApplicationIdentity();
        QVERIFY(!QApplication::windowIcon().pixmap(48, 48).isNull());
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.github.gemwright.Gemwright"));
    }

    void aFileNamedAtStartOpensOnceTheWindowIsUp()
    {
        const QString plan = m_dir->filePath(QStringLiteral("start plan.gwc"));
        WritePlan(plan, "Starter Chest");
        m_form = CreateApplicationWindows();
        ShowMainWindow(*m_form, plan);
        QTRY_COMPARE(m_form->ConfigFileName, plan);
        QCOMPARE(m_form->Items[0].Name, std::string("Starter Chest"));
        QCOMPARE(gwtest::ShownTitle(m_form.get()),
                 QStringLiteral("start plan.gwc - Quillane's Gemwright Equipment Configurator"));
    }

    void aFileThatCannotBeOpenedGetsFileOpensMessageAndLeavesThePlan()
    {
        m_form = CreateApplicationWindows();
        const QString missing = m_dir->filePath(QStringLiteral("gone.gwc"));
        QString shown;
        gwtest::AnswerMessageBox(QMessageBox::Abort, &shown);
        ShowMainWindow(*m_form, missing);
        QTRY_COMPARE(gwtest::PendingAnswers(), 0);
        QCOMPARE(shown,
                 QString::fromStdString(
                     gw::OpenConfiguration(missing.toStdString(), m_form->Config, 0).messages.front()));
        QVERIFY(m_form->ConfigFileName.isEmpty());
        QCOMPARE(gwtest::ShownTitle(m_form.get()), QStringLiteral("Quillane's Gemwright Equipment Configurator"));
    }

    // The program itself: what it prints and how it ends, and that the configuration named on its
    // command line, relative to where it was started, is what its report buttons render.
    void theProgramAnswersItsCommandLine()
    {
        QTemporaryDir home;
        const QString here = m_dir->path();
        const Run version = RunProgram({QStringLiteral("--version")}, here, home.path());
        QCOMPARE(version.exitCode, 0);
        QVERIFY2(version.out.startsWith(QStringLiteral("gemwright ")) &&
                     version.out.count(QLatin1Char('\n')) == 1,
                 qPrintable(version.out));
        const Run help = RunProgram({QStringLiteral("--help")}, here, home.path());
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.startsWith(QStringLiteral("Usage: gemwright [options] [FILE]\n")));
        QVERIFY(help.out.contains(QStringLiteral("--workdir <DIR>")));

        const Run unknown = RunProgram({QStringLiteral("--nope")}, here, home.path());
        QCOMPARE(unknown.exitCode, 1);
        QCOMPARE(OwnLines(unknown.err).size(), 1);

        // A workdir below a file can be neither made nor written: one line, status 2, nothing made.
        gwtest::WriteAll(m_dir->filePath(QStringLiteral("plain")), "a file");
        const Run refused =
            RunProgram({QStringLiteral("--workdir"), QStringLiteral("plain/sub")}, here, home.path());
        QCOMPARE(refused.exitCode, 2);
        QCOMPARE(refused.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(refused.err.startsWith(QStringLiteral("gemwright: ")) &&
                     refused.err.contains(QStringLiteral("plain/sub")),
                 qPrintable(refused.err));
        QVERIFY(refused.out.isEmpty());

        WritePlan(m_dir->filePath(QStringLiteral("my plan.gwc")), "Starter Chest");
        const QString work = m_dir->filePath(QStringLiteral("work"));
        const Run opened = RunProgram({QStringLiteral("--workdir"), work, QStringLiteral("--check-reports"),
                                       QStringLiteral("my plan.gwc")},
                                      here, home.path());
        QCOMPARE(opened.exitCode, 0);
        QVERIFY2(opened.out.contains(QStringLiteral("Chest: Starter Chest (drop")), qPrintable(opened.out));
        QVERIFY(QFileInfo(work + QStringLiteral("/items/hibernia")).isDir());
        QVERIFY(QDir(home.path()).isEmpty());

        const Run missing = RunProgram({QStringLiteral("--workdir"), work, QStringLiteral("--check-reports"),
                                        QStringLiteral("gone.gwc")},
                                       here, home.path());
        QCOMPARE(missing.exitCode, 1);
        QVERIFY2(missing.out.contains(QStringLiteral("message: Load Failed.")), qPrintable(missing.out));
    }
};

GW_UI_TEST_MAIN(StartupCommandLineTest)
#include "startup_commandline_test.moc"
