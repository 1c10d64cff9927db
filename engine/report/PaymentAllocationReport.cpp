// The payment allocation detail: how each payment and deposit was applied
// over the allocation categories, with totals of payments and deposits.
#include "compute/CQRTCompute.h"
#include "report/CRepGen.h"
#include "report/ReportRows.h"
#include "report/ReportTemplate.h"

using namespace report;

namespace {

// Date at 0, category name at 10, amount paid by a payment at 35 or by a
// deposit at 50, the event's whole amount at 65 (the columns of PAYREP.DM).
constexpr int kDateColumn = 0;
constexpr int kNameColumn = 10;
constexpr int kPaymentColumn = 35;
constexpr int kDepositColumn = 50;
constexpr int kAmountColumn = 65;
constexpr int kPatternWidth = 66;

}  // namespace

int CRepGen::GeneratePaymentAllocationReport()
{
    if (m_compute == nullptr) return 0;
    CQRTCompute& c = *m_compute;
    const int count = c.EventCount();
    bool anyPayment = false;
    for (int i = 0; i < count && !anyPayment; ++i) anyPayment = IsPaymentKind(c.GetEvent(i)->m_type) != 0;
    if (!anyPayment) return 0;

    m_title = "PAYMENT ALLOCATION DETAIL REPORT";
    NewPage();
    PrintGeneralHeading();
    ReportTemplate headings;
    if (!headings.Load("PAYREP.DM")) return 0;
    PrintHeadingLines(*this, headings, headings.LineCount());

    const std::string pattern =
        PatternLine(kPatternWidth, {kDateColumn, kNameColumn, kPaymentColumn, kDepositColumn, kAmountColumn});
    double payments = 0.0;
    double deposits = 0.0;
    for (int i = 0; i < count; ++i) {
        const CEvent& e = *c.GetEvent(i);
        if (!IsPaymentKind(e.m_type)) continue;
        const bool deposit = e.m_type == kEventDeposit;
        (deposit ? deposits : payments) += e.m_amount;
        if (e.m_allocation == nullptr) continue;

        // One line per category the event paid; the whole amount goes on the
        // block's last line.
        const Payment& p = *e.m_allocation;
        double allocated = 0.0;
        int last = -1;
        for (int k = 0; k < kCategoryCount; ++k)
            if (p.m_payment[k] > 0.0) {
                allocated += p.m_payment[k];
                last = k;
            }
        const double unallocated = deposit ? e.m_amount - allocated : 0.0;
        const bool remainderLine = deposit && (unallocated > 0.5 || unallocated < -0.5);
        std::string date = RowDate(e.m_date);
        for (int k = 0; k <= last; ++k) {
            if (!(p.m_payment[k] > 0.0)) continue;
            const std::string amount = Money13(p.m_payment[k]);
            const std::string whole = k == last && !remainderLine ? Money13(e.m_amount) : "";
            OutputString(FillPattern(pattern, {date, AllocationCategoryName(k), deposit ? "" : amount,
                                               deposit ? amount : "", whole}),
                         1);
            date.clear();
        }
        if (remainderLine || last < 0)
            OutputString(FillPattern(pattern, {date, remainderLine ? "Unallocated amount of deposit" : "",
                                               "", remainderLine ? Money13(unallocated) : "",
                                               Money13(e.m_amount)}),
                         1);
        WriteBlankLine();
    }
    OutputString(FillPattern(pattern, {"", "Totals", Money13(payments), Money13(deposits),
                                       Money13(payments + deposits)}),
                 1);

    // The account summary has headings of its own.
    m_headingCount = 0;
    for (int i = 0; i < 4; ++i) WriteBlankLine();
    PrintSummaryBlock();
    return 1;
}
