// Reading the player's files never hangs and never fills memory: devices, pipes and huge files
// are refused before a byte is read, by every reader the program has.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "io/ConfigFile.h"
#include "io/ItemFiles.h"
#include "io/ReadFile.h"
#include "io/SettingsFile.h"
#include "report/ReportTemplate.h"
#include "support/FakeReportSource.h"
#include "support/OrdinaryUser.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

using test::TempDir;
using test::WriteAll;

constexpr std::uintmax_t HundredGiB = std::uintmax_t{100} << 30;

// A file that claims `size` bytes without taking them on the disk.
bool MakeSparse(const fs::path& path, std::uintmax_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool made = fd >= 0 && ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    if (fd >= 0)
        ::close(fd);
    return made;
}

// Each test that opens a pipe would hang for ever if the pipe were waited on; this ends it.
class Watchdog : public ::testing::Test {
  protected:
    void SetUp() override { ::alarm(30); }
    void TearDown() override { ::alarm(0); }
    TempDir m_dir;
};

using ReadRegular = Watchdog;

TEST_F(ReadRegular, GivesRegularFilesWholeAndRefusesEverythingElse)
{
    const fs::path dir = m_dir.path;
    WriteAll(dir / "small", "a\r\nb\n");
    WriteAll(dir / "empty", "");
    WriteAll(dir / "at limit", std::string(100, 'x'));
    WriteAll(dir / "over limit", std::string(101, 'x'));
    ASSERT_TRUE(MakeSparse(dir / "sparse", HundredGiB));
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    fs::create_symlink(dir / "small", dir / "link to small");
    fs::create_symlink(dir / "pipe", dir / "link to pipe");
    fs::create_symlink("/dev/zero", dir / "link to zero");
    fs::create_directory(dir / "directory");

    const struct {
        const char* name;
        ReadRefusal refusal;
        const char* bytes;
    } cases[] = {
        {"small", ReadRefusal::None, "a\r\nb\n"},      {"empty", ReadRefusal::None, ""},
        {"at limit", ReadRefusal::None, nullptr},      {"link to small", ReadRefusal::None, "a\r\nb\n"},
        {"over limit", ReadRefusal::TooLarge, ""},     {"sparse", ReadRefusal::TooLarge, ""},
        {"pipe", ReadRefusal::NotRegular, ""},         {"link to pipe", ReadRefusal::NotRegular, ""},
        {"link to zero", ReadRefusal::NotRegular, ""}, {"directory", ReadRefusal::NotRegular, ""},
        {"missing", ReadRefusal::CannotOpen, ""},
    };
    for (const auto& c : cases) {
        const FileRead read = ReadRegularFile(dir / c.name, 100);
        EXPECT_EQ(read.refusal, c.refusal) << c.name;
        EXPECT_EQ(read.bytes, c.bytes ? std::string(c.bytes) : std::string(100, 'x')) << c.name;
    }
    EXPECT_EQ(ReadRegularFile("/dev/zero", 100).refusal, ReadRefusal::NotRegular);
    EXPECT_EQ(ReadRegularFile(dir / "missing", 100).reason, "No such file or directory");
}

TEST_F(ReadRegular, AFileTheUserMayNotReadIsRefusedWithTheSystemsReason)
{
    const fs::path file = m_dir.path / "secret.gwc";
    const test::OrdinaryRun run = test::RunAsOrdinaryUser(m_dir.path, [&]() -> std::string {
        WriteAll(file, "secret");
        ::chmod(file.c_str(), 0200);
        const FileRead read = ReadRegularFile(file, 100);
        if (read.refusal != ReadRefusal::CannotOpen || read.reason != "Permission denied" ||
            !read.bytes.empty())
            return "read: " + read.reason;
        return {};
    });
    if (!run.ran)
        GTEST_SKIP() << run.failure;
    EXPECT_EQ(run.failure, "");
}

