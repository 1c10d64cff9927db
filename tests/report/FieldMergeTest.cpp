// Field substitution: placement of values, the codes whose value the
// generator forms itself, the account's values, the actions and the
// applicability rules at their date edges.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "ReportAccount.h"
#include "ReportTestSupport.h"

namespace {

// The lines that merging `text` writes.
std::vector<std::string> Merge(CRepGen& gen, const std::string& text, int kind = -1,
                               int size = CRepGen::kWorkLineSize)
{
    const size_t before = reporttest::Lines(gen).size();
    std::vector<char> line(static_cast<size_t>(size), '\0');
    std::memcpy(line.data(), text.data(), std::min(text.size(), line.size() - 1));
    gen.MergeTemplateLine(line.data(), kind, 0, size);
    std::vector<std::string> all = reporttest::Lines(gen);
    return std::vector<std::string>(all.begin() + static_cast<long>(before), all.end());
}

std::string MergeOne(CRepGen& gen, const std::string& text, int kind = -1)
{
    std::vector<std::string> out = Merge(gen, text, kind);
    return out.size() == 1 ? out[0] : "<" + std::to_string(out.size()) + " lines>";
}

TEST(FieldMerge, PlacementOfValues)
{
    CRepGen gen;
    gen.TaxpayerName("Al");
    gen.TaxpayerId("123");
    gen.VersionString("1.2");
    struct Row {
        const char* name;  // overrides "Al" when set
        const char* text;
        const char* expected;
    } rows[] = {
        {nullptr, "Name: \xAD" "NAME", "Name: Al"},                      // the last field takes the rest
        {nullptr, "Name: \xAD" "NAME of record", "Name: Al"},
        {nullptr, "\xAD" "NAME   |\xAD" "IDNM", "Al      |123"},         // padded to width 5 in place
        {"Abcdefghij", "\xAD" "NAME   |\xAD" "IDNM", "AbcdefghijIDNM"},  // a long value runs over the next field
        {nullptr, "A \xAD" "XYZW tail", "A "},                          // an unknown code is empty
        {nullptr, "\xAD" "XYZW|\xAD" "NAME", "     |Al"},
        {nullptr, "abcdefgh\xAD" "VERxyz", "abcdef1.2   xyz"},          // the version ends in the marker's column
        {nullptr, "\xAD" "VER", "1.2 "},                             // too long to end in column 0
        {"\xAD" "NAME", "x \xAD" "NAME", "x \xAD" "NAME"},              // a value is never read as a field
        {nullptr, "no fields", "no fields"},
    };
    for (const Row& r : rows) {
        gen.TaxpayerName(r.name != nullptr ? r.name : "Al");
        EXPECT_EQ(MergeOne(gen, r.text), r.expected) << r.text;
    }
}

TEST(FieldMerge, WorkLineAndValueLimits)
{
    CRepGen gen;
    gen.TaxpayerName(std::string(300, 'n'));
    EXPECT_EQ(MergeOne(gen, "\xAD" "NAME"), std::string(119, 'n'));
    EXPECT_EQ(Merge(gen, "ab\xAD" "NAME", -1, 80).at(0), "ab" + std::string(77, 'n'));
    gen.VersionString(std::string(200, 'v'));
    EXPECT_EQ(MergeOne(gen, "ab\xAD" "VER"), std::string(119, 'v'));
}

TEST(FieldMerge, GeneratorFields)
{
    CRepGen gen;
    gen.Title("EVENT SUMMARY REPORT");
    gen.m_numPages = 9;
    EXPECT_EQ(MergeOne(gen, "ab\xAD" "PAGE"), "abPage 9");
    gen.m_numPages = 10;  // one column further left from page 10
    EXPECT_EQ(MergeOne(gen, "ab\xAD" "PAGE"), "aPage 10");
    EXPECT_EQ(MergeOne(gen, "\xAD" "TITLE"), "EVENT SUMMARY REPORT");
    EXPECT_EQ(MergeOne(gen, "[\xAD" "DATE|\xAD" "TIME"), "[     |");   // both off
    gen.ComputeDate(Date(12, 31, 2021));
    EXPECT_EQ(MergeOne(gen, "\xAD" "DUED"), "12-31-21");
    gen.IncludeDate(1);
    gen.IncludeTime(1);
    EXPECT_TRUE(std::regex_match(MergeOne(gen, "\xAD" "TIME"), std::regex("(0[1-9]|1[0-2]):[0-5][0-9](am|pm)")));
    EXPECT_TRUE(std::regex_match(MergeOne(gen, "\xAD" "DATE"), std::regex("[01][0-9]-[0-3][0-9]-[0-9][0-9]")));
}

// Values of the account of ReportAccount.h (inputs and the figures derived
// by hand there).
TEST(FieldMerge, AccountValues)
{
    auto account = reporttest::ComputedAccount();
    CRepGen gen;
    gen.SetCompute(account.get());
    account->GetPenalty(1)->m_graceMask = 0x2;  // notice 2 has the short grace period
    account->GetPenalty(1)->m_dates[2] = Date(9, 1, 2020);
    struct Row {
        const char* text;
        int kind;
        const char* expected;
    } rows[] = {
        {"\xAD" "AMT0", 23, "    10,000.00"},
        {"\xAD" "ALT0", 23, "10,000.00"},
        {"\xAD" "DTE0", 23, "04-15-20"},
        {"\xAD" "DTE2", 23, "07-01-20"},
        {"\xAD" "DTE3", 23, ""},
        {"\xAD" "PNAM", 23, "Failure to File"},
        {"\xAD" "PNAM", 11, "Negligence"},
        {"\xAD" "PPER", 23, "5%"},                // 5 percent a month
        {"\xAD" "R", 23, " 5 %"},
        {"\xAD" "m", 23, "3"},                    // 15 April to 1 July: three months or parts
        {"\xAD" "M", 23, " 3"},
        {"\xAD" "BASE", 23, "    10,000.00"},
        {"\xAD" "PBIN", 23, "     1,500.00"},     // 3 x 5 % of $10,000
        {"\xAD" "AMT0", 11, "     4,000.00"},
        {"\xAD" "REAL", 11, "       800.00"},     // 20 % of $4,000
        {"\xAD" "PPF1|\xAD" "PPR1", 23, "No   |No"},
        {"\xAD" "D101", 1, "21 days"},            // date slot 0 set, bit 0 clear
        {"\xAD" "D102", 1, "10 days"},
        {"\xAD" "D104", 1, ""},                   // date slot 3 not set
        {"\xAD" "SDAT", -1, "04-15-20"},
        {"\xAD" "TNAM", -1, "FEDERAL"},
        {"\xAD" "GACT", -1, "No"},
        {"\xAD" "AADE", -1, "   No"},
        {"\xAD" "TTAX", -1, "    10,000.00"},     // tax on the due date, no payment by then
        {"\xAD" "TTSD", -1, "         0.00"},
        {"\xAD" "AMT0", -1, ""},                  // penalty fields need a penalty kind
        {"\xAD" "PNA0", 11, "     "},             // no accuracy error
    };
    for (const Row& r : rows) EXPECT_EQ(MergeOne(gen, r.text, r.kind), r.expected) << r.text << " " << r.kind;

    account->m_accuracyError = 1;
    EXPECT_EQ(MergeOne(gen, "x\xAD" "PNA1 cut here \xAD" "NAME", 11), "x         applied to more than the total tax.");
}

TEST(FieldMerge, ActionsLoadTemplatesWithoutRecursion)
{
    auto account = reporttest::ComputedAccount();
    reporttest::ScratchDir dir;
    dir.Write("HEAD.DM", "Head \xAD" "PNAM\n\xAD" "JIM0\n\xAD" "JIM1\n");
    dir.Write("FOOT.DM", "Foot \xAD" "JIM1\nFoot end\n");
    account->PenHeader(23, "HEAD.DM");
    account->PenFooter(23, "FOOT.DM");
    CRepGen gen;
    gen.SetCompute(account.get());
    // Inside the header neither JIM0 nor JIM1 loads a template again.
    EXPECT_EQ(Merge(gen, "before \xAD" "JIM0 after", 23), (std::vector<std::string>{"Head Failure to File"}));
    EXPECT_EQ(Merge(gen, "\xAD" "JIM1", 23), (std::vector<std::string>{"Foot end"}));
    EXPECT_TRUE(Merge(gen, "\xAD" "JIM0", 1).empty());   // slot 1 names no header here
    EXPECT_TRUE(Merge(gen, "\xAD" "JIM0", -1).empty());
    // ESUM prints the failure-to-pay steps in place of its line; other kinds have none.
    EXPECT_TRUE(Merge(gen, "x \xAD" "ESUM", 11).empty());
    const std::vector<std::string> steps = Merge(gen, "x \xAD" "ESUM", 1);
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps[0].rfind("  Penalty base through", 0), 0u) << steps[0];
    EXPECT_TRUE(Merge(gen, "x \xAD" "SUMM", -1).empty());
}

