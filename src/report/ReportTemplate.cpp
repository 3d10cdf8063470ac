#include "report/ReportTemplate.h"

#include <algorithm>

#include "io/ReadFile.h"
#include "report/ReportFields.h"

namespace gw {
namespace {

constexpr std::string_view EndTagText = "<endif>"; // on a failing condition's line, exactly this

void LowerInto(std::string_view text, std::string& out)
{
    out.assign(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
}

// Renders one report: the mode carries from line to line, the value tags share one evaluator.
class Renderer {
  public:
    // Values usually run longer than the tags that name them; reserving twice the template
    // spares most reports any regrowth of their text.
    Renderer(const ReportSource& source, std::size_t templateSize)
        : m_config(source.Items()), m_values(source)
    {
        m_report.reserve(templateSize * 2);
    }

    void ProcessLine(std::string_view line);
    // The text of the lines processed so far that has not been taken yet. Between lines nothing
    // refers back into it, so it may be handed on and cleared.
    std::string& Finished() { return m_report; }
    std::string Take() { return std::move(m_report); }

  private:
    const Configuration& m_config;
    ValueTagEvaluator m_values;
    TemplateMode m_mode = TemplateMode::Copying;
    std::string m_report;
    std::string m_lowered;
};

// The line as it stands is m_report[lineStart..] (already searched: text before tags and
// inserted values) followed by `rest` (not yet searched), so the search start is always the
// front of `rest` and no edit moves the text behind it.
void Renderer::ProcessLine(std::string_view line)
{
    if (m_mode == TemplateMode::Skipping && !FindTag(line))
        return;

    const std::size_t lineStart = m_report.size();
    std::string_view rest = line;
    for (;;) {
        const auto tag = FindTag(rest);
        if (!tag) {
            m_report.append(rest);
            return;
        }
        m_report.append(rest.substr(0, tag->pos));
        LowerInto(rest.substr(tag->pos + 1, tag->length - 2), m_lowered);
        const std::string_view after = rest.substr(tag->pos + tag->length);

        switch (ClassifyTag(m_lowered, m_mode, m_config)) {
        case TagAction::Value:
            m_values.AppendLowered(m_lowered, m_report);
            rest = after;
            break;
        case TagAction::Remove:
            // A tag standing alone with its line feed takes its line with it, so that it leaves
            // no blank line. Only a line feed counts: the last line of a file, which may lack
            // one, keeps whatever else stands on it.
            m_mode = TemplateMode::Copying;
            if (m_report.size() == lineStart && after == "\n")
                return;
            rest = after;
            break;
        case TagAction::FalseCondition: {
            const std::size_t end = after.find(EndTagText);
            if (end != std::string_view::npos) {
                rest = after.substr(end + EndTagText.size());
                m_mode = TemplateMode::Copying;
            } else {
                // The text before the condition stays without its line feed and runs on into
                // whatever the report receives next.
                rest = {};
                m_mode = TemplateMode::Skipping;
            }
            break;
        }
        case TagAction::DropLine:
            m_report.resize(lineStart);
            return;
        }
    }
}

// Feeds the template to the renderer line by line, as a text-mode read in pieces of
// TemplatePieceLength gives them; `afterLine` runs after each and stops the reading with false.
template <class AfterLine>
void FeedLines(std::string_view text, Renderer& renderer, AfterLine afterLine)
{
    std::string piece;
    piece.reserve(TemplatePieceLength);
    std::size_t i = 0;
    while (i < text.size()) {
        // Most lines hold no carriage return and are processed where they lie.
        const std::string_view window = text.substr(i, TemplatePieceLength);
        const std::size_t lineFeed = window.find('\n');
        const std::string_view line =
            lineFeed == std::string_view::npos ? window : window.substr(0, lineFeed + 1);
        if (line.find('\r') == std::string_view::npos) {
            renderer.ProcessLine(line);
            i += line.size();
            if (!afterLine())
                return;
            continue;
        }
        piece.clear();
        while (i < text.size() && piece.size() < TemplatePieceLength) {
            const char c = text[i++];
            // A text-mode read: CR LF arrives as LF, before the piece length is counted.
            if (c == '\r' && i < text.size() && text[i] == '\n')
                continue;
            piece.push_back(c);
            if (c == '\n')
                break;
        }
        renderer.ProcessLine(piece);
        if (!afterLine())
            return;
    }
}

// Pieces of this size go to a sink: large enough that writing them costs little, small enough
// that a report of any size needs little memory.
constexpr std::size_t SinkPiece = 64 * 1024;

} // namespace

std::optional<TagSpan> FindTag(std::string_view line, std::size_t searchStart)
{
    if (searchStart >= line.size())
        return std::nullopt;
    const std::size_t open = line.find('<', searchStart);
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t close = line.find('>', searchStart);
    if (close == std::string_view::npos || close < open)
        return std::nullopt;
    return TagSpan{open, close - open + 1};
}

bool EvaluateCondition(std::string_view text, const Configuration& config)
{
    if (text.starts_with("if "))
        text.remove_prefix(3);
    // The armour and weapon keywords are tested in turn, the last match deciding.
    const auto takeSlot = [&text](int first, int end) {
        int slot = -1;
        for (int s = first; s < end; ++s) {
            const std::string_view keyword = SlotKeyword(s);
            if (text.starts_with(keyword)) {
                slot = s;
                text.remove_prefix(std::min(keyword.size() + 1, text.size()));
            }
        }
        return slot;
    };
    int slot = takeSlot(0, ArmourSlotCount);
    // Only a condition that names no armour or weapon slot goes on to the jewellery keywords, so
    // that a word after an armour keyword ("if chest beltless") still reads as it always did.
    // A jewellery item the page has stored is never player-made, a cleared slot is; a condition
    // naming no slot at all never holds.
    if (slot < 0)
        slot = takeSlot(FirstJewellerySlot, SlotCount);
    if (slot < 0)
        return false;
    const int wanted = text == "pcmade" ? 1 : 0;
    return config.Items[static_cast<std::size_t>(slot)].PlayerMade == wanted;
}

TagAction ClassifyTag(std::string_view text, TemplateMode mode, const Configuration& config)
{
    if (text == "endif")
        return TagAction::Remove;
    if (text.starts_with("if "))
        return EvaluateCondition(text, config) ? TagAction::Remove : TagAction::FalseCondition;
    return mode == TemplateMode::Copying ? TagAction::Value : TagAction::DropLine;
}

std::string ReportStoppedMessage(std::uintmax_t limit)
{
    return "The report is larger than " + ByteSizeText(limit) + "; it was stopped.";
}

std::string RenderTemplate(std::string_view templateText, const ReportSource& source)
{
    Renderer renderer(source, templateText.size() * 2);
    FeedLines(templateText, renderer, [] { return true; });
    return renderer.Take();
}

RenderEnd RenderTemplate(std::string_view templateText, const ReportSource& source, const ReportSink& sink,
                         std::uintmax_t limit)
{
    Renderer renderer(source, std::min(templateText.size() * 2, SinkPiece * 2));
    std::string& finished = renderer.Finished();
    std::uintmax_t delivered = 0; // never more than `limit`
    RenderEnd end = RenderEnd::Complete;
    const auto handOn = [&](std::size_t size) {
        const bool taken = size == 0 || sink(std::string_view(finished).substr(0, size));
        delivered += size;
        finished.clear();
        return taken;
    };
    // One line adds at most a few hundred kilobytes, so checking between lines keeps the text
    // held small.
    FeedLines(templateText, renderer, [&] {
        if (finished.size() > limit - delivered) {
            end = handOn(static_cast<std::size_t>(limit - delivered)) ? RenderEnd::Stopped : RenderEnd::SinkFailed;
            return false;
        }
        if (finished.size() >= SinkPiece && !handOn(finished.size())) {
            end = RenderEnd::SinkFailed;
            return false;
        }
        return true;
    });
    if (end == RenderEnd::Complete && !handOn(finished.size()))
        end = RenderEnd::SinkFailed;
    return end;
}

GeneratedReport GenerateReport(const std::string& path, const ReportSource& source, std::uintmax_t limit)
{
    GeneratedReport result;
    // A device or a pipe would never end; a definition larger than any real one is refused
    // before it is read.
    const FileRead read = ReadRegularFile(path, FileLimits::ReportDefinition);
    if (!read) {
        result.message = DescribeRefusal(path, read, FileLimits::ReportDefinition);
        return result;
    }
    const RenderEnd end = RenderTemplate(read.bytes, source, [&result](std::string_view piece) {
        result.text.append(piece);
        return true;
    }, limit);
    result.ok = true;
    if (end == RenderEnd::Stopped) {
        result.stopped = true;
        result.message = ReportStoppedMessage(limit);
    }
    return result;
}

} // namespace gw
