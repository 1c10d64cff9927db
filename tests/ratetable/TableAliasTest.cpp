// The alias list: "TableAlias.csv" in the engine folder, look-up by name
// without case and by date range, and the logged outcomes of bad files.
#include "ratetable/TableAlias.h"

#include "ratetable/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

class TableAliasTest : public ::testing::Test {
protected:
    TableAliasTest() : m_engineDir(m_dir.Dir()) {}

    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines = SplitLines(m_dir.ReadText("TableAliasLog.txt"));
        // Each line opens with "MM/DD/YYYY HH:MM:SS "; keep what follows.
        for (std::string& l : lines) {
            if (l.size() >= 20 && l[2] == '/' && l[5] == '/' && l[19] == ' ') l = l.substr(20);
        }
        return lines;
    }

    ScratchFolder m_dir;
    EngineDirScope m_engineDir;
};

TEST_F(TableAliasTest, NamesResolveByDateRangeIgnoringCase)
{
    m_dir.Write("TableAlias.csv",
                "IL,01/01/2002,,IL 2002\n"
                "IL,,12/31/2001,IL Prior 2002\n"
                "NY,1/1/02 ,,NY Any Date\n"       // a date with a trailing blank is no date
                "CA,01/01/2000,12/31/2000,CA 2000\r\n"  // CRLF line end
                "CA,,,CA, Other\n");              // the fourth field is the rest of the line
    CTableAlias aliases;
    EXPECT_EQ(aliases.Count(), 5);
    EXPECT_EQ(aliases.UsableCount(), 5);
    struct Case {
        const char* name;
        Date date;
        const char* expected;
    } cases[] = {
        {"il", Date(6, 30, 1999), "IL Prior 2002"},
        {"IL", Date(12, 31, 2001), "IL Prior 2002"},
        {"Il", Date(1, 1, 2002), "IL 2002"},
        {"il", Date(3, 15, 2005), "IL 2002"},
        {"NY", Date(1, 1, 1960), "NY Any Date"},
        {"ca", Date(7, 4, 2000), "CA 2000"},
        {"ca", Date(1, 1, 2001), "CA, Other"},  // first matching line in file order
        {"IN", Date(1, 1, 2005), ""},
        {"IL ", Date(1, 1, 2005), ""},  // no trimming of the name asked for
    };
    for (const Case& c : cases) EXPECT_EQ(aliases.Lookup(c.name, c.date), c.expected) << c.name;
    EXPECT_FALSE(m_dir.Exists("TableAliasLog.txt"));
}

TEST_F(TableAliasTest, BadLineIsLoggedAndEndsTheLoading)
{
    struct Case {
        const char* file;
        int usable;
        const char* logged;
    } cases[] = {
        {"A,,,TA\nB,,,TB\n,01/01/2002,,TC\nD,,,TD\n", 2,
         "Line format error in token 1 of line: "},
        {"A,,,TA\nB,01/01/2002,,\nD,,,TD\n", 1, "Line format error in token 4 of line: "},
        {"A,,,TA\n\nD,,,TD\n", 1, "Line format error in token 1 of line: "},
        {"A\n", 0, "Line format error in token 4 of line: "},
    };
    for (const Case& c : cases) {
        ScratchFolder dir;
        EngineDirScope engineDir(dir.Dir());
        dir.Write("TableAlias.csv", c.file);
        CTableAlias aliases;
        EXPECT_EQ(aliases.UsableCount(), c.usable) << c.file;
        EXPECT_EQ(aliases.Lookup("D", Date(1, 1, 2005)), "") << "lines after a bad one are ignored";
        if (c.usable > 0) {
            EXPECT_EQ(aliases.Lookup("a", Date(1, 1, 2005)), "TA");
        }

        // The message ends in a line break of its own, so a blank line follows.
        const std::vector<std::string> log = SplitLines(dir.ReadText("TableAliasLog.txt"));
        ASSERT_EQ(log.size(), 3u) << c.file;
        EXPECT_EQ(log[0].substr(20), c.logged);
        EXPECT_EQ(log[1].substr(0, 4), "   \"");
        EXPECT_EQ(log[2], "");
    }
}

// No alias file is the normal state of an installation: an empty list and
// no log. A file that exists but cannot be read is logged with its cause.
TEST_F(TableAliasTest, MissingFileIsNotLoggedButAnUnreadableOneIs)
{
    {
        CTableAlias aliases;
        EXPECT_EQ(aliases.Count(), 0);
        EXPECT_EQ(aliases.Lookup("IL", Date(1, 1, 2005)), "");
        EXPECT_TRUE(m_dir.Files().empty());
    }
    // A folder in the file's place opens but cannot be read: EISDIR is 21.
    std::filesystem::create_directory(m_dir.Path("TableAlias.csv"));
    CTableAlias aliases;
    EXPECT_EQ(aliases.Count(), 0);
    const std::vector<std::string> log = LogLines();
    ASSERT_GE(log.size(), 1u);
    EXPECT_EQ(log[0], "Failed to open csv file \"" + m_dir.Path("TableAlias.csv") + "\" Cause = 21");
}

TEST_F(TableAliasTest, UnwritableLogLosesTheMessageButLoadingGoesOn)
{
    {
        // An engine folder that does not exist: no list, no log, no crash.
        EngineDirScope missing(m_dir.Path("no/such/folder"));
        CTableAlias aliases;
        EXPECT_EQ(aliases.Count(), 0);
    }
    // A folder in the log's place: the bad line's message is lost, the good
    // lines before it stay.
    std::filesystem::create_directory(m_dir.Path("TableAliasLog.txt"));
    m_dir.Write("TableAlias.csv", "A,,,TA\n,,,TB\n");
    CTableAlias aliases;
    EXPECT_EQ(aliases.UsableCount(), 1);
    EXPECT_EQ(aliases.Lookup("A", Date(1, 1, 2005)), "TA");
    EXPECT_EQ(m_dir.Files().size(), 2u);
}

TEST_F(TableAliasTest, LoadAliasesReplacesTheList)
{
    m_dir.Write("TableAlias.csv", "A,,,TA\n");
    CTableAlias aliases;
    m_dir.Write("TableAlias.csv", "B,,,TB\nC,,,TC\n");
    EXPECT_EQ(aliases.Lookup("B", Date(1, 1, 2005)), "");  // read once, at construction
    aliases.LoadAliases();
    EXPECT_EQ(aliases.Count(), 2);
    EXPECT_EQ(aliases.Lookup("A", Date(1, 1, 2005)), "");
    EXPECT_EQ(aliases.Lookup("C", Date(1, 1, 2005)), "TC");
}

} // namespace
