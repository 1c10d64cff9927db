// Fuzzes one line of a batch-edit command file. A line that parses must hold
// values the table can store as they are. (Whole files, applied to real
// tables, are fuzzed by BatchFileFuzz.cpp.)
#include <cstdint>
#include <cstdlib>
#include <string>

#include "BatchCommandFile.h"

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
    if (!IsValidBatchTableFile(cmd.m_tableFile)) std::abort();
    return 0;
}
