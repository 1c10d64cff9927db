// The allocator of report buffers, replaceable so that tests can make buffer
// growth fail and check that the generator keeps its text and says so.
// Replacing it is for test set-up only (not thread-safe).
#pragma once

#include <cstddef>

namespace report {

using BufferAllocator = void* (*)(size_t bytes);

// Installs `allocate` (null: malloc again) and returns the previous one.
BufferAllocator SetBufferAllocator(BufferAllocator allocate);

}  // namespace report
