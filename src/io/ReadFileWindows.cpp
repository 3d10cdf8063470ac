#include "io/ReadFile.h"

#include <windows.h>

#include <algorithm>

#include "io/WindowsErrors.h"

namespace gw {

namespace {

// Closes the handle on every way out.
class Handle {
  public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }

  private:
    HANDLE m_handle;
};

FileRead Refused(ReadRefusal refusal, std::string reason = {})
{
    FileRead result;
    result.refusal = refusal;
    result.reason = std::move(reason);
    return result;
}

} // namespace

FileRead ReadRegularFile(const std::filesystem::path& path, std::uintmax_t limit)
{
    // Others may go on reading, writing or renaming the file while it is read, as they could on
    // any other system. BACKUP_SEMANTICS lets a directory open, so that it is refused as what it
    // is rather than as "access denied".
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return Refused(ReadRefusal::CannotOpen, WindowsErrorText(GetLastError()));

    // Devices (NUL, CON, COM1), pipes and directories are never read: they may never end.
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return Refused(ReadRefusal::NotRegular);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info))
        return Refused(ReadRefusal::ReadError, WindowsErrorText(GetLastError()));
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Refused(ReadRefusal::NotRegular);
    const std::uintmax_t size = (std::uintmax_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (size > limit)
        return Refused(ReadRefusal::TooLarge);

    FileRead result;
    result.bytes.resize(static_cast<std::size_t>(size));
    std::size_t filled = 0;
    // Reads one byte past the size seen, to notice a file that grew beyond the limit meanwhile.
    for (;;) {
        if (filled == result.bytes.size()) {
            if (filled > limit)
                return Refused(ReadRefusal::TooLarge);
            const std::uintmax_t room = limit - filled;
            result.bytes.resize(filled + (room >= 64 * 1024 ? 64 * 1024 : static_cast<std::size_t>(room) + 1));
        }
        const auto want = static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - filled, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.get(), result.bytes.data() + filled, want, &got, nullptr))
            return Refused(ReadRefusal::ReadError, WindowsErrorText(GetLastError()));
        if (got == 0)
            break;
        filled += got;
    }
    result.bytes.resize(filled);
    return result;
}

} // namespace gw
