#include "update/CFileUpdateService.h"

#include "ratetable/FileReplaceInternal.h"
#include "ratetable/IniFile.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TablePaths.h"
#include "ratetable/TimeStampedLog.h"
#include "update/DownloadInternal.h"
#include "update/ModTimesListInternal.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

const char kIniName[] = "FileUpdateService.INI";
const char kModTimesName[] = "ModTimes.txt";
const char kLogName[] = "FileUpdateLog.txt";
// Downloads are written into this folder of the engine folder (same file
// system, so the rename into place stays one atomic step). A download cut
// short by a killed process is left there, where no listing of tables sees it,
// and removed by a later check once it is older than kStaleDownload.
const char kDownloadFolder[] = ".FileUpdate/";
constexpr std::time_t kStaleDownload = 3600;  // a live download writes or stops within a minute
// Values longer than this are refused, as a missing value is.
constexpr size_t kMaxValue = 510;

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...)
{
    char buffer[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// A name of section "Files" must stay inside the engine folder.
bool IsPlainFileName(const std::string& name)
{
    return name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
           name.find("..") == std::string::npos;
}

// Removes the downloads in folder that a killed process left (TAB*.TB3 not
// written for kStaleDownload seconds); a download in progress is younger.
void RemoveStaleDownloads(const std::string& folder)
{
    std::error_code ec;
    const std::time_t now = std::time(nullptr);
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        struct stat status {};
        if (name.rfind("TAB", 0) != 0 || stat(it->path().c_str(), &status) != 0) continue;
        if (S_ISREG(status.st_mode) && status.st_mtime + kStaleDownload < now) unlink(it->path().c_str());
    }
}

} // namespace

CFileUpdateService::CFileUpdateService()
    : CFileUpdateService([] { return std::time(nullptr); }, std::chrono::seconds(60))
{
}

CFileUpdateService::CFileUpdateService(Clock clock, std::chrono::milliseconds interval)
    : m_clock(std::move(clock)), m_interval(interval), m_ownerPid(getpid())
{
    m_folder = EngineDirectory();
    m_iniPath = m_folder + kIniName;
    m_modTimesPath = m_folder + kModTimesName;
    m_logPath = m_folder + kLogName;
    Start();
}

CFileUpdateService::~CFileUpdateService()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stop = true;
    }
    m_stopping.store(true);
    m_wake.notify_all();
    if (!m_thread) return;
    if (getpid() == m_ownerPid) {
        m_thread->join();
    } else {
        // A forked child has no worker: its copy of the thread object names a
        // thread of the parent and must be neither joined nor destroyed.
        (void)m_thread.release();
    }
}

void CFileUpdateService::Start()
{
    try {
        m_thread = std::make_unique<std::thread>(&CFileUpdateService::Worker, this);
    } catch (const std::system_error& e) {
        Log(Format("CreateThread() failed! LastError = %d", e.code().value()));
    }
}

void CFileUpdateService::Worker()
{
    // One step below the caller's priority (a nice value one higher).
    const pid_t self = gettid();
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(self));
    if (errno == 0 && setpriority(PRIO_PROCESS, static_cast<id_t>(self), nice + 1) != 0)
        Log(Format("SetThreadPriority() failed! LastError = %d", errno));

    auto next = std::chrono::steady_clock::now() + m_interval;
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        m_waiting = true;
        m_wake.notify_all();
        if (m_wake.wait_until(hold, next, [this] { return m_stop; })) break;
        m_waiting = false;
        hold.unlock();
        Check();
        hold.lock();
        ++m_ticks;
        // Periodic like a timer; a tick that overran starts the count afresh.
        const auto now = std::chrono::steady_clock::now();
        next += m_interval;
        if (next < now) next = now + m_interval;
    }
}

bool CFileUpdateService::WaitForTicks(int ticks, std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> hold(m_lock);
    return m_wake.wait_for(hold, timeout, [&] { return m_ticks >= ticks && m_waiting; });
}

std::string CFileUpdateService::Setting(const std::string& section, const std::string& key) const
{
    std::string value = IniGetString(m_iniPath, section, key, "");
    return value.size() > kMaxValue ? std::string() : value;
}

void CFileUpdateService::Log(const std::string& message) const
{
    WriteTimeStampedLog(m_logPath, message);
}

void CFileUpdateService::Check()
{
    std::lock_guard<std::mutex> hold(m_checkLock);
    if (m_url.empty()) m_url = Setting("URL", "URL");
    if (m_url.empty()) return;

    // Once a day: the day of the month is shared through the INI file by
    // every process of the installation.
    const std::time_t now = m_clock();
    struct tm local {};
    localtime_r(&now, &local);
    m_lastCheckDay = IniGetInt(m_iniPath, "LastUpdateCheck", "LastCheckDay", -1);
    if (m_lastCheckDay == local.tm_mday) return;
    m_lastCheckDay = local.tm_mday;
    if (!IniWriteString(m_iniPath, "LastUpdateCheck", "LastCheckDay", Format("%d", m_lastCheckDay))) {
        // Unrecorded, the check would run again on every tick of the day.
        Log(Format("Failed to write LastCheckDay to %s. Cause = %d; no check today.",
                   m_iniPath.c_str(), errno));
        return;
    }
    CheckFiles();
}

