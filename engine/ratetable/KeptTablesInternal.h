// KeptTables: the tables decoded by recent file reads, kept so that a read of
// an unchanged file copies the decoded table instead of reading and decoding
// the file again (a computation reads its table twice, a batch of accounts
// thousands of times).
//
// A kept table is found by the identity of the open file: device, inode,
// size, modification and status-change times in nanoseconds. A file saved by
// the editor or replaced by the update service is a new file renamed over the
// old one (a new inode and a new status-change time); a file rewritten in
// place gets a new status-change time, which no program can set back. The
// kernel stamps those times coarsely (one clock tick, on some file systems up
// to 2 s), so a file whose status-change time was within kTrustMargin of the
// moment it was read could be rewritten within the same stamp: such a read is
// not kept, and the file is read again until it is older.
//
// Thread rule: every function must be called with TableLock() held (all file
// reads hold it).
#pragma once

#include <sys/stat.h>

#include <ctime>

#include "ratetable/IRTU.h"
#include "ratetable/TableHeader.h"

namespace kept_tables {

constexpr long long kDefaultTrustMarginNs = 2'000'000'000LL;
constexpr int kSlots = 8;
constexpr int kEntries = 500;

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
    long long changedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of an open file; false when fstat fails.
bool IdentityOf(int fd, FileIdentity* id);
// The identity of a file from its status.
FileIdentity IdentityOf(const struct stat& st);

// Copies the kept table of that file into header/entries; false when none
// is kept for it.
bool Find(const FileIdentity& id, TableHeader* header, IRTU* entries);

// Keeps the table just decoded from the file, unless the file changed too
// recently to be told apart from a later rewrite (see above); readStartNs is
// the wall-clock time taken before the file was opened.
void Keep(const FileIdentity& id, long long readStartNs, const TableHeader& header, const IRTU* entries);

// The wall-clock time in nanoseconds.
long long NowNs();

// Tests: forgets every kept table and puts the margin back; sets the margin
// (0 keeps every read, to show what the margin guards against); counts the
// reads answered from a kept table.
void Forget();
void SetTrustMarginNs(long long ns);
long long Hits();

}  // namespace kept_tables
