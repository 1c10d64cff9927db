// An account of 1000 events (500 taxes, 500 payments over 30 years) computed
// end to end with the federal table of the data folder; under the sanitizer
// build this is the check that the driver's lists, allocations and event
// slots are used without a fault.
#include "AccountFixture.h"

#include <filesystem>

namespace {

using LargeAccountTest = AccountFixture;

TEST_F(LargeAccountTest, AThousandEventsOverThirtyYearsCompute)
{
    std::filesystem::copy_file(std::filesystem::path(QRT_DATA_DIR) / "FEDERAL.TB3", "FEDERAL.TB3");
    c->SetTableName("FEDERAL");
    const Date first(1, 2, 1991);
    for (int i = 0; i < 1000; ++i) {
        CEvent* e = c->GetEvent(i);
        e->m_date = first.AddDays(i * 11);   // 11,000 days: to 2021
        e->m_type = static_cast<uint16_t>(i % 2 == 0 ? 0 : 2);
        e->m_amount = i % 2 == 0 ? 100000.0 + (i * 37) % 50000 : 80000.0 + (i * 53) % 40000;
    }
    ASSERT_EQ(Compute(*c, Date(12, 31, 2021)), 1);

    for (int i = 0; i < 1000; ++i) {
        const CEvent* e = c->GetEvent(i);
        EXPECT_EQ(e->m_allocation != nullptr, IsPaymentKind(e->m_type) != 0) << i;
    }
    // Every tax adds to the normal stream, every payment takes its whole
    // amount off it and every period's interest joins it: what the stream
    // holds at the end is the balance.
    const double stream = c->m_normalPrincipal + c->m_normalInterestDue + c->m_refundInterestDue +
                          c->m_motivatedPrincipal + c->m_motivatedInterestDue;
    EXPECT_NEAR(stream, c->BalanceDue(), 0.5);
    EXPECT_EQ(c->BalanceDue(), c->AllTaxes(Date(12, 31, 2021)) - c->AllPayments(Date(12, 31, 2021)) +
                                   c->AllInterest());
    EXPECT_GT(c->InterestNormal(), 0.0);
    EXPECT_EQ(c->ComputeBeforeLastEvent(), 0);
}

} // namespace
