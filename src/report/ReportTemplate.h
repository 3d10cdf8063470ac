// The report-definition language: text copied line by line, value tags replaced by their
// values, and condition and end tags deciding which lines reach the report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "report/ReportSource.h"

namespace gw {

// One read of a report definition takes at most this many characters, its line feed included;
// a longer line is processed in pieces of this size.
inline constexpr std::size_t TemplatePieceLength = 2046;

// The largest report produced. A value tag of six bytes can ask for 2,047 characters, so a small
// definition could otherwise demand gigabytes; real reports are a few kilobytes.
inline constexpr std::uintmax_t ReportSizeLimit = 16u << 20;

// "The report is larger than 16 MiB; it was stopped."
std::string ReportStoppedMessage(std::uintmax_t limit = ReportSizeLimit);

enum class TemplateMode { Copying, Skipping };

// What to do with a tag: replace it by its value, delete it, act on a condition that does not
// hold, or drop the whole line.
enum class TagAction { Value, Remove, FalseCondition, DropLine };

struct TagSpan {
    std::size_t pos = 0;    // of the "<"
    std::size_t length = 0; // "<" through ">"
    bool operator==(const TagSpan&) const = default;
};

// In line[searchStart..], the first "<" and the first ">": a tag only when both exist and the
// "<" comes first. So a ">" ahead of the first "<" hides every tag after it on the line.
std::optional<TagSpan> FindTag(std::string_view line, std::size_t searchStart = 0);

// On a lower-cased tag text. A condition is evaluated against the items.
TagAction ClassifyTag(std::string_view loweredTagText, TemplateMode mode, const Configuration& config);

// On a lower-cased condition tag text ("if chest pcmade").
bool EvaluateCondition(std::string_view loweredTagText, const Configuration& config);

// The report text of a template, with CR LF or LF line ends (a CR before a LF is dropped, as a
// text-mode read does). Unbounded: for templates the program itself holds.
std::string RenderTemplate(std::string_view templateText, const ReportSource& source);

// Receives the report piece by piece, in order, as it is produced; false stops the report (its
// destination failed).
using ReportSink = std::function<bool(std::string_view)>;

enum class RenderEnd {
    Complete,   // the whole report reached the sink
    Stopped,    // the report would pass the limit: exactly its first `limit` bytes reached the sink
    SinkFailed, // the sink refused a piece
};

// Renders a template into `sink` without ever holding much more than one line's text, so that
// memory stays small however large the report grows.
RenderEnd RenderTemplate(std::string_view templateText, const ReportSource& source, const ReportSink& sink,
                         std::uintmax_t limit = ReportSizeLimit);

struct GeneratedReport {
    bool ok = false;
    bool stopped = false; // ok, but the report passed the limit: `text` is its first part
    std::string text;     // the report, when ok
    std::string message;  // names the file when not ok; ReportStoppedMessage when stopped
};

// Reads and renders a report-definition file, at most `limit` bytes of report. When it cannot
// be read, `message` says why and names the path; the caller then leaves the report window's
// text as it was.
GeneratedReport GenerateReport(const std::string& path, const ReportSource& source,
                               std::uintmax_t limit = ReportSizeLimit);

} // namespace gw
