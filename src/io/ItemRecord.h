// One item record: the text form of a GWItem, shared by item files and configuration files.
// Every line ends with CR LF when written; CR LF or a bare LF ends a line when read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>

#include "io/ReadFile.h"
#include "model/GWItem.h"

namespace gw {

// Lines 1 and 2 (version, realm) are read into 20 bytes, every other line into 300: a buffer
// holds the line's text and its line end, so a name or string keeps at most 298 bytes.
inline constexpr std::size_t HeaderLineBuffer = 20;
inline constexpr std::size_t FieldLineBuffer = 300;

inline constexpr std::string_view CurrentRecordVersion = "version1.4";

inline constexpr std::string_view ForeignRealmMessage = "Load Failed. That item is from a foreign realm!";
inline constexpr std::string_view VersionMismatchMessage = "Load Failed. File version mismatch.";
inline constexpr std::string_view TruncatedRecordMessage =
    "Load Failed. The file ends before the item is complete.";
// "Load Failed. " and why the file was not read: it cannot be opened, is not a regular file, or
// is larger than a file of its kind can be.
std::string LoadRefusedMessage(const std::filesystem::path& path, const FileRead& read, std::uintmax_t limit);

// The numeric values are the ones the design gives 0, 1 and 2; the others are failures the
// design left open.
enum class ReadStatus { Ok = 0, VersionMismatch = 1, ForeignRealm = 2, Truncated = 3, Unreadable = 4 };

struct ReadOutcome {
    ReadStatus status = ReadStatus::Ok;
    std::string message; // empty on Ok; otherwise the text the window shows in an error box
    bool ok() const { return status == ReadStatus::Ok; }
};

// Reads lines from a stream into bounded buffers. Memory never grows with a line's length.
class LineReader {
  public:
    explicit LineReader(std::istream& in);

    // Reads one line as a buffer of `bufferSize` bytes would hold it: at most bufferSize - 2
    // bytes of text, its line end (LF, or CR LF) removed. False when the input has no more
    // bytes; a last line without a line end is still a line.
    bool ReadLine(std::size_t bufferSize, std::string& line);
    bool AtEnd();

  private:
    std::streambuf* m_buf;
};

// Appends the 27 lines of a "version1.4" record headed by `realmKeyword`.
void WriteTo(std::string& out, const GWItem& item, std::string_view realmKeyword);
std::string ItemRecordText(const GWItem& item, std::string_view realmKeyword);

// Reads one record. The realm is tested before the version; both header lines are consumed in
// every case, so the next record is read from after them. On any failure `item` is unchanged
// and the outcome carries the message to show.
ReadOutcome ReadFrom(LineReader& in, GWItem& item, std::string_view realmKeyword);
// The same, for a record whose two header lines the caller has already read (with
// HeaderLineBuffer); a configuration reads its first record this way after choosing its layout.
ReadOutcome ReadFromAfterHeader(LineReader& in, std::string_view versionLine, std::string_view realmLine,
                                GWItem& item, std::string_view realmKeyword);

// True for the four version lines a record may carry.
bool IsKnownRecordVersion(std::string_view line);

} // namespace gw