TEST(FieldMerge, ApplicabilityRulesAtTheirDates)
{
    auto owned = std::make_unique<CQRTCompute>();  // too large for the stack
    CQRTCompute& account = *owned;
    CRepGen gen;
    gen.SetCompute(&account);
    struct Row {
        const char* code;
        int kind;
        Date due;
        bool dropped;
    } rows[] = {
        {"ALT1", 4, Date(9, 2, 1982), true}, {"ALT1", 4, Date(9, 3, 1982), false},
        {"ALT1", 4, Date(12, 31, 1988), false}, {"ALT1", 4, Date(1, 1, 1989), true},
        {"ALT1", 3, Date(12, 31, 1980), true}, {"ALT1", 3, Date(1, 1, 1981), false},
        {"ALT2", 3, Date(12, 31, 1988), false}, {"ALT2", 3, Date(1, 1, 1989), true},
        {"DTE2", 3, Date(12, 31, 1980), true}, {"DTE2", 3, Date(6, 1, 1985), false},
        {"DTE2", 4, Date(12, 31, 1980), false},
        {"PPR1", 3, Date(1, 1, 1981), false}, {"PPR1", 3, Date(1, 1, 1989), true},
        {"PPR1", 23, Date(12, 31, 1989), true}, {"PPR1", 23, Date(1, 1, 1990), false},
        {"DTE1", 7, Date(12, 31, 1989), true}, {"DTE1", 7, Date(1, 1, 1990), false},
        {"DTE1", 9, Date(7, 18, 1984), false}, {"DTE1", 9, Date(7, 19, 1984), true},
        {"DTE1", 23, Date(7, 18, 1984), false}, {"DTE1", 23, Date(7, 19, 1984), true},
        {"DTE1", 4, Date(9, 2, 1982), true}, {"DTE1", 4, Date(9, 3, 1982), false},
        {"DTE1", 4, Date(1, 1, 1989), true},
        {"DTE1", 10, Date(10, 21, 1986), false}, {"DTE1", 10, Date(10, 22, 1986), true},
        {"DTE0", 4, Date(12, 31, 1988), false}, {"DTE0", 4, Date(1, 1, 1989), true},
        {"DTE10", 7, Date(1, 1, 1985), false},  // DTE10 is not DTE1
        {"DTE1", 1, Date(1, 1, 1985), false},
        {"AMT0", 4, Date(1, 1, 2020), false},
    };
    for (const Row& r : rows) {
        account.m_taxDueDate = r.due;
        const std::string text = std::string("x \xAD") + r.code;
        EXPECT_EQ(Merge(gen, text, r.kind).empty(), r.dropped) << r.code << " " << r.kind << " " << r.due.serial;
        EXPECT_EQ(Merge(gen, text, -1).size(), 1u) << "no rules without a penalty kind";
    }
}

}  // namespace
