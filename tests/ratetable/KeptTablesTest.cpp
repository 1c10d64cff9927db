// Tables kept from earlier reads of unchanged files: a file replaced by a
// save (a new file renamed over it) or rewritten in place is read again at
// once; an unchanged old file is answered from the kept table with the same
// content as a read of the file. With the trust margin at 0 an in-place
// rewrite of the same size within one time stamp is missed: that is what the
// margin guards against (such a file is not kept until it is 2 s old).
#include "ratetable/InterestRateTable.h"
#include "ratetable/KeptTablesInternal.h"
#include "ratetable/TableLockInternal.h"

#include "ratetable/ScratchFolder.h"
#include "ratetable/TableFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

namespace {

class KeptTablesTest : public ::testing::Test {
protected:
    template <class F> static auto Locked(F f)
    {
        std::lock_guard<std::mutex> hold(TableLock());
        return f();
    }
    void SetUp() override { Locked([] { kept_tables::Forget(); }); }
    void TearDown() override { Locked([] { kept_tables::Forget(); }); }

    static long long Hits() { return Locked([] { return kept_tables::Hits(); }); }
    static void Margin(long long ns) { Locked([ns] { kept_tables::SetTrustMarginNs(ns); }); }

    // The rate of entry 0 as read from the file now.
    double RateRead()
    {
        auto t = std::make_unique<InterestRateTable>();
        EXPECT_EQ(t->Read(dir.Path("T"), 0, 0), 1);
        return t->GetNRate(0);
    }

    // Rewrites the file in place (same inode): entry 0's normal rate, which
    // keeps the file's size.
    void RewriteRateInPlace(double rate)
    {
        std::FILE* f = std::fopen(dir.Path("T.TB3").c_str(), "r+b");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fseek(f, 136 + 4, SEEK_SET), 0);
        ASSERT_EQ(std::fwrite(&rate, sizeof rate, 1, f), 1u);
        std::fclose(f);
    }

    ScratchFolder dir;
};

TEST_F(KeptTablesTest, ASavedFileIsReadAgainAndAnUnchangedOneIsAnsweredFromTheKeptTable)
{
    Margin(0);
    WriteConstantTable(dir.Dir(), "T", 5, 4.0);
    EXPECT_EQ(RateRead(), 4.0);
    const long long before = Hits();
    EXPECT_EQ(RateRead(), 4.0);
    EXPECT_EQ(Hits(), before + 1);
    WriteConstantTable(dir.Dir(), "T", 5, 6.0);   // Save: a new file renamed over
    EXPECT_EQ(RateRead(), 6.0);
    EXPECT_EQ(Hits(), before + 1);
}

TEST_F(KeptTablesTest, AKeptTableIsNotAnsweredOnceItsFileIsGoneOrAFolder)
{
    Margin(0);
    WriteConstantTable(dir.Dir(), "T", 5, 4.0);
    EXPECT_EQ(RateRead(), 4.0);
    auto t = std::make_unique<InterestRateTable>();
    ASSERT_EQ(std::remove(dir.Path("T.TB3").c_str()), 0);
    EXPECT_EQ(t->Read(dir.Path("T"), 0, 0), 0);
    ASSERT_EQ(mkdir(dir.Path("T.TB3").c_str(), 0700), 0);
    EXPECT_EQ(t->Read(dir.Path("T"), 0, 0), 0);
    EXPECT_EQ(Hits(), 0);
}

TEST_F(KeptTablesTest, AFileRewrittenInPlaceIsSeenAtOnce)
{
    WriteConstantTable(dir.Dir(), "T", 5, 4.0);
    EXPECT_EQ(RateRead(), 4.0);
    RewriteRateInPlace(9.0);   // same size, same inode, maybe the same time stamp
    EXPECT_EQ(RateRead(), 9.0);
    EXPECT_EQ(Hits(), 0);      // a file younger than the margin is never kept
}

TEST_F(KeptTablesTest, AKeptTableEqualsTheFileRead)
{
    // The shipped table is old enough to be kept.
    const std::string path = std::string(QRT_DATA_DIR) + "/FEDERAL";
    auto first = std::make_unique<InterestRateTable>();
    auto kept = std::make_unique<InterestRateTable>();
    ASSERT_EQ(first->Read(path, 0, 0), 1);
    ASSERT_EQ(kept->Read(path, 0, 0), 1);
    EXPECT_EQ(Hits(), 1);
    EXPECT_EQ(kept->GetTableName(), "FEDERAL");
    EXPECT_EQ(kept->TableNotes(), first->TableNotes());
    EXPECT_EQ(std::string(kept->Description()), first->Description());
    EXPECT_EQ(kept->TableEndDate(), first->TableEndDate());
    for (int i = 0; i < InterestRateTable::kMaxEntries; ++i) {
        ASSERT_EQ(kept->GetStartingDate(i), first->GetStartingDate(i)) << i;
        ASSERT_EQ(kept->GetNRate(i), first->GetNRate(i)) << i;
        ASSERT_EQ(kept->GetMRate(i), first->GetMRate(i)) << i;
        ASSERT_EQ(kept->GetRRate(i), first->GetRRate(i)) << i;
        ASSERT_EQ(kept->GetDPY(i), first->GetDPY(i)) << i;
        ASSERT_EQ(kept->GetMethod(i), first->GetMethod(i)) << i;
    }
}

} // namespace
