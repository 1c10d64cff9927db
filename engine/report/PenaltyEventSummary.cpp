// Field ESUM: the dated steps of a failure-to-pay penalty's base, month by
// month from the penalty's pieces (tax shown: slot 1, assessment: slot 2),
// with the notices, payments, added assessments and rate changes between
// them.
#include <algorithm>
#include <vector>

#include "compute/CQRTCompute.h"
#include "report/CRepGen.h"
#include "report/ReportRows.h"

using namespace report;

namespace {

// Each line: its label, then the date at 37, the base (or what changes it)
// at 46, the monthly rate at 61 and the penalty at 66.
const char kBaseThrough[] = "  Penalty base through";
const char kLessPayments[] = "  Less payments";
const char kLevyRate[] = "  6631 new rate next month";
const char kBalance[] = "  Balance";
const char kGracePayment[] = "  Payment made during grace period";
const char kAssessment[] = "  Additional assessment";
const char kNotice[] = "  IRS notice date";
const char kAgreementStart[] = "  Install agreement start";
const char kAgreementStop[] = "  Install agreement stop";
const char kRateChange[] = "  Penalty rate change";

constexpr int kDateColumn = 37;
constexpr int kBaseColumn = 46;
constexpr int kRateColumn = 61;
constexpr int kPenaltyColumn = 66;

// The monthly rate of a piece's rate code (quarter percents less one).
const char* RateLabel(int code)
{
    switch (code) {
    case 0: return "0.25%";
    case 1: return "0.5%";
    case 2: return "0.75%";
    case 3: return "1.0%";
    default: return "";
    }
}

struct Step {
    Date date;
    const char* label;
    std::string base, rate, penalty;
};

// Record date indexes of the two failure-to-pay slots.
struct SlotDates {
    int firstNotice, lastNotice, levy, jeopardy;
};

}  // namespace

int CRepGen::PrintEventSummary(int penaltyKind)
{
    if (m_compute == nullptr) return 0;
    CQRTCompute& c = *m_compute;
    const bool assessment = penaltyKind == kPenalty6651a3;
    if (penaltyKind != kPenalty6651a2 && !assessment) return 0;
    const F2Fs* pieces = assessment ? c.GetFPABase() : c.GetFPSBase();
    const Penalties& rec = *c.GetPenalty(penaltyKind);
    if (pieces == nullptr || !rec.IsEnabled()) return 0;
    const SlotDates at = assessment ? SlotDates{0, 3, 4, 5} : SlotDates{1, 4, 5, 6};

    auto assessed = [&](Date d, int notice) {
        double sum = 0.0;
        if (CPenaltyDropList* drops = c.PenaltyDrops())
            for (const CPenaltyDrop* p = drops->Head(); p != nullptr; p = p->m_next)
                if (p->m_slot == penaltyKind && p->m_seq == notice && p->m_date == d) sum += p->m_amount;
        return sum;
    };

    // The steps that are not months, in date order.
    std::vector<Step> dated;
    for (int k = at.firstNotice; k <= at.lastNotice; ++k) {
        const Date d = rec.m_dates[k];
        if (!d.isValid()) continue;
        const double penalty = assessed(d, k);
        dated.push_back({d, kNotice, assessment && k == 0 ? Money13(rec.m_amounts[0]) : "", "",
                         penalty > 0.0 ? Money13(penalty) : ""});
        if (assessment && k > 0) dated.push_back({d, kAssessment, Money13(rec.m_amounts[k]), "", ""});
    }
    for (int k : {at.levy, at.jeopardy})
        if (rec.m_dates[k].isValid()) dated.push_back({rec.m_dates[k], kLevyRate, "", RateLabel(3), ""});
    if (rec.m_dates[8].isValid()) dated.push_back({rec.m_dates[8], kAgreementStart, "", "", ""});
    if (rec.m_dates[9].isValid()) dated.push_back({rec.m_dates[9], kAgreementStop, "", "", ""});
    if (assessment && pieces->m_first) {
        // What was paid on the tax after the notice, up to the last day of
        // its grace period.
        for (int i = 0; i < c.EventCount(); ++i) {
            const CEvent& e = *c.GetEvent(i);
            if (!IsPaymentKind(e.m_type) || e.m_allocation == nullptr || e.m_date <= rec.m_dates[0] ||
                e.m_date > pieces->m_monthStart)
                continue;
            const double tax = e.m_allocation->m_payment[kCategoryTax] + e.m_allocation->m_payment[kCategoryMotivatedTax];
            if (tax > 0.0) dated.push_back({e.m_date, kGracePayment, Money13(-tax), "", ""});
        }
    }
    std::stable_sort(dated.begin(), dated.end(), [](const Step& a, const Step& b) { return a.date < b.date; });

    const std::string pattern = PatternLine(kPenaltyColumn + 1, {kDateColumn, kBaseColumn, kRateColumn, kPenaltyColumn});
    int lines = 0;
    auto print = [&](const char* label, Date d, const std::string& base, const std::string& rate,
                     const std::string& penalty) {
        std::string line = FillPattern(pattern, {RowDate(d), base, rate, penalty});
        line.replace(0, std::min(line.size(), std::char_traits<char>::length(label)), label);
        if (line.size() > 79) line.resize(79);
        OutputString(line, 1);
        ++lines;
    };
    size_t next = 0;
    auto printDatedThrough = [&](Date d) {
        for (; next < dated.size() && (!d.isValid() || dated[next].date <= d); ++next)
            print(dated[next].label, dated[next].date, dated[next].base, dated[next].rate, dated[next].penalty);
    };

    // The months of the walk start at the first piece that is not the
    // grace-start mark; month n runs to the day before month n + 1 starts.
    const F2Fs* first = pieces->m_first ? pieces->m_next : pieces;
    const Date start = first != nullptr ? first->m_monthStart : pieces->m_monthStart;
    int month = 0;
    const F2Fs* previous = nullptr;
    for (const F2Fs* p = pieces; p != nullptr; p = p->m_next) {
        printDatedThrough(p->m_monthStart);
        if (p->m_first) {
            print(kBalance, p->m_monthStart, Money13(p->m_base), "", "");
            previous = p;
            continue;
        }
        if (previous != nullptr) {
            // A later assessment noticed in the month before adds to the
            // base; what else the base lost, payments took off it.
            double added = 0.0;
            if (assessment)
                for (int k = 1; k <= 3; ++k)
                    if (rec.m_dates[k].isValid() && rec.m_dates[k] > previous->m_monthStart &&
                        rec.m_dates[k] <= p->m_monthStart)
                        added += rec.m_amounts[k];
            const double paid = previous->m_base + added - p->m_base;
            if (paid > 0.5) print(kLessPayments, p->m_monthStart, Money13(-paid), "", "");
            if (p->m_base != previous->m_base) print(kBalance, p->m_monthStart, Money13(p->m_base), "", "");
            if (!previous->m_first && p->m_rateCode != previous->m_rateCode)
                print(kRateChange, p->m_monthStart, "", RateLabel(p->m_rateCode), "");
        }
        while (month < 10000 && start.AddMonths(month).isValid() && start.AddMonths(month) < p->m_monthStart) ++month;
        const Date monthEnd = start.AddMonths(month + 1).AddDays(-1);
        print(kBaseThrough, monthEnd, Money13(p->m_base), RateLabel(p->m_rateCode), Money13(p->m_amount));
        previous = p;
    }
    printDatedThrough(Date());
    return lines;
}
