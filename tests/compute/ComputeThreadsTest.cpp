// Eight threads compute accounts while another thread clears the table cache,
// switches it on and off, saves the table file again (a new file renamed over
// the old one, as the editor and the update service do) and re-reads the
// engine folder's settings. Every computation must give the figures of the
// same account computed alone. Run under ThreadSanitizer by the tsan preset
// (label "threads"), where a data race on the process-wide state (table cache,
// kept tables, alias list, application object, table lock) fails the test.
// The table is saved with the same content, so every figure stays the same;
// only the way it reaches each computation changes.
#include "compute/AccountFixture.h"
#include "ratetable/CQrtDLLApp.h"
#include "ratetable/KeptTablesInternal.h"
#include "ratetable/ScratchFolder.h"
#include "ratetable/TableCacheInternal.h"
#include "ratetable/TableLockInternal.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kComputers = 8;
constexpr int kRunsPerThread = 12;

struct ThreadAccount {
    int monthly;
    std::vector<EventRow> events;   // kinds 0 tax, 2 payment; cents
    Date through;
};

// A typical account (one tax, three payments, ten years) in daily and monthly
// mode, and a longer one whose middle payments are allocated along one walk.
std::vector<ThreadAccount> Accounts()
{
    std::vector<ThreadAccount> out;
    const std::vector<EventRow> typical = {{0, Date(4, 15, 2010), 1000000},
                                           {2, Date(6, 15, 2012), 300000},
                                           {2, Date(3, 1, 2015), 400000},
                                           {2, Date(9, 30, 2018), 500000}};
    out.push_back({0, typical, Date(4, 15, 2020)});
    out.push_back({1, typical, Date(4, 15, 2020)});
    std::vector<EventRow> longer;
    for (int i = 0; i < 16; ++i)
        longer.push_back({i % 2 == 0 ? 0 : 2, Date(1, 2, 1995).AddDays(i * 400), 100000.0 + i * 3700});
    out.push_back({0, longer, Date(12, 31, 2021)});
    return out;
}

std::string ComputeAlone(CQRTCompute& c, const ThreadAccount& a)
{
    c.SetTableName("FEDERAL");
    for (int i = 0; i < CQRTCompute::kMaxEvents; ++i) c.GetEvent(i)->Reset();
    for (size_t i = 0; i < a.events.size(); ++i) {
        CEvent* e = c.GetEvent(static_cast<int>(i));
        e->m_type = static_cast<uint16_t>(a.events[i].kind);
        e->m_date = a.events[i].date;
        e->m_amount = a.events[i].amount;
    }
    c.ReallocPayments(CQRTCompute::kMaxEvents);
    c.MainCompute(a.through, -1, a.monthly);
    return Snapshot(c);
}

TEST(ComputeThreadsTest, EightThreadsGetTheFiguresOfOneWhileTablesAreClearedAndReread)
{
    ScratchFolder dir;
    EngineDirScope engineDir(dir.Dir());
    std::filesystem::copy_file(std::string(QRT_DATA_DIR) + "/FEDERAL.TB3", dir.Path("FEDERAL.TB3"));
    CQrtDLLApp::Reinitialize();
    // Tables of the fresh copy are kept at once (a margin of 0), so kept
    // tables are found, replaced and copied by many threads too.
    const auto keptTables = [](long long marginNs) {
        std::lock_guard<std::mutex> hold(TableLock());
        kept_tables::Forget();
        kept_tables::SetTrustMarginNs(marginNs);
    };
    keptTables(0);

    const std::vector<ThreadAccount> accounts = Accounts();
    std::vector<std::string> expected;
    for (const ThreadAccount& a : accounts) {
        CQRTCompute c;
        expected.push_back(ComputeAlone(c, a));
        ASSERT_NE(expected.back().find("event 2"), std::string::npos);
    }

    std::atomic<int> computersLeft{kComputers};
    std::atomic<int> disturbances{0};
    std::thread disturber([&] {
        InterestRateTable table;
        std::string path = dir.Path("FEDERAL");
        ASSERT_EQ(table.Read(path, 0, 0), 1);
        for (int n = 0; computersLeft.load() > 0; ++n) {
            InterestRateTable::ClearCache();
            InterestRateTable::CacheEnabled(n % 2);
            if (n % 3 == 0) table.Save(path);          // same content, a new file
            if (n % 16 == 0) CQrtDLLApp::Reinitialize();  // settings, aliases, cache
            disturbances.fetch_add(1);
            std::this_thread::yield();
        }
    });

    std::vector<std::string> failures(kComputers);
    std::vector<std::thread> computers;
    for (int t = 0; t < kComputers; ++t) {
        computers.emplace_back([&, t] {
            CQRTCompute reused;   // one object kept for the thread, one made per run
            for (int n = 0; n < kRunsPerThread && failures[t].empty(); ++n) {
                const size_t k = static_cast<size_t>(t + n) % accounts.size();
                CQRTCompute fresh;
                CQRTCompute& c = n % 2 == 0 ? reused : fresh;
                if (ComputeAlone(c, accounts[k]) != expected[k])
                    failures[t] = "run " + std::to_string(n) + " of account " + std::to_string(k) + " differs";
            }
            computersLeft.fetch_sub(1);
        });
    }
    for (std::thread& t : computers) t.join();
    disturber.join();
    ResetTableCache();
    keptTables(kept_tables::kDefaultTrustMarginNs);

    for (int t = 0; t < kComputers; ++t) EXPECT_EQ(failures[t], "") << "thread " << t;
    EXPECT_GT(disturbances.load(), 0);
}

} // namespace
