// What a save may replace and what it leaves behind, tried as a hostile or careless user would:
// devices, pipes, protected files, other users' files, links, and saves killed half-way.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "io/AtomicFile.h"
#include "io/ConfigFile.h"
#include "io/ItemFiles.h"
#include "io/SettingsFile.h"
#include "support/OrdinaryUser.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

// Every way the program saves a file, each given the file it writes.
struct Saver {
    const char* what;
    std::function<SaveResult(const fs::path& dir, const fs::path& target)> save;
    const char* name; // the target's name in the directory
};

const std::vector<Saver>& Savers()
{
    static const std::vector<Saver> savers = {
        {"configuration", [](const fs::path&, const fs::path& t) { return SaveConfiguration(t, {}, 0); },
         "plan.gwc"},
        {"item file", [](const fs::path&, const fs::path& t) { return SaveItemFile(t, GWItem{}, 0); },
         "Sword.weapon"},
        {"settings", [](const fs::path& d, const fs::path&) { return SaveSettings(d, DefaultSettings(d)); },
         "gemwright.ini"},
        {"report", [](const fs::path&, const fs::path& t) { return WriteFileAtomically(t, "a report\r\n"); },
         "report.txt"},
    };
    return savers;
}

bool MakeSocket(const fs::path& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

mode_t TypeOf(const fs::path& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

TEST(SaveTargets, WhatIsNotARegularFileIsRefusedByEverySaveAndKept)
{
    const struct {
        const char* kind;
        std::function<bool(const fs::path& dir, const fs::path& target)> make;
    } kinds[] = {
        {"a pipe", [](const fs::path&, const fs::path& t) { return ::mkfifo(t.c_str(), 0644) == 0; }},
        {"a socket", [](const fs::path&, const fs::path& t) { return MakeSocket(t); }},
        {"a link to a pipe",
         [](const fs::path& d, const fs::path& t) {
             return ::mkfifo((d / "elsewhere").c_str(), 0644) == 0 && ::symlink("elsewhere", t.c_str()) == 0;
         }},
        // Only the administrator may make a device node; the save must not put a file in its place.
        {"a device",
         [](const fs::path&, const fs::path& t) {
             return ::mknod(t.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         }},
    };
    for (const Saver& saver : Savers()) {
        for (const auto& kind : kinds) {
            TempDir dir;
            const fs::path target = dir.path / saver.name;
            if (!kind.make(dir.path, target)) {
                std::printf("skipped: %s cannot be made by this user\n", kind.kind);
                continue;
            }
            const mode_t before = TypeOf(target);
            const std::size_t entries = dir.Entries();
            const SaveResult result = saver.save(dir.path, target);
            EXPECT_FALSE(result) << saver.what << " over " << kind.kind;
            EXPECT_EQ(result.message, SaveFailedMessage(target, NotRegularFileReason))
                << saver.what << " over " << kind.kind;
            EXPECT_EQ(TypeOf(target), before) << saver.what << " over " << kind.kind;
            EXPECT_EQ(dir.Entries(), entries) << saver.what << " over " << kind.kind;
        }
    }
}

TEST(SaveTargets, SymbolicLinksKeepPointingWhereTheyPointed)
{
    const struct {
        const char* what;
        std::vector<std::pair<const char*, const char*>> links; // name -> where it points
        const char* written;                                    // the file that gets the text
    } cases[] = {
        {"a link to a file", {{"plan.gwc", "real.gwc"}}, "real.gwc"},
        {"a dangling link", {{"plan.gwc", "missing.gwc"}}, "missing.gwc"},
        {"a dangling link into a directory", {{"plan.gwc", "sub/missing.gwc"}}, "sub/missing.gwc"},
        {"a chain ending nowhere", {{"plan.gwc", "middle"}, {"middle", "sub/end.gwc"}}, "sub/end.gwc"},
        {"a relative link inside a directory",
         {{"plan.gwc", "sub/link"}, {"sub/link", "end.gwc"}},
         "sub/end.gwc"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        fs::create_directory(dir.path / "sub");
        WriteAll(dir.path / "real.gwc", "old");
        for (const auto& [name, to] : c.links)
            fs::create_symlink(to, dir.path / name);
        ASSERT_TRUE(WriteFileAtomically(dir.path / "plan.gwc", "new")) << c.what;
        for (const auto& [name, to] : c.links) {
            EXPECT_TRUE(fs::is_symlink(dir.path / name)) << c.what << ": " << name;
            EXPECT_EQ(fs::read_symlink(dir.path / name), to) << c.what;
        }
        EXPECT_EQ(ReadAll(dir.path / c.written), "new") << c.what;
    }

    TempDir dir;
    fs::create_symlink("loop", dir.path / "loop");
    fs::create_symlink("nowhere/plan.gwc", dir.path / "lost");
    const SaveResult loop = WriteFileAtomically(dir.path / "loop", "new");
    EXPECT_NE(loop.message.find("Too many levels of symbolic links"), std::string::npos) << loop.message;
    const SaveResult lost = WriteFileAtomically(dir.path / "lost", "new");
    EXPECT_NE(lost.message.find("No such file or directory"), std::string::npos) << lost.message;
    EXPECT_EQ(dir.Entries(), 2u);
}

TEST(SaveTargets, AHardLinkedFileIsReplacedUnderTheNameSavedTo)
{
    TempDir dir;
    WriteAll(dir.path / "plan.gwc", "old");
    fs::create_hard_link(dir.path / "plan.gwc", dir.path / "backup.gwc");
    ASSERT_TRUE(WriteFileAtomically(dir.path / "plan.gwc", "new"));
    EXPECT_EQ(ReadAll(dir.path / "plan.gwc"), "new");
    EXPECT_EQ(ReadAll(dir.path / "backup.gwc"), "old");
    EXPECT_EQ(fs::hard_link_count(dir.path / "backup.gwc"), 1u);
}

TEST(SaveOwnership, AReplacedFileKeepsItsModeWithoutSetIdOrStickyBits)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, "old");
    ::chmod(file.c_str(), 07750);
    ASSERT_TRUE(WriteFileAtomically(file, "new"));
    struct stat st {};
    ::stat(file.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0750u);
}

TEST(SaveOwnership, TheAdministratorSavingAPlayersFileLeavesItThePlayers)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can save over another user's file";
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, "old");
    ASSERT_EQ(::chown(file.c_str(), test::NobodyUid, test::NobodyGid), 0);
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(file, "new"));
    struct stat st {};
    ::stat(file.c_str(), &st);
    EXPECT_EQ(st.st_uid, test::NobodyUid);
    EXPECT_EQ(st.st_gid, test::NobodyGid);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadAll(file), "new");
}

