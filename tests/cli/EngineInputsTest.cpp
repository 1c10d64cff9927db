// The automation interface's event checks (AddNamedEvent), its defaults, and
// the currency and date conversions at the boundary.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "automation/AutomationTypes.h"
#include "automation/EngineInputs.h"

namespace {

DATE Ole(int m, int d, int y) { return DateToAutomation(Date(m, d, y)); }

TEST(AutomationTypes, CurrencyBecomesExactCents) {
    // $1,234.56 is CY 12,345,600; in cents exactly 123,456 (no binary residue).
    EXPECT_EQ(CyToCents(12345600), 123456.0);
    EXPECT_EQ(CyToCents(-100), -1.0);
    EXPECT_EQ(CentsToCy(123456.0), 12345600);
    EXPECT_EQ(CentsToCy(-0.5), -50);
}

TEST(AutomationTypes, OnlyAmountsWithACurrencyValueConvert) {
    // CY holds +-2^63 - 1 ten-thousandths: +-$922,337,203,685,477.5807, that is
    // 92,233,720,368,547,758.07 cents.
    struct {
        double cents;
        int fits;
    } cases[] = {{92233720368547000.0, 1}, {-92233720368547000.0, 1}, {92233720368547758.0, 0},
                 {-92233720368547758.0, 0}, {1e300, 0}, {std::nan(""), 0}, {0.0, 1}};
    for (const auto& row : cases) EXPECT_EQ(CentsFitCurrency(row.cents), row.fits) << row.cents;
}

TEST(AutomationTypes, DatesConvertDayForDayOverTheWholeRange) {
    struct {
        DATE ole;
        int ok;
        uint16_t serial;
    } cases[] = {
        {-1.0, 1, Date::kInvalid},   // no date
        {19725.0, 1, 0},             // 1 January 1954 (published OLE serial 19725)
        {19725.75, 1, 0},            // time of day dropped
        {19724.0, 0, Date::kInvalid},  // 31 December 1953: outside
        {19725.0 + 65533, 1, 65533},   // the last date of the engine
        {19725.0 + 65534, 0, Date::kInvalid},
        {58472.0, 1, 58472 - 19725},   // 1 February 2060 (OLE 58472) stays in 2060
    };
    for (const auto& c : cases) {
        Date d;
        EXPECT_EQ(DateFromAutomation(c.ole, d), c.ok) << c.ole;
        EXPECT_EQ(d.serial, c.serial) << c.ole;
        if (c.ok && d.isValid()) {
            EXPECT_EQ(DateToAutomation(d), static_cast<double>(static_cast<int64_t>(c.ole)));
        }
    }
}

TEST(EngineInputs, InitGivesTheInterfaceDefaults) {
    CEngineInputs in;
    EXPECT_EQ(in.Jurisdiction(), "FEDERAL");
    EXPECT_EQ(in.GattThreshold(), 100000000);  // $10,000 as CY
    EXPECT_EQ(in.EventCount(), 0);
    EXPECT_EQ(in.LCU30DayLetterDate(), -1.0);
    EXPECT_EQ(in.WholeDollarModeEnabled() + in.GattEnabled() + in.LCUEnabled() + in.UseEventDescriptions(), 0);
}

TEST(EngineInputs, AddNamedEventChecksEachKind) {
    const DATE day = Ole(4, 15, 2021);
    struct {
        int32_t kind;
        DATE date;
        CY amount, gatt;
        const char* refused;  // nullptr: accepted
    } cases[] = {
        {0, day, 100, 0, nullptr},      {0, day, -1, 0, "cyAmount"},     {1, day, -1, 0, "cyAmount"},
        {2, day, -1, 0, "cyAmount"},    {3, day, -1, 0, "cyAmount"},     {4, day, -1, 0, "cyAmount"},
        {5, day, -1, 0, nullptr},       {6, day, -7, 0, nullptr},        {9, day, 100, -1, "cyGattAmount"},
        {9, day, -1, 0, "cyAmount"},    {9, day, 0, 0, nullptr},         {7, day, 100, 0, "eType"},
        {8, day, 100, 0, "eType"},      {10, day, 100, 0, "eType"},      {-1, day, 100, 0, "eType"},
        {2, -1.0, 100, 0, "dDate"},     {2, 1.0, 100, 0, "dDate"},
    };
    for (const auto& c : cases) {
        CEngineInputs in;
        HRESULT hr = in.AddNamedEvent(c.kind, c.date, c.amount, c.gatt, "");
        if (c.refused == nullptr) {
            EXPECT_EQ(hr, S_OK) << c.kind;
            EXPECT_EQ(in.EventCount(), 1);
        } else {
            EXPECT_EQ(hr, E_INVALIDARG) << c.kind;
            EXPECT_STREQ(in.RefusedArgument(), c.refused) << c.kind;
            EXPECT_EQ(in.EventCount(), 0);
            EXPECT_FALSE(in.Events()[0].m_date.isValid());
        }
    }
}

TEST(EngineInputs, EventAmountsAreCentsAndACheckKeepsItsPrincipal) {
    CEngineInputs in;
    ASSERT_EQ(in.AddEvent(0, Ole(4, 15, 2021), 12345600, 999), S_OK);     // $1,234.56
    ASSERT_EQ(in.AddEvent(9, Ole(9, 30, 2021), 30226200, 30000000), S_OK);  // $3,022.62, principal $3,000
    EXPECT_EQ(in.Events()[0].m_amount, 123456.0);
    EXPECT_EQ(in.Events()[0].m_gattAmount, 123456.0);  // the amount, not the second argument
    EXPECT_EQ(in.Events()[1].m_amount, 302262.0);
    EXPECT_EQ(in.Events()[1].m_gattAmount, 300000.0);
    EXPECT_EQ(in.Events()[1].m_date, Date(9, 30, 2021));
    EXPECT_EQ(in.UseEventDescriptions(), 0);
}

TEST(EngineInputs, TheThousandAndFirstEventIsRefused) {
    CEngineInputs in;
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(in.AddEvent(2, Ole(1, 1, 2020), 100, 0), S_OK);
    EXPECT_EQ(in.AddEvent(2, Ole(1, 1, 2020), 100, 0), E_INVALIDARG);
    EXPECT_EQ(in.EventCount(), 1000);
}

TEST(EngineInputs, NamesKeepFortyBytesWithoutSplittingACharacter) {
    CEngineInputs in;
    const std::string fifty(50, 'x');
    ASSERT_EQ(in.AddNamedEvent(0, Ole(1, 1, 2020), 100, 0, fifty.c_str()), S_OK);
    EXPECT_EQ(std::string(in.Events()[0].m_userName), std::string(40, 'x'));
    EXPECT_EQ(in.UseEventDescriptions(), 1);
    // 39 ASCII bytes then a 2-byte character: byte 40 would split it.
    const std::string accented = std::string(39, 'a') + "\xC3\xA9" + "z";
    ASSERT_EQ(in.AddNamedEvent(0, Ole(1, 1, 2020), 100, 0, accented.c_str()), S_OK);
    EXPECT_EQ(std::string(in.Events()[1].m_userName), std::string(39, 'a'));
}

TEST(EngineInputs, DatePropertiesRefuseDaysOutsideTheRange) {
    CEngineInputs in;
    EXPECT_EQ(in.LCU30DayLetterDate(Ole(3, 15, 1995)), S_OK);
    EXPECT_EQ(in.Lcu30Day(), Date(3, 15, 1995));
    EXPECT_EQ(in.LCU30DayLetterDate(100.0), E_INVALIDARG);  // 1900
    EXPECT_EQ(in.Lcu30Day(), Date(3, 15, 1995));
    EXPECT_EQ(in.LCU30DayLetterDate(-1.0), S_OK);
    EXPECT_FALSE(in.Lcu30Day().isValid());
}

}  // namespace
