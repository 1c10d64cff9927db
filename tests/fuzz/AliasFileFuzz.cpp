// Feeds arbitrary bytes to the alias list as its "TableAlias.csv" (a real
// file in a scratch engine folder). Loading must not crash or overrun; it
// counts every line and keeps at most one alias per line; look-ups by the
// first line's name on a few dates must not crash either.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "ratetable/TableAlias.h"

namespace {

// The scratch folder, made the engine folder so the alias list is read there.
const std::string& Folder() {
    static const std::string& folder = [] () -> const std::string& {
        const std::string& made = fuzz::Folder("/tmp/qrt-fuzz-alias-XXXXXX");
        setenv("QRT_ENGINE_DIR", made.c_str(), 1);
        return made;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string csv = Folder() + "TableAlias.csv";
    fuzz::WriteInput(csv, data, size);
    unlink((Folder() + "TableAliasLog.txt").c_str());

    const std::string text(reinterpret_cast<const char*>(data), size);
    int lines = 0;
    for (char c : text) lines += c == '\n';
    if (!text.empty() && text.back() != '\n') ++lines;

    CTableAlias aliases;
    if (aliases.Count() != lines) std::abort();
    if (aliases.UsableCount() > aliases.Count()) std::abort();

    const std::string first = text.substr(0, text.find('\n'));
    const std::string name = first.substr(0, first.find(','));
    if (aliases.UsableCount() > 0 && name.find('\0') == std::string::npos) {
        const Date dates[] = {Date(1, 1, 1990), Date(6, 15, 2005), Date(12, 31, 2030)};
        for (Date d : dates) aliases.Lookup(name, d);
    }
    aliases.Lookup("", Date());
    return 0;
}
