// The process-wide table cache: hits and misses counted by the opens of the
// table files, the replacement order over eleven tables, the age rule, and
// the cached path's look-up by given name and store by table name.
#include "ratetable/InterestRateTable.h"
#include "ratetable/TableCacheInternal.h"

#include "ratetable/ScratchFolder.h"
#include "ratetable/TableFiles.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class TableCacheTest : public ::testing::Test {
protected:
    TableCacheTest() : m_engineDir(m_dir.Dir()), m_opens(m_dir.Dir())
    {
        ResetTableCache();
        InterestRateTable::CacheEnabled(1);
    }
    ~TableCacheTest() override { ResetTableCache(); }

    // Reads `name` through the cache into a fresh table; returns Read's result.
    int ReadCached(const std::string& name)
    {
        m_table = std::make_unique<InterestRateTable>();
        return m_table->Read(name, 0, 1);
    }
    int SlotOf(const std::string& name)
    {
        int slot = -2;
        InterestRateTable t;
        t.IsInCache(name, &slot);
        return slot;
    }

    ScratchFolder m_dir;
    EngineDirScope m_engineDir;
    OpenCounter m_opens;
    std::unique_ptr<InterestRateTable> m_table;
};

TEST_F(TableCacheTest, SecondReadComesFromTheCacheWithSameEntriesAndNoNotes)
{
    WriteConstantTable(m_dir.Dir(), "FEDERAL", 7, 8.0);
    ASSERT_TRUE(m_opens.Ok());
    m_opens.Opens("FEDERAL.TB3");

    ASSERT_EQ(ReadCached("FEDERAL"), 1);
    EXPECT_EQ(m_opens.Opens("FEDERAL.TB3"), 1);
    EXPECT_EQ(m_table->TableNotes(), "notes of FEDERAL");  // a file read keeps its notes

    ASSERT_EQ(ReadCached("FEDERAL"), 1);
    EXPECT_EQ(m_opens.Opens("FEDERAL.TB3"), 0);
    EXPECT_EQ(m_table->GetTableName(), "FEDERAL");
    EXPECT_EQ(ValidEntries(*m_table), 7);
    EXPECT_EQ(m_table->GetStartingDate(6), Date(7, 1, 2001));
    EXPECT_EQ(m_table->GetNRate(6), 8.0);
    EXPECT_STREQ(m_table->Description(), "Table FEDERAL");
    EXPECT_EQ(m_table->TableNotes(), "");
    EXPECT_EQ(m_table->GetHeader()->m_notesLength, 0);
    EXPECT_EQ(m_table->GetHeader()->m_entryCount, 7);

    // useCache 0, or the switch off, always reads the file.
    InterestRateTable direct;
    ASSERT_EQ(direct.Read("FEDERAL", 0, 0), 1);
    EXPECT_EQ(m_opens.Opens("FEDERAL.TB3"), 1);
    InterestRateTable::CacheEnabled(0);
    ASSERT_EQ(ReadCached("FEDERAL"), 1);
    EXPECT_EQ(m_opens.Opens("FEDERAL.TB3"), 1);
}

TEST_F(TableCacheTest, TableAskedForByPathIsReadEachTimeButFoundByItsName)
{
    WriteConstantTable(m_dir.Dir(), "FEDERAL", 3, 8.0);
    m_opens.Opens("FEDERAL.TB3");
    const std::string path = m_dir.Path("FEDERAL.TB3");
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(ReadCached(path), 1);
        EXPECT_EQ(m_opens.Opens("FEDERAL.TB3"), 1) << "read " << i + 1;
    }
    EXPECT_EQ(m_table->GetTableName(), "FEDERAL");
    ASSERT_EQ(ReadCached("FEDERAL"), 1);  // stored under the table's name
    EXPECT_EQ(m_opens.Opens("FEDERAL.TB3"), 0);
}

