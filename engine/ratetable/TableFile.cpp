// Reading and writing .TB3 table files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "ratetable/FileReplaceInternal.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/KeptTablesInternal.h"
#include "ratetable/TableFormatInternal.h"
#include "ratetable/TableLockInternal.h"
#include "ratetable/TablePaths.h"

namespace {

// Reads exactly n bytes unless the file ends or fails first; 1 when all n
// bytes were read.
int ReadFull(int fd, void* buffer, size_t n) {
    auto* p = static_cast<uint8_t*>(buffer);
    while (n > 0) {
        ssize_t got = read(fd, p, n);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return 0;
        p += got;
        n -= static_cast<size_t>(got);
    }
    return 1;
}

int WriteFull(int fd, const void* buffer, size_t n) {
    auto* p = static_cast<const uint8_t*>(buffer);
    while (n > 0) {
        ssize_t put = write(fd, p, n);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return 0;
        p += put;
        n -= static_cast<size_t>(put);
    }
    return 1;
}

class FileCloser {
public:
    explicit FileCloser(int fd) : m_fd(fd) {}
    ~FileCloser() { close(m_fd); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    int m_fd;
};

// The table's name from the name given to Read: its last "/"-separated
// component without the extension.
std::string TableNameFrom(const std::string& name) {
    const size_t slash = name.rfind('/');
    std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos) base.erase(dot);
    return base;
}

}  // namespace

int InterestRateTable::Read(const std::string& name, int passOn, int useCache) {
    // passOn only matters to the cached path, which hands it to its file read.
    if (useCache && CacheEnabled()) return ReadCached(name, passOn);
    return ReadFromFile(name);
}

int InterestRateTable::ReadFromFile(const std::string& name) {
    // The usual case, an unchanged file whose table is kept, needs one stat
    // per folder searched. A file found this way that was kept was readable
    // when it was read; a change of its mode since would have changed its
    // identity, so the open below would find the same file. The stat touches
    // nothing shared and is made before the lock, which threads computing
    // side by side would otherwise queue on.
    struct stat status {};
    const bool found = StatTableFile(name, &status);
    std::lock_guard<std::mutex> lock(TableLock());
    if (found && kept_tables::Find(kept_tables::IdentityOf(status), &m_header, m_entries)) {
        m_name = TableNameFrom(name);
        return 1;
    }

    const long long readStart = kept_tables::NowNs();
    const int fd = ResolveTableFile(name);
    if (fd < 0) return 0;
    FileCloser closer(fd);

    // An unchanged file whose table is kept is not read again.
    kept_tables::FileIdentity identity;
    const bool identified = kept_tables::IdentityOf(fd, &identity);
    if (identified && kept_tables::Find(identity, &m_header, m_entries)) {
        m_name = TableNameFrom(name);
        return 1;
    }

    // Everything is read and checked before this table changes, so a refused
    // file leaves the table as it was.
    uint8_t headerImage[tb3::kHeaderSize];
    if (!ReadFull(fd, headerImage, sizeof headerImage)) return 0;
    TableHeader header;
    tb3::DecodeHeader(headerImage, header);
    if (header.m_version > tb3::kMaxVersion) return 0;
    if (header.m_entryCount > tb3::kMaxEntries) return 0;

    static_assert(tb3::kMaxEntries * tb3::kEntrySize <= 16384, "entry block fits the stack");
    uint8_t entryImages[tb3::kMaxEntries * tb3::kEntrySize];
    const size_t entryBytes = header.m_entryCount * tb3::kEntrySize;
    if (entryBytes > 0 && !ReadFull(fd, entryImages, entryBytes)) return 0;

    // Notes that end early are dropped; the read still succeeds.
    const uint16_t notesLength = header.m_notesLength;
    header.TableNotes("");
    if (notesLength != 0) {
        std::string notes(notesLength, '\0');
        if (ReadFull(fd, notes.data(), notesLength)) header.TableNotes(notes);
    }

    m_header = std::move(header);
    for (int i = 0; i < m_header.m_entryCount; ++i)
        tb3::DecodeEntry(entryImages + i * tb3::kEntrySize, m_entries[i]);
    for (int i = m_header.m_entryCount; i < kMaxEntries; ++i) m_entries[i].Clear();
    m_name = TableNameFrom(name);
    if (identified) kept_tables::Keep(identity, readStart, m_header, m_entries);
    return 1;
}

int InterestRateTable::Save(std::string& path) {
    ForceExtension(path, ".TB3");

    m_header.m_fileType = tb3::kFileType;
    m_header.m_version = UsesSpecialDPY() ? tb3::kVersionSpecialDpy : tb3::kVersionPlain;
    std::memcpy(m_header.m_signature, tb3::kSignature, sizeof m_header.m_signature);
    std::memset(m_header.m_reservedA + 1, 0, sizeof m_header.m_reservedA - 1);
    m_header.m_entryCount = static_cast<uint16_t>(CountLeadingValid());
    m_header.m_reservedC = 0;
    m_header.m_reservedB = 1;
    m_header.m_reservedD = 1;
    // The length written must match the bytes that follow it; a length set
    // beyond the notes held would otherwise write bytes that are not there.
    if (m_header.m_notesLength > m_header.m_notes.size())
        m_header.m_notesLength = static_cast<uint16_t>(m_header.m_notes.size());

    uint8_t headerImage[tb3::kHeaderSize];
    tb3::EncodeHeader(m_header, headerImage);
    uint8_t entryImages[tb3::kMaxEntries * tb3::kEntrySize];
    for (int i = 0; i < m_header.m_entryCount; ++i)
        tb3::EncodeEntry(m_entries[i], entryImages + i * tb3::kEntrySize);

    // Written to a temporary file in the same folder and renamed over the old
    // file, so a failed or interrupted save leaves the old table intact.
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return 0;
    int ok = WriteFull(fd, headerImage, sizeof headerImage);
    if (ok && m_header.m_entryCount > 0)
        ok = WriteFull(fd, entryImages, m_header.m_entryCount * tb3::kEntrySize);
    if (ok && m_header.m_notesLength > 0)
        ok = WriteFull(fd, m_header.m_notes.data(), m_header.m_notesLength);
    if (ok) ok = fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    if (close(fd) != 0) ok = 0;
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    else SyncFolderOf(path);  // the rename itself reaches the disk
    return ok;
}
