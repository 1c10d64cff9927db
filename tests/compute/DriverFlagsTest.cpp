// The warning flags that MainCompute sets itself, each at the edge of its
// rule: the motivated-tax checks of the federal table, the 6621(c) date
// check, refund interest left over when a tax arrives, the end of the rate
// table, a computation before the last event, the $100,000 line of 6621(c),
// GATT on a table that does not compound daily, and federal penalties on a
// table of another jurisdiction.
#include "AccountFixture.h"

#include <functional>

namespace {

// Storage index of each flag in CQRTCompute::Flag(i).
enum FlagIndex {
    kTableEndWarning = 0,
    kHotError = 6,
    kMotAfter1990 = 7,
    kMotUnder1000 = 8,
    kOverRefundError = 14,
    kComputeBeforeLastEvent = 15,
    kHotUnder100K = 16,
    kGattAndNotDaily = 20,
    kFedPensWithNonFedTable = 21,
};

struct FlagCase {
    const char* what;
    const char* table;
    std::vector<EventRow> events;
    Date through;
    std::function<void(CQRTCompute&)> options;   // may be empty
    int flag;
    int expected;
};

class DriverFlagsTest : public AccountFixture {
protected:
    void SetUp() override
    {
        AccountFixture::SetUp();
        // Simple interest only, so that no flag depends on compounding:
        // "FEDERAL" is the name the motivated-tax checks look for.
        WriteTable("FEDERAL", {{Date(1, 1, 1980), 1, 10.0, 12.0, 8.0, 365}});
        WriteTable("STATE", {{Date(1, 1, 1980), 1, 10.0, 12.0, 8.0, 365}});
        WriteTable("SHORT", {{Date(1, 1, 2020), 1, 5.0, 7.0, 4.0, 366}}, Date(6, 30, 2020));
        WriteHandTable("HAND");
    }

