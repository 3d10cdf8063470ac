#include "io/ItemRecord.h"

#include <array>
#include <charconv>

namespace gw {

namespace {

constexpr std::array<std::string_view, 4> KnownVersions = {"version1.1", "version1.2", "version1.3",
                                                           "version1.4"};
constexpr std::string_view OldestVersion = "version1.1";

void AppendLine(std::string& out, std::string_view text)
{
    out.append(text);
    out.append("\r\n");
}

void AppendInt(std::string& out, int value)
{
    char digits[16];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    (void)ec; // sixteen bytes hold every 32-bit value
    out.append(digits, end);
    out.append("\r\n");
}

// A string field is one line: a line feed inside it would split the record and shift every
// later field, so the field is written up to its first line feed.
void AppendText(std::string& out, std::string_view text)
{
    AppendLine(out, text.substr(0, text.find('\n')));
}

} // namespace

LineReader::LineReader(std::istream& in) : m_buf(in.rdbuf()) {}

bool LineReader::AtEnd()
{
    return m_buf == nullptr ||
           std::streambuf::traits_type::eq_int_type(m_buf->sgetc(), std::streambuf::traits_type::eof());
}

bool LineReader::ReadLine(std::size_t bufferSize, std::string& line)
{
    using Traits = std::streambuf::traits_type;
    line.clear();
    if (AtEnd())
        return false;
    const std::size_t keep = bufferSize > 2 ? bufferSize - 2 : 0;
    bool overlong = false;
    bool endsInCr = false;
    for (;;) {
        const Traits::int_type c = m_buf->sbumpc();
        if (Traits::eq_int_type(c, Traits::eof()) || Traits::to_char_type(c) == '\n')
            break;
        const char ch = Traits::to_char_type(c);
        endsInCr = ch == '\r';
        // One byte beyond the limit is held so that the CR of a CR LF ending does not count
        // as text; anything further is dropped.
        if (line.size() <= keep)
            line.push_back(ch);
        else
            overlong = true;
    }
    // An overlong line keeps what its buffer holds and the rest of it is skipped, so every
    // later field is still read from its own line.
    if (!overlong && endsInCr)
        line.pop_back();
    if (line.size() > keep)
        line.resize(keep);
    return true;
}

void WriteTo(std::string& out, const GWItem& item, std::string_view realmKeyword)
{
    AppendLine(out, CurrentRecordVersion);
    AppendLine(out, realmKeyword);
    AppendInt(out, item.Quality);
    AppendInt(out, item.ImbuePoints);
    AppendInt(out, item.PlayerMade);
    AppendText(out, item.Name);
    for (int value : item.EffectType)
        AppendInt(out, value);
    for (int value : item.EffectAmount)
        AppendInt(out, value);
    for (int value : item.EffectName)
        AppendInt(out, value);
    for (int value : item.GemQuality)
        AppendInt(out, value);
    AppendInt(out, item.Level);
    AppendText(out, item.Qual);
    AppendText(out, item.DPS);
    AppendText(out, item.Speed);
    AppendText(out, item.Bonus);
}

std::string ItemRecordText(const GWItem& item, std::string_view realmKeyword)
{
    std::string out;
    out.reserve(128 + item.Name.size());
    WriteTo(out, item, realmKeyword);
    return out;
}

std::string LoadRefusedMessage(const std::filesystem::path& path, const FileRead& read, std::uintmax_t limit)
{
    return "Load Failed. " + DescribeRefusal(path, read, limit);
}

bool IsKnownRecordVersion(std::string_view line)
{
    for (std::string_view version : KnownVersions)
        if (line == version)
            return true;
    return false;
}

ReadOutcome ReadFrom(LineReader& in, GWItem& item, std::string_view realmKeyword)
{
    std::string version;
    std::string realm;
    in.ReadLine(HeaderLineBuffer, version);
    if (!in.ReadLine(HeaderLineBuffer, realm))
        return {ReadStatus::Truncated, std::string(TruncatedRecordMessage)};
    return ReadFromAfterHeader(in, version, realm, item, realmKeyword);
}

ReadOutcome ReadFromAfterHeader(LineReader& in, std::string_view versionLine, std::string_view realmLine,
                                GWItem& item, std::string_view realmKeyword)
{
    if (realmLine != realmKeyword)
        return {ReadStatus::ForeignRealm, std::string(ForeignRealmMessage)};
    if (!IsKnownRecordVersion(versionLine))
        return {ReadStatus::VersionMismatch, std::string(VersionMismatchMessage)};

    // Fields go into a copy first: a record cut short leaves the item as it was.
    GWItem read = item;
    std::string line;
    bool complete = true;
    auto next = [&]() -> const std::string& {
        if (!in.ReadLine(FieldLineBuffer, line)) {
            complete = false;
            line.clear();
        }
        return line;
    };
    auto nextInt = [&]() { return ReadLeadingInt(next()); };

    read.Quality = nextInt();
    read.ImbuePoints = nextInt();
    read.PlayerMade = nextInt();
    read.Name = next();
    for (int& value : read.EffectType)
        value = nextInt();
    for (int& value : read.EffectAmount)
        value = nextInt();
    for (int& value : read.EffectName)
        value = nextInt();
    for (int& value : read.GemQuality)
        value = nextInt();
    if (versionLine == OldestVersion) {
        read.Level = 0;
        // assign(1, '0') rather than = "0": GCC 12 at -O3 warns falsely about the latter.
        for (std::string* text : {&read.Qual, &read.DPS, &read.Speed, &read.Bonus})
            text->assign(1, '0');
    } else {
        read.Level = nextInt();
        read.Qual = next();
        read.DPS = next();
        read.Speed = next();
        read.Bonus = next();
    }
    if (!complete)
        return {ReadStatus::Truncated, std::string(TruncatedRecordMessage)};
    item = std::move(read);
    return {};
}

} // namespace gw
