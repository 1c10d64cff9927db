// Fuzzes one line of a batch-edit command file: parsing, and applying a
// parsed line to a table. A line that parses must hold values the table can
// store as they are.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "BatchCommandFile.h"
#include "TableBuilder.h"
#include "ratetable/InterestRateTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    SplitBatchFields(line);
    IsSkippedBatchLine(line);
    BatchCommand cmd;
    BatchLineError err;
    if (!ParseBatchLine(line, 2, &cmd, &err)) {
        if (err.m_check.empty() || err.m_line != 2) std::abort();
        err.Message();
        return 0;
    }
    if (!cmd.m_start.isValid() || cmd.m_method < 0 || cmd.m_method > 5) std::abort();
    if (cmd.m_dpy != 365 && cmd.m_dpy != 366 && cmd.m_dpy != 100) std::abort();
    if (cmd.m_description.size() > 93 || cmd.m_notes.size() > 65535) std::abort();
    static InterestRateTable table;
    table.Clear();
    if (!ApplyBatchCommand(&table, cmd, &err)) std::abort();  // an empty table takes any entry
    if (table.GetEntryFor(cmd.m_start) != 0 || table.GetNRate(0) != cmd.m_normalRate) std::abort();
    return 0;
}
