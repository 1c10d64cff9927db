// Decimal amounts become cents without binary rounding; dates are read in one
// shape only; the JSON reader keeps number text and refuses duplicate keys
// and runaway nesting.
#include <gtest/gtest.h>

#include <cstdint>

#include <string>

#include <set>

#include "DollarText.h"
#include "JsonTree.h"
#include "WarningTexts.h"
#include "automation/EngineRun.h"

namespace {

TEST(DollarText, DecimalTextBecomesExactCents) {
    struct {
        const char* text;
        int ok;
        int64_t cents;
    } cases[] = {
        {"1234.56", 1, 123456},    {"0.1", 1, 10},           {"-5", 1, -500},
        {"12.50", 1, 1250},       {"1.5e3", 1, 150000},     {"1E-2", 1, 1},
        {"0.29", 1, 29},           // 0.29 * 100 is 28.999999999999996 in binary
        {"999999999999.99", 1, 99999999999999}, {"1000000000000", 0, 0},
        {"12.345", 0, 0},          {"1e-3", 0, 0},           {"", 0, 0},
        {"12.", 0, 0},             {".5", 0, 0},             {"1,000", 0, 0},
        {"0x10", 0, 0},            {" 1", 0, 0},             {"1e999999999", 0, 0},
        {"0.000000000000000000000000001e27", 1, 100},
        // A third decimal place is refused even when it is zero.
        {"12.500", 0, 0},          {"10000.100", 0, 0},      {"0.000", 0, 0},
        {"1.234e1", 1, 1234},
    };
    for (const auto& c : cases) {
        int64_t cents = 0;
        EXPECT_EQ(ParseDollarText(c.text, cents), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(cents, c.cents) << c.text;
        }
    }
}

TEST(DollarText, DisplayRoundsHalfAwayFromZero) {
    EXPECT_EQ(FormatCurrency(12345600), "1234.56");
    EXPECT_EQ(FormatCurrency(-12345650), "-1234.57");
    EXPECT_EQ(FormatCurrency(49), "0.00");
    EXPECT_EQ(FormatCurrency(-49), "0.00");
    EXPECT_EQ(FormatCurrency(1005000), "100.50");
    // The ends of the currency type: 2^63 - 1 and -2^63 ten-thousandths.
    EXPECT_EQ(FormatCurrency(INT64_MAX), "922337203685477.58");
    EXPECT_EQ(FormatCurrency(INT64_MIN), "-922337203685477.58");
    EXPECT_EQ(FormatCents(246913.4), "2469.13");
    EXPECT_EQ(FormatCents(-0.5), "-0.01");
}

TEST(DollarText, IsoDatesOnlyInTheirOwnShapeAndRange) {
    Date d;
    EXPECT_EQ(ParseIsoDate("2024-02-29", d), 1);
    EXPECT_EQ(IsoDate(d), "2024-02-29");
    Date first;
    first.serial = 0;
    EXPECT_EQ(IsoDate(first), "1954-01-01");
    // The last day the engine holds reads back to itself; the next does not.
    Date last;
    last.serial = Date::kLastSerial;
    ASSERT_EQ(ParseIsoDate(IsoDate(last), d), 1);
    EXPECT_EQ(d.serial, Date::kLastSerial);
    EXPECT_EQ(IsoDate(last).substr(0, 7), "2133-06");
    EXPECT_EQ(ParseIsoDate("2133-06-05", d), 0);
    for (const char* bad : {"2023-02-29", "1953-12-31", "2024-2-29", "2024/02/29", "02-29-2024",
                            "2024-02-29T00:00", "2024-13-01", "2024-00-10"})
        EXPECT_EQ(ParseIsoDate(bad, d), 0) << bad;
}

TEST(JsonTree, KeepsNumberTextAndRefusesDuplicatesAndDeepNesting) {
    JsonValue v;
    std::string error;
    ASSERT_EQ(ParseJsonDocument(R"({"a": 0.29, "b": [1, -2], "c": "x"})", v, error), 1) << error;
    EXPECT_EQ(v.Find("a")->text, "0.29");
    EXPECT_EQ(v.Find("b")->items[1].text, "-2");
    EXPECT_EQ(v.Find("c")->type, JsonValue::Type::String);

    EXPECT_EQ(ParseJsonDocument(R"({"e": [{"k": 1, "k": 2}]})", v, error), 0);
    EXPECT_NE(error.find("duplicate key \"k\" in e[0]"), std::string::npos) << error;

    std::string deep(kMaxJsonDepth + 1, '[');
    deep += std::string(kMaxJsonDepth + 1, ']');
    EXPECT_EQ(ParseJsonDocument(deep, v, error), 0);
    EXPECT_NE(error.find("nesting deeper"), std::string::npos) << error;

    EXPECT_EQ(ParseJsonDocument("{\n  \"a\": tru }", v, error), 0);
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
}

// Every warning property has a sentence of its own (a missing row would
// print nothing, or another warning's text, for a set flag).
TEST(WarningTexts, EveryWarningHasItsOwnSentence) {
    std::set<std::string> seen;
    for (int i = 0; i < CEngineRun::kWarnings; ++i) {
        const std::string sentence = WarningSentence(i);
        EXPECT_GT(sentence.size(), 40u) << CEngineRun::kWarningPropertyNames[i];
        EXPECT_TRUE(seen.insert(sentence).second) << CEngineRun::kWarningPropertyNames[i];
    }
    EXPECT_STREQ(WarningSentence(CEngineRun::kWarnings), "");
    EXPECT_EQ(seen.count(AmountOutOfRangeSentence()), 0u);
}

}  // namespace
