// qrt_crash_writer: the child of the crash tests.
//
//   qrt_crash_writer WRITER FOLDER
//       repeats WRITER's write on FOLDER until killed: writes "R" to standard
//       output after the first write, then "." after each further one (so
//       the test can count them). A write that fails ends the program with
//       status 3 and a message: the folder the last kill left tripped it.
//   qrt_crash_writer --disk-full WRITER FOLDER
//       in a user and mount namespace of its own, mounts a small tmpfs on
//       FOLDER, prepares the writer's old state there, fills the file system
//       (leaving the writer's spare space) and writes once: the write must
//       report the failure and leave the old state. Status 0 passed, 1 failed
//       (with a message), 77 no namespace can be made here.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "crash/CrashWriters.h"

namespace {

bool WriteText(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return ok;
}

// Becomes root of a new user namespace with a mount namespace of its own, so
// a tmpfs can be mounted without privileges and is seen by nobody else.
bool EnterNamespace() {
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    WriteText("/proc/self/setgroups", "deny");
    if (!WriteText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1\n") ||
        !WriteText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1\n"))
        return false;
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Fills the file system of folder until a write fails, then gives back
// spareKiB. Returns false when it never filled.
bool Fill(const std::string& folder, int spareKiB) {
    const std::string filler = folder + "filler";
    const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    static char block[4096];
    off_t size = 0;
    for (;;) {
        const ssize_t n = write(fd, block, sizeof block);
        if (n <= 0) break;
        size += n;
    }
    const bool full = errno == ENOSPC;
    if (full && spareKiB > 0) ftruncate(fd, size > spareKiB * 1024 ? size - spareKiB * 1024 : 0);
    close(fd);
    return full;
}

std::set<std::string> Listing(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder, ec))
        names.insert(e.path().string().substr(folder.size()));
    return names;
}

int DiskFull(const crash::Writer& w, const std::string& folder) {
    if (!EnterNamespace()) {
        std::printf("no user namespace here: %s\n", std::strerror(errno));
        return 77;
    }
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=256k,mode=0755") != 0) {
        std::printf("no tmpfs mount here: %s\n", std::strerror(errno));
        return 77;
    }
    w.prepare(folder);
    if (!Fill(folder, w.spareKiB)) {
        std::printf("%s: the file system did not fill\n", w.name);
        return 1;
    }
    const auto before = Listing(folder);
    const bool reported = !w.write(folder, 0);
    std::string why;
    const char* state = w.check(folder, &why);
    int status = 0;
    if (w.reportsFullDisk && !reported) {
        std::printf("%s: the write on a full file system reported success\n", w.name);
        status = 1;
    }
    if (state == nullptr || (std::strcmp(state, "old") != 0 && std::strcmp(state, "old+line") != 0)) {
        std::printf("%s: the old file was not kept: %s\n", w.name, state ? state : why.c_str());
        status = 1;
    }
    for (const std::string& name : Listing(folder)) {
        // Folders the writers make before their files (a backup run, the
        // download folder), an empty log and the downloaded list (small, it
        // fits the spare space) are no left-over temporary files.
        if (before.count(name) == 0 && name.rfind("Backup", 0) != 0 && name != ".FileUpdate" &&
            name != "FileUpdateLog.txt" && name != "ModTimes.txt") {
            std::printf("%s: left %s behind\n", w.name, name.c_str());
            status = 1;
        }
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const bool diskFull = argc == 4 && std::strcmp(argv[1], "--disk-full") == 0;
    if (argc != 3 && !diskFull) {
        std::fprintf(stderr, "usage: qrt_crash_writer [--disk-full] WRITER FOLDER\n");
        return 2;
    }
    const crash::Writer* w = crash::FindWriter(argv[diskFull ? 2 : 1]);
    if (w == nullptr) {
        std::fprintf(stderr, "no writer %s\n", argv[diskFull ? 2 : 1]);
        return 2;
    }
    std::string folder = argv[diskFull ? 3 : 2];
    if (folder.back() != '/') folder += '/';
    setenv("QRT_ENGINE_DIR", folder.c_str(), 1);
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    if (diskFull) return DiskFull(*w, folder);

    fcntl(1, F_SETFL, fcntl(1, F_GETFL) | O_NONBLOCK);  // a full pipe never stops the loop
    for (int n = 0;; ++n) {
        if (!w->write(folder, n)) {
            std::fprintf(stderr, "%s: write %d failed on the folder the last run left\n", w->name, n);
            return 3;
        }
        const char mark = n == 0 ? 'R' : '.';
        if (write(1, &mark, 1) < 0 && errno != EAGAIN) return 4;
    }
}
