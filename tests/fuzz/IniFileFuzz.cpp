// Feeds arbitrary bytes to the INI service as the content of an INI file.
// Reading must not crash; a write that succeeds must be read back as written,
// and must keep every other byte of the file before the changed line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "ratetable/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string ini = fuzz::Folder("/tmp/qrt-fuzz-ini-XXXXXX") + "qrtDLL.INI";
    fuzz::WriteInput(ini, data, size);

    IniGetString(ini, "Options", "AtNRB", "");
    IniGetInt(ini, "Options", "CacheEnabled", 0);
    IniGetInt(ini, "options", "atnrb", -1);

    if (IniWriteString(ini, "Options", "AtNRB", "1") != 1) std::abort();
    if (IniGetString(ini, "OPTIONS", "atnrb", "") != "1") std::abort();
    if (IniGetInt(ini, "Options", "AtNRB", 0) != 1) std::abort();
    return 0;
}
