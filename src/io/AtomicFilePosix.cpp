#include "io/AtomicFile.h"

#include <atomic>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace gw {

namespace {

namespace fs = std::filesystem;

std::string Failure(const fs::path& target, int error)
{
    return "Save Failed. Could not write \"" + target.string() +
           "\": " + std::system_category().message(error) + ".";
}

bool Fails(const SaveFaults& faults, SaveStep step)
{
    return faults.failAt && *faults.failAt == step;
}

// Creates a fresh temporary file beside the target; O_EXCL makes sure no other file is reused.
// The name is short and fixed in form so that a long target name cannot make it too long.
int CreateTemporary(const fs::path& directory, fs::path& temporary)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = directory / (".gw-save-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(counter.fetch_add(1)) + ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        // A device that takes nothing more without saying why is taken as full, rather than
        // asked again for ever.
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
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

    if (Fails(faults, SaveStep::CreateTemporary))
        return {false, Failure(requested, faults.error)};
    fs::path temporary;
    const int fd = CreateTemporary(directory, temporary);
    if (fd < 0)
        return {false, Failure(requested, errno)};

    // A replaced file keeps its permissions; a new one gets the usual ones of the user.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);

    int error = 0;
    if (Fails(faults, SaveStep::Write) || !WriteAll(fd, bytes))
        error = Fails(faults, SaveStep::Write) ? faults.error : errno;
    else if (Fails(faults, SaveStep::Sync) || ::fsync(fd) != 0)
        error = Fails(faults, SaveStep::Sync) ? faults.error : errno;
    // close reports late write errors of some file systems; it counts as part of writing.
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0) {
        if (Fails(faults, SaveStep::Rename))
            error = faults.error;
        else if (::rename(temporary.c_str(), target.c_str()) != 0)
            error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return {false, Failure(requested, error)};
    }
    // The directory is not synced: after a crash the rename may be undone, but then the old file
    // is there whole, and syncing it would double the cost of every save.
    return {};
}

} // namespace gw
