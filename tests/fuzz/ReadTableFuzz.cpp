// Feeds arbitrary bytes to InterestRateTable::Read through a real file.
// Whatever the bytes, Read must not crash or write past its slots; a table it
// accepts must hold at most 500 entries (valid ones first), a terminated
// description and notes as long as their length field. (The save/read round
// trip is pinned by the unit tests; saving here would make each run slow.)
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ratetable/InterestRateTable.h"

namespace {

// A scratch folder for the run, removed with its two files at exit.
class ScratchFolder {
public:
    ScratchFolder() {
        char tmpl[] = "/tmp/qrt-fuzz-XXXXXX";
        if (mkdtemp(tmpl) == nullptr) std::abort();
        m_path = tmpl;
    }
    ~ScratchFolder() {
        unlink((m_path + "/INPUT.TB3").c_str());
        rmdir(m_path.c_str());
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

const std::string& Folder() {
    static const ScratchFolder folder;
    return folder.Path();
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = Folder() + "/INPUT.TB3";
    WriteFile(input, data, size);

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
