// The Enable... methods: each refusal names its argument and leaves the
// record unchanged; accepted calls set exactly the documented fields.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "automation/PenaltySettings.h"

namespace {

DATE Ole(int m, int d, int y) { return DateToAutomation(Date(m, d, y)); }
constexpr DATE kNone = -1.0;
constexpr CY kDollars1000 = 1000LL * 10000;

struct Refusal {
    const char* what;
    int slot;
    std::function<HRESULT(CPenaltySettings&)> call;
    const char* argument;
};

TEST(PenaltySettings, EachRefusalNamesItsArgumentAndChangesNothing) {
    const DATE due86 = Ole(4, 15, 1986), due22 = Ole(4, 18, 2022);
    const std::vector<Refusal> cases = {
        {"percent 25", 7, [&](CPenaltySettings& s) { return s.Enable6659PenaltyAlt1(1, kDollars1000, due86, 25); }, "dPercent"},
        {"percent just under 10", 7, [&](CPenaltySettings& s) { return s.Enable6659PenaltyAlt1(1, kDollars1000, due86, 9.99999); }, "dPercent"},
        {"percent just over 30", 9, [&](CPenaltySettings& s) { return s.Enable6660PenaltyAlt1(1, kDollars1000, due86, 30.0011); }, "dPercent"},
        {"6659 due on 1990-01-01", 7, [&](CPenaltySettings& s) { return s.Enable6659PenaltyAlt1(1, kDollars1000, Ole(1, 1, 1990), 20); }, "dReturnDue"},
        {"6660 due after 1990", 9, [&](CPenaltySettings& s) { return s.Enable6660PenaltyAlt2(1, kDollars1000, due22, kNone, 20); }, "dReturnDue"},
        {"6659 notice before due", 7, [&](CPenaltySettings& s) { return s.Enable6659PenaltyAlt2(1, kDollars1000, due86, Ole(1, 1, 1986), 20); }, "dNotice"},
        {"6659A percent", 8, [&](CPenaltySettings& s) { return s.Enable6659APenalty(1, kDollars1000, kNone, 15); }, "dPercent"},
        {"6661 due after 1990", 10, [&](CPenaltySettings& s) { return s.Enable6661PenaltyAlt2(1, kDollars1000, due22); }, "dReturnDue"},
        {"6661 assessment before due", 10, [&](CPenaltySettings& s) { return s.Enable6661PenaltyAlt1(1, kDollars1000, due86, Ole(1, 1, 1986)); }, "dAssessment"},
        {"6662E percent 30", 13, [&](CPenaltySettings& s) { return s.Enable6662EPenalty(1, kDollars1000, due22, 30); }, "dPercent"},
        {"6662G percent just under 20", 15, [&](CPenaltySettings& s) { return s.Enable6662GPenalty(1, kDollars1000, due22, 19.9999998); }, "dPercent"},
        {"6662C negative amount", 11, [&](CPenaltySettings& s) { return s.Enable6662CPenalty(1, -1, due22); }, "cyAmountSubject"},
        {"6663 no return due", 16, [&](CPenaltySettings& s) { return s.Enable6663Penalty(1, kDollars1000, kNone); }, "dReturnDue"},
        {"6651(a)(1) not received", 23, [&](CPenaltySettings& s) { return s.Enable6651A1PenaltyAlt2(1, kDollars1000, due22, kNone, 0); }, "dReceivedByIRS"},
        {"notices out of order", 1, [&](CPenaltySettings& s) {
             return s.Enable6651A2PenaltyAlt2(1, kDollars1000, due22, Ole(8, 1, 2022), 0, 0, 30, Ole(7, 1, 2022), 0, 0, 30,
                                              kNone, 0, 0, 0, kNone, 0, 0, 0, kNone, kNone, 1); }, "d2ndNotice"},
        {"notice after a missing one", 2, [&](CPenaltySettings& s) {
             return s.Enable6651A3PenaltyAlt2(1, kDollars1000, Ole(8, 1, 2022), 0, 0, 30, kNone, 0, 0, 30,
                                              Ole(9, 1, 2022), 0, 0, 0, kNone, 0, 0, 0, kNone, kNone, 1); }, "d3rdNotice"},
        {"6651(a)(3) without a first notice", 2, [&](CPenaltySettings& s) { return s.Enable6651A3PenaltyAlt1(1, kDollars1000, kNone); }, "d1stNotice"},
        {"reinstate before reduce", 1, [&](CPenaltySettings& s) {
             return s.Enable6651A2PenaltyAlt2(1, kDollars1000, due22, kNone, 0, 0, 0, kNone, 0, 0, 0, kNone, 0, 0, 0,
                                              kNone, 0, 0, 0, Ole(9, 1, 2022), Ole(8, 1, 2022), 1); }, "dReinstatePenaltyAfter"},
        {"reinstate without reduce", 1, [&](CPenaltySettings& s) {
             return s.Enable6651A2PenaltyAlt2(1, kDollars1000, due22, kNone, 0, 0, 0, kNone, 0, 0, 0, kNone, 0, 0, 0,
                                              kNone, 0, 0, 0, kNone, Ole(8, 1, 2022), 1); }, "dReinstatePenaltyAfter"},
        {"6653(a) notice before tax due", 3, [&](CPenaltySettings& s) { return s.Enable6653APenaltyAlt1(1, kDollars1000, due86, Ole(1, 1, 1986)); }, "dNotice"},
        {"6653(a) assessment after notice", 3, [&](CPenaltySettings& s) {
             return s.Enable6653APenaltyAlt2(1, kDollars1000, 0, 0, Ole(5, 1, 1987), Ole(6, 1, 1987), 0); }, "dAssessment"},
        {"6653(b) notice without assessment", 4, [&](CPenaltySettings& s) {
             return s.Enable6653BPenaltyAlt2(1, kDollars1000, 0, 0, due86, Ole(5, 1, 1987), kNone); }, "dAssessment"},
    };
    for (const Refusal& c : cases) {
        CPenaltySettings s;
        // A record already in use must come through a refusal unchanged.
        ASSERT_EQ(s.Enable6662CPenalty(1, 5, Ole(1, 2, 2000)), S_OK);
        Penalties before[24];
        std::memcpy(before, s.Records(), sizeof before);
        EXPECT_EQ(c.call(s), E_INVALIDARG) << c.what;
        EXPECT_STREQ(s.RefusedArgument(), c.argument) << c.what;
        EXPECT_EQ(std::memcmp(before, s.Records(), sizeof before), 0) << c.what << ": records changed";
    }
}

TEST(PenaltySettings, TimelyFilingOffDropsTheAgreementDatesInsteadOfCheckingThem) {
    CPenaltySettings s;
    const DATE due = Ole(4, 18, 2022);
    ASSERT_EQ(s.Enable6651A2PenaltyAlt2(1, kDollars1000, due, kNone, 0, 0, 0, kNone, 0, 0, 0, kNone, 0, 0, 0, kNone,
                                        0, 0, 0, Ole(9, 1, 2022), Ole(8, 1, 2022), 0),
              S_OK);
    EXPECT_FALSE(s.Record(1).m_dates[8].isValid());
    EXPECT_FALSE(s.Record(1).m_dates[9].isValid());
    EXPECT_EQ(s.Record(1).Flag(kPenaltyTimely), 0);
}

TEST(PenaltySettings, FailureToPayNoticesSetLevyJeopardyAndGraceFields) {
    CPenaltySettings s;
    // Notice 1: 30-day grace; notice 2: levy, 10-day grace; notice 3: jeopardy and levy.
    ASSERT_EQ(s.Enable6651A2PenaltyAlt2(1, 123456700, Ole(4, 18, 2022), Ole(6, 1, 2022), 0, 0, 30, Ole(7, 1, 2022), 1, 0,
                                        10, Ole(8, 1, 2022), 1, 1, 21, kNone, 0, 0, 25, Ole(9, 1, 2022), kNone, 1),
              S_OK);
    const Penalties& p = s.Record(1);
    EXPECT_EQ(double(p.m_amounts[0]), 1234567.0);  // $12,345.67
    EXPECT_EQ(p.m_dates[0], Date(4, 18, 2022));
    EXPECT_EQ(p.m_dates[1], Date(6, 1, 2022));
    EXPECT_EQ(p.m_dates[3], Date(8, 1, 2022));
    EXPECT_FALSE(p.m_dates[4].isValid());
    EXPECT_EQ(p.m_dates[5], Date(7, 1, 2022));  // first levy notice
    EXPECT_EQ(p.m_dates[6], Date(8, 1, 2022));  // first jeopardy notice
    EXPECT_EQ(p.m_dates[8], Date(9, 1, 2022));
    EXPECT_EQ(p.m_graceMask, 0x2);              // only notice 2 is under 21 days
    EXPECT_EQ(p.m_flags, kPenaltyEnabled | kPenaltyTimely);

    // Slot 2 keeps its notices from date 0 and levy/jeopardy in dates 4 and 5.
    ASSERT_EQ(s.Enable6651A3PenaltyAlt1(1, kDollars1000, Ole(3, 2, 1998)), S_OK);
    const Penalties& a = s.Record(2);
    EXPECT_EQ(a.m_dates[0], Date(3, 2, 1998));
    EXPECT_FALSE(a.m_dates[4].isValid());
    EXPECT_EQ(a.m_graceMask, 0xF);  // Alt1 passes grace periods of 0 days
    EXPECT_EQ(a.Flag(kPenaltyTimely), 1);
}

TEST(PenaltySettings, FailureToFileKeepsFraudAndNoticeOnlyWhereTheyApply) {
    struct {
        Date due;
        int fraudBit;
        bool noticeKept;
    } cases[] = {
        {Date(4, 15, 1983), 0, true},   // before 19 July 1984: notice kept, no fraud rate
        {Date(4, 15, 1987), 0, false},  // 1984-1989: neither
        {Date(4, 15, 1995), 1, false},  // 1990 on: fraud, no notice
    };
    for (const auto& c : cases) {
        CPenaltySettings s;
        const DATE due = DateToAutomation(c.due);
        ASSERT_EQ(s.Enable6651A1PenaltyAlt1(1, kDollars1000, due, due + 200, due + 100, 1), S_OK);
        EXPECT_EQ(s.Record(23).Flag(kPenaltyFraud), 0);  // Alt1 passes no fraud
        ASSERT_EQ(s.Enable6651A1PenaltyAlt3(1, kDollars1000, due, due + 100, 1, 1), S_OK);
        EXPECT_EQ(s.Record(23).Flag(kPenaltyFraud), c.fraudBit);
        EXPECT_EQ(s.Record(23).Flag(kPenaltyMinimum), 1);
        EXPECT_EQ(s.Record(23).m_dates[2], c.due.AddDays(100));
        ASSERT_EQ(s.Enable6651A1PenaltyAlt1(1, kDollars1000, due, due + 200, due + 100, 0), S_OK);
        EXPECT_EQ(s.Record(23).m_dates[1].isValid(), c.noticeKept);
    }
}

TEST(PenaltySettings, PercentsAreStoredAsTheAcceptedWholeValue) {
    CPenaltySettings s;
    ASSERT_EQ(s.Enable6659PenaltyAlt1(1, kDollars1000, Ole(4, 15, 1986), 9.9999999), S_OK);
    EXPECT_EQ(double(s.Record(7).m_value), 10.0);
    ASSERT_EQ(s.Enable6662FPenalty(1, kDollars1000, Ole(4, 15, 2022), 40.001), S_OK);
    EXPECT_EQ(double(s.Record(14).m_value), 40.0);
    ASSERT_EQ(s.Enable6662DPenalty(1, kDollars1000, Ole(4, 15, 2022)), S_OK);
    EXPECT_EQ(double(s.Record(12).m_value), 20.0);
}

TEST(PenaltySettings, DisablingClearsOnlyTheEnabledBit) {
    CPenaltySettings s;
    ASSERT_EQ(s.Enable6663Penalty(1, kDollars1000, Ole(4, 15, 2022)), S_OK);
    // Arguments are not checked when disabling.
    EXPECT_EQ(s.Enable6663Penalty(0, -5, kNone), S_OK);
    EXPECT_EQ(s.Record(16).IsEnabled(), 0);
    EXPECT_EQ(double(s.Record(16).m_amounts[0]), 100000.0);
    EXPECT_EQ(s.Record(16).m_dates[0], Date(4, 15, 2022));
}

}  // namespace
