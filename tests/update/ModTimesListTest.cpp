// The modification-times list parser: the 12-hour clock, case, and every form
// that must discard the whole list.
#include "update/ModTimesListInternal.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <ctime>

namespace {

struct GoodLine {
    const char* line;
    const char* name;
    int year, month, day, hour, minute, second;
};

TEST(ModTimesListTest, LinesGiveTheirNameAndLocalTime)
{
    const GoodLine rows[] = {
        {"FEDERAL.TB3 3/15/2024 12:05:00 PM", "FEDERAL.TB3", 2024, 3, 15, 12, 5, 0},  // noon
        {"FEDERAL.TB3 3/15/2024 12:05:00 AM", "FEDERAL.TB3", 2024, 3, 15, 0, 5, 0},   // midnight
        {"federal.tb3 03/05/2024 1:05:09 pm", "FEDERAL.TB3", 2024, 3, 5, 13, 5, 9},   // case
        {"FEDERAL.TB3 3/15/2024 11:59:59 AM", "FEDERAL.TB3", 2024, 3, 15, 11, 59, 59},
        {"IL 2002.TB3 12/31/2001 11:59:59 PM\r", "IL 2002.TB3", 2001, 12, 31, 23, 59, 59},  // CRLF list
        {"LEAP.TB3 2/29/2024 1:00:00 AM  ", "LEAP.TB3", 2024, 2, 29, 1, 0, 0},  // trailing blanks
    };
    for (const GoodLine& r : rows) {
        std::vector<ModTimeEntry> list;
        std::string bad;
        ASSERT_EQ(ParseModTimes(r.line, &list, &bad), 1) << r.line;
        ASSERT_EQ(list.size(), 1u) << r.line;
        const ModTimeEntry& e = list[0];
        EXPECT_EQ(e.name, r.name);
        EXPECT_EQ(e.year, r.year) << r.line;
        EXPECT_EQ(e.month, r.month) << r.line;
        EXPECT_EQ(e.day, r.day) << r.line;
        EXPECT_EQ(e.hour, r.hour) << r.line;
        EXPECT_EQ(e.minute, r.minute) << r.line;
        EXPECT_EQ(e.second, r.second) << r.line;
    }
}

TEST(ModTimesListTest, OneMalformedLineDiscardsTheWholeList)
{
    const char* bad[] = {
        "A.TB3 3/15/2024 12:05 PM",       // two time fields
        "A.TB3 3/15/2024 12:05:00",       // no marker
        "A.TB3 3/15/2024 12:05:00 XM",    // unknown marker
        "A.TB3 3/15/2024 12:05:00 PM X",  // text after the marker
        "A.TB3  3/15/2024 12:05:00 PM",   // two blanks
        "A.TB3\t3/15/2024 12:05:00 PM",   // no blank after the name
        "A.TXT 3/15/2024 12:05:00 PM",    // not a table file
        ".TB3 3/15/2024 12:05:00 PM",     // no name
        "A.TB3",                          // nothing after the name
        "A.TB3 3/15 12:05:00 PM",         // two date fields
        "A.TB3 3-15-2024 12:05:00 PM",    // wrong separator
        "A.TB3 13/15/2024 12:05:00 PM",   // month 13
        "A.TB3 2/30/2024 12:05:00 PM",    // no such day
        "A.TB3 2/29/2023 12:05:00 PM",    // not a leap year
        "A.TB3 3/15/24 12:05:00 PM",      // two-digit year
        "A.TB3 3/15/2024 0:05:00 AM",     // hour 0 on a 12-hour clock
        "A.TB3 3/15/2024 13:05:00 PM",    // hour 13
        "A.TB3 3/15/2024 12:60:00 PM",    // minute 60
        "A.TB3 3/15/2024 12:05:+1 PM",    // a sign is not a digit
        "A.TB3 3/15/99999 12:05:00 PM",   // five-digit year
    };
    for (const char* line : bad) {
        const std::string text = std::string("GOOD.TB3 1/2/2024 3:04:05 PM\n") + line + "\nLAST.TB3 1/2/2024 3:04:05 PM\n";
        std::vector<ModTimeEntry> list;
        std::string badLine;
        EXPECT_EQ(ParseModTimes(text, &list, &badLine), 0) << line;
        EXPECT_TRUE(list.empty()) << line;
        EXPECT_EQ(badLine, line) << line;
    }
}

TEST(ModTimesListTest, ListIsSortedByNameAndLookedUpWithoutCase)
{
    const std::string text =
        "b.tb3 1/1/2024 1:00:00 AM\r\n"
        "\r\n"
        "A.TB3 1/1/2024 2:00:00 AM\n"
        "C.tb3 1/1/2024 3:00:00 AM\n"
        "a.tb3 1/1/2024 4:00:00 AM";  // a second A: the first one in the file is found
    std::vector<ModTimeEntry> list;
    std::string bad;
    ASSERT_EQ(ParseModTimes(text, &list, &bad), 1);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].name, "A.TB3");
    EXPECT_EQ(list[1].name, "A.TB3");
    EXPECT_EQ(list[2].name, "B.TB3");
    EXPECT_EQ(list[3].name, "C.TB3");
    ASSERT_NE(FindModTime(list, "a.Tb3"), nullptr);
    EXPECT_EQ(FindModTime(list, "a.Tb3")->hour, 2);
    ASSERT_NE(FindModTime(list, "c.TB3"), nullptr);
    EXPECT_EQ(FindModTime(list, "c.TB3")->hour, 3);
    EXPECT_EQ(FindModTime(list, "D.TB3"), nullptr);
    EXPECT_EQ(FindModTime(list, "A.TB"), nullptr);
}

} // namespace

namespace {

TEST(ModTimesListTest, EntryTimeIsTheLocalTimeOfTheLine)
{
    // In UTC: 15 March 2024 12:05:00 is 1710504300 s after the epoch, 00:05:00 is
    // 12 hours earlier (date -u -d '2024-03-15 12:05:00' +%s).
    const char* oldZone = std::getenv("TZ");
    const std::string saved = oldZone ? oldZone : "";
    setenv("TZ", "UTC", 1);
    tzset();
    std::vector<ModTimeEntry> list;
    std::string bad;
    ASSERT_EQ(ParseModTimes("A.TB3 3/15/2024 12:05:00 PM\nB.TB3 3/15/2024 12:05:00 AM\n", &list, &bad), 1);
    EXPECT_EQ(list[0].LocalTime(), 1710504300);
    EXPECT_EQ(list[1].LocalTime(), 1710461100);
    if (oldZone) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
    tzset();
}

} // namespace
