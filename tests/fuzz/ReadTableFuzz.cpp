// Feeds arbitrary bytes to InterestRateTable::Read through a real file.
// Whatever the bytes, Read must not crash or write past its slots; a table it
// accepts must hold at most 500 entries (valid ones first), a terminated
// description and notes as long as their length field. (The save/read round
// trip is pinned by the unit tests; saving here would make each run slow.)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzScratch.h"
#include "ratetable/InterestRateTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = fuzz::Folder("/tmp/qrt-fuzz-XXXXXX") + "INPUT.TB3";
    fuzz::WriteInput(input, data, size);

    InterestRateTable t;
    if (!t.Read(input, 0, 0)) return 0;

    if (t.GetHeader()->m_entryCount > InterestRateTable::kMaxEntries) std::abort();
    if (std::memchr(t.Description(), '\0', sizeof t.GetHeader()->m_description) == nullptr)
        std::abort();
    if (t.TableNotes().size() != t.GetHeader()->m_notesLength) std::abort();

    const int count = t.GetHeader()->m_entryCount;
    for (int i = count; i < InterestRateTable::kMaxEntries; ++i)
        if (t.GetStartingDate(i).isValid()) std::abort();
    return 0;
}
