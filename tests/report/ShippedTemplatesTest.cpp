// The templates shipped in data/: every template the reports and the
// computation name is there, every field code in them is a code of the
// table, and merged against a computed account no line passes 79 columns.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ReportAccount.h"
#include "ReportTestSupport.h"
#include "compute/PenaltyTable.h"
#include "report/FieldCodesInternal.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> ShippedNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(QRT_DATA_DIR))
        if (entry.path().extension() == ".DM") names.push_back(entry.path().filename().string());
    return names;
}

TEST(ShippedTemplates, EveryNamedTemplateIsThere)
{
    std::set<std::string> wanted = {"GLHEAD.DM", "REPSUM22.DM", "REPMS.DM", "INTHEAD1.DM", "INTHEAD2.DM",
                                    "PAYREP.DM", "REPMON.DM", "RATEREP.DM", "REPSUM.DM", "INTWARN.DM",
                                    "R6621CF.DM", "R6651A1H.DM", "R6651A2H.DM", "R6651A3H.DM", "R6653AH.DM",
                                    "R6662DD.DM", "R6662FF.DM"};
    for (int slot = 0; slot < penalty::kSlotCount; ++slot)
        if (penalty::SlotTemplate(slot)[0] != '\0') wanted.insert(penalty::SlotTemplate(slot));
    const std::vector<std::string> names = ShippedNames();
    const std::set<std::string> shipped(names.begin(), names.end());
    for (const std::string& name : wanted) {
        EXPECT_TRUE(shipped.count(name)) << name;
        ReportTemplate t;
        EXPECT_EQ(t.Load(std::string(QRT_DATA_DIR "/") + name), 1) << name;
        EXPECT_GT(t.LineCount(), 0) << name;
    }
}

// A marker followed by a space is a position a report fills itself; any
// other marker must start a code of the table, or it would print blanks.
TEST(ShippedTemplates, EveryFieldCodeIsKnown)
{
    for (const std::string& name : ShippedNames()) {
        ReportTemplate t;
        ASSERT_EQ(t.Load(std::string(QRT_DATA_DIR "/") + name), 1);
        for (int i = 0; i < t.LineCount(); ++i) {
            const std::string& line = t.Line(i);
            for (size_t p = line.find('\xAD'); p != std::string::npos; p = line.find('\xAD', p + 1)) {
                if (p + 1 == line.size() || line[p + 1] == ' ') continue;
                EXPECT_NE(report::FindFieldCode(line.data() + p + 1, line.size() - p - 1), report::kNoCode)
                    << name << " line " << i << ": " << line.substr(p + 1);
            }
        }
    }
}

// The penalty kind a template is merged with: its slot, or -1.
int KindOf(const std::string& name)
{
    for (int slot = 0; slot < penalty::kSlotCount; ++slot)
        if (name == penalty::SlotTemplate(slot)) return slot;
    if (name.rfind("R6651A1", 0) == 0) return 23;
    if (name.rfind("R6651A2", 0) == 0) return 1;
    if (name.rfind("R6651A3", 0) == 0 || name.rfind("R6653A", 0) == 0) return 2;
    if (name.rfind("R6621", 0) == 0) return 22;
    if (name.rfind("R6662", 0) == 0) return 12;
    return -1;
}

TEST(ShippedTemplates, MergedLinesFitSeventyNineColumns)
{
    auto account = reporttest::ComputedAccount();
    account->PenHeader(23, "R6651A1H.DM");
    account->PenFooter(23, "R6662FF.DM");
    for (const std::string& name : ShippedNames()) {
        CRepGen gen;
        gen.SetCompute(account.get());
        gen.TaxpayerName("Jordan A. Sample");
        gen.TaxpayerId("123-45-6789");
        gen.VersionString("Duecalc 0.1.0");
        gen.Title("PENALTY COMPUTATION DETAIL REPORT");
        gen.ComputeDate(Date(12, 31, 2021));
        gen.IncludeDate(1);
        gen.IncludeTime(1);
        gen.m_numPages = 12;
        ReportTemplate t;
        ASSERT_EQ(t.Load(std::string(QRT_DATA_DIR "/") + name), 1);
        for (int i = 0; i < t.LineCount(); ++i) {
            char work[CRepGen::kWorkLineSize] = {};
            t.Line(i).copy(work, CRepGen::kWorkLineSize - 1);
            gen.MergeTemplateLine(work, KindOf(name), 0);
        }
        for (const std::string& line : reporttest::Lines(gen)) EXPECT_LE(line.size(), 79u) << name << ": " << line;
    }
}

}  // namespace
