// The engine's records: the Penalties byte layout and reset state, the
// date-ordered drop list, and the dump formats that reach an
// installed trace receiver.
#include <gtest/gtest.h>

#include <string>

#include "ComputeTestSupport.h"
#include "trace/Trace.h"

namespace {

TEST(PenaltiesRecord, NewRecordHasInvalidDatesAndZeroes)
{
    Penalties p;
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(p.m_dates[i].serial, 65535) << i;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&p);
    for (size_t i = 24; i < sizeof p; ++i)
        EXPECT_EQ(bytes[i], 0) << "byte " << i;
    EXPECT_EQ(p.IsEnabled(), 0);
}

TEST(PenaltiesRecord, ValueIsTruncatedAndAmountsSitAtTheirOffset)
{
    Penalties p;
    p.SetValue(20.9);
    EXPECT_EQ(p.Value(), 20.0);
    p.SetValue(-3.7);
    EXPECT_EQ(p.Value(), -3.0);
    // The amount at offset 28 is stored little-endian as an IEEE double.
    p.m_amounts[0] = 1.0;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&p);
    EXPECT_EQ(bytes[28 + 7], 0x3F);
    EXPECT_EQ(bytes[28 + 6], 0xF0);
}

TEST(PenaltyDrops, KeepDateOrderAndTheOrderMadeOnTies)
{
    CPenaltyDropList list;
    list.Insert(1, Date(3, 1, 2020), 100.0, 0);
    list.Insert(2, Date(2, 1, 2020), 200.0, 0);   // earlier: new head
    list.Insert(1, Date(3, 1, 2020), 300.0, 1);   // same date: after the first
    list.Insert(23, Date(4, 1, 2020), 400.0, 0);
    list.Insert(-1, Date(3, 1, 2020), 500.0, 7);  // same date again: last of them
    EXPECT_EQ(list.Insert(3, Date(), 10.0, 0), nullptr);
    EXPECT_EQ(list.Insert(3, Date(3, 1, 2020), 0.0, 0), nullptr);
    EXPECT_EQ(list.Insert(3, Date(3, 1, 2020), -5.0, 0), nullptr);
    const double order[] = {200.0, 100.0, 300.0, 500.0, 400.0};
    int i = 0;
    for (const CPenaltyDrop* d = list.Head(); d != nullptr; d = d->m_next, ++i)
        EXPECT_EQ(d->m_amount, order[i]) << i;
    EXPECT_EQ(i, 5);
    EXPECT_EQ(list.Count(), 5);
    list.Clear();
    EXPECT_EQ(list.Head(), nullptr);
}

// Collects every piece of trace text.
void Collect(const char* text, void* context)
{
    static_cast<std::string*>(context)->append(text);
}

class TraceCapture {
public:
    TraceCapture() { QrtSetTraceReceiver(Collect, &text); }
    ~TraceCapture() { QrtSetTraceReceiver(nullptr, nullptr); }
    std::string text;
};

TEST(Dumps, ResultRecordsWriteFourLinesEach)
{
    ComputeResults first;
    ComputeResults second;
    first.m_next = &second;
    second.m_prev = &first;
    first.m_kind = kEventRateChange;
    first.m_method = 2;
    first.m_event = 3;
    first.m_hot = 1;
    first.m_principal = 1234.5;
    second.m_kind = 42;
    second.m_method = 4;
    {
        TraceCapture capture;
        first.Dump(0);
        EXPECT_NE(capture.text.find("    Evt: 03 Type: RATE CHANGE Comp: DAILY    Hot? Y\n"),
                  std::string::npos)
            << capture.text;
        EXPECT_NE(capture.text.find("    Norm Prin: 1234.50 Int:    0.00"), std::string::npos);
        EXPECT_EQ(capture.text.find("<unk 42>"), std::string::npos);  // not `all`
        capture.text.clear();
        first.Dump(1);
        EXPECT_NE(capture.text.find("Type: <unk 42> Comp: <unk 04> Hot? N"), std::string::npos)
            << capture.text;
        int lines = 0;
        for (char c : capture.text)
            lines += c == '\n';
        EXPECT_EQ(lines, 8);
        capture.text.clear();
        ComputeResults::Dump(nullptr, 1);
        EXPECT_TRUE(capture.text.empty());
    }
}

TEST(Dumps, EventsWriteTheirAllocationBlocks)
{
    CEvent e;
    e.m_type = kEventPayment;
    e.m_date = Date(5, 1, 2020);
    e.m_amount = 500.0;
    TraceCapture capture;
    e.Dump(7);
    EXPECT_NE(capture.text.find("CEvent(7) Type PAYMENT   , Date "), std::string::npos)
        << capture.text;
    EXPECT_NE(capture.text.find("    Amt: 500.00, Gatt Amt: 0.00, Balof: 0.00\n"),
              std::string::npos);
    EXPECT_NE(capture.text.find("    (No payments allocated)\n"), std::string::npos);
    capture.text.clear();
    e.EnsureAllocation()->m_payment[49] = 12.5;
    e.Dump(7);
    EXPECT_NE(capture.text.find("    m_payment = \n     00 =        0.00, 01 ="), std::string::npos)
        << capture.text;
    EXPECT_NE(capture.text.find("49 =       12.50\n    m_specific = \n"), std::string::npos);
    e.Reset();
}

TEST(ResultStreams, AnyInterestLooksFromTheRecordOn)
{
    ComputeResults a;
    ComputeResults b;
    ComputeResults c;
    a.m_next = &b;
    b.m_next = &c;
    EXPECT_EQ(a.AnyInterestInStream(), 0);
    c.m_gattInterest = -3.0;
    EXPECT_EQ(a.AnyInterestInStream(), 1);
    EXPECT_EQ(c.AnyInterestInStream(), 1);
    c.m_gattInterest = 0.0;
    a.m_interest = 5.0;
    EXPECT_EQ(a.AnyInterestInStream(), 1);
    EXPECT_EQ(b.AnyInterestInStream(), 0);
    EXPECT_EQ(ComputeResults::AnyInterestInStream(nullptr), 0);
}

}  // namespace
