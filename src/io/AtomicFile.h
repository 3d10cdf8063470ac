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
// itself always passes no faults.
enum class SaveStep { CreateTemporary, Write, Sync, Rename };
struct SaveFaults {
    std::optional<SaveStep> failAt;
    int error = ENOSPC;
};

// Writes `bytes` to a temporary file beside `target`, flushes it to the device and only then
// renames it over the target. On any failure the target is as it was, the temporary file is
// gone, and the result carries a message naming the file and the reason. No directory is
// created. A target that is a symbolic link has the file it points to replaced.
SaveResult WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                               const SaveFaults& faults = {});

} // namespace gw
