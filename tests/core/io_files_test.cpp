// Saving that cannot lose a file, and the item library: where item files go, which names are
// refused, and saving and loading one item.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "io/AtomicFile.h"
#include "io/ItemFiles.h"
#include "support/Platform.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

TEST(AtomicSave, WritesNewFilesAndReplacesOldOnesWhole)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    ASSERT_TRUE(WriteFileAtomically(file, "first"));
    EXPECT_EQ(ReadAll(file), "first");
    std::string bytes(256, '\0');
    for (int b = 0; b < 256; ++b)
        bytes[static_cast<std::size_t>(b)] = static_cast<char>(b);
    const SaveResult result = WriteFileAtomically(file, bytes);
    EXPECT_TRUE(result);
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(ReadAll(file), bytes);
    EXPECT_EQ(dir.Entries(), 1u);
}

TEST(AtomicSave, EveryFailingStepLeavesTheOldFileAndNoTemporaryFile)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, "old contents");
    const struct {
        SaveStep step;
        int error;
        const char* reason;
    } cases[] = {
        {SaveStep::CreateTemporary, EACCES, "Permission denied"}, // a read-only directory
        {SaveStep::CreateTemporary, EROFS, "Read-only file system"},
        {SaveStep::Write, ENOSPC, "No space left on device"}, // a full device
        {SaveStep::Write, EDQUOT, "quota"},
        {SaveStep::Sync, EIO, "Input/output error"},
        {SaveStep::Rename, EXDEV, "cross-device"},
    };
    for (const auto& c : cases) {
        const SaveResult result = WriteFileAtomically(file, std::string(100000, 'n'), {c.step, c.error});
        EXPECT_FALSE(result) << c.reason;
        EXPECT_NE(result.message.find("Save Failed."), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(file.string()), std::string::npos) << result.message;
        // The C library of Windows has words of its own for some of these.
        const std::string reason = test::OnWindows ? std::generic_category().message(c.error) : c.reason;
        EXPECT_NE(result.message.find(reason), std::string::npos) << result.message;
        EXPECT_EQ(ReadAll(file), "old contents") << c.reason;
        EXPECT_EQ(dir.Entries(), 1u) << c.reason;
    }
}

TEST(AtomicSave, RealFailuresAreReportedAndCreateNothing)
{
    TempDir dir;
    const SaveResult missing = WriteFileAtomically(dir.path / "items" / "albion" / "x.chest", "data");
    EXPECT_FALSE(missing);
    if (!test::OnWindows) {
        EXPECT_NE(missing.message.find("No such file or directory"), std::string::npos) << missing.message;
    }
    EXPECT_FALSE(fs::exists(dir.path / "items"));

    // A directory in the way of the target stays as it was.
    fs::create_directory(dir.path / "taken.gwc");
    EXPECT_FALSE(WriteFileAtomically(dir.path / "taken.gwc", "data"));
    EXPECT_TRUE(fs::is_directory(dir.path / "taken.gwc"));
    EXPECT_EQ(dir.Entries(), 1u);

    // Permissions stop every user but the administrator, who is tested through the seam above.
    if (!test::IsSuperUser()) {
        const fs::path locked = dir.path / "locked";
        fs::create_directory(locked);
        WriteAll(locked / "plan.gwc", "old");
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WriteFileAtomically(locked / "plan.gwc", "new"));
        EXPECT_EQ(ReadAll(locked / "plan.gwc"), "old");
    }
}

TEST(AtomicSave, KeepsTheReplacedFilesPermissionsAndFollowsALink)
{
    GW_SKIP_ON_WINDOWS("POSIX permissions and symbolic links");
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteFileAtomically(file, "new"));
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const fs::path link = dir.path / "link.gwc";
    fs::create_symlink(file, link);
    ASSERT_TRUE(WriteFileAtomically(link, "through the link"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(file), "through the link");
}

TEST(ItemLibrary, ItemFilesGoIntoTheRealmDirectoryWithTheSlotExtension)
{
    const fs::path start = "/home/player/gw";
    EXPECT_EQ(ItemDirectory(start, 1), fs::path("/home/player/gw/items/hibernia"));
    const struct {
        int realm;
        const char* name;
        int slot;
        const char* expected;
    } cases[] = {
        {0, "Sword", 8, "/home/player/gw/items/albion/Sword.weapon"},
        {0, "Sword", 6, "/home/player/gw/items/albion/Sword.weapon"},
        {2, "Band", 14, "/home/player/gw/items/midgard/Band.ring"},
        {2, "Band", 15, "/home/player/gw/items/midgard/Band.ring"},
        {1, "Cuff", 17, "/home/player/gw/items/hibernia/Cuff.wrist"},
        {0, "Robe of Ages", 0, "/home/player/gw/items/albion/Robe of Ages.chest"},
        {0, "...x", 2, "/home/player/gw/items/albion/...x.head"},
        {0,
         "\xC9p\xE9"
         "e \x80",
         7,
         "/home/player/gw/items/albion/\xC3\x89p\xC3\xA9"
         "e \xE2\x82\xAC.weapon"},
    };
    for (const auto& c : cases) {
        const ItemPath path = ItemFilePath(start, c.realm, c.name, c.slot);
        EXPECT_TRUE(path.ok()) << c.name << ": " << path.error;
        EXPECT_EQ(path.path.generic_string(), c.expected);
    }
}

