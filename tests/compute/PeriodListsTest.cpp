// The full results of a set of representative accounts (every normal,
// motivated and penalty record with all its fields, each payment's split,
// the totals, the flags and the cash-flow turns) compared with the stored
// output in compute/golden/PeriodLists.txt. That file was written by the
// engine before any of its speed work; a change to it means a change of
// results. To rewrite it on purpose, run this test with
// QRT_WRITE_PERIOD_LISTS=<file> and copy the file over the stored one.
#include "AccountFixture.h"
#include "PeriodListsText.h"

#include <cstdlib>
#include <fstream>
#include <functional>

#include "compute/AllocationCategory.h"

namespace {

struct Account {
    const char* name;
    Date through;
    int monthly;
    std::function<void(CQRTCompute&)> fill;
};

void CopyFederal()
{
    std::filesystem::copy_file(std::filesystem::path(QRT_DATA_DIR) / "FEDERAL.TB3", "FEDERAL.TB3",
                               std::filesystem::copy_options::overwrite_existing);
}

// One tax, three payments over ten years, late filing and late payment.
void TypicalFederal(CQRTCompute& c)
{
    c.SetTableName("FEDERAL");
    AccountFixture::SetAccount(c, {{0, Date(4, 15, 2010), 1000000},
                                   {2, Date(6, 15, 2012), 300000},
                                   {2, Date(3, 1, 2015), 400000},
                                   {2, Date(9, 30, 2018), 500000}});
    Penalties& ftf = *c.GetPenalty(kPenalty6651a1);
    ftf.Enable(1);
    ftf.m_dates[0] = Date(4, 15, 2010);
    ftf.m_dates[2] = Date(8, 2, 2010);
    ftf.m_amounts[0] = 1000000;
    Penalties& ftp = *c.GetPenalty(kPenalty6651a2);
    ftp.Enable(1);
    ftp.m_dates[0] = Date(4, 15, 2010);
    ftp.m_dates[1] = Date(6, 1, 2011);
    ftp.m_amounts[0] = 1000000;
}

// The 1980s: motivated tax, negligence with its interest part, a stop and a
// start of interest, a deposit and a credit.
void Federal1980s(CQRTCompute& c)
{
    c.SetTableName("FEDERAL");
    AccountFixture::SetAccount(c, {{0, Date(4, 15, 1985), 2500000},
                                   {1, Date(4, 15, 1986), 800000},
                                   {3, Date(1, 10, 1987), 600000},
                                   {5, Date(3, 1, 1988), 0},
                                   {6, Date(9, 1, 1988), 0},
                                   {2, Date(5, 20, 1989), 1500000},
                                   {8, Date(2, 1, 1991), 400000},
                                   {0, Date(4, 15, 1992), 300000},
                                   {2, Date(7, 7, 1993), 2000000}});
    Penalties& neg = *c.GetPenalty(kPenalty6653a);
    neg.Enable(1);
    neg.m_amounts[0] = 2500000;
    neg.m_amounts[1] = 1200000;
    neg.m_amounts[2] = 200000;
    neg.m_dates[0] = Date(4, 15, 1985);
    neg.m_dates[1] = Date(10, 1, 1987);
    neg.m_dates[2] = Date(11, 1, 1987);
}

// A hundred events, half taxes and half payments, over thirty years.
void HundredEvents(CQRTCompute& c)
{
    c.SetTableName("FEDERAL");
    const Date first(1, 2, 1991);
    for (int i = 0; i < 100; ++i) {
        CEvent* e = c.GetEvent(i);
        e->m_date = first.AddDays(i * 110);
        e->m_type = static_cast<uint16_t>(i % 2 == 0 ? 0 : 2);
        e->m_amount = i % 2 == 0 ? 100000.0 + (i * 37) % 50000 : 80000.0 + (i * 53) % 40000;
    }
}

// A corporate overpayment above the GATT threshold.
void GattOverpayment(CQRTCompute& c)
{
    c.SetTableName("FEDERAL");
    c.GATTOn(1);
    c.GATTAmount(10000000);
    AccountFixture::SetAccount(c, {{0, Date(4, 15, 1994), 50000000},
                                   {2, Date(6, 15, 1994), 20000000},
                                   {2, Date(4, 15, 1997), 60000000},
                                   {0, Date(3, 15, 1998), 5000000},
                                   {9, Date(6, 1, 2000), 1000000}});
}

// Large-corporate-underpayment interest started and restarted.
void HotInterest(CQRTCompute& c)
{
    c.SetTableName("FEDERAL");
    AccountFixture::SetAccount(c, {{0, Date(3, 15, 1995), 30000000},
                                   {1, Date(3, 15, 1995), 5000000},
                                   {2, Date(5, 1, 1999), 10000000}});
    c.HotInterest(1);
    c.HotApplicable(Date(6, 1, 1996));
    c.HotInterest2(1);
    c.HotApplicable2(Date(1, 1, 1999));
}

// The methods other than daily, on a table written here: one tax, one
// motivated tax, a payment and a stop/start of interest.
void MethodAccount(CQRTCompute& c, const char* table)
{
    c.SetTableName(table);
    AccountFixture::SetAccount(c, {{0, Date(1, 31, 2020), 1234567},
                                   {1, Date(2, 29, 2020), 300000},
                                   {2, Date(8, 15, 2020), 500000},
                                   {5, Date(12, 31, 2020), 0},
                                   {6, Date(3, 31, 2021), 0},
                                   {2, Date(6, 30, 2021), 250000}});
}

void WriteMethodTable(const char* name, int method)
{
    AccountFixture::WriteTable(name, {{Date(1, 1, 2019), method, 5.0, 7.0, 4.0, 365},
                                      {Date(1, 1, 2020), method, 6.0, 8.0, 5.0, 366},
                                      {Date(1, 1, 2021), method, 4.0, 6.0, 3.0, 365}});
}

std::vector<Account> Accounts()
{
    std::vector<Account> out = {
        {"typical federal", Date(4, 15, 2020), 0, TypicalFederal},
        {"typical federal monthly", Date(4, 15, 2020), 1, TypicalFederal},
        {"federal 1980s", Date(12, 31, 1995), 0, Federal1980s},
        {"federal 1980s monthly", Date(12, 31, 1995), 1, Federal1980s},
        {"hundred events", Date(12, 31, 2021), 0, HundredEvents},
        {"gatt overpayment", Date(12, 31, 2001), 0, GattOverpayment},
        {"hot interest", Date(12, 31, 2000), 0, HotInterest},
    };
    static const char* const kTables[] = {"M0", "M1", "M3", "M4", "M5"};
    for (const char* table : kTables) {
        for (int monthly = 0; monthly < 2; ++monthly) {
            out.push_back({table, Date(9, 30, 2021), monthly, [table](CQRTCompute& c) { MethodAccount(c, table); }});
        }
    }
    return out;
}

using PeriodListsTest = AccountFixture;

TEST_F(PeriodListsTest, EveryAccountGivesItsStoredResults)
{
    CopyFederal();
    WriteMethodTable("M0", 0);
    WriteMethodTable("M1", 1);
    WriteMethodTable("M3", 3);
    WriteMethodTable("M4", 4);
    WriteMethodTable("M5", 5);

    std::string actual;
    for (const Account& a : Accounts()) {
        auto account = std::make_unique<CQRTCompute>();
        a.fill(*account);
        const int ok = Compute(*account, a.through, a.monthly);
        actual += "== " + std::string(a.name) + (a.monthly ? " (monthly)" : "") + " -> " + std::to_string(ok) + "\n";
        actual += period_lists::Results(*account);
    }

    if (const char* dump = std::getenv("QRT_WRITE_PERIOD_LISTS")) {
        std::ofstream(dump) << actual;
    }

    period_lists::ExpectStored(actual, std::string(QRT_SOURCE_DIR) + "/tests/compute/golden/PeriodLists.txt");
}

} // namespace
