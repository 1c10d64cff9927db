// The monthly accrual report: the interest of each month (on tax, on
// penalties, credit and GATT interest) with fiscal-year totals, the rounding
// adjustment against the account's own totals and the grand totals.
#include <cmath>
#include <cstdio>
#include <map>

#include "compute/CQRTCompute.h"
#include "report/CRepGen.h"
#include "report/FieldCodesInternal.h"
#include "report/ReportRows.h"
#include "report/ReportTemplate.h"

using namespace report;

namespace {

// The interest of one month or one total row, cents.
struct Sums {
    double tax = 0.0;      // normal and motivated interest
    double penalty = 0.0;  // interest on penalties
    double credit = 0.0;   // refund and GATT interest (negative: owed to the taxpayer)

    void Add(const Sums& s)
    {
        tax += s.tax;
        penalty += s.penalty;
        credit += s.credit;
    }
    bool NonZero() const { return std::fabs(tax) > 0.005 || std::fabs(penalty) > 0.005 || std::fabs(credit) > 0.005; }
};

int MonthKey(Date d) { return d.Year() * 12 + (d.Month() - 1); }

// A period that carries anything; the lead-in record from 1 January 1954
// to the first event carries nothing and does not start the report.
bool Carries(const ComputeResults& r)
{
    return r.m_principal != 0.0 || r.m_interest != 0.0 || r.m_gattPrincipal != 0.0 || r.m_gattInterest != 0.0;
}

// Adds the periods of one stream to the month their period ends in (with
// month breaks no period spans two months), as the account's totals count
// them: a negative interest is refund interest.
void AddStream(const ComputeResults* r, bool penaltyStream, Date through, std::map<int, Sums>& months,
               Date& earliest)
{
    for (; r != nullptr; r = r->m_next) {
        if (!r->m_end.isValid() || r->m_end > through || !Carries(*r)) continue;
        if (r->m_start.isValid() && (!earliest.isValid() || r->m_start < earliest)) earliest = r->m_start;
        Sums& s = months[MonthKey(r->m_end)];
        if (penaltyStream) {
            s.penalty += r->m_interest;
            continue;
        }
        (r->m_interest < 0.0 ? s.credit : s.tax) += r->m_interest;
        s.credit += r->m_gattInterest;
    }
}

Sums AccountTotals(const CQRTCompute& c)
{
    Sums s;
    s.tax = c.InterestNormal() + c.InterestMotivated();
    s.penalty = c.InterestPenalty();
    s.credit = c.InterestGATT() + c.InterestRefund();
    return s;
}

// Four-digit year of a date.
int FullYear(Date d) { return d.Year() + 1900; }

}  // namespace

int CRepGen::GenerateMonthlyAccrualReport()
{
    if (m_compute == nullptr) return 0;
    CQRTCompute& c = *m_compute;
    const Date through = m_computeDate;
    c.MainCompute(through, -1, 1);
    NewPage();
    m_title = "MONTHLY ACCRUAL REPORT";
    PrintGeneralHeading();
    ReportTemplate lines;
    if (!lines.Load("REPMON.DM")) {
        // Leave the account as the caller computed it, without month breaks.
        c.MainCompute(through, -1, 0);
        return 0;
    }

    int rowLine = 0;
    while (rowLine < lines.LineCount() && lines.Line(rowLine).compare(0, 1, "#") != 0) ++rowLine;
    PrintHeadingLines(*this, lines, rowLine);
    // The '#' stands in the first column of the row: the month end is
    // written from there. Without a row pattern the template's columns are
    // used.
    // A row is at most as long as a merged template line.
    std::string pattern = lines.Line(rowLine).substr(0, kMaxValue);
    if (pattern.empty()) pattern = PatternLine(52, {0, 21, 36, 51});
    pattern[0] = static_cast<char>(kFieldMark);
    if (pattern.size() > 1 && pattern[1] == static_cast<char>(kFieldMark)) pattern[1] = ' ';
    auto row = [&](const std::string& label, const Sums& s) {
        std::string line = FillPattern(pattern, {label, Money13(s.tax), Money13(s.penalty), Money13(s.credit)});
        if (line.size() > static_cast<size_t>(kMaxValue)) line.resize(kMaxValue);
        OutputString(line, 1);
    };
    auto yearRow = [&](int year, Sums& sums, Sums& grand) {
        char label[32];
        std::snprintf(label, sizeof label, "%d Totals", year);
        row(label, sums);
        WriteBlankLine();
        grand.Add(sums);
        sums = Sums();
    };

    std::map<int, Sums> months;
    Date earliest;
    AddStream(c.NormalBase(), false, through, months, earliest);
    AddStream(c.MotivatedBase(), false, through, months, earliest);
    AddStream(c.PenaltyBase(), true, through, months, earliest);

    Sums yearSums;
    Sums grand;
    Date lastMonth;
    if (earliest.isValid() && through.isValid()) {
        Date month(earliest.Month(), 1, FullYear(earliest));
        for (; month.isValid() && month <= through; month = month.AddMonths(1)) {
            Date end = month;
            end.EndOfMonth();
            if (end > through) end = through;
            const auto found = months.find(MonthKey(month));
            const Sums s = found != months.end() ? found->second : Sums();
            row(RowDate(end), s);
            yearSums.Add(s);
            lastMonth = month;
            if (month.Month() == m_fiscalYearEnd + 1) yearRow(FullYear(month), yearSums, grand);
        }
    }
    if (yearSums.NonZero()) {
        // The fiscal year in progress is named by the year it ends in.
        const int fiscalEnd = m_fiscalYearEnd + 1;
        int year = lastMonth.isValid() ? FullYear(lastMonth) : FullYear(through);
        if (lastMonth.isValid() && fiscalEnd >= 1 && fiscalEnd <= 12 && lastMonth.Month() > fiscalEnd) ++year;
        yearRow(year, yearSums, grand);
    }

    // The account's totals without month breaks: the month breaks round
    // each period's interest once more, and the difference is shown.
    c.MainCompute(through, -1, 0);
    const Sums totals = AccountTotals(c);
    const Sums adjustment{totals.tax - grand.tax, totals.penalty - grand.penalty, totals.credit - grand.credit};
    if (adjustment.NonZero()) row("Rounding adjustment", adjustment);
    row("Grand Totals", totals);

    m_headingCount = 0;
    WriteBlankLine();
    WriteBlankLine();
    PrintSummaryBlock();
    return 1;
}
