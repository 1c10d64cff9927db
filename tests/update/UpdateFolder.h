// A scratch engine folder for the file update tests: QRT_ENGINE_DIR points at
// it, "remote/" inside it holds what file:// addresses serve, and helpers
// write FileUpdateService.INI, table files with a chosen rate and
// modification time, and read back the log and a table's rate.
#pragma once

#include "ratetable/InterestRateTable.h"
#include "update/CFileUpdateService.h"

#include "ratetable/ScratchFolder.h"
#include "ratetable/TableFiles.h"

#include <sys/stat.h>
#include <utime.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Local time y-m-d h:mi:s as a time_t.
inline std::time_t LocalAt(int y, int m, int d, int h = 12, int mi = 0, int s = 0)
{
    struct tm t {};
    t.tm_year = y - 1900;
    t.tm_mon = m - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    t.tm_isdst = -1;
    return mktime(&t);
}

class UpdateFolder {
public:
    UpdateFolder() { std::filesystem::create_directory(m_dir.Path("remote")); }

    const ScratchFolder& Dir() const { return m_dir; }
    // The file:// address of the remote folder, with a trailing "/".
    std::string RemoteUrl() const { return "file://" + m_dir.Path("remote/"); }

    // FileUpdateService.INI with the given URL and FileURL (none when empty)
    // and Files keys File1... (an empty name leaves that number out).
    void WriteIni(const std::string& url, const std::string& fileUrl,
                  const std::vector<std::string>& files, const std::string& more = "") const
    {
        std::string ini = "[URL]\n";
        if (!url.empty()) ini += "URL=" + url + "\n";
        if (!fileUrl.empty()) ini += "FileURL=" + fileUrl + "\n";
        ini += "[Files]\n";
        for (size_t i = 0; i < files.size(); ++i)
            if (!files[i].empty()) ini += "File" + std::to_string(i + 1) + "=" + files[i] + "\n";
        m_dir.Write("FileUpdateService.INI", ini + more);
    }

    // Table `name` (without ".TB3") in the engine folder, or in "remote/", one
    // entry a quarter from 2000 at `rate` percent.
    void WriteTable(const std::string& name, double rate, bool remote = false) const
    {
        WriteConstantTable(m_dir.Dir() + (remote ? "remote/" : ""), name, 8, rate);
    }
    void SetModTime(const std::string& file, std::time_t when) const
    {
        const utimbuf times{when, when};
        utime(m_dir.Path(file).c_str(), &times);
    }
    // The normal rate of the first entry of table file `file`, or -1 when it
    // does not read.
    double Rate(const std::string& file) const
    {
        auto t = std::make_unique<InterestRateTable>();
        return t->Read(m_dir.Path(file)) ? t->GetNRate(0) : -1;
    }
    std::string Log() const { return m_dir.ReadText("FileUpdateLog.txt"); }
    // Names in the engine folder or its download folder that start with
    // "TAB" (left-over downloads).
    int TemporaryFiles() const
    {
        int n = 0;
        for (const std::string& f : m_dir.Files()) n += f.rfind("TAB", 0) == 0;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(m_dir.Path(".FileUpdate"), ec))
            n += e.path().filename().string().rfind("TAB", 0) == 0;
        return n;
    }

private:
    ScratchFolder m_dir;
    EngineDirScope m_scope{m_dir.Dir()};
};

// A service whose worker never ticks during a test: checks run through Check().
inline std::unique_ptr<CFileUpdateService> ServiceAt(std::time_t now)
{
    return std::make_unique<CFileUpdateService>([now] { return now; }, std::chrono::hours(1));
}
