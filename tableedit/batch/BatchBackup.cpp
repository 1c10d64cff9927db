#include "BatchBackup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tableedit {

namespace {

namespace fs = std::filesystem;

const char kMarkerExtension[] = ".DEL";

std::string WithoutSlash(const std::string& folder) {
    return folder.size() > 1 && folder.back() == '/' ? folder.substr(0, folder.size() - 1)
                                                     : folder;
}

std::string CreateDirectoryMessage(const std::string& path, int error) {
    return "CreateDirectory(" + path + ") failed with error " + std::to_string(error);
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The table a backup file stands for: NAME.DEL and NAME.TB3 both for NAME.TB3.
std::string TableOf(const std::string& backupFile) {
    if (!EndsWith(backupFile, kMarkerExtension)) return backupFile;
    return backupFile.substr(0, backupFile.size() - 4) + ".TB3";
}

// Flushes the file or folder at path to disk; the error, or 0.
int SyncPath(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int cause = fsync(fd) == 0 ? 0 : errno;
    close(fd);
    return cause;
}

// Copies src to dst (which must not exist) and flushes the copy and its
// folder, so the copy is on disk before anything relies on it. Returns 1, or
// 0 with the error in *ec (a partial copy is removed).
int CopyToDisk(const std::string& src, const std::string& dst, std::error_code& ec) {
    fs::copy_file(src, dst, fs::copy_options::none, ec);
    if (ec.value() == EEXIST) return 0;  // not ours to remove
    if (!ec) {
        if (const int cause = SyncPath(dst)) ec.assign(cause, std::generic_category());
    }
    if (ec) {
        unlink(dst.c_str());  // a partial copy must never be restored over a table
        return 0;
    }
    SyncPath(fs::path(dst).parent_path().string());
    return 1;
}

// Copies src over dst through a temporary file in dst's folder, flushed and
// renamed into place, so dst is either as it was or a whole copy, also after
// a power cut. Returns 1, or 0 with the error in *cause.
int CopyOver(const std::string& src, const std::string& dst, int* cause) {
    std::string temp = dst + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        *cause = errno;
        return 0;
    }
    close(fd);
    std::error_code ec;
    fs::copy_file(src, temp, fs::copy_options::overwrite_existing, ec);
    if (!ec) {
        if (const int sync = SyncPath(temp)) ec.assign(sync, std::generic_category());
    }
    if (!ec && std::rename(temp.c_str(), dst.c_str()) != 0) ec.assign(errno, std::generic_category());
    if (ec) {
        *cause = ec.value();
        unlink(temp.c_str());
        return 0;
    }
    SyncPath(fs::path(dst).parent_path().string());
    return 1;
}

}  // namespace

std::string BackupStamp(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    if (std::strftime(buf, sizeof buf, "%y%m%d-%H%M%S", &local) == 0) return "000000-000000";
    return buf;
}

int MakeBackupRunFolder(const std::string& folder, const BatchClock& clock,
                        std::string* runFolder, std::string* message) {
    const std::string backup = folder + "Backup";
    std::error_code ec;
    if (!fs::is_directory(backup, ec) && mkdir(backup.c_str(), 0755) != 0) {
        *message = CreateDirectoryMessage(backup, errno);
        return 0;
    }
    std::string stamp = BackupStamp(clock());
    std::string name = stamp;
    // Bounded, so a folder full of runs of one second cannot keep us here.
    for (int n = 1; n <= 1000; ++n) {
        const std::string path = backup + "/" + name;
        if (mkdir(path.c_str(), 0755) == 0) {
            *runFolder = path + "/";
            return 1;
        }
        if (errno != EEXIST || n == 1000) {
            *message = CreateDirectoryMessage(path, errno);
            return 0;
        }
        const std::string now = BackupStamp(clock());
        if (now != stamp) {
            stamp = now;
            name = now;
            n = 0;
        } else {
            name = stamp + "-" + std::to_string(n);
        }
    }
    return 0;
}

int BackUpTable(const std::string& folder, const std::string& runFolder,
                const std::string& tableFile, std::string* message) {
    const std::string table = folder + tableFile;
    const std::string manual = ". Files in folder " + WithoutSlash(runFolder) +
                               " must be deleted manually.";
    std::error_code ec;
    if (fs::exists(table, ec)) {
        const std::string copy = runFolder + tableFile;
        // A folder of the table's name is no table to back up.
        if (fs::is_directory(table, ec))
            ec.assign(EISDIR, std::generic_category());
        else
            CopyToDisk(table, copy, ec);
        if (ec) {
            *message = "CopyFile(" + table + ", " + copy + ") failed with error " +
                       std::to_string(ec.value()) + manual;
            return 0;
        }
        return 1;
    }
    const std::string marker =
        runFolder + tableFile.substr(0, tableFile.size() - 4) + kMarkerExtension;
    const int fd = open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        *message = "CreateFile(" + marker + ") failed with error " + std::to_string(errno) + manual;
        return 0;
    }
    const int synced = fsync(fd);
    close(fd);
    if (synced != 0) {
        *message = "CreateFile(" + marker + ") failed with error " + std::to_string(errno) + manual;
        unlink(marker.c_str());
        return 0;
    }
    SyncPath(WithoutSlash(runFolder));
    return 1;
}

int RestoreFromBackup(const std::string& runFolder, const std::string& folder,
                      std::string* message) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(runFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file()) files.push_back(it->path().filename().string());
    }
    if (ec) {
        *message = "The backup folder " + WithoutSlash(runFolder) + " could not be read (error " +
                   std::to_string(ec.value()) + "); no table was restored.";
        return 0;
    }
    std::sort(files.begin(), files.end());

    // Every table first; the backup is deleted only once all are back.
    std::string failed;
    for (const std::string& file : files) {
        const std::string table = folder + TableOf(file);
        int cause = 0;
        if (!EndsWith(file, kMarkerExtension)) {
            CopyOver(runFolder + file, table, &cause);
        } else if (unlink(table.c_str()) != 0 && errno != ENOENT) {
            cause = errno;  // a table the run made, still there
        }
        if (cause != 0) failed += "\n" + table + " (error " + std::to_string(cause) + ")";
    }
    if (!failed.empty()) {
        *message = "These tables could not be restored:" + failed +
                   "\nTheir backup copies are kept in folder " + WithoutSlash(runFolder) + ".";
        return 0;
    }
    for (const std::string& file : files) unlink((runFolder + file).c_str());
    rmdir(WithoutSlash(runFolder).c_str());
    return 1;
}

}  // namespace tableedit
