// The interest computation detail: the normal, motivated and penalty interest
// streams period by period, the account summary, the warning block and the
// large-corporate interest section.
#include <cmath>
#include <cstdio>
#include <string>

#include "compute/CQRTCompute.h"
#include "compute/ComputeResults.h"
#include "compute/PenaltyStreamKinds.h"
#include "report/CRepGen.h"
#include "report/ReportLabels.h"
#include "report/ReportLineInternal.h"
#include "report/ReportTemplate.h"

using namespace report;

namespace {

// Column starts of a period line: label, date, years, months, days, rate,
// factor, the two amounts, the running total. Without factors the years,
// months, days and factor columns are not printed. Labels stop one column
// before the date, so a long event name never runs into it.
struct Columns {
    size_t label, labelWidth, date, years, months, days, rate, factor, first, second, total;
    bool factors;
};
constexpr Columns kPlain = {0, 20, 21, 0, 0, 0, 30, 0, 36, 50, 65, false};
constexpr Columns kWithFactors = {0, 11, 12, 21, 24, 27, 32, 38, 50, 65, 0, true};

// Lines of INTHEAD1.DM (with factors) and INTHEAD2.DM per stream section.
constexpr int kSectionLinesFactors = 3;
constexpr int kSectionLinesPlain = 4;
// A stream begins on a new page when fewer lines than this are left.
constexpr int kRoomForStream = 10;

bool Shown(double cents) { return std::fabs(cents) > 0.009; }

std::string Rate(double percent)
{
    char text[32];
    std::snprintf(text, sizeof text, "%5.2lf", percent);
    return text;
}

std::string Count(int n, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%*d", width, n);
    return text;
}

// The kind of event line that the end of a period stands for, or -1 when the
// period ends at no event (a rate change, a month end, the final period).
int EventLineKind(const ComputeResults& r, int streamKind)
{
    if (r.m_kind < 12) return r.m_event != 65535 || streamKind == 2 ? r.m_kind : -1;
    if (streamKind == 2) return r.m_kind <= penalty::kStreamKindHotStart ? r.m_kind : -1;
    if (r.m_kind == kEventHotStart) return kHotStartLineKind;
    if (r.m_kind == kEventHotStop) return kStopHotLineKind;
    return -1;
}

}  // namespace

int CRepGen::GenerateInterestDetail(int standalone)
{
    if (m_compute == nullptr) return 0;
    CQRTCompute& c = *m_compute;
    const int pagesBefore = m_numPages;
    for (double& sum : m_gattSums) sum = 0.0;

    ReportTemplate heading;
    if (!heading.Load(standalone ? "INTHEAD1.DM" : "INTHEAD2.DM")) return 0;
    const int sectionLines = standalone ? kSectionLinesFactors : kSectionLinesPlain;
    if (standalone) {
        m_title = "INTEREST COMPUTATION DETAIL REPORT";
        NewPage();
        PrintGeneralHeading();
    } else {
        WriteBlankLine();
    }

    ComputeResults* streams[3] = {c.NormalBase(), c.MotivatedBase(), c.PenaltyBase()};
    for (int k = 0; k < 3; ++k) {
        if (!ComputeResults::AnyInterestInStream(streams[k])) continue;
        m_headingCount = 0;
        for (int i = 0; i < sectionLines && m_headingCount < kMaxHeadings; ++i)
            m_headings[m_headingCount++] = heading.Line(k * sectionLines + i);
        if (m_lineOnPage > static_cast<long long>(m_linesPerPage) - kRoomForStream) {
            NewPage();
            PrintGeneralHeading();
        }
        for (int i = 0; i < m_headingCount; ++i) {
            char work[kHeadingLineSize];
            CopyToWorkLine(work, kHeadingLineSize, m_headings[i]);
            MergeTemplateLine(work, 0, 1, kHeadingLineSize);
        }
        GenerateInterestEvents(streams[k], k, !standalone);
    }
    m_headingCount = 0;

    PrintSummaryBlock();
    if (c.RefundAndPenalty()) {
        ReportTemplate warning;
        if (warning.Load("INTWARN.DM"))
            for (int i = 0; i < warning.LineCount(); ++i) OutputString(warning.Line(i), 1);
    }
    if (c.HotInterest()) PrintPenaltySection(22);
    return m_numPages - pagesBefore + 1;
}

int CRepGen::GenerateInterestWithFactorsReport() { return GenerateInterestDetail(1); }