TEST_F(TableCacheTest, EleventhTableReplacesTheOneReadLongestAgo)
{
    for (int i = 0; i <= 10; ++i) WriteConstantTable(m_dir.Dir(), "T" + std::to_string(i), 2, i);
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(ReadCached("T" + std::to_string(i)), 1);
        EXPECT_EQ(SlotOf("T" + std::to_string(i)), i) << "ten tables fill slots 0 to 9 in order";
    }
    ASSERT_EQ(ReadCached("T0"), 1);  // read again: now T1 is the oldest
    ASSERT_EQ(ReadCached("T10"), 1);
    EXPECT_EQ(SlotOf("T10"), 1);
    EXPECT_EQ(SlotOf("T1"), -1);
    EXPECT_EQ(SlotOf("T0"), 0);

    m_opens.Opens("T0.TB3");
    m_opens.Opens("T1.TB3");
    ASSERT_EQ(ReadCached("T1"), 1);  // back from its file, into T2's slot
    EXPECT_EQ(m_opens.Opens("T1.TB3"), 1);
    EXPECT_EQ(SlotOf("T1"), 2);
    EXPECT_EQ(SlotOf("T2"), -1);
    ASSERT_EQ(ReadCached("T0"), 1);
    EXPECT_EQ(m_opens.Opens("T0.TB3"), 0);
    EXPECT_EQ(m_table->GetNRate(0), 0.0);
}

TEST_F(TableCacheTest, MakeMostRecentAgesOnlyTheSlotsNotOlderThanTheOldAge)
{
    // From all ages 0: slot 2, then 1, then 0 made most recent gives ages
    // 0, 1, 2 for slots 0-2 and 3 for the others (each step ages every slot
    // not above the chosen slot's old age). Then slot 2 (age 2): slots 0 and
    // 1 age by one, slots 3-9 (age 3) stay: 1, 2, 0, 3, ...
    InterestRateTable t;
    t.MakeMostRecent(2);
    t.MakeMostRecent(1);
    t.MakeMostRecent(0);
    const int before[10] = {0, 1, 2, 3, 3, 3, 3, 3, 3, 3};
    for (int k = 0; k < 10; ++k) EXPECT_EQ(TableCacheAge(k), before[k]) << k;
    t.MakeMostRecent(2);
    const int after[10] = {1, 2, 0, 3, 3, 3, 3, 3, 3, 3};
    for (int k = 0; k < 10; ++k) EXPECT_EQ(TableCacheAge(k), after[k]) << k;
    EXPECT_EQ(t.LeastRecent(), 3);  // greatest age, lowest slot on a tie
}

TEST_F(TableCacheTest, ClearCacheSendsEveryNextReadToItsFile)
{
    const char* names[] = {"A", "B", "C"};
    for (const char* n : names) {
        WriteConstantTable(m_dir.Dir(), n, 1, 5.0);
        ASSERT_EQ(ReadCached(n), 1);
    }
    for (const char* n : names) m_opens.Opens(std::string(n) + ".TB3");
    InterestRateTable::ClearCache();
    for (const char* n : names) {
        ASSERT_EQ(ReadCached(n), 1);
        EXPECT_EQ(m_opens.Opens(std::string(n) + ".TB3"), 1) << n;
    }
}

TEST_F(TableCacheTest, ReadOverlappingAClearDoesNotStoreWhatItRead)
{
    // The file update service replaces a file and clears the cache while a
    // reader holds the old file's content: that content must not be stored.
    WriteConstantTable(m_dir.Dir(), "A", 1, 5.0);
    SetAfterFileReadHook([] { InterestRateTable::ClearCache(); });
    ASSERT_EQ(ReadCached("A"), 1);
    SetAfterFileReadHook(nullptr);
    EXPECT_EQ(SlotOf("A"), -1);
    ASSERT_EQ(ReadCached("A"), 1);  // a read without a clear is stored again
    EXPECT_EQ(SlotOf("A"), 0);
}

TEST_F(TableCacheTest, FailedReadsAndEmptyNamesNeverComeFromTheCache)
{
    ASSERT_EQ(ReadCached("MISSING"), 0);
    EXPECT_EQ(SlotOf("MISSING"), -1);
    // Unused slots have empty names; an empty name must not find one.
    EXPECT_EQ(ReadCached(""), 0);
    EXPECT_EQ(SlotOf(""), -1);
    WriteConstantTable(m_dir.Dir(), "A", 1, 5.0);
    ASSERT_EQ(ReadCached("A"), 1);
    InterestRateTable::ClearCache();
    EXPECT_EQ(ReadCached(""), 0);
}

TEST_F(TableCacheTest, NameTooLongForASlotIsReadButNotCached)
{
    const std::string folder = m_dir.Path(std::string(100, 'F')) + "/";
    std::filesystem::create_directory(folder);
    const std::string name(200, 'N');
    WriteConstantTable(folder, name, 1, 5.0);
    const std::string path = folder + name;  // over 260 characters
    ASSERT_EQ(ReadCached(path), 1);
    EXPECT_EQ(SlotOf(path), -1);
    EXPECT_EQ(SlotOf(name), 0);  // the table's own name fits
}

} // namespace
