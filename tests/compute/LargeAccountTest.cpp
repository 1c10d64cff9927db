// An account of 1000 events (500 taxes, 500 payments over 30 years) computed
// end to end; under the sanitizer build this is the check that the driver's
// lists, allocations and event slots are used without a fault.
#include "AccountFixture.h"

#include <filesystem>

namespace {

using LargeAccountTest = AccountFixture;

// The federal table of the data folder when it is there, else a table of
// quarterly daily-compounding periods from 1990 with changing rates.
void ProvideTable()
{
    const std::filesystem::path federal = std::filesystem::path(QRT_DATA_DIR) / "FEDERAL.TB3";
    if (std::filesystem::exists(federal)) {
        std::filesystem::copy_file(federal, "FEDERAL.TB3");
        return;
    }
    // 144 quarters, 1990-2025: rates cycle between 3 % and 10 %.
    std::vector<TableRow> rows;
    for (int q = 0; q < 144; ++q) {
        const double rate = 3.0 + (q * 7) % 8;
        rows.push_back({Date(1 + 3 * (q % 4), 1, 1990 + q / 4), 2, rate, rate + 2.0, rate - 1.0,
                        (1990 + q / 4) % 4 == 0 ? 366 : 365});
    }
    AccountFixture::WriteTable("FEDERAL", rows);
}

TEST_F(LargeAccountTest, AThousandEventsOverThirtyYearsCompute)
{
    ProvideTable();
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
