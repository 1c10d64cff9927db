// The report buffer: line lengths, growth that keeps every byte, and growth
// that cannot get memory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ReportTestSupport.h"
#include "report/ReportBufferInternal.h"

namespace {

const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }

TEST(ReportBuffer, WriteAndWriteLineLengths)
{
    CRepGen gen;
    EXPECT_EQ(gen.m_capacity, 2048);
    EXPECT_EQ(gen.WriteLine(U("abcde"), 5), 6);
    EXPECT_EQ(gen.m_length, 6);
    EXPECT_EQ(gen.Write(U("xy"), 2), 2);
    EXPECT_EQ(gen.WriteLine(U(""), 0), 1);
    EXPECT_EQ(reporttest::Bytes(gen), std::string("abcde\0xy\0", 9));
    // Calls that write nothing.
    EXPECT_EQ(gen.Write(nullptr, 4), 0);
    EXPECT_EQ(gen.Write(U("q"), -1), 0);
    EXPECT_EQ(gen.WriteLine(U("q"), -1), 0);
    EXPECT_EQ(gen.m_length, 9);
    EXPECT_EQ(gen.WriteFailed(), 0);
}

TEST(ReportBuffer, GrowthKeepsEveryByte)
{
    CRepGen gen;
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        const std::string chunk = "line " + std::to_string(i);
        gen.WriteLine(U(chunk.c_str()), static_cast<long>(chunk.size()));
        expected += chunk + '\0';
    }
    EXPECT_EQ(reporttest::Bytes(gen), expected);
    EXPECT_EQ(gen.m_capacity, 16384);  // 8890 bytes need 2048 doubled three times
}

int g_allowed = 0;
void* Limited(size_t bytes) { return g_allowed-- > 0 ? std::malloc(bytes) : nullptr; }

TEST(ReportBuffer, GrowthWithoutMemoryKeepsTheTextAndSaysSo)
{
    g_allowed = 1;  // the first buffer only
    report::BufferAllocator previous = report::SetBufferAllocator(Limited);
    {
        CRepGen gen;
        const std::string line(1500, 'a');
        EXPECT_EQ(gen.WriteLine(U(line.c_str()), 1500), 1501);
        EXPECT_EQ(gen.WriteLine(U(line.c_str()), 1500), 0);  // needs 4096 bytes
        EXPECT_EQ(gen.WriteFailed(), 1);
        EXPECT_EQ(gen.Write(U("b"), 1), 0);  // would fit, but the text would have a hole
        EXPECT_EQ(reporttest::Bytes(gen), line + '\0');
        gen.NewPage();  // the page machinery carries on without writing
        EXPECT_EQ(gen.OutputLine("c", 1), 0);
        EXPECT_EQ(gen.m_length, 1501);
        EXPECT_EQ(gen.m_bytesWritten, 0);
    }
    report::SetBufferAllocator(previous);
}

}  // namespace
