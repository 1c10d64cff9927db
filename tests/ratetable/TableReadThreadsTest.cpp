// Several threads reading table files at once, each into its own table:
// every read succeeds with its own file's content (the reads are serialised
// by the process-wide table lock).
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "GoldenTable.h"
#include "ratetable/ScratchFolder.h"
#include "ratetable/InterestRateTable.h"

namespace {

TEST(TableReadThreads, ConcurrentReadsEachGetTheirOwnTable) {
    ScratchFolder dir;
    const int kThreads = 4;
    for (int k = 0; k < kThreads; ++k) {
        InterestRateTable t;
        SetUpGoldenTable(t);
        t.SetNRate(0, 1.0 + k);
        std::string path = dir.Path("T" + std::to_string(k));
        ASSERT_EQ(t.Save(path), 1);
    }
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int k = 0; k < kThreads; ++k) {
        threads.emplace_back([&, k] {
            InterestRateTable t;
            for (int n = 0; n < 100; ++n) {
                const int which = (k + n) % kThreads;
                if (!t.Read(dir.Path("T" + std::to_string(which)), 0, 0) ||
                    t.GetNRate(0) != 1.0 + which || t.TableNotes() != "Line one\nLine two")
                    ++wrong;
            }
        });
    }
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
