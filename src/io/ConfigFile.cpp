#include "io/ConfigFile.h"

#include <array>
#include <sstream>

#include "data/Globals.h"
#include "io/ItemRecord.h"
#include "io/ReadFile.h"
#include "model/Totals.h"

namespace gw {

namespace {

// Files older than "version1.3" have no "2 Handed" and "Ranged" records.
constexpr std::array<int, 16> SixteenRecordSlots = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17};
constexpr int OldestRecordLines = 22;  // "version1.1": no level and no strings
constexpr int CurrentRecordLines = 27;

} // namespace

std::string ConfigurationText(const Configuration& config, int realm)
{
    const std::string_view keyword = RealmFileName(BoundRealm(realm));
    std::string out;
    out.reserve(SlotCount * 160);
    for (const GWItem& item : config.Items)
        WriteTo(out, item, keyword);
    return out;
}

SaveResult SaveConfiguration(const std::filesystem::path& path, const Configuration& config, int realm,
                             const SaveFaults& faults)
{
    return WriteFileAtomically(path, ConfigurationText(config, realm), faults);
}

ConfigReadResult ReadConfiguration(std::istream& in, Configuration& config, int realm)
{
    ConfigReadResult result;
    result.realm = BoundRealm(realm);

    LineReader reader(in);
    std::string version;
    std::string realmLine;
    const bool haveVersion = reader.ReadLine(HeaderLineBuffer, version);
    const bool haveRealm = reader.ReadLine(HeaderLineBuffer, realmLine);

    // Only the first line chooses the layout; every record is still judged by its own version.
    result.recordCount = version == "version1.3" || version == "version1.4" ? 18 : 16;
    if (const int named = RealmOfKeyword(realmLine); named >= 0) {
        result.realmChanged = named != result.realm;
        result.realm = named;
    }
    const std::string_view keyword = RealmFileName(result.realm);

    for (int i = 0; i < result.recordCount; ++i) {
        const int slot = result.recordCount == 18 ? i : SixteenRecordSlots[static_cast<std::size_t>(i)];
        // The first record's header lines were read above to choose the layout.
        bool complete = i == 0 ? haveVersion && haveRealm : true;
        if (i > 0) {
            reader.ReadLine(HeaderLineBuffer, version);
            complete = reader.ReadLine(HeaderLineBuffer, realmLine);
        }
        const ReadOutcome outcome =
            complete ? ReadFromAfterHeader(reader, version, realmLine,
                                           config.Items[static_cast<std::size_t>(slot)], keyword)
                     : ReadOutcome{ReadStatus::Truncated, std::string(TruncatedRecordMessage)};
        if (outcome.status == ReadStatus::Truncated) {
            // A single item file opened as a configuration, or a cut download: what was read
            // stays, the remaining slots keep their items, and one message says so.
            result.truncated = true;
            result.messages.emplace_back(ConfigTruncatedMessage);
            break;
        }
        if (!outcome.ok()) {
            ++result.failedRecords;
            result.messages.push_back(outcome.message);
            // Skip the rest of the refused record, so that one foreign or unknown record costs
            // only its own slot; reading on from its third line would make every later record
            // fail too. A version we do not know is taken to have the current record's length.
            const int lines = version == "version1.1" ? OldestRecordLines : CurrentRecordLines;
            std::string skipped;
            for (int line = 2; line < lines; ++line)
                reader.ReadLine(FieldLineBuffer, skipped);
            continue;
        }
        ++result.recordsRead;
    }

    DeriveEquippedAfterOpen(config);
    return result;
}

ConfigReadResult OpenConfiguration(const std::filesystem::path& path, Configuration& config, int realm)
{
    // A device or a pipe may never end, or never answer, and a file far larger than any plan
    // would only fill memory: both are refused before anything is read.
    FileRead read = ReadRegularFile(path, FileLimits::Configuration);
    if (!read) {
        ConfigReadResult result;
        result.opened = false;
        result.realm = BoundRealm(realm);
        result.messages.push_back(LoadRefusedMessage(path, read, FileLimits::Configuration));
        return result;
    }
    std::istringstream in(std::move(read.bytes));
    return ReadConfiguration(in, config, realm);
}

} // namespace gw
