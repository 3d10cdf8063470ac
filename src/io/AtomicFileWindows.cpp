#include "io/AtomicFile.h"

#include <windows.h>

#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <system_error>

#include "io/WideText.h"
#include "io/WindowsErrors.h"

namespace gw {

namespace {

namespace fs = std::filesystem;

std::string Failure(const fs::path& target, const std::string& reason)
{
    return SaveFailedMessage(target, reason);
}

// The faults a test injects are errno values on every system, so that one test speaks of a full
// disk everywhere.
std::string InjectedFailure(const fs::path& target, const SaveFaults& faults)
{
    return Failure(target, std::generic_category().message(faults.error));
}

bool Fails(const SaveFaults& faults, SaveStep step)
{
    return faults.failAt && *faults.failAt == step;
}

// Creates a fresh temporary file beside the target; CREATE_NEW makes sure no other file is
// reused, and the random part that nobody can block saves by creating the names first. Nobody
// else may open it while it is being written.
HANDLE CreateTemporary(const fs::path& directory, fs::path& temporary)
{
    static std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, ".gw-save-%lu-%08x%08x.tmp", GetCurrentProcessId(), device(),
                      device());
        temporary = directory / name;
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return false;
        // A device that takes nothing more without saying why is taken as full, rather than
        // asked again for ever.
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace

SaveResult WriteFileAtomically(const fs::path& requested, std::string_view bytes, const SaveFaults& faults)
{
    fs::path target = requested;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(requested, ec))) {
        const fs::path resolved = fs::weakly_canonical(requested, ec);
        if (!ec)
            target = resolved;
    }
    fs::path directory = target.parent_path();
    if (directory.empty())
        directory = ".";

    // Writing into a read-only file would be refused, so replacing it is refused too.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return {false, Failure(requested, WindowsErrorText(ERROR_ACCESS_DENIED))};

    if (Fails(faults, SaveStep::CreateTemporary))
        return {false, InjectedFailure(requested, faults)};
    fs::path temporary;
    const HANDLE file = CreateTemporary(directory, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return {false, Failure(requested, WindowsErrorText(GetLastError()))};

    std::string reason;
    if (Fails(faults, SaveStep::Write))
        reason = std::generic_category().message(faults.error);
    else if (!WriteAll(file, bytes))
        reason = WindowsErrorText(GetLastError());
    else if (Fails(faults, SaveStep::Sync))
        reason = std::generic_category().message(faults.error);
    else if (!FlushFileBuffers(file))
        reason = WindowsErrorText(GetLastError());
    if (!CloseHandle(file) && reason.empty())
        reason = WindowsErrorText(GetLastError());
    if (reason.empty()) {
        // One step that either replaces the target or leaves it; WRITE_THROUGH returns only once
        // the move is on the disk, so "saved" means saved. MoveFileExW rather than ReplaceFileW:
        // the saved file gets the folder's permissions as a new file would, and a failure can
        // never leave the target renamed away, as some of ReplaceFileW's failures do.
        if (Fails(faults, SaveStep::Rename))
            reason = std::generic_category().message(faults.error);
        else if (!MoveFileExW(temporary.c_str(), target.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            reason = WindowsErrorText(GetLastError());
    }
    if (!reason.empty()) {
        DeleteFileW(temporary.c_str());
        return {false, Failure(requested, reason)};
    }
    return {};
}

} // namespace gw
