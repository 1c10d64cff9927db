// Name-to-file resolution: extension forcing, the search order of folders,
// and the engine folder from the environment.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "GoldenTable.h"
#include "ratetable/ScratchFolder.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TablePaths.h"
#include "ratetable/TablePathsInternal.h"

namespace {

TEST(ForceExtension, ReplacesOrAppendsOnTheLastComponentOnly) {
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"FEDERAL", "FEDERAL.TB3"},
        {"FEDERAL.TXT", "FEDERAL.TB3"},
        {"IL Prior 2002", "IL Prior 2002.TB3"},
        {"a.b/FEDERAL", "a.b/FEDERAL.TB3"},
        {"a.b/FED.x", "a.b/FED.TB3"},
        {"*.*", "*.TB3"},
        {"", ".TB3"},
    };
    for (const Case& c : cases) {
        std::string path = c.in;
        ForceExtension(path, ".TB3");
        EXPECT_EQ(path, c.out) << "from \"" << c.in << "\"";
    }
}

// Looks up `name` with the given folders; returns the path found or "".
std::string Found(const std::string& name, const std::string& engineDir,
                  const std::string& userDir) {
    std::string found;
    int fd = OpenTableFileFrom(name, engineDir, userDir, &found);
    if (fd < 0) return "";
    close(fd);
    return found;
}

TEST(ResolveTableFile, SearchesEngineThenUserFolderForBareNamesOnly) {
    ScratchFolder engine, user;
    user.WriteBytes("ONLYUSER.TB3", {1});
    user.WriteBytes("BOTH.TB3", {1});
    engine.WriteBytes("BOTH.TB3", {1});
    ASSERT_EQ(mkdir(engine.Path("DIRNAME.TB3").c_str(), 0755), 0);
    user.WriteBytes("DIRNAME.TB3", {1});
    const std::string eng = engine.Path() + "/";

    EXPECT_EQ(Found("ONLYUSER", eng, user.Path()), user.Path("ONLYUSER.TB3"));
    EXPECT_EQ(Found("ONLYUSER.DAT", eng, user.Path() + "/"), user.Path("ONLYUSER.TB3"));
    EXPECT_EQ(Found("BOTH", eng, user.Path()), engine.Path("BOTH.TB3"));
    EXPECT_EQ(Found("DIRNAME", eng, user.Path()), user.Path("DIRNAME.TB3"))
        << "a folder named like a table is passed over";
    EXPECT_EQ(Found("ONLYUSER", eng, ""), "") << "no user folder";
    EXPECT_EQ(Found("nowhere/ONLYUSER", eng, user.Path()), "")
        << "a name with a folder is not searched for";
    EXPECT_EQ(Found(engine.Path("BOTH"), "", ""), engine.Path("BOTH.TB3"));
}

class EngineDirectoryEnv : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("QRT_ENGINE_DIR");
        m_had = old != nullptr;
        if (m_had) m_old = old;
    }
    void TearDown() override {
        if (m_had)
            setenv("QRT_ENGINE_DIR", m_old.c_str(), 1);
        else
            unsetenv("QRT_ENGINE_DIR");
    }

private:
    bool m_had = false;
    std::string m_old;
};

TEST_F(EngineDirectoryEnv, ComesFromTheEnvironmentWithATrailingSeparator) {
    unsetenv("QRT_ENGINE_DIR");
    EXPECT_EQ(EngineDirectory(), "");
    setenv("QRT_ENGINE_DIR", "", 1);
    EXPECT_EQ(EngineDirectory(), "");
    setenv("QRT_ENGINE_DIR", "/opt/qrt", 1);
    EXPECT_EQ(EngineDirectory(), "/opt/qrt/");
    setenv("QRT_ENGINE_DIR", "/opt/qrt/", 1);
    EXPECT_EQ(EngineDirectory(), "/opt/qrt/");
}

TEST_F(EngineDirectoryEnv, ReadFindsABareNameInTheEngineFolder) {
    ScratchFolder dir;
    dir.WriteBytes("ENGTABLE.TB3", GoldenTableBytes());
    setenv("QRT_ENGINE_DIR", dir.Path().c_str(), 1);
    InterestRateTable t;
    ASSERT_EQ(t.Read("ENGTABLE", 0, 0), 1);
    EXPECT_EQ(t.GetTableName(), "ENGTABLE");
    EXPECT_EQ(t.Read("elsewhere/ENGTABLE", 0, 0), 0);
}

}  // namespace