TEST(ItemLibrary, NamesThatCannotNameAFileInTheRealmDirectoryAreRefused)
{
    const struct {
        const char* what;
        std::string name;
    } cases[] = {
        {"empty", ""},
        {"dot", "."},
        {"dot dot", ".."},
        {"a slash", "../../etc/passwd"},
        {"a backslash", "..\\up"},
        {"a NUL", std::string("a\0b", 3)},
        {"a line feed", "two\nlines"},
        {"a tab", "a\tb"},
        {"DEL", "a\x7F"},
        {"an undefined code-page byte", "a\x81"},
        {"too long for a file name", std::string(250, 'x')},
        // What Windows cannot store is refused everywhere, so a library always moves between systems.
        {"a trailing dot", "Sword."},
        {"a trailing blank", "Sword "},
        {"a device name with an extension", "CON.old"},
        {"a device name in small letters", "nul"},
        {"a device name with blanks before its extension", "aux  .x"},
        {"a superscript port number", "COM\xB9"},
        {"port zero", "lpt0"},
    };
    TempDir dir;
    const auto expectRefused = [&](const std::string& what, const std::string& name) {
        const ItemPath path = ItemFilePath(dir.path, 0, name, 0);
        EXPECT_FALSE(path.ok()) << what;
        EXPECT_TRUE(path.path.empty()) << what;
        EXPECT_EQ(path.error.rfind("Save Failed. ", 0), 0u) << what << ": " << path.error;
    };
    for (const auto& c : cases)
        expectRefused(c.what, c.name);
    for (char c : std::string("<>:\"|?*"))
        expectRefused(std::string("the character ") + c, std::string("a") + c + "b");
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        expectRefused(device, device);
    for (char n = '1'; n <= '9'; ++n) {
        expectRefused(std::string("COM") + n, std::string("COM") + n);
        expectRefused(std::string("LPT") + n + ".txt", std::string("LPT") + n + ".txt");
    }
    EXPECT_EQ(ItemNameProblem("", 0), BlankItemNameMessage);
    EXPECT_EQ(dir.Entries(), 0u);
}

TEST(ItemLibrary, NamesCloseToTheRefusedOnesAreSavedAndLoadedBack)
{
    TempDir dir;
    fs::create_directories(dir.path / "items" / "albion");
    for (const char* name : {"CONSOLE", "Cons", "NULL", "COM10", "LPT", "Aux of Ages", "x.CON", "..x",
                             " lead", "a.b", "COM\xB4", "\xC9p\xE9" "e"}) {
        GWItem item;
        item.PlayerMade = 0;
        item.Name = name;
        const ItemPath path = ItemFilePath(dir.path, 0, item.Name, 3);
        ASSERT_TRUE(path.ok()) << name << ": " << path.error;
        ASSERT_TRUE(SaveItemFile(path.path, item, 0)) << name;
        GWItem loaded;
        ASSERT_TRUE(LoadItemFile(path.path, loaded, 0).ok()) << name;
        EXPECT_EQ(loaded.Name, item.Name);
    }
}

TEST(ItemLibrary, AWindows1252NameIsTheSameFileNameOnEverySystem)
{
    TempDir dir;
    const fs::path realmDir = dir.path / "items" / "albion";
    fs::create_directories(realmDir);
    GWItem item;
    item.PlayerMade = 0;
    item.Name = "\xC9p\xE9" "e \x80"; // "Épée €" in the item record's code page
    const ItemPath path = ItemFilePath(dir.path, 0, item.Name, 8);
    ASSERT_TRUE(path.ok()) << path.error;
    ASSERT_TRUE(SaveItemFile(path.path, item, 0));

    // The directory holds the name in the system's own Unicode form, whatever that is.
    const auto entry = fs::directory_iterator(realmDir);
    ASSERT_NE(entry, fs::directory_iterator());
    const std::u8string listed = entry->path().filename().u8string();
    EXPECT_EQ(std::string(listed.begin(), listed.end()), "\xC3\x89p\xC3\xA9" "e \xE2\x82\xAC.weapon");
    EXPECT_EQ(ItemSavedMessage(entry->path()), "Item \xC3\x89p\xC3\xA9" "e \xE2\x82\xAC.weapon has been saved");
    // What the browser lists loads back byte for byte, CR LF line ends included.
    GWItem loaded;
    ASSERT_TRUE(LoadItemFile(entry->path(), loaded, 0).ok());
    EXPECT_EQ(loaded, item);
    EXPECT_EQ(ReadAll(entry->path()), ItemRecordText(item, "albion"));
    EXPECT_NE(ReadAll(entry->path()).find("\xC9p\xE9" "e \x80\r\n"), std::string::npos);
}

