// Pages: header, footer, separator, the general heading and the repeated
// headings, page starts; short page lengths.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "ReportTestSupport.h"

namespace {

using reporttest::Lines;
using namespace std::string_literals;

const std::string kStars(79, '*');

// Header lines H0 to H2, footer F, 10 lines a page, GLHEAD.DM "G <page>",
// one repeated heading "COL"; then four lines, a page break, two lines and
// the final footer. The page breaks when a line makes 9 lines on the page.
TEST(PageMachinery, GoldenSequence)
{
    reporttest::ScratchDir dir;
    dir.Write("GLHEAD.DM", "G \xAD" "PAGE\n");
    CRepGen gen;
    gen.IncludeHeader(1);
    for (int i = 0; i < 3; ++i) gen.Header(i, "H" + std::to_string(i));
    gen.IncludeFooter(1);
    gen.Footer("F");
    gen.LinesPerPage(10);
    gen.m_headings[0] = "COL";
    gen.m_headingCount = 1;

    gen.NewPage();
    EXPECT_EQ(gen.PrintGeneralHeading(), 1);
    EXPECT_EQ(gen.OutputLine("L1", 1), 0);
    EXPECT_EQ(gen.OutputLine("L2", 1), 0);
    EXPECT_EQ(gen.OutputLine("L3", 1), 0);
    EXPECT_EQ(gen.OutputLine("L4", 1), 1);  // line 9 of the page
    gen.OutputLine("L5", 1);
    gen.OutputLine("L6", 1);
    EXPECT_EQ(gen.PlaceFinalFooter(), 1);

    // Page 1: 3 header lines, a blank, the heading, L1-L4 (9 lines), padded
    // with blanks for lines 9 and 10, the footer, the separator.
    std::string page1 = "H0\0H1\0H2\0 \0G Page 1\0L1\0L2\0L3\0L4\0 \0 \0F\0"s + kStars + '\0';
    // Page 2: header, heading, the repeated heading, L5, L6 (8 lines), three
    // blanks for lines 8 to 10, footer, separator.
    std::string page2 = "H0\0H1\0H2\0 \0G Page 2\0COL\0L5\0L6\0 \0 \0 \0F\0"s + kStars + '\0';
    EXPECT_EQ(reporttest::Bytes(gen), page1 + page2);
    EXPECT_EQ(gen.NumPages(), 2);
    EXPECT_EQ(gen.TopLineOnPage(0), 0);
    EXPECT_EQ(gen.TopLineOnPage(1), static_cast<long>(page1.size()));
    EXPECT_EQ(gen.TopLineOnPage(2), -1);
    EXPECT_EQ(gen.m_bytesWritten, static_cast<int>(page1.size() + page2.size()));
}

TEST(PageMachinery, PageBreakWithoutFooter)
{
    struct Row {
        int forPrint;
        std::vector<std::string> lines;
    } rows[] = {{0, {"a", kStars, "b"}}, {1, {"a", "b"}}};
    for (const Row& row : rows) {
        reporttest::ScratchDir dir;
        CRepGen gen;
        gen.ForPrint(row.forPrint);
        gen.NewPage();
        gen.OutputLine("a", 0);
        gen.NewPage();
        gen.OutputLine("b", 0);
        EXPECT_EQ(gen.PlaceFinalFooter(), 0);
        std::vector<std::string> expected = row.lines;
        if (!row.forPrint) expected.push_back(kStars);
        EXPECT_EQ(Lines(gen), expected) << row.forPrint;
    }
}

TEST(PageMachinery, FooterAfterTenLinesOfSixty)
{
    CRepGen gen;
    gen.IncludeFooter(1);
    gen.Footer("footer");
    gen.ForPrint(1);
    EXPECT_EQ(gen.TopLineOnPage(0), -1);
    gen.NewPage();
    EXPECT_EQ(gen.TopLineOnPage(0), 0);
    EXPECT_EQ(gen.TopLineOnPage(100), -1);
    for (int i = 0; i < 10; ++i) gen.OutputLine("x", 0);
    gen.PlaceFinalFooter();
    const std::vector<std::string> lines = Lines(gen);
    ASSERT_EQ(lines.size(), 10u + 51u + 1u);
    for (size_t i = 10; i < 61; ++i) EXPECT_EQ(lines[i], " ");
    EXPECT_EQ(lines.back(), "footer");
    EXPECT_EQ(gen.m_lineOnPage, 0);
}

TEST(PageMachinery, ShortPagesEndAndRecordOnlyAHundredStarts)
{
    for (int perPage : {INT_MIN, -5, 0, 1, 2, 3}) {
        reporttest::ScratchDir dir;
        dir.Write("GLHEAD.DM", "heading\n");
        CRepGen gen;
        gen.IncludeHeader(1);
        gen.IncludeFooter(1);
        gen.LinesPerPage(perPage);
        gen.m_headings[0] = "COL";
        gen.m_headingCount = 1;
        gen.NewPage();
        for (int i = 0; i < 150; ++i) gen.OutputLine("x", 1);
        EXPECT_EQ(gen.NumPages(), 151) << perPage;  // every line breaks the page
        EXPECT_EQ(gen.TopLineOnPage(99) > gen.TopLineOnPage(98), true);
        EXPECT_EQ(gen.TopLineOnPage(100), -1);
    }
}

}  // namespace