void CFileUpdateService::CheckFiles()
{
    if (unlink(m_modTimesPath.c_str()) != 0 && errno != ENOENT) {
        Log(Format("CFile::Remove( %s ) failed! Cause = %d", m_modTimesPath.c_str(), errno));
        return;
    }
    if (!Download(m_url, m_modTimesPath)) return;

    std::string text;
    if (!ReadWholeFile(m_modTimesPath, &text)) {
        Log(Format("Failed to open mod times file %s. Cause = %d", m_modTimesPath.c_str(), errno));
        return;
    }
    std::vector<ModTimeEntry> list;
    std::string badLine;
    if (!ParseModTimes(text, &list, &badLine)) {
        Log("Unexpected format in mod times file: " + badLine);
        return;
    }
    if (list.empty()) return;
    RemoveStaleDownloads(m_folder + kDownloadFolder);
    UpdateFiles(list);
}

bool CFileUpdateService::Download(const std::string& url, const std::string& path)
{
    int code = 23;  // libcurl's write error, for a file that cannot be written
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        code = DownloadToFile(url, fd, m_stopping);
        if (fsync(fd) != 0 && code == 0) code = 23;
        if (close(fd) != 0 && code == 0) code = 23;
    }
    if (code == 0) return true;
    unlink(path.c_str());
    if (!m_stopping.load()) {  // a download ended by the shut-down is no failure
        Log(Format("URLDownloadToFile( %s, %s ) failed! hr = %d (0x%X)", url.c_str(), path.c_str(),
                   code, static_cast<unsigned>(code)));
    }
    return false;
}

void CFileUpdateService::UpdateFiles(const std::vector<ModTimeEntry>& list)
{
    const std::string fileUrl = Setting("URL", "FileURL");
    if (fileUrl.empty()) {
        Log(Format("Entry %s not found in %s", "FileURL", m_iniPath.c_str()));
        return;
    }
    bool downloaded = false;
    for (int n = 1; !m_stopping.load(); ++n) {
        const std::string name = Setting("Files", Format("File%d", n));
        if (name.empty()) break;
        if (UpdateFile(list, fileUrl, name)) downloaded = true;
    }
    // The next computation reads the new files, not the old tables' copies.
    if (downloaded && InterestRateTable::CacheEnabled()) InterestRateTable::ClearCache();
}

bool CFileUpdateService::UpdateFile(const std::vector<ModTimeEntry>& list,
                                    const std::string& fileUrl, const std::string& name)
{
    if (!IsPlainFileName(name)) {
        Log(Format("File name %s refused: it must name a file in the engine folder.", name.c_str()));
        return false;
    }
    const ModTimeEntry* entry = FindModTime(list, name);
    if (entry == nullptr) {
        Log(Format("No mod time entry found for file %s", name.c_str()));
        return false;
    }

    const std::string local = m_folder + name;
    struct stat status {};
    const bool exists = stat(local.c_str(), &status) == 0;
    if (exists && status.st_mtime >= entry->LocalTime()) return false;
    if (!exists && errno != ENOENT) {
        Log(Format("CFile::GetStatus( %s ) failed! Cause = %d", local.c_str(), errno));
        return false;
    }

    // The download goes to a temporary file of the download folder; its ".TB3"
    // lets the table reader check it before it takes the old file's place.
    const std::string downloads = m_folder + kDownloadFolder;
    std::string temp = downloads + "TABXXXXXX.TB3";
    const int fd = mkdir(downloads.c_str(), 0755) == 0 || errno == EEXIST ? mkstemps(temp.data(), 4) : -1;
    if (fd < 0) {
        Log(Format("GetTempFileName failed.  LastError = %d", errno));
        return false;
    }
    close(fd);
    const std::string url = fileUrl + EscapeForUrl(name);
    if (!Download(url, temp)) return false;
    chmod(temp.c_str(), exists ? (status.st_mode & 07777) : 0644);

    auto table = std::make_unique<InterestRateTable>();
    if (!table->Read(temp)) {
        unlink(temp.c_str());
        const std::string kept = exists ? local + " is unchanged." : std::string("nothing was written.");
        Log(Format("Downloaded file %s is not a valid rate table and was deleted; %s",
                   url.c_str(), kept.c_str()));
        return false;
    }
    // One rename over the old file: there is always either the old or the new table.
    if (rename(temp.c_str(), local.c_str()) != 0) {
        const int cause = errno;
        unlink(temp.c_str());
        Log(Format("Failed to rename %s to %s. Cause = %d", temp.c_str(), local.c_str(), cause));
        return false;
    }
    SyncFolderOf(local);  // the new name reaches the disk with the table
    Log(Format(exists ? "Replacement file %s successfully downloaded." : "New file %s successfully downloaded.",
               name.c_str()));
    return true;
}
