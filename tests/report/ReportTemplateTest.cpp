// Template loading: comments, the line-feed rule, the 100-line cap and the
// folders a template is looked for in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ReportTestSupport.h"
#include "report/ReportTemplate.h"

namespace {

std::vector<std::string> Parse(const std::string& text)
{
    ReportTemplate t;
    EXPECT_EQ(t.LoadText(text), 1);
    std::vector<std::string> lines;
    for (int i = 0; i < t.LineCount(); ++i) lines.push_back(t.Line(i));
    return lines;
}

TEST(ReportTemplate, CommentsAndLineEnds)
{
    struct Row {
        const char* text;
        std::vector<std::string> lines;
    } rows[] = {
        {"a\nb", {"a"}},                          // no final line feed: the last line is lost
        {"a\nb\n", {"a", "b"}},
        {"", {}},
        {"\n \n", {"", " "}},
        {"x/* one\ntwo */y\nz\n", {"xy", "z"}},   // a comment across lines takes its line feeds
        {"a/* never closed\nb\n", {}},            // an open comment runs to the end
        {"a*/b\n/**/\n", {"a*/b", ""}},
        {"/*/ still open */c\n", {"c"}},
        {"a\r\nb\r\n", {"a", "b"}},               // CR LF files read as LF files
        {"\xAD" "AMT0\n", {"\xAD" "AMT0"}},
    };
    for (const Row& row : rows) EXPECT_EQ(Parse(row.text), row.lines) << row.text;
}

TEST(ReportTemplate, KeepsTheFirstHundredLines)
{
    std::string text;
    for (int i = 0; i < 150; ++i) text += "line " + std::to_string(i) + "\n";
    ReportTemplate t;
    t.LoadText(text);
    EXPECT_EQ(t.LineCount(), 100);
    EXPECT_EQ(t.Line(99), "line 99");
    EXPECT_EQ(t.Line(100), "");
    EXPECT_EQ(t.Line(-1), "");
}

TEST(ReportTemplate, CurrentFolderFirstThenEngineFolder)
{
    reporttest::ScratchDir engine;
    engine.Write("BOTH.DM", "engine\n");
    engine.Write("ONLY.DM", "engine only\n");
    std::filesystem::create_directory(engine.Path() + "/cwd");
    std::filesystem::current_path(engine.Path() + "/cwd");
    std::ofstream("BOTH.DM") << "current\n";
    ReportTemplate t;
    ASSERT_EQ(t.Load("BOTH.DM"), 1);
    EXPECT_EQ(t.Line(0), "current");
    ASSERT_EQ(t.Load("ONLY.DM"), 1);
    EXPECT_EQ(t.Line(0), "engine only");
    EXPECT_EQ(t.Load("MISSING.DM"), 0);
    EXPECT_EQ(t.LineCount(), 0);
    EXPECT_EQ(t.Line(0), "");
}

}  // namespace
