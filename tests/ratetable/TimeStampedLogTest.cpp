// The log writer shared by the alias list and the file update service:
// line format and the one-year pruning of the log's leading lines.
#include "ratetable/TimeStampedLog.h"

#include "ratetable/ScratchFolder.h"

#include <gtest/gtest.h>
#include <ctime>
#include <regex>

namespace {

// "MM/DD/YYYY 10:00:00 text" for the local day `days` from today, shifted by
// `years` years (calendar arithmetic done by mktime).
std::string DatedLine(int days, int years, const std::string& text)
{
    const time_t now = time(nullptr);
    struct tm t {};
    localtime_r(&now, &t);
    t.tm_mday += days;
    t.tm_year += years;
    t.tm_hour = 10;
    t.tm_min = 0;
    t.tm_sec = 0;
    t.tm_isdst = -1;
    mktime(&t);
    char stamp[32];
    strftime(stamp, sizeof stamp, "%m/%d/%Y %H:%M:%S ", &t);
    return stamp + text;
}

TEST(TimeStampedLogTest, WritesOneLocalTimeStampedLine)
{
    ScratchFolder dir;
    const time_t before = time(nullptr);
    WriteTimeStampedLog(dir.Path("log.txt"), "Failed to open csv file \"x\" Cause = 2");
    const std::vector<std::string> lines = SplitLines(dir.ReadText("log.txt"));
    ASSERT_EQ(lines.size(), 1u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(
        lines[0], m,
        std::regex(R"((\d\d)/(\d\d)/(\d{4}) (\d\d):(\d\d):(\d\d) Failed to open csv file "x" Cause = 2)")))
        << lines[0];
    struct tm t {};
    t.tm_mon = std::stoi(m[1]) - 1;
    t.tm_mday = std::stoi(m[2]);
    t.tm_year = std::stoi(m[3]) - 1900;
    t.tm_hour = std::stoi(m[4]);
    t.tm_min = std::stoi(m[5]);
    t.tm_sec = std::stoi(m[6]);
    t.tm_isdst = -1;
    const time_t stamped = mktime(&t);
    EXPECT_LE(before - 1, stamped);
    EXPECT_LE(stamped, time(nullptr) + 1);
}

TEST(TimeStampedLogTest, DropsExactlyTheLeadingLinesOlderThanOneYear)
{
    // A line stays for one year: it goes once midnight of its day one year
    // later has passed. So a line of this day last year is stale, a line of
    // tomorrow last year is not.
    const std::string oldest = DatedLine(-400, 0, "oldest");
    const std::string continuation = "   \"IL,,,\"";  // second line of an old message
    const std::string yearToday = DatedLine(0, -1, "a year ago today");
    const std::string yearTomorrow = DatedLine(1, -1, "a year ago tomorrow");
    const std::string recent = DatedLine(-10, 0, "ten days ago");
    const std::string oldLater = DatedLine(-500, 0, "old but after a recent line");

    ScratchFolder dir;
    dir.Write("log.txt", oldest + "\n" + continuation + "\n" + yearToday + "\n" + yearTomorrow +
                             "\n\n" + recent + "\n" + oldLater + "\n");
    WriteTimeStampedLog(dir.Path("log.txt"), "new");

    const std::vector<std::string> lines = SplitLines(dir.ReadText("log.txt"));
    ASSERT_EQ(lines.size(), 5u) << dir.ReadText("log.txt");
    EXPECT_EQ(lines[0], yearTomorrow);
    EXPECT_EQ(lines[1], "");  // the blank line and all after it are kept
    EXPECT_EQ(lines[2], recent);
    EXPECT_EQ(lines[3], oldLater);
    EXPECT_NE(lines[4].find(" new"), std::string::npos);
    EXPECT_EQ(dir.Files().size(), 1u) << "the FUS temporary file was left";
}

TEST(TimeStampedLogTest, RecentFirstLineOrUnfinishedLogIsOnlyAppendedTo)
{
    const std::string recent = DatedLine(-1, 0, "yesterday");
    const std::string old = DatedLine(-400, 0, "old");
    struct Case {
        std::string before;
        std::string keptPrefix;
    } cases[] = {
        {recent + "\n" + old + "\n", recent + "\n" + old + "\n"},
        {"", ""},
        {old + "\n" + recent, recent + "\n"},  // no line break after the last line
    };
    for (const Case& c : cases) {
        ScratchFolder dir;
        dir.Write("log.txt", c.before);
        WriteTimeStampedLog(dir.Path("log.txt"), "next");
        const std::string after = dir.ReadText("log.txt");
        EXPECT_EQ(after.substr(0, c.keptPrefix.size()), c.keptPrefix) << c.before;
        EXPECT_EQ(SplitLines(after).size(), SplitLines(c.keptPrefix).size() + 1) << after;
    }
}

TEST(TimeStampedLogTest, LogThatCannotBeOpenedLosesTheMessageQuietly)
{
    ScratchFolder dir;
    WriteTimeStampedLog(dir.Path("no/such/folder/log.txt"), "lost");
    std::filesystem::create_directory(dir.Path("log.txt"));  // a folder in the log's place
    WriteTimeStampedLog(dir.Path("log.txt"), "lost");
    EXPECT_EQ(dir.Files().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("log.txt")));
}

} // namespace
