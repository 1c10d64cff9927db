#include "ratetable/TablePaths.h"
#include "ratetable/TablePathsInternal.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

std::string EngineDirectory() {
    const char* dir = std::getenv("QRT_ENGINE_DIR");
    if (dir == nullptr || *dir == '\0') return "";
    std::string result = dir;
    if (result.back() != '/') result += '/';
    return result;
}

std::string UserTableDirectory() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    struct passwd pw;
    struct passwd* found = nullptr;
    if (getpwuid_r(getuid(), &pw, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr || *found->pw_dir == '\0')
        return "";
    std::string dir = found->pw_dir;
    if (dir.back() != '/') dir += '/';
    dir += "Documents/Duecalc Engine";
    struct stat st;
    if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return "";
    return dir;
}

void ForceExtension(std::string& path, const std::string& ext) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        path += ext;
    else
        path.replace(dot, std::string::npos, ext);
}

namespace {

// Opens path read-only when it is a regular file (a folder of that name is
// not a table file and is passed over).
int OpenRegular(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

namespace {

// The files a table name may stand for, in the order they are tried: name
// (".TB3" forced); for a name without "/" then engineDir + name and, when
// userDir is not empty, userDir + "/" + name.
std::vector<std::string> Candidates(const std::string& name, const std::string& engineDir, const std::string& userDir) {
    std::vector<std::string> candidates;
    std::string path = name;
    ForceExtension(path, ".TB3");
    candidates.push_back(path);
    if (name.find('/') == std::string::npos) {
        path = engineDir + name;
        ForceExtension(path, ".TB3");
        candidates.push_back(path);
        if (!userDir.empty()) {
            path = userDir;
            if (path.back() != '/') path += '/';
            path += name;
            ForceExtension(path, ".TB3");
            candidates.push_back(path);
        }
    }
    return candidates;
}

bool StatTableFileFrom(const std::string& name, const std::string& engineDir, const std::string& userDir,
                       struct stat* st) {
    for (const std::string& candidate : Candidates(name, engineDir, userDir))
        if (stat(candidate.c_str(), st) == 0 && S_ISREG(st->st_mode)) return true;
    return false;
}

}  // namespace

int OpenTableFileFrom(const std::string& name, const std::string& engineDir,
                      const std::string& userDir, std::string* foundPath) {
    for (const std::string& candidate : Candidates(name, engineDir, userDir)) {
        int fd = OpenRegular(candidate);
        if (fd >= 0) {
            if (foundPath) *foundPath = candidate;
            return fd;
        }
    }
    return -1;
}

bool StatTableFile(const std::string& name, struct stat* st) {
    const std::string engineDir = EngineDirectory();
    if (StatTableFileFrom(name, engineDir, "", st)) return true;
    if (name.find('/') != std::string::npos) return false;
    const std::string userDir = UserTableDirectory();
    return !userDir.empty() && StatTableFileFrom(name, engineDir, userDir, st);
}

int ResolveTableFile(const std::string& name, std::string* foundPath) {
    // The user's folder is looked up (a password-database read and a stat)
    // only when the name as given and the engine folder have no such file:
    // every computation reads its table, and the file is nearly always found
    // before the last folder.
    const std::string engineDir = EngineDirectory();
    const int fd = OpenTableFileFrom(name, engineDir, "", foundPath);
    if (fd >= 0 || name.find('/') != std::string::npos) return fd;
    const std::string userDir = UserTableDirectory();
    if (userDir.empty()) return -1;
    return OpenTableFileFrom(name, engineDir, userDir, foundPath);
}
