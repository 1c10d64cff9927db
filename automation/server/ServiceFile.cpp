#include "automation/server/ServiceFile.h"

#include "automation/registration/ComRegistration.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool Fail(std::string* error, const std::string& what, int err) {
    if (error != nullptr) *error = what + ": " + std::strerror(err);
    return false;
}

// Writes all of text to a new temporary file in folder and renames it to path.
bool WriteAtomically(const std::string& folder, const std::string& path, const std::string& text,
                     std::string* error) {
    std::string temporary = folder + "/.com.veltrin.QRTComServer.service.XXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return Fail(error, "cannot create a file in " + folder, errno);
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    int err = done == text.size() ? 0 : errno;
    if (err == 0 && (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0)) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(name.data(), path.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(name.data());
        return Fail(error, "cannot write " + path, err);
    }
    // The rename reaches the disk with the folder: flush it too, so that a
    // power cut after RegServer reported success cannot lose the file.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace

std::string ServiceFilePath() {
    return qrt::registration::DataHomeFolder() + "dbus-1/services/com.veltrin.QRTComServer.service";
}

std::string ServiceFileText(const std::string& serverPath) {
    if (serverPath.empty() || serverPath[0] != '/') return "";
    bool plain = true;
    for (unsigned char c : serverPath) {
        if (c < 0x20 || c == 0x7f) return "";
        if (!(std::isalnum(c) || std::strchr("/._+-", c) != nullptr)) plain = false;
    }
    // The bus splits Exec like a shell: a path with other characters goes in
    // single quotes, each ' written as '\''.
    std::string exec = serverPath;
    if (!plain) {
        exec = "'";
        for (char c : serverPath) exec += c == '\'' ? std::string("'\\''") : std::string(1, c);
        exec += "'";
    }
    return "[D-BUS Service]\nName=com.veltrin.QRTComServer\nExec=" + exec + "\n";
}

HRESULT WriteServiceFile(const std::string& serverPath, std::string* error) {
    std::string text = ServiceFileText(serverPath);
    if (text.empty()) {
        if (error != nullptr) *error = "the server path \"" + serverPath + "\" cannot go into a service file";
        return E_INVALIDARG;
    }
    std::string path = ServiceFilePath();
    std::string folder = fs::path(path).parent_path().string();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        if (error != nullptr) *error = "cannot create " + folder + ": " + ec.message();
        return E_FAIL;
    }
    return WriteAtomically(folder, path, text, error) ? S_OK : E_FAIL;
}

HRESULT RemoveServiceFile(std::string* error) {
    std::string path = ServiceFilePath();
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        Fail(error, "cannot remove " + path, errno);
        return E_FAIL;
    }
    return S_OK;
}
