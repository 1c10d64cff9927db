// The file update worker on its own thread: ticks without an address do
// nothing, destruction returns at once (waiting or downloading), and a
// replacement clears the table cache while another thread reads tables
// through it. Run under ThreadSanitizer by the tsan preset (label "threads").
#include "update/CFileUpdateService.h"

#include "ratetable/TableCacheInternal.h"
#include "update/LoopbackHttpServer.h"
#include "update/UpdateFolder.h"

#include <gtest/gtest.h>
#include <atomic>
#include <thread>

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

std::time_t Now() { return std::time(nullptr); }

TEST(FileUpdateThreadTest, TicksWithoutAnAddressDoNothing)
{
    for (const bool withIni : {false, true}) {
        UpdateFolder f;
        if (withIni) f.WriteIni("", "http://127.0.0.1:1/", {"T1.TB3"});
        const auto before = f.Dir().Files();
        CFileUpdateService service(Now, milliseconds(1));
        EXPECT_TRUE(service.WaitForTicks(5, milliseconds(10000)));
        EXPECT_EQ(f.Dir().Files(), before) << withIni;
    }
}

TEST(FileUpdateThreadTest, DestroyingTheServiceReturnsWithinASecond)
{
    UpdateFolder f;
    LoopbackHttpServer server;
    server.Set("/ModTimes.txt", {200, "", 0, true});  // never answers
    f.WriteIni(server.Url() + "/ModTimes.txt", server.Url() + "/", {"T1.TB3"});

    struct Case {
        const char* what;
        milliseconds interval;
        int ticksBefore;  // ticks to wait for; -1 = wait for the download to start
    };
    const Case cases[] = {
        {"waiting for its first minute", milliseconds(60000), 0},
        {"in the middle of a download", milliseconds(1), -1},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(f.Dir().Path("FileUpdateService.INI"));
        f.WriteIni(server.Url() + "/ModTimes.txt", server.Url() + "/", {"T1.TB3"});
        auto service = std::make_unique<CFileUpdateService>(Now, c.interval);
        if (c.ticksBefore >= 0) {
            ASSERT_TRUE(service->WaitForTicks(c.ticksBefore, milliseconds(10000))) << c.what;
        } else {
            const auto deadline = steady_clock::now() + milliseconds(10000);
            while (server.Requests().empty() && steady_clock::now() < deadline) std::this_thread::yield();
            ASSERT_FALSE(server.Requests().empty()) << c.what;
        }
        const auto start = steady_clock::now();
        service.reset();
        EXPECT_LT(steady_clock::now() - start, milliseconds(1000)) << c.what;
        EXPECT_EQ(f.Log(), "") << c.what;  // a download ended by the stop is no failure
    }
}

TEST(FileUpdateThreadTest, ReplacementClearsTheCacheWhileAnotherThreadReadsTables)
{
    UpdateFolder f;
    const std::time_t listAt = LocalAt(2024, 3, 15, 12, 5, 0);
    f.Dir().Write("remote/ModTimes.txt", "T1.TB3 3/15/2024 12:05:00 PM\n");
    f.WriteTable("T1", 7, true);
    f.WriteTable("T1", 5);
    f.SetModTime("T1.TB3", listAt - 3600);
    f.WriteIni(f.RemoteUrl() + "ModTimes.txt", f.RemoteUrl(), {"T1.TB3"});
    ResetTableCache();
    InterestRateTable::CacheEnabled(1);
    auto first = std::make_unique<InterestRateTable>();
    ASSERT_EQ(first->Read("T1", 0, 1), 1);  // the old table is now in the cache
    ASSERT_EQ(first->GetNRate(0), 5);

    std::atomic<bool> done{false};
    std::atomic<int> reads{0}, torn{0};
    std::thread reader([&] {
        auto t = std::make_unique<InterestRateTable>();
        while (!done.load()) {
            if (t->Read("T1", 0, 1) != 1 || (t->GetNRate(0) != 5 && t->GetNRate(0) != 7) ||
                ValidEntries(*t) != 8)
                torn.fetch_add(1);
            reads.fetch_add(1);
        }
    });
    {
        CFileUpdateService service(Now, milliseconds(1));
        EXPECT_TRUE(service.WaitForTicks(1, milliseconds(10000)));
    }
    while (reads.load() < 10) std::this_thread::yield();
    done.store(true);
    reader.join();

    EXPECT_EQ(torn.load(), 0);
    EXPECT_TRUE(f.Log().find("Replacement file T1.TB3 successfully downloaded.") != std::string::npos) << f.Log();
    auto after = std::make_unique<InterestRateTable>();
    ASSERT_EQ(after->Read("T1", 0, 1), 1);
    EXPECT_EQ(after->GetNRate(0), 7);  // served from the file, not the old cached copy
    ResetTableCache();
}

} // namespace
