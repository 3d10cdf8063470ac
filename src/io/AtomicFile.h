// Saving a whole file so that a failed save never loses the file it was meant to replace.
#pragma once

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

struct SaveResult {
    bool saved = true;
    std::string message; // empty when saved; otherwise the text the window shows in an error box
    explicit operator bool() const { return saved; }
};

// The steps of a save. Tests make one of them fail to prove that nothing is lost; the program
// itself always passes no faults. A failing CreateUnnamed stands for a file system that offers
// no unnamed temporary file: the save goes on with a named one.
enum class SaveStep { CreateTemporary, Write, Sync, Rename, SyncDirectory, CreateUnnamed };
struct SaveFaults {
    std::optional<SaveStep> failAt;
    int error = ENOSPC;
    // Called just before each step is taken, so that a test can end the process there as a
    // crash or a kill would, and look at what the save left behind.
    void (*beforeStep)(SaveStep) = nullptr;
};

// Writes `bytes` to a new file beside the target, flushes it to the device, puts it in the
// target's place in one step and flushes the directory, so that a reported save survives a
// power cut. On any failure the target is as it was, no temporary file is left, and the result
// carries a message naming the file and the reason. No directory is created.
//
// What a save replaces:
// - a symbolic link keeps pointing where it pointed: the file it names is written, and created
//   when the link dangles;
// - a target that is not a regular file (a directory, a device, a pipe, a socket) is refused;
// - a file the user may not write is refused, as writing into it would be;
// - a replaced file keeps its owner, group and permissions (without set-id and sticky bits);
//   when its owner or group cannot be given to the new file, the save is refused instead;
// - a file with several hard links is replaced under the name saved to, and the other names
//   keep the old text: a save never writes into a file in place, where a crash would tear it.
SaveResult WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                               const SaveFaults& faults = {});

// The message of a failed save: "Save Failed. Could not write "<target>": <reason>."
std::string SaveFailedMessage(const std::filesystem::path& target, std::string_view reason);

// The reason given for a target that is a device, a pipe or a socket.
inline constexpr std::string_view NotRegularFileReason = "it is not a regular file";

} // namespace gw
