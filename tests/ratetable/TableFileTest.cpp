// Table files: the writer's exact bytes, the reader's refusals one fault at a
// time, and the save/read round trip.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "GoldenTable.h"
#include "ratetable/ScratchFolder.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TableFormatInternal.h"

namespace {

std::vector<unsigned char> HeaderImage(const TableHeader& h) {
    std::vector<unsigned char> image(tb3::kHeaderSize);
    tb3::EncodeHeader(h, image.data());
    return image;
}

TEST(TableFileWriter, SaveWritesTheLayoutByteForByte) {
    ScratchFolder dir;
    InterestRateTable t;
    SetUpGoldenTable(t);
    std::string path = dir.Path("GOLDEN");
    ASSERT_EQ(t.Save(path), 1);
    EXPECT_EQ(path, dir.Path("GOLDEN.TB3")) << "the caller's path gets the extension";
    const std::vector<unsigned char> expected = GoldenTableBytes();
    ASSERT_EQ(expected.size(), 213u);
    EXPECT_EQ(dir.ReadBytes("GOLDEN.TB3"), expected);
    EXPECT_EQ(t.GetHeader()->m_entryCount, 2) << "leading valid entries only";
}

TEST(TableFileWriter, PlainDaysPerYearCodesWriteVersion4) {
    ScratchFolder dir;
    InterestRateTable t;
    SetUpGoldenTable(t);
    t.SetDPY(1, 366);
    std::string path = dir.Path("PLAIN.TB3");
    ASSERT_EQ(t.Save(path), 1);
    EXPECT_EQ(dir.ReadBytes("PLAIN.TB3").at(1), 4);
}

TEST(TableFileWriter, SaveReplacesTheOldFileAndLeavesNoTemporaryFile) {
    ScratchFolder dir;
    dir.WriteBytes("OUT.TB3", std::vector<unsigned char>(1000, 0xEE));
    InterestRateTable t;
    SetUpGoldenTable(t);
    std::string path = dir.Path("OUT");
    ASSERT_EQ(t.Save(path), 1);
    EXPECT_EQ(dir.ReadBytes("OUT.TB3"), GoldenTableBytes());
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"OUT.TB3"});
}

TEST(TableFileWriter, FailedSaveReturns0AndLeavesTheFolderAsItWas) {
    ScratchFolder dir;
    InterestRateTable t;
    SetUpGoldenTable(t);
    std::string missing = dir.Path("no-such-folder/OUT");
    EXPECT_EQ(t.Save(missing), 0);
    EXPECT_TRUE(dir.Files().empty());

    // A folder in the way of the target: the rename fails after the
    // temporary file was written, which must then be removed again.
    ASSERT_EQ(mkdir(dir.Path("BLOCKED.TB3").c_str(), 0755), 0);
    std::string blocked = dir.Path("BLOCKED");
    EXPECT_EQ(t.Save(blocked), 0);
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"BLOCKED.TB3"});
}

TEST(TableFileRoundTrip, ReadGivesBackHeaderEntriesAndNotes) {
    ScratchFolder dir;
    InterestRateTable saved;
    SetUpGoldenTable(saved);
    saved.GetEntry(3)->Clear();  // drop the stray slot: it is not saved
    std::string path = dir.Path("TRIP");
    ASSERT_EQ(saved.Save(path), 1);

    InterestRateTable read;
    ASSERT_EQ(read.Read(path, 0, 0), 1);
    const auto a = HeaderImage(*saved.GetHeader());
    const auto b = HeaderImage(*read.GetHeader());
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + 34, b.begin())) << "bytes 0-33";
    EXPECT_TRUE(std::equal(a.begin() + 38, a.end(), b.begin() + 38)) << "bytes 38-135";
    for (int i = 0; i < InterestRateTable::kMaxEntries; ++i) {
        uint8_t x[tb3::kEntrySize], y[tb3::kEntrySize];
        tb3::EncodeEntry(*saved.GetEntry(i), x);
        tb3::EncodeEntry(*read.GetEntry(i), y);
        ASSERT_EQ(std::memcmp(x, y, sizeof x), 0) << "entry " << i;
    }
    EXPECT_EQ(read.TableNotes(), "Line one\nLine two");
    EXPECT_EQ(read.GetTableName(), "TRIP");
}

