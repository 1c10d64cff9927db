// The INI service: case-insensitive lookups, defaults, and writes that keep
// every other line of the file.
#include "ratetable/IniFile.h"

#include "ratetable/ScratchFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const char kSample[] =
    "; engine settings\n"
    "[Options]\n"
    "AtNRB=5\n"
    "  CacheEnabled = 1  \n"
    "Path=C:\\Some Folder\\x.TB3\n"
    "Empty=\n"
    "\n"
    "[Other]\n"
    "AtNRB=7\n"
    "Count=12abc\n"
    "Neg=-3\n"
    "Word=yes\n";

TEST(IniFileTest, ReadsValuesAsStoredWithNamesWithoutCase)
{
    ScratchFolder dir;
    dir.Write("a.ini", kSample);
    const std::string ini = dir.Path("a.ini");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Options", "AtNRB", "5"},
        {"OPTIONS", "atnrb", "5"},
        {"options", "CACHEENABLED", "1"},           // blanks around key and value dropped
        {"Options", "Path", "C:\\Some Folder\\x.TB3"},  // inner blanks and case kept
        {"Options", "Empty", ""},                   // present but empty: not the default
        {"Other", "AtNRB", "7"},                    // same key, other section
        {"Options", "Count", "<def>"},              // key of another section
        {"Missing", "AtNRB", "<def>"},
        {"Options", "; engine settings", "<def>"},  // comments are not keys
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IniGetString(ini, c.section, c.key, "<def>"), c.expected)
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(IniGetString(dir.Path("none.ini"), "Options", "AtNRB", "<def>"), "<def>");
}

TEST(IniFileTest, IntegersReadLeadingDigitsAndDefaultOnlyWhenMissing)
{
    ScratchFolder dir;
    dir.Write("a.ini", kSample);
    const std::string ini = dir.Path("a.ini");
    struct Case {
        const char* section;
        const char* key;
        int expected;
    } cases[] = {
        {"Options", "AtNRB", 5}, {"Other", "Count", 12}, {"Other", "Neg", -3},
        {"Other", "Word", 0},    {"Options", "Empty", 0}, {"Other", "Nothing", 99},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniGetInt(ini, c.section, c.key, 99), c.expected) << c.key;
    EXPECT_EQ(IniGetInt(dir.Path("none.ini"), "Options", "AtNRB", 42), 42);
}

TEST(IniFileTest, WritesChangeOneLineAndKeepEveryOther)
{
    struct Case {
        const char* what;
        const char* before;  // nullptr = no file
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    } cases[] = {
        {"replace, other lines and spelling kept",
         "; c\n[options]\nx=1\n  atnrb = 5 \ny=2\n", "Options", "AtNRB", "1",
         "; c\n[options]\nx=1\natnrb=1\ny=2\n"},
        {"add to a section before the blank line and the next section",
         "[Options]\nx=1\n\n[Other]\nz=3\n", "OPTIONS", "AtNRB", "0",
         "[Options]\nx=1\nAtNRB=0\n\n[Other]\nz=3\n"},
        {"add a section at the end of a file without a final line break",
         "[Other]\nz=3", "Options", "AtNRB", "1", "[Other]\nz=3\n[Options]\nAtNRB=1\n"},
        {"add to the last section of a file without a final line break",
         "[Options]\nz=3", "Options", "AtNRB", "1", "[Options]\nz=3\nAtNRB=1\n"},
        {"create the file", nullptr, "Options", "AtNRB", "1", "[Options]\nAtNRB=1\n"},
        {"CRLF lines keep their ends", "[Options]\r\nAtNRB=5\r\nx=1\r\n", "Options", "AtNRB",
         "1", "[Options]\r\nAtNRB=1\r\nx=1\r\n"},
        {"only the first of two equal keys", "[Options]\nAtNRB=5\nAtNRB=6\n", "Options",
         "AtNRB", "1", "[Options]\nAtNRB=1\nAtNRB=6\n"},
    };
    for (const Case& c : cases) {
        ScratchFolder dir;
        if (c.before) dir.Write("a.ini", c.before);
        EXPECT_EQ(IniWriteString(dir.Path("a.ini"), c.section, c.key, c.value), 1) << c.what;
        EXPECT_EQ(dir.ReadText("a.ini"), c.after) << c.what;
        EXPECT_EQ(dir.Files().size(), 1u) << c.what << ": a temporary file was left";
    }
}

TEST(IniFileTest, RefusedWritesLeaveTheFileUnchanged)
{
    ScratchFolder dir;
    const std::string before = "[Options]\nAtNRB=5\n";
    dir.Write("a.ini", before);
    const std::string ini = dir.Path("a.ini");
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"", "AtNRB", "1"},          {"Options", "", "1"},         {"Options", " ", "1"},
        {"Options", "A=B", "1"},     {"Options", "AtNRB", "1\n2"}, {"Opt]ions", "AtNRB", "1"},
        {"Options", "[x]", "1"},     {"Op\ntions", "AtNRB", "1"},  {"Options", ";x", "1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IniWriteString(ini, c.section, c.key, c.value), 0)
            << c.section << "/" << c.key << "/" << c.value;
    }
    EXPECT_EQ(dir.ReadText("a.ini"), before);
    EXPECT_EQ(IniWriteString(dir.Path("no/such/folder/a.ini"), "Options", "AtNRB", "1"), 0);
    EXPECT_EQ(dir.Files().size(), 1u);
}

TEST(IniFileTest, RewrittenFileKeepsItsPermissions)
{
    ScratchFolder dir;
    dir.Write("a.ini", "[Options]\nAtNRB=5\n");
    const std::string ini = dir.Path("a.ini");
    ASSERT_EQ(chmod(ini.c_str(), 0640), 0);
    ASSERT_EQ(IniWriteString(ini, "Options", "AtNRB", "1"), 1);
    struct stat st;
    ASSERT_EQ(stat(ini.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

} // namespace
