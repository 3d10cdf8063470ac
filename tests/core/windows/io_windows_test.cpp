// What only Windows does to files: another program holding a file open, the read-only attribute,
// wide file names, devices that look like files, and the system's own words in every message.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "io/AtomicFile.h"
#include "io/ReadFile.h"
#include "io/WindowsErrors.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

// Holds a file open as another program would, sharing what `share` allows.
class OpenElsewhere {
  public:
    OpenElsewhere(const fs::path& path, DWORD share)
        : m_handle(CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~OpenElsewhere()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    OpenElsewhere(const OpenElsewhere&) = delete;
    OpenElsewhere& operator=(const OpenElsewhere&) = delete;
    bool open() const { return m_handle != INVALID_HANDLE_VALUE; }

  private:
    HANDLE m_handle;
};

TEST(WindowsSave, AFileAnotherProgramHoldsOpenIsKeptAndTheReasonGiven)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, "old contents");
    {
        const OpenElsewhere editor(file, FILE_SHARE_READ);
        ASSERT_TRUE(editor.open());
        const SaveResult result = WriteFileAtomically(file, "new contents");
        EXPECT_FALSE(result);
        EXPECT_EQ(result.message.rfind("Save Failed. Could not write \"" + file.string() + "\": ", 0), 0u)
            << result.message;
        EXPECT_EQ(result.message.back(), '.');
        EXPECT_EQ(ReadAll(file), "old contents");
        EXPECT_EQ(dir.Entries(), 1u) << "the temporary file is removed";
    }
    // Once the other program lets go, the same save goes through.
    EXPECT_TRUE(WriteFileAtomically(file, "new contents"));
    EXPECT_EQ(ReadAll(file), "new contents");
}

TEST(WindowsSave, FailuresCarryTheSystemsWords)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, "protected");
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    const SaveResult readOnly = WriteFileAtomically(file, "new");
    EXPECT_FALSE(readOnly);
    EXPECT_NE(readOnly.message.find(WindowsErrorText(ERROR_ACCESS_DENIED)), std::string::npos) << readOnly.message;
    EXPECT_EQ(ReadAll(file), "protected");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    const SaveResult missing = WriteFileAtomically(dir.path / "no such folder" / "plan.gwc", "new");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message.find(WindowsErrorText(ERROR_PATH_NOT_FOUND)), std::string::npos) << missing.message;
    EXPECT_FALSE(fs::exists(dir.path / "no such folder"));

    fs::create_directory(dir.path / "taken.gwc");
    EXPECT_FALSE(WriteFileAtomically(dir.path / "taken.gwc", "new"));
    EXPECT_TRUE(fs::is_directory(dir.path / "taken.gwc"));
    EXPECT_EQ(dir.Entries(), 2u);

    // Sentences, not fragments: no full stop or line end of the system's own is left inside.
    for (DWORD code : {ERROR_ACCESS_DENIED, ERROR_PATH_NOT_FOUND, ERROR_DISK_FULL, ERROR_SHARING_VIOLATION}) {
        const std::string words = WindowsErrorText(code);
        EXPECT_FALSE(words.empty());
        EXPECT_EQ(words.find_first_of("\r\n"), std::string::npos) << words;
        EXPECT_NE(words.back(), '.') << words;
    }
    EXPECT_EQ(WindowsErrorText(0x2000FFFF), "error 536936447");
}

TEST(WindowsSave, ADeviceIsNeverSavedOnto)
{
    TempDir dir;
    for (const fs::path& device : {fs::path("NUL"), dir.path / "NUL", dir.path / "com1.gwc", dir.path / "CON"}) {
        const SaveResult result = WriteFileAtomically(device, "data");
        EXPECT_FALSE(result) << device.string();
        EXPECT_EQ(result.message.rfind("Save Failed. Could not write \"" + device.string() + "\": ", 0), 0u)
            << result.message;
    }
    EXPECT_EQ(dir.Entries(), 0u);
}

TEST(WindowsSave, WideNamesAndBinaryBytes)
{
    TempDir dir;
    const fs::path file = dir.path / L"\u00C9p\u00E9e \u20AC \u4E2D.gwc";
    const std::string bytes = "line\r\nbare\nlone\r\x1A" + std::string(1, '\0') + "end";
    ASSERT_TRUE(WriteFileAtomically(file, bytes));
    EXPECT_EQ(ReadAll(file), bytes);
    const FileRead read = ReadRegularFile(file, 1024);
    ASSERT_TRUE(read) << read.reason;
    EXPECT_EQ(read.bytes, bytes);
}

TEST(WindowsRead, RefusesWhatIsNotARegularFileOrTooLargeBeforeReading)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, std::string(1000, 'x'));

    EXPECT_EQ(ReadRegularFile(file, 1000).bytes.size(), 1000u);
    EXPECT_EQ(ReadRegularFile(file, 999).refusal, ReadRefusal::TooLarge);
    EXPECT_TRUE(ReadRegularFile(file, 999).bytes.empty());
    WriteAll(file, "");
    const FileRead empty = ReadRegularFile(file, 0);
    EXPECT_TRUE(empty);
    EXPECT_TRUE(empty.bytes.empty());

    EXPECT_EQ(ReadRegularFile(dir.path, 1 << 20).refusal, ReadRefusal::NotRegular);
    EXPECT_EQ(ReadRegularFile("NUL", 1 << 20).refusal, ReadRefusal::NotRegular);
    EXPECT_EQ(ReadRegularFile(dir.path / "NUL.gwc", 1 << 20).refusal, ReadRefusal::NotRegular);

    const FileRead missing = ReadRegularFile(dir.path / "missing.gwc", 1 << 20);
    EXPECT_EQ(missing.refusal, ReadRefusal::CannotOpen);
    EXPECT_EQ(missing.reason, WindowsErrorText(ERROR_FILE_NOT_FOUND));
}

TEST(WindowsRead, AFileOpenForWritingElsewhereIsStillRead)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, "being edited");
    const HANDLE writer = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    const FileRead read = ReadRegularFile(file, 1 << 20);
    CloseHandle(writer);
    ASSERT_TRUE(read) << read.reason;
    EXPECT_EQ(read.bytes, "being edited");
}

} // namespace
} // namespace gw
