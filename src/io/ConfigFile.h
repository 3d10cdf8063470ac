// Configuration files (".gwc"): the item records of the eighteen slots, one after another.
#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "io/AtomicFile.h"
#include "model/GWItem.h"

namespace gw {

inline constexpr std::string_view ConfigTruncatedMessage =
    "Load Failed. The file ends before its last item; the remaining slots are unchanged.";

// The 486 lines of eighteen "version1.4" records headed by the realm's keyword.
std::string ConfigurationText(const Configuration& config, int realm);
// Writes the configuration through the atomic writer: a failed save leaves the old file whole.
SaveResult SaveConfiguration(const std::filesystem::path& path, const Configuration& config, int realm,
                             const SaveFaults& faults = {});

struct ConfigReadResult {
    bool opened = true;        // false: the file could not be opened; nothing was changed
    int realm = 0;             // the realm in effect after reading: the file's, or the one passed in
    bool realmChanged = false; // the second line named another realm: select it without clearing
    int recordCount = 18;      // the layout chosen by the first line: 16 or 18 records
    int recordsRead = 0;       // records that replaced their slot
    int failedRecords = 0;     // foreign-realm or version-mismatch records (their slots unchanged)
    bool truncated = false;    // the file ended before its last record
    // What to show, in order, one error box each: one per failed record, then at most one for a
    // file that ended early (ConfigTruncatedMessage) or could not be opened.
    std::vector<std::string> messages;
};

// Reads a configuration into `config`. `realm` is the realm box's current choice. Slots 8 and 9
// are untouched by a sixteen-record file. Unless the file could not be opened, the Equipped
// flags of the weapon slots are then derived from the items (DeriveEquippedAfterOpen), so the
// window only has to bring its "Equipped" box in step with config.Equipped for the current tab
// (with SuppressEquippedClick set), select result.realm if realmChanged, and reload and
// refresh. The caps are not touched.
ConfigReadResult ReadConfiguration(std::istream& in, Configuration& config, int realm);
// The file is refused, changing nothing and giving one message, when it cannot be opened, is
// not a regular file or is larger than FileLimits::Configuration.
ConfigReadResult OpenConfiguration(const std::filesystem::path& path, Configuration& config, int realm);

} // namespace gw
