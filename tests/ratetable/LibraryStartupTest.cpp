// Library start-up: a program linked to the shared library libqrtDLL,
// started with QRT_ENGINE_DIR set, sees the INI file's settings from its first
// engine call on, and the INI file afterwards has "AtNRB=1" with every other
// line kept.
#include "ratetable/ScratchFolder.h"

#include <gtest/gtest.h>
#include <cstdio>

namespace {

std::string RunProbe()
{
    FILE* out = popen(QRT_STARTUP_PROBE, "r");
    if (!out) return "popen failed";
    std::string text;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, out)) text += buffer;
    const int status = pclose(out);
    if (status != 0) text += "exit status " + std::to_string(status);
    return text;
}

TEST(LibraryStartupTest, LoadedLibraryReadsTheIniFileAndWritesAtNRBBack)
{
    ScratchFolder dir;
    const std::string ini =
        "; Duecalc engine settings\n"
        "[Options]\n"
        "CacheEnabled=1\n"
        "AtNRB=5\n"
        "Other=kept as it is\n"
        "\n"
        "[Elsewhere]\n"
        "AtNRB=9\n";
    dir.Write("qrtDLL.INI", ini);
    dir.Write("TableAlias.csv", "IL,,12/31/2001,IL Prior 2002\n");
    EngineDirScope engineDir(dir.Dir());

    EXPECT_EQ(RunProbe(), "cache=1 developer=5 alias=IL Prior 2002\n");
    std::string expected = ini;
    expected.replace(expected.find("AtNRB=5"), 7, "AtNRB=1");
    EXPECT_EQ(dir.ReadText("qrtDLL.INI"), expected);
}

} // namespace
