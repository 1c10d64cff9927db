// The application object's settings: Reinitialize reads qrtDLL.INI and the
// alias list of the engine folder named by QRT_ENGINE_DIR, and gives AtNRB
// back to an existing file only when its text is not already "0" or "1".
#include "ratetable/CQrtDLLApp.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/TableCacheInternal.h"

#include "ratetable/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(CQrtDLLAppTest, ReinitializeReadsTheEngineFoldersSettingsAndWritesAtNRBBack)
{
    struct Case {
        const char* ini;  // nullptr = no file
        int developer;
        int cache;
        const char* after;  // nullptr = still no file
    } cases[] = {
        // 5 is kept as the developer mode; the file is given back "1".
        {"[Options]\nAtNRB=5\nCacheEnabled=1\n", 5, 1, "[Options]\nAtNRB=1\nCacheEnabled=1\n"},
        {"[options]\natnrb=0\ncacheenabled=0\n", 0, 0, "[options]\natnrb=0\ncacheenabled=0\n"},
        {"[Options]\nAtNRB=1\n", 1, 0, "[Options]\nAtNRB=1\n"},
        {"[Options]\nCacheEnabled=3\n", 0, 3, "[Options]\nCacheEnabled=3\nAtNRB=0\n"},
        {nullptr, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        ScratchFolder dir;
        EngineDirScope engineDir(dir.Dir());
        if (c.ini) dir.Write("qrtDLL.INI", c.ini);
        dir.Write("TableAlias.csv", "IL,,,IL Prior 2002\n");
        CQrtDLLApp::Reinitialize();
        EXPECT_EQ(CQrtDLLApp::Instance().DeveloperMode(), c.developer) << dir.ReadText("qrtDLL.INI");
        EXPECT_EQ(InterestRateTable::CacheEnabled(), c.cache);
        if (c.after) {
            EXPECT_EQ(dir.ReadText("qrtDLL.INI"), c.after);
        } else {
            EXPECT_EQ(dir.Files(), std::vector<std::string>{"TableAlias.csv"});
        }
        EXPECT_EQ(CQrtDLLApp::Instance().TableAlias()->Lookup("il", Date(1, 1, 2000)),
                  "IL Prior 2002");
    }
    ResetTableCache();
}

} // namespace
