// The short rules around the driver: the effective 6621(c) dates and the
// user-penalty-after-payment test.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "compute/CQRTCompute.h"

namespace {

struct HotCase {
    const char* what;
    int hot, restart;
    Date letter, applicable, letter2, applicable2, through;
    Date start, restartDate;
    int enabled, restartBit;
};

TEST(Compute6621cTest, EffectiveDatesFollowTheLetterAndApplicableDates)
{
    const Date none;
    const std::vector<HotCase> cases = {
        {"letter of 15 Mar 1995 plus 30 days", 1, 0, Date(3, 15, 1995), none, none, none, Date(12, 31, 1996),
         Date(4, 14, 1995), none, 1, 0},
        {"the applicable date wins", 1, 0, Date(3, 15, 1995), Date(6, 1, 1995), none, none, Date(12, 31, 1996),
         Date(6, 1, 1995), none, 1, 0},
        {"never before 31 Dec 1990", 1, 0, none, Date(6, 1, 1990), none, none, Date(12, 31, 1996),
         Date(12, 31, 1990), none, 1, 0},
        {"switched off", 0, 0, Date(3, 15, 1995), none, none, none, Date(12, 31, 1996), none, none, 0, 0},
        {"restart applicable 1 Jul 1998", 1, 1, none, Date(6, 1, 1995), none, Date(7, 1, 1998), Date(1, 1, 1999),
         Date(6, 1, 1995), Date(7, 1, 1998), 1, 1},
        {"restart not considered before 1997", 1, 1, none, Date(6, 1, 1995), none, Date(7, 1, 1998),
         Date(12, 31, 1996), Date(6, 1, 1995), none, 1, 0},
        {"restart option without dates", 1, 1, none, Date(6, 1, 1995), none, none, Date(1, 1, 1999),
         Date(6, 1, 1995), none, 1, 0},
    };
    for (const HotCase& k : cases) {
        SCOPED_TRACE(k.what);
        CQRTCompute c;
        c.HotInterest(k.hot);
        c.HotInterest2(k.restart);
        c.Hot30Day(k.letter);
        c.HotApplicable(k.applicable);
        c.Hot30Day2(k.letter2);
        c.HotApplicable2(k.applicable2);
        c.Compute6621c(22, k.through);
        EXPECT_EQ(c.Get6621cDate(), k.start);
        EXPECT_EQ(c.m_date6621c2, k.restartDate);
        EXPECT_EQ(c.GetPenalty(22)->IsEnabled(), k.enabled);
        EXPECT_EQ(c.GetPenalty(22)->Flag(kPenaltyRestart), k.restartBit);
        EXPECT_EQ(c.PenFooter(22), nullptr);
    }
}

TEST(Compute6621cTest, AComputationThroughJanuary1991GetsTheFooterAndNoHotInterest)
{
    CQRTCompute c;
    c.HotInterest(1);
    c.HotApplicable(Date(6, 1, 1990));
    c.GetPenalty(22)->Enable(1);
    c.Compute6621c(22, Date(1, 31, 1991));
    EXPECT_FALSE(c.Get6621cDate().isValid());
    EXPECT_EQ(c.GetPenalty(22)->IsEnabled(), 0);
    ASSERT_NE(c.PenFooter(22), nullptr);
    EXPECT_STREQ(c.PenFooter(22), "R6621CF.DM");
}

TEST(PenaltyAfterPaymentCheckTest, AUserPenaltyAfterTheLastPaymentCounts)
{
    struct Case {
        std::vector<int> kinds;   // one event a day, in this order
        int expected;
    };
    const std::vector<Case> cases = {
        {{2, 4}, 1}, {{2, 10}, 1}, {{2, 4, 8}, 0}, {{4, 2}, 0}, {{0, 4}, 0}, {{3, 0, 4, 5}, 1},
    };
    for (const Case& k : cases) {
        CQRTCompute c;
        for (size_t i = 0; i < k.kinds.size(); ++i) {
            c.GetEvent(static_cast<int>(i))->m_type = static_cast<uint16_t>(k.kinds[i]);
            c.GetEvent(static_cast<int>(i))->m_date = Date(1, static_cast<int>(i) + 1, 2020);
            c.GetEvent(static_cast<int>(i))->m_amount = 100;
        }
        EXPECT_EQ(c.PenaltyAfterPaymentCheck(), k.expected) << k.kinds.size();
    }
}

} // namespace
