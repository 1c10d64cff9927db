// Test access to the process-wide rate table cache (engine-private).
// ResetTableCache puts the cache back to its state at library load (switch
// off, every slot unused with age 0); it is the one reset the cache tests use.
// Both functions take the cache's lock, so any thread may call them.
// SetAfterFileReadHook lets a test act at the moment a cached read has read
// the file and not yet stored it (nullptr removes the hook).
#pragma once

// Switch off, all 10 slot names empty, all ages 0.
void ResetTableCache();
// Age of cache slot k (0 = most recently used). REQUIRES: 0 <= k < 10.
int TableCacheAge(int k);
// Runs hook in every cached read between its file read and its store.
void SetAfterFileReadHook(void (*hook)());