TEST(DescribeRefusal, NamesTheFileAndTheReason)
{
    const fs::path path = "/home/p/plan.gwc";
    const auto describe = [&](ReadRefusal refusal, std::uintmax_t limit, std::string reason = {}) {
        FileRead read;
        read.refusal = refusal;
        read.reason = std::move(reason);
        return DescribeRefusal(path, read, limit);
    };
    EXPECT_EQ(describe(ReadRefusal::None, 1), "");
    EXPECT_EQ(describe(ReadRefusal::NotRegular, 1), "\"/home/p/plan.gwc\" is not a regular file.");
    EXPECT_EQ(describe(ReadRefusal::TooLarge, FileLimits::Configuration),
              "\"/home/p/plan.gwc\" is larger than 4 MiB, more than a file of its kind can hold.");
    EXPECT_EQ(describe(ReadRefusal::TooLarge, FileLimits::Settings),
              "\"/home/p/plan.gwc\" is larger than 64 KiB, more than a file of its kind can hold.");
    EXPECT_EQ(describe(ReadRefusal::TooLarge, 1000),
              "\"/home/p/plan.gwc\" is larger than 1000 bytes, more than a file of its kind can hold.");
    EXPECT_EQ(describe(ReadRefusal::CannotOpen, 1, "Permission denied"),
              "Cannot open \"/home/p/plan.gwc\": Permission denied.");
    EXPECT_EQ(describe(ReadRefusal::ReadError, 1, "Input/output error"),
              "Cannot read \"/home/p/plan.gwc\": Input/output error.");
}

using HostileFiles = Watchdog;

// Every reader, given a file in place of the one it expects: it must answer at once with a
// message naming the file, and change nothing.
TEST_F(HostileFiles, EveryReaderRefusesPipesDevicesAndHugeFilesBeforeReading)
{
    const struct {
        const char* kind;
        std::function<bool(const fs::path&)> make;
    } kinds[] = {
        {"a pipe", [](const fs::path& p) { return ::mkfifo(p.c_str(), 0644) == 0; }},
        {"a link to /dev/zero", [](const fs::path& p) { return ::symlink("/dev/zero", p.c_str()) == 0; }},
        {"a sparse 100 GiB file", [](const fs::path& p) { return MakeSparse(p, HundredGiB); }},
        {"a file one byte too large",
         [](const fs::path& p) { return MakeSparse(p, FileLimits::Configuration + 1); }},
    };
    const struct {
        const char* reader;
        const char* name;
        // Reads the file; gives the message shown, empty when the reader took the file.
        std::function<std::string(const fs::path& dir, const fs::path& file)> read;
    } readers[] = {
        {"File > Open", "plan.gwc",
         [](const fs::path&, const fs::path& file) {
             Configuration config;
             config.Items[3].Name = "kept";
             const ConfigReadResult result = OpenConfiguration(file, config, 1);
             if (result.opened || config.Items[3].Name != "kept" || result.realm != 1 ||
                 result.messages.size() != 1)
                 return std::string();
             return result.messages[0];
         }},
        {"Load Item and the browser's preview", "Sword.weapon",
         [](const fs::path&, const fs::path& file) {
             GWItem item;
             item.Name = "kept";
             const ReadOutcome outcome = LoadItemFile(file, item, 0);
             return outcome.status == ReadStatus::Unreadable && item.Name == "kept" ? outcome.message
                                                                                    : std::string();
         }},
        {"the settings file", "gemwright.ini",
         [](const fs::path& dir, const fs::path&) {
             const SettingsReadResult result = ReadSettings(dir);
             return result.settings == DefaultSettings(dir) ? result.message : std::string();
         }},
        {"a report button", "Order.rpt",
         [](const fs::path&, const fs::path& file) {
             const GeneratedReport report = GenerateReport(file.string(), test::FakeReportSource());
             return !report.ok && report.text.empty() ? report.message : std::string();
         }},
    };
    for (const auto& reader : readers) {
        for (const auto& kind : kinds) {
            TempDir dir;
            const fs::path file = dir.path / reader.name;
            ASSERT_TRUE(kind.make(file)) << kind.kind;
            const std::string message = reader.read(dir.path, file);
            EXPECT_NE(message.find("\"" + file.string() + "\""), std::string::npos)
                << reader.reader << " given " << kind.kind << ": \"" << message << "\"";
            const bool named = message.find("is not a regular file") != std::string::npos ||
                               message.find("is larger than") != std::string::npos;
            EXPECT_TRUE(named) << reader.reader << " given " << kind.kind << ": " << message;
        }
    }
}

} // namespace
} // namespace gw
