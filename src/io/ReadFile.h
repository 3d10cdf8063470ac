// Reading a whole file that the player named, without ever waiting on a device or a pipe and
// without reading more than a file of its kind can sensibly hold. Each system has its own
// implementation (ReadFilePosix.cpp, ReadFileWindows.cpp); the contract below is the same on both.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace gw {

// The largest file each reader accepts, with a wide margin over the largest real file of its kind.
struct FileLimits {
    static constexpr std::uintmax_t Configuration = 4u << 20;    // a full plan is about 150 KB
    static constexpr std::uintmax_t ItemFile = 1u << 20;         // one item record
    static constexpr std::uintmax_t Settings = 64u << 10;        // two paths and a realm
    static constexpr std::uintmax_t ReportDefinition = 4u << 20; // a template the player edits
};

enum class ReadRefusal {
    None,       // read whole into `bytes`
    CannotOpen, // missing, no permission, ...: `reason` holds the system's own words
    NotRegular, // a directory, device, pipe or socket (after following symbolic links)
    TooLarge,   // larger than the limit; nothing was read
    ReadError,  // the system failed while reading: `reason` holds its words
};

struct FileRead {
    ReadRefusal refusal = ReadRefusal::None;
    std::string bytes;
    std::string reason; // the system's words for CannotOpen and ReadError, otherwise empty
    explicit operator bool() const { return refusal == ReadRefusal::None; }
};

// Opens `path` without blocking, refuses what is not a regular file or is larger than `limit`
// bytes before reading anything, then reads it whole in binary mode.
FileRead ReadRegularFile(const std::filesystem::path& path, std::uintmax_t limit);

// One clear sentence for a refusal, naming the file: "... is not a regular file",
// "... is larger than 4 MiB", or the system's reason. Empty for ReadRefusal::None.
std::string DescribeRefusal(const std::filesystem::path& path, const FileRead& read, std::uintmax_t limit);

// "4 MiB", "64 KiB" or "1000 bytes": the largest unit that states a size exactly.
std::string ByteSizeText(std::uintmax_t bytes);

} // namespace gw
