// The table model: lookup, gap closing, ordering, extension and the small
// accessors whose rules callers rely on.
#include <gtest/gtest.h>

#include <cstring>

#include "ratetable/InterestRateTable.h"

namespace {

struct Row {
    Date start;
    int method;
    double rate;
    int dpy;
};

// A table holding the rows in slots 0, 1, ...; a row with no date leaves its
// slot empty (but with the row's rate, to show it is cleared when moved).
void Fill(InterestRateTable& t, std::initializer_list<Row> rows) {
    t.Clear();
    int i = 0;
    for (const Row& r : rows) {
        t.SetStartingDate(i, r.start);
        t.SetMethod(i, r.method);
        t.SetNRate(i, r.rate);
        t.SetMRate(i, r.rate + 2);
        t.SetRRate(i, r.rate - 1);
        t.SetDPY(i, r.dpy);
        ++i;
    }
}

TEST(InterestRateTableLookup, HalfOpenIntervalsAndRepeatedDates) {
    InterestRateTable t;
    Fill(t, {{Date(1, 1, 2023), 2, 7, 365}, {Date(4, 1, 2023), 2, 8, 365}});
    struct Case { Date d; int expected; const char* why; };
    const Case cases[] = {
        {Date(1, 1, 2023), 0, "first day of first period"},
        {Date(3, 31, 2023), 0, "last day before the second start"},
        {Date(4, 1, 2023), 1, "second start opens the second period"},
        {Date(6, 4, 2133), 1, "open-ended last period"},
        {Date(12, 31, 2022), 1, "before the first start matches no interval: last entry"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.GetEntryFor(c.d), c.expected) << c.why;

    // Daily then Simple on 1 Apr: the empty interval of the first is never
    // matched, so 1 Apr finds the Simple entry.
    Fill(t, {{Date(1, 1, 2023), 1, 7, 365}, {Date(4, 1, 2023), 2, 8, 365},
             {Date(4, 1, 2023), 1, 8, 365}, {Date(7, 1, 2023), 2, 9, 365}});
    EXPECT_EQ(t.GetEntryFor(Date(4, 1, 2023)), 2);
    EXPECT_EQ(t.GetMethod(t.GetEntryFor(Date(6, 30, 2023))), 1);
    EXPECT_EQ(t.GetEntryFor(Date(7, 1, 2023)), 3);

    Fill(t, {});
    EXPECT_EQ(t.GetEntryFor(Date(1, 1, 2023)), 0) << "empty table";
    Fill(t, {{Date(1, 1, 2023), 2, 7, 365}});
    EXPECT_EQ(t.GetEntryFor(Date(1, 1, 1990)), 0) << "one-entry table";
}

TEST(InterestRateTableLookup, LastEntryAndSlotsPastTheEnd) {
    InterestRateTable t;
    EXPECT_FALSE(t.GetLastStartingDate().isValid()) << "empty table answers from slot 0";
    EXPECT_FALSE(t.GetStartingDate(500).isValid());
    EXPECT_FALSE(t.GetStartingDate(9999).isValid());

    Fill(t, {{Date(1, 1, 2023), 2, 7, 365}, {Date(4, 1, 2023), 2, 8, 365},
             {Date(), 2, 99, 365}, {Date(1, 1, 2024), 2, 50, 365}});
    EXPECT_EQ(t.GetLastStartingDate(), Date(4, 1, 2023)) << "stops at the first empty slot";
    EXPECT_EQ(t.GetLastNRate(), 8.0);

    // The scan for the last entry starts at slot 1. With slot 0 emptied (an
    // editor's row cleared) and slots 1-2 valid, the first empty slot from
    // slot 1 on is slot 3, so the answer is slot 2: 1 Jan 2024 at 50.
    Fill(t, {{Date(), 2, 99, 365}, {Date(4, 1, 2023), 2, 8, 365},
             {Date(1, 1, 2024), 2, 50, 365}});
    EXPECT_EQ(t.GetLastStartingDate(), Date(1, 1, 2024));
    EXPECT_EQ(t.GetLastNRate(), 50.0);
    // Slot 1 empty: the answer is slot 0 whatever it holds.
    Fill(t, {{Date(), 2, 99, 365}});
    EXPECT_FALSE(t.GetLastStartingDate().isValid());
    EXPECT_EQ(t.GetLastNRate(), 99.0);

    for (int i = 0; i < 500; ++i) t.SetStartingDate(i, Date(1, 1, 1960).AddDays(i));
    t.SetNRate(499, 4.5);
    EXPECT_EQ(t.GetLastStartingDate(), Date(1, 1, 1960).AddDays(499)) << "full table: slot 499";
    EXPECT_EQ(t.GetLastNRate(), 4.5);
}

TEST(InterestRateTableMaintenance, CompressTableMovesValidEntriesDownInOrder) {
    InterestRateTable t;
    Fill(t, {{Date(), 2, 1, 365}, {Date(), 2, 2, 365}, {Date(7, 1, 2023), 2, 3, 365}});
    t.CompressTable();
    EXPECT_EQ(t.GetStartingDate(0), Date(7, 1, 2023));
    EXPECT_EQ(t.GetNRate(0), 3.0);
    EXPECT_FALSE(t.GetStartingDate(1).isValid());

    Fill(t, {{Date(1, 1, 2023), 2, 1, 365}, {Date(), 2, 9, 365}, {Date(4, 1, 2023), 2, 2, 365},
             {Date(), 2, 9, 365}, {Date(), 2, 9, 365}, {Date(2, 1, 2023), 2, 3, 365}});
    t.GetHeader()->m_entryCount = 6;
    t.CompressTable();
    EXPECT_EQ(t.GetNRate(0), 1.0);
    EXPECT_EQ(t.GetNRate(1), 2.0);
    EXPECT_EQ(t.GetNRate(2), 3.0) << "order among valid entries kept, not sorted";
    for (int i = 3; i < 6; ++i) {
        EXPECT_FALSE(t.GetStartingDate(i).isValid()) << i;
        EXPECT_EQ(t.GetNRate(i), 0.0) << "slot " << i << " cleared";
    }
    EXPECT_EQ(t.GetHeader()->m_entryCount, 6) << "entry count left as it was";
}

TEST(InterestRateTableMaintenance, SortEventsIsStableAndKeepsEntryCount) {
    InterestRateTable t;
    Fill(t, {{Date(7, 1, 2023), 2, 3, 365}, {Date(1, 1, 2023), 2, 1, 365},
             {Date(), 0, 0, 0}, {Date(4, 1, 2023), 2, 2, 365}});
    t.GetHeader()->m_entryCount = 7;
    t.SortEvents();
    EXPECT_EQ(t.GetStartingDate(0), Date(1, 1, 2023));
    EXPECT_EQ(t.GetStartingDate(1), Date(4, 1, 2023));
    EXPECT_EQ(t.GetStartingDate(2), Date(7, 1, 2023));
    EXPECT_EQ(t.GetNRate(2), 3.0) << "whole entries move";
    EXPECT_FALSE(t.GetStartingDate(3).isValid());
    EXPECT_EQ(t.GetHeader()->m_entryCount, 7);

    // Two entries per date (Daily then Simple) keep their order.
    Fill(t, {{Date(7, 1, 2023), 2, 5, 365}, {Date(7, 1, 2023), 1, 6, 365},
             {Date(4, 1, 2023), 2, 3, 365}, {Date(4, 1, 2023), 1, 4, 365},
             {Date(1, 1, 2023), 1, 1, 365}});
    t.SortEvents();
    const int methods[] = {1, 2, 1, 2, 1};
    const double rates[] = {1, 3, 4, 5, 6};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(t.GetMethod(i), methods[i]) << i;
        EXPECT_EQ(t.GetNRate(i), rates[i]) << i;
    }
}

TEST(InterestRateTableMaintenance, ExtendThroughAddsMonthlyCopies) {
    InterestRateTable t;
    Fill(t, {{Date(1, 15, 2023), 4, 7, 365}});
    t.ExtendThrough(Date(4, 1, 2024));
    // 15 Jan 2023 plus 15 monthly copies: 15 Feb 2023 ... 15 Apr 2024.
    EXPECT_EQ(t.GetHeader()->m_entryCount, 16);
    EXPECT_EQ(t.GetStartingDate(1), Date(2, 15, 2023));
    EXPECT_EQ(t.GetStartingDate(15), Date(4, 15, 2024));
    EXPECT_FALSE(t.GetStartingDate(16).isValid());
    EXPECT_EQ(t.GetDPY(11), 365) << "15 Dec 2023";
    EXPECT_EQ(t.GetDPY(12), 366) << "15 Jan 2024";
    EXPECT_EQ(t.GetMethod(15), 4);
    EXPECT_EQ(t.GetNRate(15), 7.0);

    Fill(t, {{Date(11, 30, 2023), 4, 7, 100}});
    t.ExtendThrough(Date(3, 1, 2024));
    EXPECT_EQ(t.GetHeader()->m_entryCount, 5);
    EXPECT_EQ(t.GetStartingDate(1), Date(12, 31, 2023)) << "30 Nov is a month end";
    EXPECT_EQ(t.GetStartingDate(3), Date(2, 29, 2024));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(t.GetDPY(i), 100) << i;

    // Stops at slot 499: 1 Jan 1960 + 499 months = 1 Aug 2001.
    Fill(t, {{Date(1, 1, 1960), 4, 7, 365}});
    t.ExtendThrough(Date(1, 1, 2100));
    EXPECT_EQ(t.GetHeader()->m_entryCount, 500);
    EXPECT_EQ(t.GetStartingDate(499), Date(8, 1, 2001));

    Fill(t, {});
    t.GetHeader()->m_entryCount = 3;
    t.ExtendThrough(Date(1, 1, 2024));
    EXPECT_EQ(t.GetHeader()->m_entryCount, 3) << "an empty table is left alone";
}

TEST(InterestRateTableMaintenance, DeleteEntryOnAFullTableEmptiesSlot499) {
    InterestRateTable t;
    for (int i = 0; i < 500; ++i) {
        t.SetStartingDate(i, Date(1, 1, 1960).AddDays(i));
        t.SetNRate(i, i);
    }
    t.DeleteEntry(0);
    EXPECT_EQ(t.GetNRate(0), 1.0);
    EXPECT_EQ(t.GetNRate(498), 499.0);
    EXPECT_FALSE(t.GetStartingDate(499).isValid());
    EXPECT_EQ(t.GetNRate(499), 0.0);
}

TEST(InterestRateTableQueries, SpecialDaysPerYearAndDuplicates) {
    InterestRateTable t;
    Fill(t, {{Date(1, 1, 2023), 2, 8, 365}, {Date(1, 1, 2024), 2, 8, 366}});
    EXPECT_EQ(t.UsesSpecialDPY(), 0);
    t.SetDPY(3, 100);  // slot 3 lies past the empty slot 2
    t.SetStartingDate(3, Date(1, 1, 2025));
    EXPECT_EQ(t.UsesSpecialDPY(), 0) << "entries past the first empty slot do not count";
    t.SetDPY(1, 100);
    EXPECT_EQ(t.UsesSpecialDPY(), 1);

    t.GetHeader()->m_entryCount = 2;
    IRTU probe = *t.GetEntry(0);
    EXPECT_EQ(t.IsDuplicate(&probe), 1);
    probe.m_normalRate = 8.000000001;
    EXPECT_EQ(t.IsDuplicate(&probe), 0) << "rates compared bit for bit";
    probe = *t.GetEntry(1);
    t.GetHeader()->m_entryCount = 1;
    EXPECT_EQ(t.IsDuplicate(&probe), 0) << "only the first m_entryCount entries are searched";
}

TEST(InterestRateTableText, DescriptionNotesAndNames) {
    InterestRateTable t;
    t.SetTableName("FEDERAL");
    t.SetDescription("Federal rates");
    char buffer[358];
    t.NameAndDescription(buffer);
    EXPECT_STREQ(buffer, "Federal rates -- FEDERAL");

    const std::string longText(120, 'x');
    t.SetDescription(longText.c_str());
    EXPECT_EQ(std::strlen(t.Description()), 93u) << "description field keeps 93 characters";

    t.GetHeader()->TableNotes(std::string("ab\0cd", 5));
    EXPECT_EQ(t.TableNotes(), "ab") << "notes end at a NUL byte";
    EXPECT_EQ(t.GetHeader()->m_notesLength, 2);
    t.GetHeader()->TableNotes(std::string(70000, 'n'));
    EXPECT_EQ(t.GetHeader()->m_notesLength, 65535) << "length field is 16 bits";
    EXPECT_EQ(t.TableNotes().size(), 65535u);
}

}  // namespace
