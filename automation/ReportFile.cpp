#include "automation/ReportFile.h"

#include "ratetable/FileReplaceInternal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

CReportFile::~CReportFile() { Abandon(); }

void CReportFile::Abandon() {
    if (m_file != nullptr) std::fclose(m_file);
    m_file = nullptr;
    if (!m_temporary.empty()) unlink(m_temporary.c_str());
    m_temporary.clear();
}

int CReportFile::Open(const std::string& path, bool append) {
    Abandon();
    m_ok = true;
    if (path.empty()) return 0;
    if (append) {
        m_file = std::fopen(path.c_str(), "a");
        return m_file != nullptr;
    }
    // Write through a link to the file it names, as opening it would.
    m_target = path;
    if (char* real = realpath(path.c_str(), nullptr)) {
        m_target = real;
        std::free(real);
    }
    mode_t mode = 0644;
    struct stat old;
    if (stat(m_target.c_str(), &old) == 0) {
        // Replacing must not succeed where opening the file would fail.
        if (S_ISDIR(old.st_mode) || access(m_target.c_str(), W_OK) != 0) return 0;
        mode = old.st_mode & 07777;
    }
    const size_t slash = m_target.rfind('/');
    std::string pattern = (slash == std::string::npos ? std::string() : m_target.substr(0, slash + 1)) + "REPXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) return 0;
    m_temporary = name.data();
    m_file = fdopen(fd, "w");
    if (m_file == nullptr || fchmod(fd, mode) != 0) {
        if (m_file == nullptr) close(fd);
        Abandon();
        return 0;
    }
    return 1;
}

int CReportFile::Write(const std::string& text) {
    if (m_file == nullptr) return 0;
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size()) m_ok = false;
    return m_ok ? 1 : 0;
}

int CReportFile::Commit() {
    if (m_file == nullptr) return 0;
    if (std::fflush(m_file) != 0 || fsync(fileno(m_file)) != 0) m_ok = false;
    if (std::fclose(m_file) != 0) m_ok = false;
    m_file = nullptr;
    if (m_ok && !m_temporary.empty()) {
        if (rename(m_temporary.c_str(), m_target.c_str()) != 0) m_ok = false;
        if (m_ok) {
            m_temporary.clear();
            SyncFolderOf(m_target);  // the new name reaches the disk too
        }
    }
    Abandon();
    return m_ok ? 1 : 0;
}