    static void Run(const std::vector<FlagCase>& cases)
    {
        for (const FlagCase& k : cases) {
            SCOPED_TRACE(k.what);
            auto account = std::make_unique<CQRTCompute>();
            account->SetTableName(k.table);
            int i = 0;
            for (const EventRow& row : k.events) {
                CEvent* e = account->GetEvent(i++);
                e->m_type = static_cast<uint16_t>(row.kind);
                e->m_date = row.date;
                e->m_amount = row.amount;
            }
            if (k.options) k.options(*account);
            ASSERT_EQ(Compute(*account, k.through), 1);
            EXPECT_EQ(account->Flag(k.flag), k.expected);
        }
    }
};

TEST_F(DriverFlagsTest, MotivatedTaxChecksOfTheFederalTable)
{
    // The scan stops at the first motivated tax that sets either flag; the
    // small-amount check is "100,000 cents or less", the date check "on or
    // after 1 January 1990", and only a table file named exactly FEDERAL counts.
    const Date dec89(12, 31, 1989), jan90(1, 1, 1990), later(6, 1, 1990);
    Run({
        {"on 1 Jan 1990", "FEDERAL", {{1, jan90, 500000}}, later, {}, kMotAfter1990, 1},
        {"on 1 Jan 1990, not small", "FEDERAL", {{1, jan90, 50000}}, later, {}, kMotUnder1000, 0},
        {"1989, exactly 100,000", "FEDERAL", {{1, dec89, 100000}}, later, {}, kMotUnder1000, 1},
        {"1989, exactly 100,000, not after 1990", "FEDERAL", {{1, dec89, 100000}}, later, {}, kMotAfter1990, 0},
        {"1989, 100,001", "FEDERAL", {{1, dec89, 100001}}, later, {}, kMotUnder1000, 0},
        {"a large 1989 one does not stop the scan", "FEDERAL", {{1, dec89, 200000}, {1, jan90, 200000}}, later, {},
         kMotAfter1990, 1},
        {"a small 1989 one stops the scan", "FEDERAL", {{1, dec89, 50000}, {1, jan90, 200000}}, later, {},
         kMotAfter1990, 0},
        {"a tax of another kind is not looked at", "FEDERAL", {{0, dec89, 50000}}, later, {}, kMotUnder1000, 0},
        {"another table", "STATE", {{1, jan90, 500000}}, later, {}, kMotAfter1990, 0},
    });
}

TEST_F(DriverFlagsTest, HotInterestDatesBeforeTheTaxDueDate)
{
    // Tax due 15 April 2020 (the one tax date); HotError wants a letter or
    // applicable date strictly earlier, with 6621(c) interest on.
    const Date due(4, 15, 2020), dayBefore(4, 14, 2020), through(12, 31, 2020);
    const std::vector<EventRow> tax = {{0, due, 20000000}};
    auto hot = [](Date letter, Date applicable, int on) {
        return [=](CQRTCompute& c) {
            c.HotInterest(on);
            c.Hot30Day(letter);
            c.HotApplicable(applicable);
        };
    };
    Run({
        {"letter the day before", "HAND", tax, through, hot(dayBefore, Date(), 1), kHotError, 1},
        {"letter on the due date", "HAND", tax, through, hot(due, Date(), 1), kHotError, 0},
        {"applicable date the day before", "HAND", tax, through, hot(Date(), dayBefore, 1), kHotError, 1},
        {"letter on the due date, applicable the day before", "HAND", tax, through, hot(due, dayBefore, 1),
         kHotError, 1},
        {"6621(c) interest off", "HAND", tax, through, hot(dayBefore, Date(), 0), kHotError, 0},
        {"no tax due date (taxes on two dates)", "HAND", {{0, due, 10000000}, {0, Date(5, 1, 2020), 10000000}},
         through, hot(dayBefore, Date(), 1), kHotError, 0},
    });
}

TEST_F(DriverFlagsTest, RefundInterestOutstandingWhenATaxArrives)
{
    // HAND, Simple until 30 June 2020: tax 100,000 on 1 Jan; 31 days of
    // interest 100,000 x 31 x 5 % / 366 = 423.50 -> 423 (423.497); the payment
    // of 150,000 on 1 Feb pays tax and interest and overpays 49,577; 60 days
    // of refund interest -49,577 x 60 x 4 % / 366 = -325.09 -> -325 are still
    // owed when a tax of 100,000 on 1 Apr turns the principal to +50,423.
    // From 1 July HAND compounds daily: the refund interest is already in the
    // principal when the later tax arrives.
    Run({
        {"simple: principal owed again", "HAND",
         {{0, Date(1, 1, 2020), 100000}, {2, Date(2, 1, 2020), 150000}, {0, Date(4, 1, 2020), 100000}},
         Date(5, 1, 2020), {}, kOverRefundError, 1},
        {"simple: still overpaid", "HAND",
         {{0, Date(1, 1, 2020), 100000}, {2, Date(2, 1, 2020), 150000}, {0, Date(4, 1, 2020), 40000}},
         Date(5, 1, 2020), {}, kOverRefundError, 0},
        {"daily compounding", "HAND",
         {{0, Date(7, 1, 2020), 100000}, {2, Date(8, 1, 2020), 150000}, {0, Date(10, 1, 2020), 100000}},
         Date(11, 1, 2020), {}, kOverRefundError, 0},
    });
}

TEST_F(DriverFlagsTest, DatesOfTheTableAndOfTheLastEvent)
{
    const std::vector<EventRow> events = {{0, Date(2, 15, 2020), 100000}, {2, Date(3, 15, 2020), 50000}};
    Run({
        {"through the table's end date", "SHORT", events, Date(6, 30, 2020), {}, kTableEndWarning, 0},
        {"a day past the table's end date", "SHORT", events, Date(7, 1, 2020), {}, kTableEndWarning, 1},
        {"the day before the last event", "HAND", events, Date(3, 14, 2020), {}, kComputeBeforeLastEvent, 1},
        {"on the last event", "HAND", events, Date(3, 15, 2020), {}, kComputeBeforeLastEvent, 0},
    });
}

TEST_F(DriverFlagsTest, AmountAndTableChecksOfTheResults)
{
    auto hot = [](CQRTCompute& c) {
        c.HotInterest(1);
        c.HotApplicable(Date(6, 1, 2020));
    };
    auto gatt = [](CQRTCompute& c) {
        c.GATTOn(1);
        c.GATTAmount(10000000);
    };
    auto negligence = [](CQRTCompute& c) { c.GetPenalty(kPenalty6653a)->Enable(1); };
    auto hotPenaltyOnly = [](CQRTCompute& c) { c.GetPenalty(kPenalty6621c)->Enable(1); };
    const Date tax(2, 15, 2020), through(12, 31, 2020);
    // An overpayment under Simple interest earns refund interest.
    const std::vector<EventRow> overpaid = {{0, Date(1, 1, 2020), 100000}, {2, Date(2, 1, 2020), 150000}};
    Run({
        {"6621(c) on, tax exactly $100,000", "HAND", {{0, tax, 10000000}}, through, hot, kHotUnder100K, 1},
        {"6621(c) on, tax a cent more", "HAND", {{0, tax, 10000001}}, through, hot, kHotUnder100K, 0},
        {"6621(c) off", "HAND", {{0, tax, 10000000}}, through, {}, kHotUnder100K, 0},
        {"GATT, simple interest, refund interest", "HAND", overpaid, Date(3, 1, 2020), gatt, kGattAndNotDaily, 1},
        {"no GATT", "HAND", overpaid, Date(3, 1, 2020), {}, kGattAndNotDaily, 0},
        {"GATT, no refund interest", "HAND", {{0, tax, 100000}}, Date(3, 1, 2020), gatt, kGattAndNotDaily, 0},
        {"a federal penalty on a state table", "STATE", {{0, tax, 100000}}, through, negligence,
         kFedPensWithNonFedTable, 1},
        {"a federal penalty on the federal table", "FEDERAL", {{0, tax, 100000}}, through, negligence,
         kFedPensWithNonFedTable, 0},
        {"only 6621(c) on a state table", "STATE", {{0, tax, 100000}}, through, hotPenaltyOnly,
         kFedPensWithNonFedTable, 0},
    });
}

} // namespace
