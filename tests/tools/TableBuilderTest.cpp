// Building tables from a command file: what the built tables hold, and that a
// bad line, an entry out of order, a duplicate or a 501st entry writes
// nothing at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "TableBuilder.h"
#include "ratetable/InterestRateTable.h"

namespace {

const char kHeading[] = "Table,End,Start,Method,N,M,R,DPY,Desc,Notes\n";

std::set<std::string> Listing(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

TEST(TableBuilder, BuildsEveryNamedTableInLineOrder) {
    ScratchFolder dir;
    WriteBytes(dir.File("cmd.csv"),
               std::string(kHeading) +
                   "A.TB3,12-31-2024,01-01-2024,Daily,8,9.6,8,366,First table,One\\nTwo\n"
                   "B.TB3,,01-01-1980,Simple,6,6,6,366\n"
                   "a.TB3,,01-01-2024,Simple,1,1,1,366\n"  // another table: names keep case
                   "A.tb3,03-31-2025,01-01-2025,Daily,7,8.4,7,365\n"
                   "A.TB3,,01-01-2025,Daily,6,7.2,6,365\n");  // same date twice is allowed
    std::vector<std::string> written;
    std::string error;
    ASSERT_EQ(BuildTablesFromCommandFile(dir.File("cmd.csv"), "", &written, &error), 1) << error;
    EXPECT_EQ(written, (std::vector<std::string>{dir.File("A.TB3"), dir.File("B.TB3"),
                                                 dir.File("a.TB3")}));
    EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"cmd.csv", "A.TB3", "B.TB3", "a.TB3"}));

    InterestRateTable a;
    ASSERT_EQ(a.Read(dir.File("A.TB3"), 0, 0), 1);
    EXPECT_EQ(a.GetHeader()->m_entryCount, 3);
    EXPECT_EQ(a.TableEndDate(), Date(3, 31, 2025));  // the later line's end date
    EXPECT_STREQ(a.Description(), "First table");   // kept where later lines say nothing
    EXPECT_EQ(a.TableNotes(), "One\r\nTwo");
    EXPECT_EQ(a.GetStartingDate(1), Date(1, 1, 2025));
    EXPECT_EQ(a.GetNRate(1), 7.0);
    EXPECT_EQ(a.GetMRate(1), 8.4);
    EXPECT_EQ(a.GetDPY(1), 365);
    EXPECT_EQ(a.GetEntryFor(Date(6, 1, 2025)), 2);  // the later of two equal dates
    EXPECT_EQ(a.GetNRate(2), 6.0);

    InterestRateTable b;
    ASSERT_EQ(b.Read(dir.File("B.TB3"), 0, 0), 1);
    EXPECT_EQ(b.GetHeader()->m_entryCount, 1);
    EXPECT_EQ(b.GetMethod(0), 1);
    EXPECT_FALSE(b.TableEndDate().isValid());
}

TEST(TableBuilder, AFaultyCommandFileChangesNoFile) {
    const struct {
        std::string body;
        std::string message;
    } cases[] = {
        {"OLD.TB3,,01-01-2024,Daily,8,8,8,366\n"
         "NEW.TB3,,01-01-2024,Daily,\"8,5\",8,8,366\n",
         "Invalid Normal Underpay Rate: 8,5 in Line 3"},
        {"OLD.TB3,,07-01-2024,Daily,8,8,8,366\n"
         "OLD.TB3,,01-01-2024,Daily,7,7,7,366\n",
         "Rate start date before the previous entry's: 01-01-2024 in Line 3"},
        {"OLD.TB3,,07-01-2024,Daily,8,8,8,366\n"
         "NEW.TB3,,07-01-2024,Daily,8,8,8,366\n"
         "OLD.TB3,,07-01-2024,Daily,8,8,8,366\n",
         "Duplicating entry in table: OLD.TB3 in Line 4"},
    };
    for (const auto& c : cases) {
        ScratchFolder dir;
        WriteBytes(dir.File("OLD.TB3"), "old table bytes");
        WriteBytes(dir.File("cmd.csv"), kHeading + c.body);
        std::vector<std::string> written;
        std::string error;
        EXPECT_EQ(BuildTablesFromCommandFile(dir.File("cmd.csv"), "", &written, &error), 0);
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_TRUE(written.empty());
        EXPECT_EQ(ReadBytes(dir.File("OLD.TB3")), "old table bytes");
        EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"cmd.csv", "OLD.TB3"}));
    }
}

TEST(TableBuilder, AFiveHundredAndFirstEntryIsRefused) {
    ScratchFolder dir;
    std::string body = kHeading;
    for (int i = 0; i < 501; ++i) {
        char buf[11];
        Date(1, 1, 1954).AddDays(i).ToString(buf, 1);
        body += std::string("FULL.TB3,,") + buf + ",Daily,5,5,5,365\n";
    }
    WriteBytes(dir.File("cmd.csv"), body);
    std::vector<std::string> written;
    std::string error;
    EXPECT_EQ(BuildTablesFromCommandFile(dir.File("cmd.csv"), "", &written, &error), 0);
    EXPECT_NE(error.find("Table full (500 entries at most): FULL.TB3 in Line 502"),
              std::string::npos)
        << error;
    EXPECT_EQ(Listing(dir.Path()), std::set<std::string>{"cmd.csv"});
}

TEST(TableBuilder, WritesIntoTheGivenFolderAndReplacesTheOldFile) {
    ScratchFolder src, out;
    WriteBytes(src.File("cmd.csv"), std::string(kHeading) + "T.TB3,,01-01-2024,Daily,8,8,8,366\n");
    WriteBytes(out.File("T.TB3"), "stale");
    std::vector<std::string> written;
    std::string error;
    ASSERT_EQ(BuildTablesFromCommandFile(src.File("cmd.csv"), out.Path(), &written, &error), 1)
        << error;
    EXPECT_EQ(written, std::vector<std::string>{out.File("T.TB3")});
    EXPECT_EQ(Listing(out.Path()), std::set<std::string>{"T.TB3"});  // no scratch left over
    InterestRateTable t;
    EXPECT_EQ(t.Read(out.File("T.TB3"), 0, 0), 1);
    EXPECT_EQ(t.GetNRate(0), 8.0);
}

}  // namespace
