#include "DataDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>


namespace fs = std::filesystem;

std::string ShippedDataDirectory(const std::string& exePath) {
    std::error_code ec;
    fs::path exe = fs::weakly_canonical(exePath, ec);
    if (ec) return "";
    fs::path binDir = exe.parent_path();
    // Run from the build tree: the folder the build placed the program in.
    fs::path buildDir = fs::weakly_canonical(QRT_BUILD_BIN_DIR, ec);
    if (!ec && binDir == buildDir && fs::is_directory(QRT_SOURCE_DATA_DIR, ec))
        return fs::path(QRT_SOURCE_DATA_DIR).lexically_normal().string() + "/";
    fs::path installed = (binDir / QRT_RELATIVE_DATA_DIR).lexically_normal();
    if (fs::is_directory(installed, ec)) return installed.string() + "/";
    return "";
}

std::string UseShippedDataUnlessSet() {
    const char* set = std::getenv("QRT_ENGINE_DIR");
    if (set != nullptr && set[0] != '\0') return set;
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return "";
    std::string folder = ShippedDataDirectory(self.string());
    if (folder.empty()) return "";
    // Set before the first engine call, which starts the library's
    // application object in this folder.
    setenv("QRT_ENGINE_DIR", folder.c_str(), 1);
    return folder;
}
