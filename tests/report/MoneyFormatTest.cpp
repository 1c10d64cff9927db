// Money formatting: brackets, separators, the 13-column limits, whole
// dollars; thousands separators and right justification.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/CRepGen.h"

namespace {

TEST(FormatMoney, Rows)
{
    struct Row {
        double cents;
        int commas, brackets, dropCents, whole;
        const char* expected;
    } rows[] = {
        {-123450, 1, 1, 1, 0, "<1,234.50>"},
        {-123450, 1, 0, 1, 0, "-1,234.50"},
        {123450, 0, 1, 1, 0, "1234.50"},
        {0.0, 1, 1, 1, 0, "0.00"},
        {-0.0, 1, 1, 1, 0, "0.00"},
        {-0.005, 1, 1, 1, 0, "0.00"},            // not below -0.009: not negative
        {-1.0, 1, 1, 1, 0, "<0.01>"},
        // Cents dropped above $99,999,999.99, above $9,999,999.99 when negative.
        {9999999999.0, 1, 1, 1, 0, "99,999,999.99"},
        {10000000000.0, 1, 1, 1, 0, "100,000,000"},
        {-999999999.0, 1, 1, 1, 0, "<9,999,999.99>"},
        {-1000000000.0, 1, 1, 1, 0, "<10,000,000>"},
        // Without dropping: separators up to $99,999,999,999.99 only.
        {9999999999999.0, 1, 1, 0, 0, "99,999,999,999.99"},
        {10000000000000.0, 1, 1, 0, 0, "100000000000.00"},
        // The outer limit: $999,999,999,999.99 prints, $1,000,000,000,000 does not.
        {99999999999999.0, 1, 1, 1, 0, "999,999,999,999"},
        {100000000000000.0, 1, 1, 1, 0, ""},
        {-100000000000000.0, 1, 1, 1, 0, ""},
        // Whole dollars, half away from zero.
        {123450, 1, 1, 1, 1, "1,235"},
        {-123450, 1, 1, 1, 1, "<1,235>"},
        {149, 1, 1, 1, 1, "1"},
        {150, 1, 1, 1, 1, "2"},
        {-40, 1, 1, 1, 1, "0"},                   // no negative zero dollars
    };
    for (const Row& r : rows) {
        char out[CRepGen::kMoneyTextSize];
        CRepGen::FormatMoney(out, r.cents, r.commas, r.brackets, r.dropCents, r.whole);
        EXPECT_STREQ(out, r.expected) << r.cents;
    }
}

TEST(FormatMoney, NegativeAmountTakesFourteenColumnsJustifiedToThirteen)
{
    char out[CRepGen::kMoneyTextSize];
    CRepGen::FormatMoney(out, -123450, 1, 1, 1, 0);
    CRepGen::RightJustify(out, 13);
    EXPECT_STREQ(out, "    <1,234.50>");
    CRepGen::FormatMoney(out, 123450, 1, 1, 1, 0);
    CRepGen::RightJustify(out, 13);
    EXPECT_STREQ(out, "     1,234.50");
    std::strcpy(out, "12345678901234");
    CRepGen::RightJustify(out, 13);
    EXPECT_STREQ(out, "12345678901234");
}

TEST(InsertThousandsSeparators, Rows)
{
    const std::string fifty1(51, '1');
    struct Row {
        std::string in, out;
    } rows[] = {
        {"123", "123"},          // under 4 characters
        {"1234", "1,234"},
        {"123.45", "123.45"},
        {"1234567.89", "1,234,567.89"},
        {"1234.5678", "1,234.5678"},   // only the integer part
        {fifty1, fifty1},        // over 50 characters
    };
    for (const Row& r : rows) {
        char text[128];
        std::strcpy(text, r.in.c_str());
        CRepGen::InsertThousandsSeparators(text);
        EXPECT_EQ(std::string(text), r.out);
    }
}

}  // namespace
