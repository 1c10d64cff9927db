// The shipped examples (examples/*.json) read as qrtcalc reads them and
// computed as the automation interface computes them; their full results
// (every normal, motivated and penalty record, payment splits, totals,
// flags) compared with the stored output in compute/golden/Examples.txt,
// written by the engine before any of its speed work. To rewrite it on
// purpose, run this test with QRT_WRITE_PERIOD_LISTS=<file> and copy the file
// over the stored one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AccountReader.h"
#include "JsonTree.h"
#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"
#include "compute/PeriodListsText.h"

namespace {

TEST(ExamplePeriodListsTest, EveryExampleGivesItsStoredResults)
{
    // The engine reads its table and settings from a scratch copy of the
    // shipped data folder (it writes its settings file back).
    char templ[] = "/tmp/qrt-examples-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    const std::filesystem::path folder = templ;
    for (const char* name : {"FEDERAL.TB3", "TableAlias.csv", "qrtDLL.INI"})
        if (std::filesystem::exists(std::filesystem::path(QRT_DATA_DIR) / name))
            std::filesystem::copy_file(std::filesystem::path(QRT_DATA_DIR) / name, folder / name);
    setenv("QRT_ENGINE_DIR", folder.c_str(), 1);
    struct RemoveFolder {
        std::filesystem::path path;
        ~RemoveFolder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } remove{folder};

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(QRT_SOURCE_DIR) / "examples"))
        if (entry.path().extension() == ".json") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());

    std::string actual;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        JsonValue document;
        std::string why;
        ASSERT_TRUE(ParseJsonDocument(text.str(), document, why)) << why;
        auto inputs = std::make_unique<CEngineInputs>();
        DATE settlement = -1;
        AccountProblem problem;
        ASSERT_TRUE(ReadAccount(document, *inputs, settlement, problem)) << problem.place << ": " << problem.message;
        CEngineRun run;
        ASSERT_EQ(run.Compute(*inputs, settlement), S_OK);
        actual += "== " + file.filename().string() + "\n";
        actual += period_lists::Results(*run.ComputeObject());
    }

    if (const char* dump = std::getenv("QRT_WRITE_PERIOD_LISTS")) std::ofstream(dump) << actual;
    period_lists::ExpectStored(actual, std::string(QRT_SOURCE_DIR) + "/tests/compute/golden/Examples.txt");
}

} // namespace
