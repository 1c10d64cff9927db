// WriteReport on real files: replacing (through a temporary file renamed into
// place), appending, writing through a link, and a file that cannot be
// opened (the failure 0x8007006E, nothing written, nothing computed).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "automation/CQRTEngine.h"
#include "tests/automation/EngineObjectTest.h"

namespace {

using enginetest::AddSmallAccount;
using enginetest::EngineFolder;
using enginetest::Ole;

struct ComputedAccount {
    EngineFolder engineFolder;
    ScratchFolder out;
    CQRTEngine e;
    std::string report;
    ComputedAccount() {
        AddSmallAccount(e);
        e.Compute(Ole(12, 31, 2021));
        e.get_Report(&report);
    }
};

TEST(WriteReport, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    ComputedAccount a;
    a.out.Write("report.txt", std::string(100000, 'x'));  // an old, longer report
    ASSERT_EQ(a.e.WriteReport(a.out.Path("report.txt"), 0), S_OK);
    EXPECT_EQ(a.out.ReadText("report.txt"), a.report);
    EXPECT_EQ(a.out.Files(), std::vector<std::string>{"report.txt"});
}

TEST(WriteReport, AppendsAtTheEndAndCreatesAMissingFile) {
    ComputedAccount a;
    ASSERT_EQ(a.e.WriteReport(a.out.Path("new.txt"), 1), S_OK);
    EXPECT_EQ(a.out.ReadText("new.txt"), a.report);
    a.out.Write("log.txt", "earlier text\n");
    ASSERT_EQ(a.e.WriteReport(a.out.Path("log.txt"), 1), S_OK);
    ASSERT_EQ(a.e.WriteReport(a.out.Path("log.txt"), 1), S_OK);
    EXPECT_EQ(a.out.ReadText("log.txt"), "earlier text\n" + a.report + a.report);
}

TEST(WriteReport, WritesThroughALinkAndKeepsTheLink) {
    ComputedAccount a;
    a.out.Write("target.txt", "old");
    std::filesystem::create_symlink(a.out.Path("target.txt"), a.out.Path("link.txt"));
    ASSERT_EQ(a.e.WriteReport(a.out.Path("link.txt"), 0), S_OK);
    EXPECT_TRUE(std::filesystem::is_symlink(a.out.Path("link.txt")));
    EXPECT_EQ(a.out.ReadText("target.txt"), a.report);
}

TEST(WriteReport, AFileThatCannotBeOpenedFailsAndNothingIsWrittenOrComputed) {
    EngineFolder engineFolder;
    ScratchFolder out;
    out.Write("readonly.txt", "keep me");
    chmod(out.Path("readonly.txt").c_str(), 0444);
    std::filesystem::create_directory(out.Path("folder"));
    struct {
        std::string path;
        int32_t append;
    } rows[] = {
        {out.Path("missing/report.txt"), 0},
        {out.Path("missing/report.txt"), 1},
        {out.Path("folder"), 0},
        {out.Path("folder"), 1},
        {"", 0},
        {out.Path("readonly.txt"), 0},
        {out.Path("readonly.txt"), 1},
    };
    const auto before = out.Files();
    for (const auto& r : rows) {
        if (r.path.find("readonly") != std::string::npos && geteuid() == 0) continue;  // root writes anyway
        CQRTEngine e;
        AddSmallAccount(e);
        EXPECT_EQ(e.WriteReport(r.path, r.append), static_cast<HRESULT>(0x8007006Eu)) << r.path << " " << r.append;
        CY taxes = 0;
        EXPECT_EQ(e.get_Taxes(&taxes), E_PENDING) << "no report was built for " << r.path;
    }
    EXPECT_EQ(out.Files(), before);
    EXPECT_EQ(out.ReadText("readonly.txt"), "keep me");
}

}  // namespace
