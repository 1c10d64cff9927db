// CFileUpdateService: keeps the engine folder's rate table files current. A
// worker thread wakes once a minute and, at most once per day of the month,
// downloads the modification-times list named in "FileUpdateService.INI",
// then downloads every listed table file that is missing or older, checks
// that it reads as a rate table and renames it over the old one. It reports
// only through "FileUpdateLog.txt" in the engine folder.
//
// The engine's application object owns the one instance of a process. With no
// "URL" configured a tick reads the INI file and does nothing else: no file
// is written and no request made.
//
// Thread rule: the worker runs at a lower priority beside the caller's
// threads; the destructor stops it promptly (also in the middle of a
// download) before anything it uses goes away. Check() may be called from any
// thread; checks never overlap.
// Tests: the once-a-day rule on an injected clock, the list and every file
// outcome against file:// and a loopback HTTP server, the cache cleared while
// another thread computes, and destruction of a waiting worker within a
// second.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

struct ModTimeEntry;

class CFileUpdateService {
public:
    // The current time; local time of day and day of the month derive from it.
    using Clock = std::function<std::time_t()>;

    // Paths in EngineDirectory() as it is now, the system clock, one tick a
    // minute; starts the worker.
    CFileUpdateService();
    // The same with the clock and the time between ticks given.
    CFileUpdateService(Clock clock, std::chrono::milliseconds interval);
    // Stops the worker (waking it, or ending its download) and waits for it.
    ~CFileUpdateService();

    CFileUpdateService(const CFileUpdateService&) = delete;
    CFileUpdateService& operator=(const CFileUpdateService&) = delete;

    // What the worker does on every tick, done now on the calling thread: read
    // the address when not yet known, apply the once-a-day rule, then fetch the
    // list and update the files.
    void Check();

    // Waits until the worker has finished `ticks` ticks in all and is waiting
    // for the next one, or until timeout; true when it got there.
    bool WaitForTicks(int ticks, std::chrono::milliseconds timeout);

private:
    void Start();
    void Worker();
    void CheckFiles();
    // One download into the file at path (created or emptied); a failure is
    // logged and leaves no file. Returns true on success.
    bool Download(const std::string& url, const std::string& path);
    void UpdateFiles(const std::vector<ModTimeEntry>& list);
    // One configured file; true when it was downloaded and put in place.
    bool UpdateFile(const std::vector<ModTimeEntry>& list, const std::string& fileUrl,
                    const std::string& name);
    // A value of the INI file, "" when it is missing or not 1 to 510 long.
    std::string Setting(const std::string& section, const std::string& key) const;
    void Log(const std::string& message) const;

    std::string m_iniPath;
    std::string m_url;
    std::string m_modTimesPath;
    std::string m_logPath;
    std::string m_folder;
    // The worker; its wait on m_wake with a timeout is the periodic timer.
    std::unique_ptr<std::thread> m_thread;
    int m_lastCheckDay = -1;

    Clock m_clock;
    std::chrono::milliseconds m_interval;
    pid_t m_ownerPid;

    std::mutex m_lock;                  // guards m_stop, m_ticks, m_waiting
    std::condition_variable m_wake;     // the stop, and the end of each tick
    bool m_stop = false;
    bool m_waiting = false;
    int m_ticks = 0;
    std::atomic<bool> m_stopping{false};  // read by a download in progress
    std::mutex m_checkLock;             // one check at a time
};
