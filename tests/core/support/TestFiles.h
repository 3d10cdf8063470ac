// Scratch directories and whole-file reading and writing for the tests that touch the disk.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace gw::test {

namespace fs = std::filesystem;

// A fresh directory of its own under the system's temporary directory, so that tests running at
// the same time never share one; removed with everything in it, even where a test took away its
// permissions.
class TempDir {
  public:
    // Creating the directory is what claims the name, so two tests never get the same one.
    TempDir()
    {
        static std::random_device device;
        const fs::path base = fs::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path candidate = base / ("gw-test-" + std::to_string(device()));
            std::error_code ec;
            if (fs::create_directory(candidate, ec)) {
                path = candidate;
                return;
            }
        }
        throw std::runtime_error("cannot create a scratch directory in " + base.string());
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // How many files and directories stand directly in it.
    std::size_t Entries() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(path), fs::directory_iterator()));
    }

    fs::path path;
};

// The file's bytes, or nothing when it cannot be read.
inline std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Replaces the file's contents with exactly these bytes.
inline void WriteAll(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace gw::test
