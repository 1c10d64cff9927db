// Eight threads read tables through the cache while another thread clears it
// in a loop: every read must give the whole table it asked for. Run under
// ThreadSanitizer by the tsan preset (label "threads").
#include "ratetable/InterestRateTable.h"
#include "ratetable/TableCacheInternal.h"

#include "ratetable/ScratchFolder.h"
#include "ratetable/TableFiles.h"

#include <gtest/gtest.h>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kTables = 14;  // more than the ten slots, so slots are also replaced
constexpr int kReaders = 8;
constexpr int kReadsPerThread = 200;

// Table Ti has i + 1 entries, every rate i + 1, description "Table Ti".
bool IsCompleteTable(InterestRateTable& t, int i, std::string* why)
{
    const std::string name = "T" + std::to_string(i);
    if (t.GetTableName() != name) {
        *why = "name " + t.GetTableName() + " for " + name;
        return false;
    }
    if (ValidEntries(t) != i + 1) {
        *why = name + " has " + std::to_string(ValidEntries(t)) + " entries";
        return false;
    }
    for (int k = 0; k <= i; ++k) {
        if (t.GetNRate(k) != i + 1 || t.GetMRate(k) != i + 1 || t.GetRRate(k) != i + 1) {
            *why = name + " has a wrong rate in entry " + std::to_string(k);
            return false;
        }
    }
    if (std::string(t.Description()) != "Table " + name) {
        *why = name + " has description " + t.Description();
        return false;
    }
    return true;
}

TEST(TableCacheThreadTest, ReadersGetWholeTablesWhileAnotherThreadClearsTheCache)
{
    ScratchFolder dir;
    EngineDirScope engineDir(dir.Dir());
    for (int i = 0; i < kTables; ++i)
        WriteConstantTable(dir.Dir(), "T" + std::to_string(i), i + 1, i + 1);
    ResetTableCache();
    InterestRateTable::CacheEnabled(1);

    std::atomic<bool> readersDone{false};
    std::atomic<int> clears{0};
    std::thread clearer([&] {
        while (!readersDone.load()) {
            InterestRateTable::ClearCache();
            clears.fetch_add(1);
            std::this_thread::yield();
        }
    });

    std::vector<std::string> failures(kReaders);
    std::vector<std::thread> readers;
    for (int r = 0; r < kReaders; ++r) {
        readers.emplace_back([r, &failures] {
            auto table = std::make_unique<InterestRateTable>();
            for (int n = 0; n < kReadsPerThread && failures[r].empty(); ++n) {
                const int i = (r * 5 + n * 3) % kTables;
                if (table->Read("T" + std::to_string(i), 0, 1) != 1)
                    failures[r] = "read of T" + std::to_string(i) + " failed";
                else
                    IsCompleteTable(*table, i, &failures[r]);
            }
        });
    }
    for (std::thread& t : readers) t.join();
    readersDone.store(true);
    clearer.join();
    ResetTableCache();

    for (int r = 0; r < kReaders; ++r) EXPECT_EQ(failures[r], "") << "reader " << r;
    EXPECT_GT(clears.load(), 0);
}

} // namespace
