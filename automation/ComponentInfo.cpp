#include "automation/ComponentInfo.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace {

std::string Resolved(const char* path) {
    char* full = realpath(path, nullptr);
    if (full == nullptr) return std::string();
    std::string text(full);
    std::free(full);
    return text;
}

// The program's own file (the main program's loader entry has no name).
std::string ProgramPath() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return std::string();
    return std::string(path, static_cast<size_t>(n));
}

}  // namespace

std::string ModulePath() {
    Dl_info info{};
    struct link_map* map = nullptr;
    std::string path;
    if (dladdr1(reinterpret_cast<void*>(&ModulePath), &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) !=
            0 &&
        map != nullptr && map->l_name != nullptr && map->l_name[0] != '\0')
        path = Resolved(map->l_name);
    if (path.empty()) path = ProgramPath();
    return path;
}

std::string ModuleDirectory() {
    const std::string path = ModulePath();
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
