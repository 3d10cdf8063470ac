#include "io/AtomicFile.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/random.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace gw {

namespace {

namespace fs = std::filesystem;

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int MaxLinkHops = 40;

// Named temporary files look like this; older versions of the program made them the same way.
constexpr std::string_view TemporaryPrefix = ".gw-save-";
constexpr std::string_view TemporarySuffix = ".tmp";

// A named temporary file this old belongs to no save still running: saves take milliseconds.
constexpr std::time_t StaleAfterSeconds = 10 * 60;

SaveResult Failed(const fs::path& target, int error)
{
    return {false, SaveFailedMessage(target, std::system_category().message(error))};
}

bool Fails(const SaveFaults& faults, SaveStep step)
{
    if (faults.beforeStep != nullptr)
        faults.beforeStep(step);
    return faults.failAt && *faults.failAt == step;
}

// Closes a descriptor however the save ends.
struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    explicit Descriptor(int d) : fd(d) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }
    int Close()
    {
        const int result = fd >= 0 ? ::close(fd) : 0;
        fd = -1;
        return result;
    }
};

// The file a save writes: the target itself, or the end of its chain of symbolic links, which
// need not exist yet (a dangling link is written through, not replaced). Gives 0 or an errno.
int FollowLinks(const fs::path& requested, fs::path& target)
{
    target = requested;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode))
            return 0;
        std::string text(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        for (;;) {
            const ssize_t length = ::readlink(target.c_str(), text.data(), text.size());
            if (length < 0)
                return errno;
            if (static_cast<std::size_t>(length) < text.size()) {
                text.resize(static_cast<std::size_t>(length));
                break;
            }
            text.resize(text.size() * 2);
        }
        const fs::path next(text);
        // A relative link is read from the directory that holds it.
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return ELOOP;
}

// A name nobody can guess, so that nobody sharing the directory can block a save by creating
// the temporary file first. It begins with a dot to stay out of file lists and of the browser.
std::string TemporaryName()
{
    std::array<std::uint8_t, 12> random{};
    if (::getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size())) {
        std::random_device device;
        for (std::uint8_t& byte : random)
            byte = static_cast<std::uint8_t>(device());
    }
    static constexpr char Hex[] = "0123456789abcdef";
    std::string name(TemporaryPrefix);
    for (const std::uint8_t byte : random) {
        name.push_back(Hex[byte >> 4]);
        name.push_back(Hex[byte & 15]);
    }
    return name + std::string(TemporarySuffix);
}

// Where only named temporary files can be had, a save killed before its rename leaves one
// behind; the next save into the same directory removes such leftovers of the user's own once
// they are old enough that no running save can still own them.
void RemoveStaleTemporaries(int directory)
{
    const int listed = ::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed < 0)
        return;
    DIR* entries = ::fdopendir(listed);
    if (entries == nullptr) {
        ::close(listed);
        return;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(TemporaryPrefix) || !name.ends_with(TemporarySuffix))
            continue;
        struct stat st {};
        if (::fstatat(directory, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && now - st.st_mtime > StaleAfterSeconds)
            ::unlinkat(directory, entry->d_name, 0);
    }
    ::closedir(entries);
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

// The new text waits in a file without a name (O_TMPFILE), so that a save killed before its
// end leaves nothing behind; it gets a name only for the instant between linking it and
// renaming it over the target. File systems without unnamed files get a named one instead.
class NewFile {
  public:
    NewFile(int directory, bool unnamed) : m_directory(directory), m_unnamed(unnamed) {}
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() { Discard(); }

    // Gives 0 or an errno; EOPNOTSUPP and the like when unnamed files are not to be had here.
    int Create()
    {
        if (m_unnamed) {
            m_file.fd = ::openat(m_directory, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            return m_file.fd >= 0 ? 0 : errno;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_name = TemporaryName();
            m_file.fd = ::openat(m_directory, m_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_file.fd >= 0)
                return 0;
            if (errno != EEXIST)
                break;
        }
        m_name.clear();
        return errno;
    }

    int fd() const { return m_file.fd; }

    // close reports late write errors of some file systems; it counts as part of writing.
    int Close() { return m_file.Close() == 0 ? 0 : errno; }

    // Puts the file, by its temporary name, in the place of `target`.
    int RenameOver(const std::string& target)
    {
        if (::renameat(m_directory, m_name.c_str(), m_directory, target.c_str()) != 0)
            return errno;
        m_name.clear();
        return 0;
    }

    bool NeedsNamedFallback(int error) const
    {
        // The file system cannot hold an unnamed file, or the system cannot give it a name
        // (no /proc and no privilege for AT_EMPTY_PATH).
        return m_unnamed && (error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOENT ||
                             error == EPERM || error == ENOSYS);
    }

    // Gives an unnamed file a temporary name, the last moment before it replaces the target.
    int Name()
    {
        const std::string self = "/proc/self/fd/" + std::to_string(m_file.fd);
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_name = TemporaryName();
            int result = ::linkat(AT_FDCWD, self.c_str(), m_directory, m_name.c_str(), AT_SYMLINK_FOLLOW);
            if (result != 0 && errno == ENOENT)
                result = ::linkat(m_file.fd, "", m_directory, m_name.c_str(), AT_EMPTY_PATH);
            if (result == 0)
                return 0;
            if (errno != EEXIST)
                break;
        }
        const int error = errno;
        m_name.clear();
        return error;
    }

