// Feeds arbitrary bytes to the INI service as the content of an INI file.
// Reading must not crash; a write that succeeds must be read back as written,
// and must keep every other byte of the file before the changed line.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ratetable/IniFile.h"

namespace {

class ScratchFolder {
public:
    ScratchFolder() {
        char tmpl[] = "/tmp/qrt-fuzz-ini-XXXXXX";
        if (mkdtemp(tmpl) == nullptr) std::abort();
        m_path = tmpl;
    }
    ~ScratchFolder() {
        unlink((m_path + "/qrtDLL.INI").c_str());
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string ini = Folder() + "/qrtDLL.INI";
    FILE* f = std::fopen(ini.c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);

    IniGetString(ini, "Options", "AtNRB", "");
    IniGetInt(ini, "Options", "CacheEnabled", 0);
    IniGetInt(ini, "options", "atnrb", -1);

    if (IniWriteString(ini, "Options", "AtNRB", "1") != 1) std::abort();
    if (IniGetString(ini, "OPTIONS", "atnrb", "") != "1") std::abort();
    if (IniGetInt(ini, "Options", "AtNRB", 0) != 1) std::abort();
    return 0;
}
