// TableLock: the process-wide lock that serialises rate table file reads.
// It is created on first use (the first table constructed, or library start)
// and lives until the process ends, so a late reader can never find it gone.
// Any thread may take it; it guards only the file reads, not the cache.
#pragma once

#include <mutex>

std::mutex& TableLock();