  private:
    void Discard()
    {
        m_file.Close();
        if (!m_name.empty())
            ::unlinkat(m_directory, m_name.c_str(), 0);
        m_name.clear();
    }

    int m_directory;
    bool m_unnamed;
    Descriptor m_file;
    std::string m_name; // the name the file has in the directory now, if any
};

// What the new file must carry over from the file it replaces.
struct Replaced {
    bool exists = false;
    struct stat st {};
};

// Judges the existing target before anything is written. Gives 0, an errno, or -1 for a
// target that is not a regular file.
int JudgeTarget(const fs::path& target, Replaced& old)
{
    if (::stat(target.c_str(), &old.st) != 0) {
        if (errno == ENOENT)
            return 0;
        return errno;
    }
    old.exists = true;
    if (S_ISDIR(old.st.st_mode))
        return EISDIR;
    if (!S_ISREG(old.st.st_mode))
        return -1;
    // A file the user protected against writing stays protected, even though its directory
    // would let a new file take its place.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return errno;
    return 0;
}

// Gives the new file the owner, group and permissions of the one it replaces. Set-id and
// sticky bits are not carried over: a saved plan is not a program.
int CarryOver(int fd, const Replaced& old)
{
    if (!old.exists)
        return 0;
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return errno;
    if ((now.st_uid != old.st.st_uid || now.st_gid != old.st.st_gid) &&
        ::fchown(fd, old.st.st_uid, old.st.st_gid) != 0)
        return errno;
    if (::fchmod(fd, old.st.st_mode & 0777) != 0)
        return errno;
    return 0;
}

// One attempt with an unnamed or a named temporary file. `fallback` is set when the attempt
// found that unnamed files cannot be used here and nothing was changed.
SaveResult Attempt(const fs::path& requested, const fs::path& target, int directory, const Replaced& old,
                   std::string_view bytes, const SaveFaults& faults, bool unnamed, bool& fallback)
{
    fallback = false;
    NewFile file(directory, unnamed);
    if (Fails(faults, SaveStep::CreateTemporary))
        return Failed(requested, faults.error);
    if (unnamed && Fails(faults, SaveStep::CreateUnnamed)) {
        fallback = true;
        return Failed(requested, faults.error);
    }
    if (const int error = file.Create(); error != 0) {
        fallback = file.NeedsNamedFallback(error);
        return Failed(requested, error);
    }
    if (const int error = CarryOver(file.fd(), old); error != 0) {
        return {false, "Save Failed. Could not keep the owner and group of \"" + requested.string() +
                           "\": " + std::system_category().message(error) + "."};
    }

    int error = 0;
    if (Fails(faults, SaveStep::Write))
        error = faults.error;
    else if (!WriteAll(file.fd(), bytes))
        error = errno;
    if (error == 0) {
        if (Fails(faults, SaveStep::Sync))
            error = faults.error;
        else if (::fsync(file.fd()) != 0)
            error = errno;
    }
    if (error == 0 && Fails(faults, SaveStep::Rename))
        error = faults.error;
    if (error == 0 && unnamed) {
        error = file.Name();
        if (error != 0 && file.NeedsNamedFallback(error)) {
            fallback = true;
            return Failed(requested, error);
        }
    }
    if (const int closed = file.Close(); error == 0 && closed != 0)
        error = closed;
    if (error == 0)
        error = file.RenameOver(target.filename().string());
    if (error != 0)
        return Failed(requested, error);

    // Without this the rename may be undone by a power cut after the player was told the plan
    // is saved. A directory that cannot be flushed at all (EINVAL) has nothing to flush.
    if (Fails(faults, SaveStep::SyncDirectory))
        return Failed(requested, faults.error);
    if (::fsync(directory) != 0 && errno != EINVAL)
        return Failed(requested, errno);
    if (!unnamed)
        RemoveStaleTemporaries(directory);
    return {};
}

} // namespace

SaveResult WriteFileAtomically(const fs::path& requested, std::string_view bytes, const SaveFaults& faults)
{
    fs::path target;
    if (const int error = FollowLinks(requested, target); error != 0)
        return Failed(requested, error);

    Replaced old;
    if (const int error = JudgeTarget(target, old); error != 0)
        return error < 0 ? SaveResult{false, SaveFailedMessage(requested, NotRegularFileReason)}
                         : Failed(requested, error);

    fs::path directoryPath = target.parent_path();
    if (directoryPath.empty())
        directoryPath = ".";
    const Descriptor directory(::open(directoryPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.fd < 0)
        return Failed(requested, errno);

    bool fallback = false;
    SaveResult result = Attempt(requested, target, directory.fd, old, bytes, faults, true, fallback);
    if (fallback)
        result = Attempt(requested, target, directory.fd, old, bytes, faults, false, fallback);
    return result;
}

} // namespace gw
