#include "ratetable/FileReplaceInternal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

namespace {

int WriteAll(int fd, const std::string& content)
{
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return 0;
        }
        done += static_cast<size_t>(n);
    }
    return 1;
}

} // namespace

int SyncFolderOf(const std::string& path)
{
    const std::string folder = FolderOf(path);
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    const int ok = fsync(fd) == 0;
    const int saved = errno;
    close(fd);
    errno = saved;
    return ok;
}

int ReplaceFileContents(const std::string& path, const std::string& content,
                        const char* prefix)
{
    std::string pattern = FolderOf(path) + prefix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) return 0;

    mode_t mode = 0644;
    struct stat old;
    if (stat(path.c_str(), &old) == 0) mode = old.st_mode & 07777;

    int ok = WriteAll(fd, content);
    if (ok && fchmod(fd, mode) != 0) ok = 0;
    if (ok && fsync(fd) != 0) ok = 0;
    if (close(fd) != 0) ok = 0;
    if (ok && rename(name.data(), path.c_str()) != 0) ok = 0;
    if (!ok) {
        const int saved = errno;
        unlink(name.data());
        errno = saved;
        return 0;
    }
    // The new name is in place; a folder that cannot be flushed (rare, an I/O
    // error) does not make the replacement a failure.
    SyncFolderOf(path);
    return 1;
}

int ReadWholeFile(const std::string& path, std::string* content)
{
    content->clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    char buffer[8192];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int saved = errno;
            close(fd);
            errno = saved;
            return 0;
        }
        content->append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return 1;
}
