#include "io/ReadFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace gw {

namespace {

std::string SystemWords(int error)
{
    return std::system_category().message(error);
}

FileRead Refused(ReadRefusal refusal, int error = 0)
{
    FileRead read;
    read.refusal = refusal;
    if (error != 0)
        read.reason = SystemWords(error);
    return read;
}

// Closes the descriptor however the read ends.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

FileRead ReadRegularFile(const std::filesystem::path& path, std::uintmax_t limit)
{
    // Judged by name first, so that a device is refused without being opened at all: opening
    // some devices already does something (a tape rewinds, a terminal becomes ours).
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0)
        return Refused(ReadRefusal::CannotOpen, errno);
    if (!S_ISREG(named.st_mode))
        return Refused(ReadRefusal::NotRegular);
    if (static_cast<std::uintmax_t>(named.st_size) > limit)
        return Refused(ReadRefusal::TooLarge);

    // The name may have been pointed at a pipe since: O_NONBLOCK makes opening one return at
    // once instead of waiting for a writer, and the open file is judged again below.
    Descriptor file;
    file.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file.fd < 0)
        return Refused(ReadRefusal::CannotOpen, errno);
    struct stat opened {};
    if (::fstat(file.fd, &opened) != 0)
        return Refused(ReadRefusal::ReadError, errno);
    if (!S_ISREG(opened.st_mode))
        return Refused(ReadRefusal::NotRegular);
    if (static_cast<std::uintmax_t>(opened.st_size) > limit)
        return Refused(ReadRefusal::TooLarge);

    FileRead read;
    // A file still growing is read only up to one byte past the limit: that byte proves it too
    // large without ever holding more than the limit allows.
    const std::uintmax_t wanted = limit + 1;
    read.bytes.resize(static_cast<std::size_t>(
        std::min<std::uintmax_t>(static_cast<std::uintmax_t>(opened.st_size) + 1, wanted)));
    std::size_t have = 0;
    for (;;) {
        if (have == read.bytes.size()) {
            if (have >= wanted)
                break;
            read.bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(have * 2 + 4096, wanted)));
        }
        const ssize_t got = ::read(file.fd, read.bytes.data() + have, read.bytes.size() - have);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Refused(ReadRefusal::ReadError, errno);
        }
        if (got == 0)
            break;
        have += static_cast<std::size_t>(got);
    }
    if (have > limit)
        return Refused(ReadRefusal::TooLarge);
    read.bytes.resize(have);
    return read;
}

} // namespace gw