int CRepGen::GenerateInterestEvents(ComputeResults* stream, int streamKind, int combined)
{
    if (m_compute == nullptr) return 0;
    CQRTCompute& c = *m_compute;
    const int pagesBefore = m_numPages;
    const Columns& col = combined ? kPlain : kWithFactors;
    double running = 0.0;
    bool gattStarted = false;

    const auto eventLine = [&](const ComputeResults& end) {
        const int kind = EventLineKind(end, streamKind);
        if (kind < 0) return;
        const CEvent* e = end.m_event != 65535 && end.m_event < CQRTCompute::kMaxEvents ? c.GetEvent(end.m_event)
                                                                                        : nullptr;
        std::string label = EventLineLabel(kind);
        if (e != nullptr && m_useEventDescriptions && e->m_userName != nullptr && e->m_userName[0] != '\0')
            label = e->m_userName;
        std::string line = label.substr(0, col.labelWidth);
        PutAt(line, col.date, ShortDate(end.m_end));
        double amount = 0.0;
        if (streamKind == 2) {
            // The penalty stream: what was assessed and paid at this step.
            amount = end.m_amount - end.m_paid;
        } else if (e != nullptr && kind < 12 && kind != kEventStopInterest && kind != kEventStartInterest) {
            if (!IsPaymentKind(kind)) {
                // Each stream shows the taxes that make its own principal.
                const bool own = streamKind == 1 ? kind == kEventMotivatedTax
                                                 : kind == kEventTax || kind == kEventDebit || kind == kEventIRSCheck;
                amount = own ? e->m_amount : 0.0;
            } else if (e->m_allocation != nullptr) {
                const int first = streamKind == 0 ? kCategoryTax : kCategoryMotivatedTax;
                amount = -(e->m_allocation->m_payment[first] + e->m_allocation->m_payment[first + 1]);
            }
        }
        if (Shown(amount)) PutAt(line, col.first, Money13(amount));
        OutputString(Trimmed(line), 1);
    };

    const auto periodLine = [&](const ComputeResults& r, RateLabel label, double principal, double interest,
                                double rate, double factor) {
        std::string line = std::string(PeriodLineLabel(label)).substr(0, col.labelWidth);
        PutAt(line, col.date, ShortDate(r.m_start));
        if (col.factors) {
            if (r.m_years != 0) PutAt(line, col.years, Count(r.m_years, 2));
            if (r.m_months != 0) PutAt(line, col.months, Count(r.m_months, 2));
            PutAt(line, col.days, Count(r.m_days, 3));
            char text[32];
            std::snprintf(text, sizeof text, "%1.9lf", factor);
            PutAt(line, col.factor, text);
        }
        PutAt(line, col.rate, Rate(rate));
        if (Shown(principal)) PutAt(line, col.first, Money13(principal));
        if (Shown(interest)) PutAt(line, col.second, Money13(interest));
        running += interest;
        if (!col.factors && Shown(running)) PutAt(line, col.total, Money13(running));
        OutputString(Trimmed(line), 1);
    };

    for (const ComputeResults* r = stream; r != nullptr; r = r->m_next) {
        if (r->m_prev != nullptr) eventLine(*r->m_prev);
        const bool gatt = Shown(r->m_gattPrincipal) || Shown(r->m_gattInterest);
        // A period without length or without any figure accrues nothing (the
        // lead-in before the first event, two events on one day): no line.
        if (r->m_end == r->m_start || (!Shown(r->m_principal) && !Shown(r->m_interest) && !gatt)) continue;
        if (!gattStarted && c.GATTOn() && r->m_gattRate != r->m_rate
            && r->m_principal + r->m_gattPrincipal < -0.005) {
            gattStarted = true;
            char money[kMoneyTextSize];
            FormatMoney(money, r->m_principal + r->m_gattPrincipal, 1, 1, 1, c.WholeDollarMode());
            char text[160];
            std::snprintf(text, sizeof text, "GATT Starts %s       Refund on start date.: %s",
                          ShortDate(r->m_start).c_str(), money);
            WriteBlankLine();
            OutputLine(text, 1);
            WriteBlankLine();
        }
        const RateLabel label = gatt ? kRateLabelHigh : r->m_hot ? kRateLabelHot : kRateLabelInterest;
        periodLine(*r, label, r->m_principal, r->m_interest, r->m_rate, r->m_factor);
        if (gatt) periodLine(*r, kRateLabelGatt, r->m_gattPrincipal, r->m_gattInterest, r->m_gattRate, r->m_gattFactor);
    }
    WriteBlankLine();
    WriteBlankLine();
    return m_numPages - pagesBefore;
}
