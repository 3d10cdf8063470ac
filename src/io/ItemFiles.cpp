#include "io/ItemFiles.h"

#include <cctype>
#include <sstream>

#include "data/Globals.h"
#include "io/ReadFile.h"
#include "io/WideText.h"
#include "model/Text1252.h"

namespace gw {

namespace {

namespace fs = std::filesystem;

// Longest file name the file systems in use accept, in bytes.
constexpr std::size_t MaxFileNameBytes = 255;

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// Characters no Windows file name may hold. They are refused on every system, so that an item
// library copied from one machine to another always loads.
constexpr std::string_view ForbiddenCharacters = "\\/:*?\"<>|";

// The names Windows keeps for devices, whatever the extension: "CON.chest" opens the console.
// The superscript digits (Windows-1252 B9, B2, B3) count as digits there; COM0 and LPT0 are
// listed by the system's own naming rules and refused as well.
bool IsDeviceName(std::string_view fileName)
{
    std::string base(fileName.substr(0, fileName.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0))
        return false;
    const auto digit = static_cast<unsigned char>(base[3]);
    return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

} // namespace

fs::path ItemDirectory(const fs::path& startDir, int realm)
{
    return startDir / "items" / RealmFileName(BoundRealm(realm));
}

std::string ItemNameToFileName(std::string_view name)
{
    std::string out;
    out.reserve(name.size() * 2);
    for (char byte : name)
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(byte)));
    return out;
}

std::string ItemNameProblem(std::string_view name, int slot)
{
    if (name.empty())
        return std::string(BlankItemNameMessage);
    if (name == "." || name == "..")
        return "Save Failed. An item cannot be named \".\" or \"..\".";
    for (char byte : name) {
        if (ForbiddenCharacters.find(byte) != std::string_view::npos)
            return "Save Failed. An item name cannot contain these characters: \\ / : * ? \" < > |";
        if (IsControl(Cp1252ToUnicode(static_cast<unsigned char>(byte))))
            return "Save Failed. An item name cannot contain control characters.";
    }
    // Windows drops a trailing dot or blank from a file name, so the file would not be found again.
    if (name.back() == '.' || name.back() == ' ')
        return "Save Failed. An item name cannot end with a dot or a blank.";
    if (IsDeviceName(name))
        return "Save Failed. Windows keeps the name \"" + std::string(name.substr(0, name.find('.'))) +
               "\" for a device; an item cannot be named so.";
    if (ItemNameToFileName(name).size() + SlotExtension(slot).size() > MaxFileNameBytes)
        return "Save Failed. This item's name is too long for a file name.";
    return {};
}

ItemPath ItemFilePath(const fs::path& startDir, int realm, std::string_view name, int slot)
{
    ItemPath result;
    result.error = ItemNameProblem(name, slot);
    if (result.ok())
        // Through Unicode: UTF-8 bytes on POSIX, wide characters on Windows.
        result.path = ItemDirectory(startDir, realm) /
                      PathFromUtf8(ItemNameToFileName(name) + std::string(SlotExtension(slot)));
    return result;
}

bool ItemFileExists(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string ItemSavedMessage(const fs::path& path)
{
    return "Item " + PathToUtf8(path.filename()) + " has been saved";
}

SaveResult SaveItemFile(const fs::path& path, const GWItem& item, int realm, const SaveFaults& faults)
{
    return WriteFileAtomically(path, ItemRecordText(item, RealmFileName(BoundRealm(realm))), faults);
}

ReadOutcome LoadItemFile(const fs::path& path, GWItem& item, int realm)
{
    // The browser listed the file, but it may have gone, become unreadable, or been replaced by
    // a pipe or a huge file since: all are refused before anything is read.
    FileRead read = ReadRegularFile(path, FileLimits::ItemFile);
    if (!read)
        return {ReadStatus::Unreadable, LoadRefusedMessage(path, read, FileLimits::ItemFile)};
    std::istringstream in(std::move(read.bytes));
    LineReader reader(in);
    return ReadFrom(reader, item, RealmFileName(BoundRealm(realm)));
}

} // namespace gw