TEST(SaveOwnership, AnOrdinaryUserCannotGiveAwayAnotherUsersFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs a file of another user, which only the administrator can make";
    TempDir dir;
    const fs::path file = dir.path / "theirs.gwc";
    WriteAll(file, "old"); // the administrator's, writable by everybody
    ::chmod(file.c_str(), 0666);
    const test::OrdinaryRun run = test::RunAsOrdinaryUser(dir.path, [&]() -> std::string {
        const SaveResult result = WriteFileAtomically(file, "new");
        if (result)
            return "the save gave the file to another owner";
        if (result.message.find("owner") == std::string::npos ||
            result.message.find(file.string()) == std::string::npos)
            return "unclear message: " + result.message;
        return {};
    });
    if (!run.ran)
        GTEST_SKIP() << run.failure;
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(ReadAll(file), "old");
    EXPECT_EQ(fs::status(file).permissions(), static_cast<fs::perms>(0666));
    EXPECT_EQ(dir.Entries(), 1u);
}

TEST(SaveOwnership, AReadOnlyFileIsRefusedAsWritingIntoItWouldBe)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    const test::OrdinaryRun run = test::RunAsOrdinaryUser(dir.path, [&]() -> std::string {
        WriteAll(file, "protected");
        ::chmod(file.c_str(), 0444);
        for (const Saver& saver : Savers()) {
            const fs::path target = dir.path / saver.name;
            if (target != file) {
                WriteAll(target, "protected");
                ::chmod(target.c_str(), 0444);
            }
            const SaveResult result = saver.save(dir.path, target);
            if (result || result.message != SaveFailedMessage(target, "Permission denied"))
                return std::string(saver.what) + ": " + (result ? "replaced" : result.message);
            if (ReadAll(target) != "protected")
                return std::string(saver.what) + ": the protected file changed";
        }
        return {};
    });
    if (!run.ran)
        GTEST_SKIP() << run.failure;
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(dir.Entries(), Savers().size());
}

