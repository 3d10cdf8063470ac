// The report-definition language: text copied line by line, value tags replaced by their
// values, and condition and end tags deciding which lines reach the report.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "report/ReportSource.h"

namespace gw {

// One read of a report definition takes at most this many characters, its line feed included;
// a longer line is processed in pieces of this size.
inline constexpr std::size_t TemplatePieceLength = 2046;

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
// text-mode read does).
std::string RenderTemplate(std::string_view templateText, const ReportSource& source);
std::string RenderTemplate(std::istream& in, const ReportSource& source);

struct GeneratedReport {
    bool ok = false;
    std::string text;    // the report, when ok
    std::string message; // names the file, when not ok
};

// Reads and renders a report-definition file. When it cannot be read, `message` says so and
// names the path; the caller then leaves the report window's text as it was.
GeneratedReport GenerateReport(const std::string& path, const ReportSource& source);

// The message GenerateReport gives for a report definition that cannot be read.
std::string ReportDefinitionUnreadableMessage(const std::string& path);

} // namespace gw
