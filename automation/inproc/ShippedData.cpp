#include "automation/inproc/ShippedData.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <system_error>

#include "automation/ComponentInfo.h"

namespace fs = std::filesystem;

namespace {

std::string ShippedDataFolder() {
    std::error_code ec;
    std::string folder = ModuleDirectory();  // ends in "/"
    if (folder.size() > 1) folder.pop_back();
    const fs::path self = fs::weakly_canonical(folder, ec);
    if (ec || folder.empty()) return "";
    const fs::path buildDir = fs::weakly_canonical(QRT_COM_BUILD_DIR, ec);
    if (!ec && self == buildDir && fs::is_directory(QRT_SOURCE_DATA_DIR, ec))
        return fs::path(QRT_SOURCE_DATA_DIR).lexically_normal().string() + "/";
    const fs::path installed = (self / QRT_RELATIVE_DATA_DIR).lexically_normal();
    if (fs::is_directory(installed, ec)) return installed.string() + "/";
    return "";
}

}  // namespace

void UseShippedDataUnlessSet() {
    static std::once_flag once;
    std::call_once(once, [] {
        const char* set = std::getenv("QRT_ENGINE_DIR");
        if (set != nullptr && set[0] != '\0') return;
        const std::string folder = ShippedDataFolder();
        if (!folder.empty()) setenv("QRT_ENGINE_DIR", folder.c_str(), 1);
    });
}
