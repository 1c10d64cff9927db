// The process-wide cache of the ten most recently read rate tables, and the
// cached path of InterestRateTable::Read.
//
// Slots hold tables as their file images (136-byte header with no notes, 500
// entry images of 30 bytes) under the name the table got when it was read. A
// lookup is by the name as given to Read, a store by the table's name, so a
// bare name ("FEDERAL") is found again while a path is read from its file
// each time.
//
// One mutex guards the switch-independent state (names, ages, images). A
// reader holds it only while it copies a slot into its own table or its own
// table into a slot, never while it reads a file or uses its table, so any
// number of threads may read tables while another clears the cache.

#include "ratetable/InterestRateTable.h"

#include "ratetable/TableCacheInternal.h"
#include "ratetable/TableFormatInternal.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace {

constexpr int kSlots = InterestRateTable::kCacheSlots;
constexpr size_t kNameSize = 261;  // at most 260 characters and the NUL

struct CacheSlot {
    int32_t m_age;
    uint8_t m_header[tb3::kHeaderSize];
    uint8_t m_entries[tb3::kMaxEntries * tb3::kEntrySize];
    char m_name[kNameSize];  // empty = unused
};

struct RateTableCache {
    std::atomic<int> enabled{0};
    std::mutex lock;
    // Number of clears so far: a table read from its file is stored only when
    // no clear happened during the read, so a file replaced (and the cache
    // cleared) in that time never comes back as a stale copy.
    uint64_t clears = 0;
    CacheSlot slots[kSlots];
};

// Test hook run between a cached read's file read and its store.
std::atomic<void (*)()> g_afterFileRead{nullptr};

// Static storage of the library: all zero (switch off, names empty) at load.
constinit RateTableCache g_cache{};

int FindLocked(const std::string& name)
{
    // An unused slot (empty name) never matches, not even an empty name.
    if (name.empty() || name.size() >= kNameSize) return -1;
    for (int k = 0; k < kSlots; ++k) {
        if (std::strcmp(g_cache.slots[k].m_name, name.c_str()) == 0) return k;
    }
    return -1;
}

int LeastRecentLocked()
{
    int best = 0;
    for (int k = 1; k < kSlots; ++k) {
        if (g_cache.slots[k].m_age > g_cache.slots[best].m_age) best = k;
    }
    return best;
}

void MakeMostRecentLocked(int k)
{
    const int32_t old = g_cache.slots[k].m_age;
    g_cache.slots[k].m_age = 0;
    for (int j = 0; j < kSlots; ++j) {
        CacheSlot& s = g_cache.slots[j];
        if (j != k && s.m_age <= old && s.m_age != kSlots) ++s.m_age;
    }
}

} // namespace

int InterestRateTable::CacheEnabled()
{
    return g_cache.enabled.load();
}

void InterestRateTable::CacheEnabled(int on)
{
    g_cache.enabled.store(on);
}

int InterestRateTable::IsInCache(const std::string& name, int* slot)
{
    std::lock_guard<std::mutex> hold(g_cache.lock);
    *slot = FindLocked(name);
    return *slot >= 0 ? 1 : 0;
}

int InterestRateTable::LeastRecent()
{
    std::lock_guard<std::mutex> hold(g_cache.lock);
    return LeastRecentLocked();
}

void InterestRateTable::MakeMostRecent(int k)
{
    if (k < 0 || k >= kSlots) return;
    std::lock_guard<std::mutex> hold(g_cache.lock);
    MakeMostRecentLocked(k);
}

void InterestRateTable::ClearCache()
{
    std::lock_guard<std::mutex> hold(g_cache.lock);
    ++g_cache.clears;
    for (CacheSlot& s : g_cache.slots) s.m_name[0] = '\0';
}

int InterestRateTable::ReadCached(const std::string& name, int passOn)
{
    uint64_t clears = 0;
    {
        std::lock_guard<std::mutex> hold(g_cache.lock);
        clears = g_cache.clears;
        const int k = FindLocked(name);
        if (k >= 0) {
            const CacheSlot& s = g_cache.slots[k];
            tb3::DecodeHeader(s.m_header, m_header);
            m_header.TableNotes("");  // notes are not cached
            for (int i = 0; i < kMaxEntries; ++i)
                tb3::DecodeEntry(s.m_entries + i * tb3::kEntrySize, m_entries[i]);
            m_name = s.m_name;
            MakeMostRecentLocked(k);
            return 1;
        }
    }

    if (!Read(name, passOn, 0)) return 0;
    if (void (*hook)() = g_afterFileRead.load()) hook();
    if (m_name.size() >= kNameSize) return 1;  // too long to be a cache key

    std::lock_guard<std::mutex> hold(g_cache.lock);
    if (g_cache.clears != clears) return 1;  // the file may have changed since it was read
    const int k = LeastRecentLocked();
    CacheSlot& s = g_cache.slots[k];
    tb3::EncodeHeader(m_header, s.m_header);
    s.m_header[tb3::kNotesLengthOffset] = 0;  // the notes are not cached
    s.m_header[tb3::kNotesLengthOffset + 1] = 0;
    for (int i = 0; i < kMaxEntries; ++i)
        tb3::EncodeEntry(m_entries[i], s.m_entries + i * tb3::kEntrySize);
    std::memcpy(s.m_name, m_name.c_str(), m_name.size() + 1);
    MakeMostRecentLocked(k);
    return 1;
}

void ResetTableCache()
{
    std::lock_guard<std::mutex> hold(g_cache.lock);
    ++g_cache.clears;
    g_cache.enabled.store(0);
    for (CacheSlot& s : g_cache.slots) {
        s.m_age = 0;
        s.m_name[0] = '\0';
    }
}

int TableCacheAge(int k)
{
    std::lock_guard<std::mutex> hold(g_cache.lock);
    return g_cache.slots[k].m_age;
}

void SetAfterFileReadHook(void (*hook)())
{
    g_afterFileRead.store(hook);
}