// One fault at a time on the hand-written golden file.
struct ReaderCase {
    const char* name;
    void (*damage)(std::vector<unsigned char>& bytes);
    int expected;
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

void SetCount(std::vector<unsigned char>& b, int n) {
    b[2] = static_cast<unsigned char>(n & 0xFF);
    b[3] = static_cast<unsigned char>(n >> 8);
}

const ReaderCase kReaderCases[] = {
    {"EmptyFileIsRefused", [](auto& b) { b.clear(); }, 0},
    {"TruncatedHeaderIsRefused", [](auto& b) { b.resize(100); }, 0},
    {"HeaderOneByteShortIsRefused", [](auto& b) { b.resize(135); }, 0},
    {"Version6IsRefused", [](auto& b) { b[1] = 6; }, 0},
    {"Version4IsRead", [](auto& b) { b[1] = 4; }, 1},
    {"EntriesEndingEarlyAreRefused", [](auto& b) { SetCount(b, 3); }, 0},
    {"MoreThan500EntriesAreRefused",
     [](auto& b) {
         SetCount(b, 501);
         b.resize(136 + 501 * 30, 0);
     },
     0},
    {"ExtraBytesAfterTheNotesAreIgnored", [](auto& b) { b.push_back(0x55); }, 1},
};

class TableFileReader : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(TableFileReader, RefusesDamageAndLeavesTheTableUnchangedOnFailure) {
    const ReaderCase& c = GetParam();
    ScratchFolder dir;
    auto bytes = GoldenTableBytes();
    c.damage(bytes);
    dir.WriteBytes("CASE.TB3", bytes);

    InterestRateTable t;
    t.SetTableName("BEFORE");
    t.SetStartingDate(0, SerialDate(100));
    t.SetNRate(0, 3.5);
    t.GetHeader()->TableNotes("old notes");
    ASSERT_EQ(t.Read(dir.Path("CASE.TB3"), 0, 0), c.expected);
    if (c.expected == 0) {
        EXPECT_EQ(t.GetTableName(), "BEFORE");
        EXPECT_EQ(t.GetStartingDate(0), SerialDate(100));
        EXPECT_EQ(t.GetNRate(0), 3.5);
        EXPECT_EQ(t.TableNotes(), "old notes");
        EXPECT_FALSE(t.GetStartingDate(1).isValid());
    } else {
        EXPECT_EQ(t.GetTableName(), "CASE");
        EXPECT_EQ(t.GetNRate(1), 8.25);
        EXPECT_EQ(t.TableNotes(), "Line one\nLine two");
        EXPECT_FALSE(t.GetStartingDate(2).isValid());
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, TableFileReader, ::testing::ValuesIn(kReaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TableFileReaderNotes, TruncatedNotesAreDroppedButReadSucceeds) {
    ScratchFolder dir;
    auto bytes = GoldenTableBytes();
    bytes[32] = 100;  // notes length 100, but 17 bytes follow
    dir.WriteBytes("SHORT.TB3", bytes);
    InterestRateTable t;
    t.GetHeader()->TableNotes("old notes");
    ASSERT_EQ(t.Read(dir.Path("SHORT.TB3"), 0, 0), 1);
    EXPECT_EQ(t.TableNotes(), "");
    EXPECT_EQ(t.GetHeader()->m_notesLength, 0);
    EXPECT_EQ(t.GetHeader()->m_entryCount, 2);
    EXPECT_EQ(t.GetStartingDate(1), SerialDate(0x2774));
}

TEST(TableFileReaderNotes, DescriptionWithoutTerminatorIsCutToItsField) {
    ScratchFolder dir;
    auto bytes = GoldenTableBytes();
    std::memset(bytes.data() + 38, 'D', 94);
    dir.WriteBytes("LONG.TB3", bytes);
    InterestRateTable t;
    ASSERT_EQ(t.Read(dir.Path("LONG.TB3"), 0, 0), 1);
    EXPECT_EQ(std::strlen(t.Description()), 93u);
}

TEST(TableFileReaderNames, NameIsTheBaseNameOfTheNameGiven) {
    ScratchFolder dir;
    ASSERT_EQ(mkdir(dir.Path("x.y").c_str(), 0755), 0);
    dir.WriteBytes("x.y/FEDERAL.TB3", GoldenTableBytes());
    struct Case { std::string given; const char* expected; };
    const Case cases[] = {
        {dir.Path("x.y/FEDERAL.TB3"), "FEDERAL"},
        {dir.Path("x.y/FEDERAL.DAT"), "FEDERAL"},  // opens FEDERAL.TB3
        {dir.Path("x.y/FEDERAL"), "FEDERAL"},      // a dot in a folder is not an extension
    };
    for (const Case& c : cases) {
        InterestRateTable t;
        ASSERT_EQ(t.Read(c.given, 0, 0), 1) << c.given;
        EXPECT_EQ(t.GetTableName(), c.expected) << c.given;
    }
    InterestRateTable t;
    EXPECT_EQ(t.Read(dir.Path("x.y/MISSING"), 0, 0), 0);
}

}  // namespace
