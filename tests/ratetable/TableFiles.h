// Helpers for tests that need real .TB3 files: a constant-rate table written
// through InterestRateTable::Save, and a counter of the opens of a file,
// taken from the kernel (inotify), so a cache hit is told from a file read
// without any hook in the engine.
#pragma once

#include "ratetable/InterestRateTable.h"

#include <cerrno>
#include <climits>
#include <memory>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>

// Writes folder + name + ".TB3": `entries` quarterly entries from 1 January
// 2000, every rate `rate`, description "Table <name>", notes "notes of <name>".
inline void WriteConstantTable(const std::string& folder, const std::string& name, int entries,
                               double rate)
{
    auto t = std::make_unique<InterestRateTable>();
    Date d(1, 1, 2000);
    for (int i = 0; i < entries; ++i) {
        t->SetStartingDate(i, d);
        t->SetMethod(i, kDaily);
        t->SetNRate(i, rate);
        t->SetMRate(i, rate);
        t->SetRRate(i, rate);
        t->SetDPY(i, 365);
        d = d.AddMonths(3);
    }
    t->SetDescription(("Table " + name).c_str());
    t->GetHeader()->TableNotes("notes of " + name);
    std::string path = folder + name;
    t->Save(path);
}

// Number of leading valid entries of t.
inline int ValidEntries(InterestRateTable& t)
{
    int n = 0;
    while (n < InterestRateTable::kMaxEntries && t.GetStartingDate(n).isValid()) ++n;
    return n;
}

// Counts the opens of files in one folder since the last call of Opens().
class OpenCounter {
public:
    explicit OpenCounter(const std::string& folder)
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd >= 0) inotify_add_watch(m_fd, folder.c_str(), IN_OPEN);
    }
    ~OpenCounter()
    {
        if (m_fd >= 0) close(m_fd);
    }
    OpenCounter(const OpenCounter&) = delete;
    OpenCounter& operator=(const OpenCounter&) = delete;

    bool Ok() const { return m_fd >= 0; }

    // Whether `fileName` in the folder was opened since the previous call:
    // 0 or 1 when called after every operation (the kernel merges identical
    // events that have not been read yet).
    int Opens(const std::string& fileName)
    {
        int count = 0;
        alignas(inotify_event) char buffer[sizeof(inotify_event) + NAME_MAX + 1];
        for (;;) {
            const ssize_t n = read(m_fd, buffer, sizeof buffer);
            if (n <= 0) break;
            for (ssize_t off = 0; off < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + off);
                if (e->len > 0 && fileName == e->name) ++count;
                off += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        return count;
    }

private:
    int m_fd = -1;
};
