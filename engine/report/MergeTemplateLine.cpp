// Field substitution of template lines: the value of every field code, the
// placement rules, and the action codes that load further templates.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "compute/CQRTCompute.h"
#include "compute/PenaltyTable.h"
#include "report/CRepGen.h"
#include "report/FieldCodesInternal.h"
#include "report/ReportTemplate.h"

using namespace report;

namespace {

const char kCaution0[] = "CAUTION: Accuracy-related penalties have been";
const char kCaution1[] = "         applied to more than the total tax.";

std::string DateText(Date d)
{
    char text[16];
    d.ToString(text, 0);
    return text;
}

std::string YesNo(int on) { return on ? "Yes" : "No"; }

// printf of one value into a string of at most CRepGen::kMaxValue characters.
template <typename T>
std::string Printf(const char* format, T value)
{
    char text[CRepGen::kMaxValue + 1];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Unjustified(double cents, int wholeDollars)
{
    char text[CRepGen::kMoneyTextSize];
    CRepGen::FormatMoney(text, cents, 1, 1, 1, wholeDollars);
    return text;
}

// Overwrites s from `at` with v, lengthening s where v runs past its end.
void Put(std::string& s, size_t at, const std::string& v)
{
    if (s.size() < at + v.size()) s.resize(at + v.size(), ' ');
    s.replace(at, v.size(), v);
}

// Over the events dated on or before the tax due date: taxes and debits
// less payments, deposits and credits.
double TaxThroughDueDate(CQRTCompute& c)
{
    const Date due = c.TaxDueDate();
    double sum = 0.0;
    for (int i = 0; i < CQRTCompute::kMaxEvents; ++i) {
        const CEvent* e = c.GetEvent(i);
        if (!e->m_date.isValid()) break;
        if (e->m_date > due) continue;
        if (e->m_type == kEventTax || e->m_type == kEventMotivatedTax || e->m_type == kEventDebit)
            sum += e->m_amount;
        else if (IsPaymentKind(e->m_type))
            sum -= e->m_amount;
    }
    return sum;
}

// The fraud amount that limits the base of a penalty kind: the 6663 amount
// for the accuracy-related kinds of 6662, the 6653(b) amount otherwise; 0
// when that fraud slot is off.
double FraudAmount(CQRTCompute& c, int kind)
{
    const int fraudSlot = kind >= 11 && kind <= 15 ? 16 : 4;
    const Penalties* fraud = c.GetPenalty(fraudSlot);
    return fraud->IsEnabled() ? static_cast<double>(fraud->m_amounts[0]) : 0.0;
}

uint32_t ActionBit(int code)
{
    switch (code) {
    case kJim0: return 1u;
    case kJim1: return 2u;
    case kEsum: return 4u;
    case kSumm: return 8u;
    default: return 0u;
    }
}

}  // namespace

std::string CRepGen::Money13(double cents) const
{
    char text[kMoneyTextSize];
    FormatMoney(text, cents, 1, 1, 1, m_compute != nullptr ? m_compute->WholeDollarMode() : 0);
    RightJustify(text, 13);
    return text;
}

std::string CRepGen::FieldValue(int code, int kind, int& width)
{
    width = code == kMonths || code == kCount || code == kRate ? 2 : 5;

    // Fields of the generator itself.
    switch (code) {
    case kDate: {
        if (!m_includeDate) return "";
        Date today;
        today.Today();
        return DateText(today);
    }
    case kTime: {
        if (!m_includeTime) return "";
        const std::time_t now = std::time(nullptr);
        struct tm local {};
        char text[32] = "";
        if (localtime_r(&now, &local) == nullptr || std::strftime(text, sizeof text, "%I:%M%p", &local) == 0)
            return "";
        for (char* p = text; *p != '\0'; ++p) *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        return text;
    }
    case kPage: return Printf("Page %d", m_numPages);
    case kTitle: return m_title;
    case kName: return m_taxpayerName;
    case kIdnm: return m_taxpayerId;
    case kDued: return DateText(m_computeDate);
    default: break;
    }
    if (m_compute == nullptr) return "";
    CQRTCompute& c = *m_compute;

    // Fields of the account.
    switch (code) {
    case kGact: return YesNo(c.GATTOn());
    case kAade: return c.HotInterest2() ? "  Yes" : "   No";
    case kAadf: return DateText(c.Hot30Day2());
    case kAadg: return DateText(c.HotApplicable2());
    case kSdat: return DateText(c.TaxDueDate());
    case kTtax: return Money13(TaxThroughDueDate(c));
    case kTtsd: return Money13(c.TotalTax() - TaxThroughDueDate(c));
    case kA30d: return DateText(c.Hot30Day());
    case kAadd: return DateText(c.HotApplicable());
    case kTend: return DateText(c.GetTable()->TableEndDate());
    case kTdes: {
        const char* d = c.GetTable()->Description();
        return std::string(d, strnlen(d, 93));
    }
    case kTnam: return c.GetTableName();
    case kP2ba: return Money13(c.GetPenalty(1)->IsEnabled() ? c.GetBaseAmount(1) : 0.0);
    default: break;
    }
    if (kind < 0 || kind >= CQRTCompute::kPenaltySlots) return "";

    // Fields of one penalty.
    const Penalties& p = *c.GetPenalty(kind);
    const double computed = c.TotalPenalty(kind) + c.TotalPenalty2(kind);
    switch (code) {
    case kAdda: return Money13(c.PenaltyAddedAmt(kind));
    case kAddd: return DateText(c.PenaltyAddedDate(kind));
    case kPnam: return penalty::SlotDescription(kind);
    case kD101:
    case kD102:
    case kD103:
    case kD104: {
        const int notice = code - kD101;
        if (!p.m_dates[notice].isValid()) return "";
        return (p.m_graceMask >> notice) & 1 ? "10 days" : "21 days";
    }
    case kAmt0:
    case kAmt1:
    case kAmt2:
    case kAmt3:
    case kAmt4: return Money13(p.m_amounts[code - kAmt0]);
    case kAlt0:
    case kAlt1:
    case kAlt2:
    case kAlt3:
    case kAlt4: return Unjustified(p.m_amounts[code - kAlt0], c.WholeDollarMode());
    case kPper: return Printf("%1.0lf%%", p.Value());
    case kPpf1: return YesNo(p.Flag(kPenaltyFraud));
    case kPpr1: return YesNo(p.Flag(kPenaltyMinimum));
    case kPpr2: return YesNo(p.Flag(kPenaltyTimely));
    case kDte10: return DateText(p.m_dates[10]);
    case kDte11: return DateText(p.m_dates[11]);
    case kDte0:
    case kDte1:
    case kDte2:
    case kDte3:
    case kDte4:
    case kDte5:
    case kDte6:
    case kDte7:
    case kDte8:
    case kDte9: return DateText(p.m_dates[code - kDte0]);
    // The end of the ten-day period after the date of slot 11.
    case kDPlus11: return DateText(p.m_dates[11].AddDays(10));
    case kA3aa: {
        double sum = 0.0;
        for (const auto& amount : p.m_amounts) sum += amount;
        return Money13(sum);
    }
    case kBase: return Money13(c.GetBaseAmount(kind));
    case kBas1: return Money13(c.GetBaseAmount(kind) - c.TenDayPayments(kind));
    case kBam0:
    case kBam1:
    case kBam2: return Money13(c.GetNegligenceBase(code - kBam0));
    case kPbcm: return Money13(std::max(0.0, computed - c.Reduction(kind)));
    case kPare: return Money13(std::min(computed, c.PenaltyMaximum(kind)));
    case kPbrd: return Money13(computed);
    case kIntp: return Money13(c.TotalPenalty2(kind));
    case kRedu: return Money13(c.Reduction(kind));
    case kPmax: return Money13(c.PenaltyMaximum(kind));
    case kPbin: return Money13(c.TotalPenalty(kind));
    case kPmin: return Money13(c.PenaltyMinimum(kind));
    case kMbas: return Money13(c.MaximumBase(kind));
    case kRed2: return Money13(c.Reduction2(kind));
    case kReal: return Money13(c.RealPenalty(kind));
    case kFrau: return Money13(FraudAmount(c, kind));
    case kMonths: return Printf("%2.0lf", static_cast<double>(p.m_amounts[1]));
    case kCount: return Printf("%d", static_cast<int>(p.m_monthCount));
    case kRate: return Printf("%2.0lf %%", p.Value());
    default: return "";
    }
}

void CRepGen::MergeTemplateFile(const char* name, int penaltyKind, int pageCheck)
{
    if (name == nullptr || name[0] == '\0') return;
    ReportTemplate lines;
    if (!lines.Load(name)) return;
    for (int i = 0; i < lines.LineCount(); ++i) {
        char work[kWorkLineSize];
        CopyToWorkLine(work, kWorkLineSize, lines.Line(i));
        MergeTemplateLine(work, penaltyKind, pageCheck, kWorkLineSize);
    }
}

int CRepGen::MergeTemplateLine(char* line, int penaltyKind, int pageCheck, int size)
{
    if (line == nullptr || size <= 0) return 0;
    const size_t limit = static_cast<size_t>(size - 1);
    std::string s(line, strnlen(line, limit));
    const char mark = static_cast<char>(kFieldMark);
    const Date taxDue = m_compute != nullptr ? m_compute->TaxDueDate() : Date();

    // The search for the next field starts after the last value written, so
    // a value holding the marker byte is never taken for a field.
    for (size_t pos = s.find(mark); pos != std::string::npos; pos = s.find(mark, pos)) {
        const size_t at = pos + 1;
        const bool further = s.find(mark, at) != std::string::npos;
        const int code = FindFieldCode(s.data() + at, s.size() - at);
        if (penaltyKind >= 0 && FieldRejected(code, penaltyKind, taxDue)) {
            line[0] = '\0';
            return 0;
        }

        if (const uint32_t bit = ActionBit(code); bit != 0) {
            line[0] = '\0';
            // A template loaded by an action cannot start that action again,
            // and a header or footer template cannot load another one: a
            // user's template can neither recurse nor multiply the report.
            const uint32_t loads = ActionBit(kJim0) | ActionBit(kJim1);
            if ((m_actionsRunning & bit) != 0 || ((bit & loads) != 0 && (m_actionsRunning & loads) != 0))
                return 0;
            m_actionsRunning |= bit;
            if (code == kJim0 || code == kJim1) {
                if (m_compute != nullptr && penaltyKind >= 0 && penaltyKind < CQRTCompute::kPenaltySlots)
                    MergeTemplateFile(code == kJim0 ? m_compute->PenHeader(penaltyKind)
                                                    : m_compute->PenFooter(penaltyKind),
                                      penaltyKind, pageCheck);
            } else if (code == kEsum) {
                PrintEventSummary(penaltyKind);
            } else {
                PrintSummaryBlock();
            }
            m_actionsRunning &= ~bit;
            return 0;
        }

        if (code == kVer) {
            // Blank the marker and "VER"; the version ends in the marker's
            // column (or starts at column 0 when it is longer than that).
            for (size_t i = pos; i < pos + 4 && i < s.size(); ++i) s[i] = ' ';
            const std::string value = m_versionString.substr(0, kMaxValue);
            const size_t start = value.size() > pos + 1 ? 0 : pos + 1 - value.size();
            Put(s, start, value);
            pos = std::max(pos + 1, start + value.size());
        } else if (code == kPna) {
            // The caution line of the accuracy check, or five spaces; the
            // line ends after it.
            std::string value = "     ";
            if (m_compute != nullptr && m_compute->AccuracyError()) {
                const char digit = at + 3 < s.size() ? s[at + 3] : '\0';
                value = digit == '0' ? kCaution0 : digit == '1' ? kCaution1 : "";
            }
            s.resize(pos);
            s += value;
            pos = s.size();
        } else {
            int width = 5;
            std::string value = FieldValue(code, penaltyKind, width);
            if (value.size() > kMaxValue) value.resize(kMaxValue);
            s[pos] = ' ';
            // From page 10 on, "Page nn" starts one column further left.
            const size_t start = code == kPage && m_numPages >= 10 && pos > 0 ? pos - 1 : pos;
            if (further) {
                Put(s, start, value);
                if (value.size() < static_cast<size_t>(width))
                    Put(s, start + value.size(), std::string(width - value.size(), ' '));
                pos = start + std::max(value.size(), static_cast<size_t>(width));
            } else {
                s.resize(start);
                s += value;
                pos = s.size();
            }
        }
        if (s.size() > limit) s.resize(limit);
        if (pos > s.size()) pos = s.size();
    }

    std::memcpy(line, s.data(), s.size());
    line[s.size()] = '\0';
    return OutputLine(line, pageCheck);
}
