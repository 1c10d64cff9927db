#include "ratetable/TimeStampedLog.h"

#include "ratetable/FileReplaceInternal.h"

#include <cstdio>
#include <ctime>
#include <mutex>

namespace {

// Serialises writers of log files within the process.
std::mutex g_logLock;

// Reads a decimal number at text[*i] (at most 9 digits; more are skipped) and
// moves *i past it; -1 when no digit stands there.
long NumberAt(const std::string& text, size_t* i)
{
    long n = -1;
    int digits = 0;
    for (; *i < text.size() && text[*i] >= '0' && text[*i] <= '9'; ++*i) {
        if (digits++ < 9) n = (n < 0 ? 0 : n * 10) + (text[*i] - '0');
    }
    return n;
}

// A line is stale when it does not start with a month/day/year date (month
// 1-12, day 1-31, year from 2000), or when midnight of that day one year later
// lies before now.
bool IsStale(const std::string& line, time_t now)
{
    size_t i = 0;
    const long month = NumberAt(line, &i);
    long day = -1, year = -1;
    i = line.find('/');
    if (i != std::string::npos) {
        ++i;
        day = NumberAt(line, &i);
        i = line.find('/', i);
        if (i != std::string::npos) {
            ++i;
            year = NumberAt(line, &i);
        }
    }
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < 2000 || year > 100000)
        return true;
    struct tm t {};
    t.tm_year = static_cast<int>(year + 1 - 1900);
    t.tm_mon = static_cast<int>(month - 1);
    t.tm_mday = static_cast<int>(day);
    t.tm_isdst = -1;
    const time_t kept = mktime(&t);
    return kept != static_cast<time_t>(-1) && kept < now;
}

// The log without its leading stale lines; every kept line ends in "\n".
std::string WithoutStaleHead(const std::string& content, time_t now)
{
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        if (!IsStale(content.substr(start, end - start), now)) break;
        start = end + 1;
    }
    if (start >= content.size()) return std::string();
    std::string kept = content.substr(start);
    if (kept.back() != '\n') kept += '\n';
    return kept;
}

} // namespace

void WriteTimeStampedLog(const std::string& logPath, const std::string& message)
{
    const time_t now = time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    char stamp[64];
    strftime(stamp, sizeof stamp, "%m/%d/%Y %H:%M:%S ", &local);
    const std::string line = stamp + message + "\n";

    std::lock_guard<std::mutex> hold(g_logLock);
    FILE* log = fopen(logPath.c_str(), "a+");
    if (!log) return;

    char first[64];
    rewind(log);
    if (fgets(first, sizeof first, log) && IsStale(first, now)) {
        std::string content;
        if (ReadWholeFile(logPath, &content) &&
            ReplaceFileContents(logPath, WithoutStaleHead(content, now), "FUS")) {
            fclose(log);
            log = fopen(logPath.c_str(), "a");
            if (!log) return;
        }
    }
    fseek(log, 0, SEEK_END);
    fwrite(line.data(), 1, line.size(), log);
    fclose(log);
}
