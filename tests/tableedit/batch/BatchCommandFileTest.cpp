// The batch-edit command file reader: the checks of a line in their order,
// the quoting rules, skipped lines and whole files with their line numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BatchCommandFile.h"
#include "ScratchFolder.h"

namespace {

struct BadLine {
    const char* line;
    const char* check;
    const char* field;
};

TEST(BatchCommandLine, EachFaultyFieldIsNamedWithItsText) {
    const std::string longDescription(94, 'd');
    const std::string longLine = "X.TB3,,01-01-2005,Daily,5,5,5,365," + longDescription;
    const BadLine cases[] = {
        {"IL 2005.TXT,,01-01-2005,Daily,5,5,5,365", "Invalid table file name", "IL 2005.TXT"},
        {"A/B.TB3,,01-01-2005,Daily,5,5,5,365", "Invalid table file name", "A/B.TB3"},
        {"AB*.TB3,,01-01-2005,Daily,5,5,5,365", "Invalid table file name", "AB*.TB3"},
        {".TB3,,01-01-2005,Daily,5,5,5,365", "Invalid table file name", ".TB3"},
        {"FEDERAL,,01-01-2005,Daily,5,5,5,365", "Invalid table file name", "FEDERAL"},
        {"X.TB3,13-01-2026,01-01-2005,Daily,5,5,5,365", "Invalid table end date", "13-01-2026"},
        {"X.TB3,,2005-01-01,Daily,5,5,5,365", "Invalid rate start date", "2005-01-01"},
        {"X.TB3,,,Daily,5,5,5,365", "Invalid rate start date", ""},
        {"X.TB3,,01-01-2005 ,Daily,5,5,5,365", "Invalid rate start date", "01-01-2005 "},
        {"X.TB3,,02-29-2005,Daily,5,5,5,365", "Invalid rate start date", "02-29-2005"},
        {"X.TB3,,01-01-2005,Daily,\"8,5\",5,5,365", "Invalid Normal Underpay Rate", "8,5"},
        // atof would read 1.2 and go on; the whole field must be one number.
        {"X.TB3,,01-01-2005,Daily,1.2.3,5,5,365", "Invalid Normal Underpay Rate", "1.2.3"},
        {"X.TB3,,01-01-2005,Daily,5,7%,5,365", "Invalid Motivated Underpay Rate", "7%"},
        {"X.TB3,,01-01-2005,Daily,5,5,1e999,365", "Invalid NormalRefund Rate", "1e999"},
        {"X.TB3,,01-01-2005,Weekly,5,5,5,365", "Invalid compute method", "Weekly"},
        // Rates are checked before the method.
        {"X.TB3,,01-01-2005,Weekly,x,5,5,365", "Invalid Normal Underpay Rate", "x"},
        {"X.TB3,,01-01-2005,Sum of Factors,5,5,5,365", "Invalid compute method",
         "Sum of Factors"},
        {"X.TB3,,01-01-2005,Daily,5,5,5,360", "Invalid days per year", "360"},
        {"X.TB3,,01-01-2005,Daily,5,5,5", "Invalid days per year", ""},
        {longLine.c_str(), "Description longer than 93 characters", longDescription.c_str()},
        {"X.TB3,,01-01-2005,Daily,5,5,5,365,d,notes,more", "Unexpected field after the notes",
         "more"},
    };
    for (const BadLine& c : cases) {
        BatchCommand cmd;
        BatchLineError err;
        EXPECT_EQ(ParseBatchLine(c.line, 7, &cmd, &err), 0) << c.line;
        EXPECT_EQ(err.m_check, c.check) << c.line;
        EXPECT_EQ(err.m_field, c.field) << c.line;
        EXPECT_EQ(err.m_line, 7) << c.line;
        EXPECT_EQ(err.m_text, c.line);
    }
}

TEST(BatchCommandLine, MethodKeywordsAreFoundInTheirOrder) {
    const struct {
        const char* text;
        int code;
    } cases[] = {
        {"Simple", 1},          {"daily", 2},     {"Monthly (whole months)", 3},
        {"monthlywm", 5},       {"Monthly (+ days)", 3}, {"Old IRS Method", 0},
        {"irs", 0},             {"FactorSum", 4}, {"Simple daily", 1},
        {"Sum of Factors", -1}, {"", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(BatchMethodCode(c.text), c.code) << c.text;
}

TEST(BatchCommandLine, FieldsBecomeTheEntryAndTheTableWideValues) {
    BatchCommand cmd;
    BatchLineError err;
    ASSERT_EQ(ParseBatchLine("NEW.tb3,06-30-2026,4/1/26,DAILY,+8.5,.5,-1,365.25,"
                             "\"Rates, test\"ignored,Line one\\nLine two",
                             3, &cmd, &err),
              1)
        << err.Message();
    EXPECT_EQ(cmd.m_tableFile, "NEW.tb3");
    EXPECT_EQ(cmd.m_endDate, Date(6, 30, 2026));
    EXPECT_EQ(cmd.m_start, Date(4, 1, 2026));
    EXPECT_EQ(cmd.m_method, 2);
    EXPECT_EQ(cmd.m_normalRate, 8.5);
    EXPECT_EQ(cmd.m_motivatedRate, 0.5);
    EXPECT_EQ(cmd.m_refundRate, -1.0);
    EXPECT_EQ(cmd.m_dpy, 100);
    EXPECT_EQ(cmd.m_description, "Rates, test");
    EXPECT_EQ(cmd.m_notes, "Line one\r\nLine two");
    EXPECT_EQ(cmd.m_line, 3);

    // Optional fields left out; empty rates read 0; 366 and 365.0 are codes.
    ASSERT_EQ(ParseBatchLine("X.TB3,,01-01-2024,Simple,,,,366", 4, &cmd, &err), 1);
    EXPECT_FALSE(cmd.m_endDate.isValid());
    EXPECT_EQ(cmd.m_normalRate, 0.0);
    EXPECT_EQ(cmd.m_dpy, 366);
    EXPECT_TRUE(cmd.m_description.empty() && cmd.m_notes.empty());
    ASSERT_EQ(ParseBatchLine("X.TB3,,01-01-2023,Simple,1,1,1,365.0,,,,", 5, &cmd, &err), 1);
    EXPECT_EQ(cmd.m_dpy, 365);
}

TEST(BatchCommandLine, QuotesKeepCommasAndRunToTheNextQuote) {
    const struct {
        const char* line;
        std::vector<std::string> fields;
    } cases[] = {
        {"a,b,,c", {"a", "b", "", "c"}},
        {"\"a,b\",c", {"a,b", "c"}},
        {"\"a\"dropped,c", {"a", "c"}},
        {"\"a\"\"b\",c", {"a", "c"}},  // a doubled quote is no escape
        {"\"open,to the end", {"open,to the end"}},
        {"", {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitBatchFields(c.line), c.fields) << c.line;
}

TEST(BatchCommandLine, BlankCommaOnlyAndStarredLinesAreSkipped) {
    EXPECT_EQ(IsSkippedBatchLine(""), 1);
    EXPECT_EQ(IsSkippedBatchLine(",,,,,,,,,"), 1);
    EXPECT_EQ(IsSkippedBatchLine("*** a comment, with commas"), 1);
    EXPECT_EQ(IsSkippedBatchLine(" "), 0);
    EXPECT_EQ(IsSkippedBatchLine("** not a comment"), 0);
}

TEST(BatchCommandFile, LinesAreNumberedFromTheHeadingAndCrLfIsAccepted) {
    ScratchFolder dir;
    WriteBytes(dir.File("cmd.csv"),
               "Table,End,Start,Method,N,M,R,DPY,Desc,Notes\r\n"
               "*** comment\r\n"
               "\r\n"
               "A.TB3,,01-01-2024,Daily,8,9.6,8,366,,Note\r\n"
               ",,,\n"
               "B.TB3,,01-01-2025,Daily,7,8.4,7,365");
    std::vector<BatchLine> lines;
    BatchLineError err;
    ASSERT_EQ(ReadBatchLines(dir.File("cmd.csv"), &lines, &err), 1) << err.Message();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].m_line, 4);
    EXPECT_EQ(lines[0].m_text, "A.TB3,,01-01-2024,Daily,8,9.6,8,366,,Note");  // no CR left over
    EXPECT_EQ(lines[1].m_line, 6);
    EXPECT_EQ(lines[1].m_text, "B.TB3,,01-01-2025,Daily,7,8.4,7,365");
}

TEST(BatchCommandFile, HeadingOnlyGivesNoLinesAndMissingFileAnError) {
    ScratchFolder dir;
    WriteBytes(dir.File("cmd.csv"), "heading only\n");
    std::vector<BatchLine> lines;
    BatchLineError err;
    EXPECT_EQ(ReadBatchLines(dir.File("cmd.csv"), &lines, &err), 1);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(ReadBatchLines(dir.File("missing.csv"), &lines, &err), 0);
    EXPECT_EQ(err.Message(), "Batch file open failed with error 2");
}

TEST(BatchCommandFile, TableFileNamesGetTheirTb3Extension) {
    EXPECT_EQ(BatchTableFileName("FEDERAL.tb3"), "FEDERAL.TB3");
    EXPECT_EQ(BatchTableFileName("IL Prior 2002.Tb3"), "IL Prior 2002.TB3");
    EXPECT_EQ(IsValidBatchTableFile("IL Prior 2002.tb3"), 1);
    EXPECT_EQ(IsValidBatchTableFile("../up.TB3"), 0);
}

}  // namespace
