// KeptTables: see KeptTablesInternal.h.
#include "ratetable/KeptTablesInternal.h"

#include <algorithm>
#include <memory>
#include <new>

namespace kept_tables {
namespace {

struct KeptTable {
    FileIdentity id;
    TableHeader header;
    IRTU entries[kEntries];
};

struct Store {
    std::unique_ptr<KeptTable> slots[kSlots];
    int next = 0;   // the slot the next new table replaces (round robin)
    long long marginNs = kDefaultTrustMarginNs;
    long long hits = 0;
};

// Guarded by TableLock(); destroyed at exit after the last read.
Store& TheStore()
{
    static Store store;
    return store;
}

long long Ns(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec; }

}  // namespace

FileIdentity IdentityOf(const struct stat& st)
{
    FileIdentity id;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedNs = Ns(st.st_mtim);
    id.changedNs = Ns(st.st_ctim);
    return id;
}

bool IdentityOf(int fd, FileIdentity* id)
{
    struct stat st {};
    if (fstat(fd, &st) != 0) return false;
    *id = IdentityOf(st);
    return true;
}

long long NowNs()
{
    timespec t {};
    clock_gettime(CLOCK_REALTIME, &t);
    return Ns(t);
}

bool Find(const FileIdentity& id, TableHeader* header, IRTU* entries)
{
    for (const std::unique_ptr<KeptTable>& slot : TheStore().slots) {
        if (!slot || !(slot->id == id)) continue;
        *header = slot->header;
        ++TheStore().hits;
        std::copy(slot->entries, slot->entries + kEntries, entries);
        return true;
    }
    return false;
}

void Keep(const FileIdentity& id, long long readStartNs, const TableHeader& header, const IRTU* entries)
{
    Store& store = TheStore();
    if (id.changedNs > readStartNs - store.marginNs) return;
    std::unique_ptr<KeptTable>* target = nullptr;
    for (std::unique_ptr<KeptTable>& slot : store.slots) {
        // The same file seen again (it was too new then), or another version
        // of the same inode: that slot is replaced.
        if (slot && slot->id.device == id.device && slot->id.inode == id.inode) target = &slot;
    }
    if (target == nullptr) {
        target = &store.slots[store.next];
        store.next = (store.next + 1) % kSlots;
    }
    if (!*target) {
        target->reset(new (std::nothrow) KeptTable);
        if (!*target) return;   // out of memory: the table is simply not kept
    }
    KeptTable& kept = **target;
    kept.id = id;
    kept.header = header;
    std::copy(entries, entries + kEntries, kept.entries);
}

void Forget()
{
    for (std::unique_ptr<KeptTable>& slot : TheStore().slots) slot.reset();
    TheStore().next = 0;
    TheStore().marginNs = kDefaultTrustMarginNs;
}

void SetTrustMarginNs(long long ns) { TheStore().marginNs = ns; }

long long Hits() { return TheStore().hits; }

}  // namespace kept_tables
