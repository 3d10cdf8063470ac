// Any bytes read as item records: the reader must stay within its buffers, leave the item alone
// on failure, and give back exactly what it read when that is written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "io/ItemRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    gw::LineReader reader(in);
    // Records one after another, as in a configuration; every read consumes at least a line,
    // so the loop ends.
    for (int record = 0; record < 32 && !reader.AtEnd(); ++record) {
        gw::GWItem before;
        before.Name = "before";
        gw::GWItem item = before;
        const gw::ReadOutcome outcome = gw::ReadFrom(reader, item, "albion");
        if (!outcome.ok()) {
            if (!(item == before) || outcome.message.empty())
                std::abort();
            continue;
        }
        if (item.Name.size() > 298 || item.Qual.size() > 298 || item.Bonus.size() > 298)
            std::abort();
        std::istringstream again(gw::ItemRecordText(item, "albion"));
        gw::LineReader rereader(again);
        gw::GWItem reread;
        if (!gw::ReadFrom(rereader, reread, "albion").ok() || !(reread == item) || !rereader.AtEnd())
            std::abort();
    }
    return 0;
}