// Runs a save in a child process that ends, as a kill would, just before `step`.
void KilledSave(const fs::path& file, SaveStep step, bool named)
{
    static SaveStep killAt;
    killAt = step;
    const pid_t child = ::fork();
    if (child == 0) {
        SaveFaults faults;
        if (named)
            faults.failAt = SaveStep::CreateUnnamed;
        faults.beforeStep = [](SaveStep reached) {
            if (reached == killAt)
                ::_exit(9);
        };
        WriteFileAtomically(file, std::string(100000, 'n'), faults);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9);
}

TEST(SaveLeftovers, AKilledSaveLeavesTheOldFileAndNoTemporaryFile)
{
    for (const SaveStep step : {SaveStep::Write, SaveStep::Sync, SaveStep::Rename}) {
        TempDir dir;
        const fs::path file = dir.path / "plan.gwc";
        WriteAll(file, "old");
        KilledSave(file, step, false);
        EXPECT_EQ(ReadAll(file), "old") << static_cast<int>(step);
        EXPECT_EQ(dir.Entries(), 1u) << static_cast<int>(step);
    }
}

TEST(SaveLeftovers, NamedTemporaryFilesAreUnpredictableAndLaterSavesClearOldOnes)
{
    // Without unnamed files a killed save does leave a file behind: its name must not be one
    // that somebody else could have guessed and taken first.
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, "old");
    for (int n = 0; n < 300; ++n)
        WriteAll(dir.path / (".gw-save-" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".tmp"),
                 "");
    SaveFaults named;
    named.failAt = SaveStep::CreateUnnamed;
    ASSERT_TRUE(WriteFileAtomically(file, "new", named));
    EXPECT_EQ(ReadAll(file), "new");

    for (const auto& entry : fs::directory_iterator(dir.path))
        if (entry.path().filename() != "plan.gwc")
            fs::remove(entry.path());
    KilledSave(file, SaveStep::Write, true);
    KilledSave(file, SaveStep::Write, true);
    std::vector<fs::path> leftovers;
    for (const auto& entry : fs::directory_iterator(dir.path))
        if (entry.path().filename() != "plan.gwc")
            leftovers.push_back(entry.path());
    ASSERT_EQ(leftovers.size(), 2u);
    const std::regex random(R"(\.gw-save-[0-9a-f]{24}\.tmp)");
    for (const fs::path& leftover : leftovers)
        EXPECT_TRUE(std::regex_match(leftover.filename().string(), random)) << leftover;

    // One is an hour old, as after a crash long ago; the other could still belong to a save
    // running now, and stays.
    const timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, leftovers[0].c_str(), hourAgo, 0), 0);
    ASSERT_TRUE(WriteFileAtomically(file, "newer", named));
    EXPECT_FALSE(fs::exists(leftovers[0]));
    EXPECT_TRUE(fs::exists(leftovers[1]));
    EXPECT_EQ(ReadAll(file), "newer");
}

TEST(SaveDurability, AFailureToFlushTheDirectoryIsReported)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    const SaveResult result = WriteFileAtomically(file, "new", {SaveStep::SyncDirectory, EIO});
    EXPECT_EQ(result.message, SaveFailedMessage(file, "Input/output error"));
    EXPECT_EQ(dir.Entries(), 1u);
}

} // namespace
} // namespace gw