TEST(ItemLibrary, EveryPrintableByteMakesAFileThatLoadsBack)
{
    TempDir dir;
    fs::create_directories(dir.path / "items" / "albion");
    for (int b = 0x20; b < 0x100; ++b) {
        GWItem item;
        item.PlayerMade = 0;
        item.Name = std::string("x") + static_cast<char>(b);
        item.EffectAmount = {b, 0, 0, 0};
        const ItemPath path = ItemFilePath(dir.path, 0, item.Name, 11);
        if (!path.ok())
            continue; // \ / : * ? " < > |, a trailing dot or blank, DEL and the undefined bytes
        ASSERT_TRUE(SaveItemFile(path.path, item, 0)) << b;
        ASSERT_TRUE(ItemFileExists(path.path)) << b;
        GWItem loaded;
        ASSERT_TRUE(LoadItemFile(path.path, loaded, 0).ok()) << b;
        EXPECT_EQ(loaded, item) << b;
    }
    // Every accepted byte gave a file of its own, except where names differing only in case are
    // one file.
    if (!test::OnWindows) {
        EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.path / "items" / "albion"),
                                                         fs::directory_iterator())),
                  0xE0u - 17u);
    }
}

TEST(ItemLibrary, SavingAndLoadingOneItem)
{
    TempDir dir;
    fs::create_directories(dir.path / "items" / "midgard");
    GWItem item;
    item.PlayerMade = 0;
    item.Name = "Sword";
    item.Level = 51;
    item.DPS = "16.5";
    const ItemPath path = ItemFilePath(dir.path, 2, item.Name, 9);
    ASSERT_FALSE(ItemFileExists(path.path));
    ASSERT_TRUE(SaveItemFile(path.path, item, 2));
    EXPECT_EQ(ItemSavedMessage(path.path), "Item Sword.weapon has been saved");
    EXPECT_EQ(ReadAll(path.path), ItemRecordText(item, "midgard"));

    GWItem loaded;
    ASSERT_TRUE(LoadItemFile(path.path, loaded, 2).ok());
    EXPECT_EQ(loaded, item);

    GWItem untouched;
    untouched.Name = "mine";
    const ReadOutcome foreign = LoadItemFile(path.path, untouched, 0);
    EXPECT_EQ(foreign.status, ReadStatus::ForeignRealm);
    EXPECT_EQ(foreign.message, ForeignRealmMessage);
    EXPECT_EQ(untouched.Name, "mine");

    fs::remove(path.path);
    const ReadOutcome gone = LoadItemFile(path.path, untouched, 2);
    EXPECT_EQ(gone.status, ReadStatus::Unreadable);
    // The reason is the system's own words.
    EXPECT_EQ(gone.message, "Load Failed. Cannot open \"" + path.path.string() + "\": " +
                                (test::OnWindows ? "File not found" : "No such file or directory") + ".");
    EXPECT_EQ(untouched.Name, "mine");
    // A device that never ends is not read at all.
    EXPECT_EQ(LoadItemFile("/dev/zero", untouched, 2).status, ReadStatus::Unreadable);
}

TEST(ItemLibrary, AFailedItemSaveKeepsTheItemAlreadyInTheLibrary)
{
    TempDir dir;
    fs::create_directories(dir.path / "items" / "albion");
    GWItem item;
    item.Name = "Helm";
    const fs::path path = ItemFilePath(dir.path, 0, item.Name, 2).path;
    ASSERT_TRUE(SaveItemFile(path, item, 0));
    const std::string before = ReadAll(path);
    item.Level = 40;
    EXPECT_FALSE(SaveItemFile(path, item, 0, {SaveStep::Write, ENOSPC}));
    EXPECT_EQ(ReadAll(path), before);
    // Without the realm directory nothing is created and the failure is reported.
    EXPECT_FALSE(SaveItemFile(ItemFilePath(dir.path, 1, item.Name, 2).path, item, 1));
    EXPECT_FALSE(fs::exists(dir.path / "items" / "hibernia"));
}

} // namespace
} // namespace gw
