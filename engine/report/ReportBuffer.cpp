// The generator's text buffer, its construction and its option accessors.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "report/CRepGen.h"
#include "report/ReportBufferInternal.h"

namespace report {
namespace {

BufferAllocator g_allocate = nullptr;

void* Allocate(size_t bytes) { return g_allocate != nullptr ? g_allocate(bytes) : std::malloc(bytes); }

}  // namespace

BufferAllocator SetBufferAllocator(BufferAllocator allocate)
{
    BufferAllocator previous = g_allocate;
    g_allocate = allocate;
    return previous;
}

}  // namespace report

CRepGen::CRepGen()
{
    for (int32_t& start : m_pageStart) start = -1;
    InitBuffer();
}

CRepGen::~CRepGen() { std::free(m_buffer); }

void CRepGen::InitBuffer()
{
    std::free(m_buffer);
    m_buffer = static_cast<unsigned char*>(report::Allocate(kInitialCapacity));
    m_length = 0;
    m_capacity = m_buffer != nullptr ? kInitialCapacity : 0;
    m_writeFailed = m_buffer != nullptr ? 0 : 1;
}

bool CRepGen::Reserve(long extra)
{
    if (m_writeFailed) return false;
    const long long needed = static_cast<long long>(m_length) + extra;
    if (needed <= m_capacity) return true;
    long long capacity = m_capacity > 0 ? m_capacity : kInitialCapacity;
    while (capacity < needed && capacity <= INT32_MAX) capacity *= 2;
    // Lengths and page starts are 32-bit: a buffer never passes 2 GiB.
    unsigned char* grown = needed <= INT32_MAX
                               ? static_cast<unsigned char*>(report::Allocate(static_cast<size_t>(
                                     capacity <= INT32_MAX ? capacity : INT32_MAX)))
                               : nullptr;
    if (grown == nullptr) {
        // Keep what was written; refuse this and every later write, so the
        // text never has a hole in it, and let the caller see the failure.
        m_writeFailed = 1;
        return false;
    }
    if (m_length > 0) std::memcpy(grown, m_buffer, static_cast<size_t>(m_length));
    std::free(m_buffer);
    m_buffer = grown;
    m_capacity = static_cast<int32_t>(capacity <= INT32_MAX ? capacity : INT32_MAX);
    return true;
}

long CRepGen::Write(const unsigned char* data, long n)
{
    if (n <= 0 || data == nullptr || !Reserve(n)) return 0;
    std::memcpy(m_buffer + m_length, data, static_cast<size_t>(n));
    m_length += static_cast<int32_t>(n);
    return n;
}

long CRepGen::WriteLine(const unsigned char* data, long n)
{
    if (n < 0 || (n > 0 && data == nullptr) || !Reserve(n + 1)) return 0;
    if (n > 0) std::memcpy(m_buffer + m_length, data, static_cast<size_t>(n));
    m_buffer[m_length + n] = 0;
    m_length += static_cast<int32_t>(n + 1);
    return n + 1;
}

void CRepGen::GetReport(unsigned char** text, long* n)
{
    if (text != nullptr) *text = m_buffer;
    if (n != nullptr) *n = m_length;
}

std::string CRepGen::Header(int i) const { return i >= 0 && i < 3 ? m_header[i] : std::string(); }

void CRepGen::Header(int i, const char* text)
{
    if (i >= 0 && i < 3) m_header[i] = text != nullptr ? text : "";
}
