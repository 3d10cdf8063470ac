// The item library: one item record per file in StartDir/items/<realm keyword>/, named after
// the item with the extension of its slot. The program creates no directory.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "io/AtomicFile.h"
#include "io/ItemRecord.h"
#include "model/GWItem.h"

namespace gw {

inline constexpr std::string_view BlankItemNameMessage = "Save Failed. This item has a blank name!";

// StartDir/items/<realm keyword>: where the load browser looks.
std::filesystem::path ItemDirectory(const std::filesystem::path& startDir, int realm);

// The item's name as a file name in UTF-8. Names are Windows-1252 bytes; the characters are kept
// and only their encoding changes (ItemFilePath makes wide characters of them on Windows).
std::string ItemNameToFileName(std::string_view name);

// Empty when the name can name a file in the realm directory on every system; otherwise the
// error to show: an empty name, "." or "..", one of \ / : * ? " < > |, a NUL or another control
// character, a trailing dot or blank, a device name of Windows (CON, PRN, AUX, NUL, COM1-COM9,
// LPT1-LPT9, with or without an extension), or a name too long for a file name.
std::string ItemNameProblem(std::string_view name, int slot);

struct ItemPath {
    std::filesystem::path path; // empty when refused
    std::string error;          // the refusal to show; empty when the path is usable
    bool ok() const { return error.empty(); }
};
// StartDir/items/<realm keyword>/<Name><slot extension>, or the refusal of the name.
ItemPath ItemFilePath(const std::filesystem::path& startDir, int realm, std::string_view name, int slot);

// The replace question is the window's: it asks this first.
bool ItemFileExists(const std::filesystem::path& path);

// "Item %s has been saved" with the file's name (no directory) in place of %s.
std::string ItemSavedMessage(const std::filesystem::path& path);

// Writes one record with the realm's keyword through the atomic writer.
SaveResult SaveItemFile(const std::filesystem::path& path, const GWItem& item, int realm,
                        const SaveFaults& faults = {});
// Reads one record into `item`; on any failure `item` is unchanged and the outcome says why
// (Unreadable for a file that cannot be opened, is not a regular file, or is far too large).
ReadOutcome LoadItemFile(const std::filesystem::path& path, GWItem& item, int realm);

} // namespace gw
