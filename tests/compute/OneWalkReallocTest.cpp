// ReallocPayments against the straightforward driver it replaces: one full
// computation up to every payment's date, then that payment's allocation.
// Seeded random accounts (taxes, motivated tax, payments, deposits, credits,
// designations, stops and starts of interest, same-day events, penalties,
// GATT and 6621(c) now and then, three tables) must give the same period
// lists, splits, balances, totals and flags to the last bit, both right after
// the allocation and after the settlement computation.
#include "AccountFixture.h"
#include "PeriodListsText.h"

#include <random>

#include "compute/AllocationCategory.h"

namespace {

// The reference: the driver as first written, run per payment (on the events
// in the order a computation puts them in).
void ReallocByFullRuns(CQRTCompute& c, int last)
{
    c.SortEventsForCompute();
    c.m_inRealloc = 1;
    c.m_tableHeld = 0;
    for (int i = 0; i <= last && i < 1000 && c.m_events[i].m_date.isValid(); ++i) {
        if (!IsPaymentKind(c.m_events[i].m_type)) continue;
        if (!c.MainCompute(c.m_events[i].m_date, i, 0)) break;
        c.AllocatePayment(i);
    }
    c.m_inRealloc = 0;
    c.m_tableHeld = 0;
}

std::string Balances(const CQRTCompute& c)
{
    std::string out = "balances";
    char cell[40];
    for (int k = 0; k < kCategoryCount; ++k) {
        std::snprintf(cell, sizeof cell, " %.17g", c.Balances(k));
        out += cell;
    }
    return out + "\n";
}

class RandomAccount {
public:
    explicit RandomAccount(unsigned seed) : m_rng(seed) {}

    // Fills both objects with one account; returns its settlement date.
    Date Fill(CQRTCompute& a, CQRTCompute& b)
    {
        static const char* const kTables[] = {"FEDERAL", "SIMPLE", "MONTHLY"};
        const char* table = kTables[Pick(0, 2)];
        const int wholeDollars = Pick(0, 9) == 0;
        const int gatt = Pick(0, 14) == 0;
        const int hot = Pick(0, 14) == 0;
        const int penalty = Pick(0, 9) == 0;
        const int fractions = Pick(0, 9) == 0;
        const int events = Pick(1, 14);
        const Date first(1, 2, 1990 + Pick(0, 20));
        Date day = first;
        for (CQRTCompute* c : {&a, &b}) {
            c->SetTableName(table);
            c->WholeDollarMode(wholeDollars);
            c->GATTOn(gatt);
            c->GATTAmount(gatt ? 10000000.0 : 0.0);
            c->HotInterest(hot);
            c->HotApplicable(Date(6, 1, 1995));
        }
        static const int kKinds[] = {0, 0, 0, 2, 2, 2, 2, 3, 8, 1, 5, 6, 7, 9};
        for (int i = 0; i < events; ++i) {
            if (i > 0 && Pick(0, 4) != 0) day = day.AddDays(Pick(1, 900));   // else the same day
            const int kind = i == 0 ? 0 : kKinds[Pick(0, 13)];
            double amount = Pick(1, 2000) * 100.0 + Pick(0, 99);
            if (fractions) amount += 0.5;
            const bool designated = IsPaymentKind(kind) && Pick(0, 4) == 0;
            const int category = Pick(0, 5);
            const double designation = Pick(0, 300) * 100.0;
            for (CQRTCompute* c : {&a, &b}) {
                CEvent* e = c->GetEvent(i);
                e->m_type = static_cast<uint16_t>(kind);
                e->m_date = day;
                e->m_amount = amount;
                e->m_gattAmount = kind == 9 ? amount / 2 : amount;
                if (designated) {
                    e->m_allocation = new Payment();
                    e->m_allocation->m_specific[category] = designation;
                }
            }
        }
        if (penalty) {
            for (CQRTCompute* c : {&a, &b}) {
                Penalties& ftp = *c->GetPenalty(kPenalty6651a2);
                ftp.Enable(1);
                ftp.m_dates[0] = first;
                ftp.m_dates[1] = first.AddDays(400);
                ftp.m_amounts[0] = 500000;
            }
        }
        return day.AddDays(Pick(0, 2000));
    }

private:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    std::mt19937 m_rng;
};

class OneWalkReallocTest : public AccountFixture {
protected:
    void SetUp() override
    {
        AccountFixture::SetUp();
        std::filesystem::copy_file(std::filesystem::path(QRT_DATA_DIR) / "FEDERAL.TB3", "FEDERAL.TB3");
        WriteTable("SIMPLE", {{Date(1, 1, 1954), 1, 6.0, 8.0, 5.0, 365},
                              {Date(1, 1, 1995), 1, 7.0, 9.0, 6.0, 365},
                              {Date(7, 1, 2005), 0, 5.0, 7.0, 4.0, 365}});
        WriteTable("MONTHLY", {{Date(1, 1, 1954), 3, 9.0, 10.0, 8.0, 365},
                               {Date(1, 1, 2000), 5, 8.0, 9.0, 7.0, 365},
                               {Date(1, 1, 2010), 2, 4.0, 5.0, 3.0, 365}});
    }
};

TEST_F(OneWalkReallocTest, RandomAccountsMatchTheFullRunPerPayment)
{
    RandomAccount random(20261209);
    for (int n = 0; n < 3000; ++n) {
        auto reference = std::make_unique<CQRTCompute>();
        auto fast = std::make_unique<CQRTCompute>();
        const Date through = random.Fill(*reference, *fast);
        const int last = n % 7 == 0 ? 3 : 1000;

        ReallocByFullRuns(*reference, last);
        fast->ReallocPayments(last);
        ASSERT_EQ(period_lists::Results(*reference) + Balances(*reference),
                  period_lists::Results(*fast) + Balances(*fast))
            << "account " << n << " after the allocation";

        ASSERT_EQ(reference->MainCompute(through, -1, n % 5 == 0), fast->MainCompute(through, -1, n % 5 == 0));
        ASSERT_EQ(period_lists::Results(*reference), period_lists::Results(*fast))
            << "account " << n << " after the settlement computation";
    }
}

// ReallocAndCompute against the reference allocation and then MainCompute:
// the shared walk in daily mode, the allocation walk before a monthly
// computation, a computation date before the last payments, and no date.
TEST_F(OneWalkReallocTest, RandomAccountsComputeAsAllocationThenComputation)
{
    RandomAccount random(20261210);
    for (int n = 0; n < 3000; ++n) {
        auto reference = std::make_unique<CQRTCompute>();
        auto fused = std::make_unique<CQRTCompute>();
        Date through = random.Fill(*reference, *fused);
        if (n % 7 == 3) through = through.AddDays(-1500);
        if (n % 101 == 50) through = Date();
        const int monthly = n % 4 == 0;

        ReallocByFullRuns(*reference, 1000);
        ASSERT_EQ(reference->MainCompute(through, -1, monthly), fused->ReallocAndCompute(through, monthly));
        ASSERT_EQ(period_lists::Results(*reference) + Balances(*reference),
                  period_lists::Results(*fused) + Balances(*fused))
            << "account " << n;
    }
}

} // namespace
