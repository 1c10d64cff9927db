// The account summary block (REPSUM.DM): amounts, what payments and deposits
// paid on them and the balance, line by line; field SUMM and the end of
// several reports.
#include <algorithm>
#include <string>
#include <vector>

#include "compute/CQRTCompute.h"
#include "report/CRepGen.h"
#include "report/ReportLabels.h"
#include "report/ReportLineInternal.h"
#include "report/ReportTemplate.h"

using namespace report;

namespace {

// The amount pattern appended to a label line: amount, paid by payments,
// paid by deposits and balance, each 13 columns from its position.
constexpr size_t kFigureOffsets[4] = {1, 16, 31, 46};
constexpr size_t kPatternWidth = 47;
// Labels take 19 columns (as the refund-check tax label does), so that the
// balance ends at column 78 of a 79-column line.
constexpr size_t kLabelWidth = 19;
// Room the block leaves below itself on a page.
constexpr int kRoomBelowSummary = 4;

// The figures of one numbered line: amount, its allocation category (-1 for
// lines without payment columns) and whether the line has figures at all.
struct LineFigures {
    bool figures = false;
    double amount = 0.0;
    int category = -1;
};

double EventSum(CQRTCompute& c, bool (*wanted)(int kind))
{
    double sum = 0.0;
    const int count = c.EventCount();
    for (int i = 0; i < count; ++i)
        if (wanted(c.GetEvent(i)->m_type)) sum += c.GetEvent(i)->m_amount;
    return sum;
}

LineFigures FiguresOf(CQRTCompute& c, int line)
{
    LineFigures f;
    f.figures = true;
    const auto penalty = [&](int slot) {
        f.amount = c.GetPenalty(slot)->IsEnabled() ? c.PenaltyAmount(slot) : 0.0;
        f.category = kCategoryFirstPenalty + slot;
    };
    switch (line) {
    case 2:
        f.amount = EventSum(c, [](int k) { return k == kEventTax || k == kEventDebit || k == kEventIRSCheck; });
        f.category = kCategoryTax;
        break;
    case 3: f.amount = c.InterestNormal(); f.category = kCategoryInterest; break;
    case 4:
        f.amount = EventSum(c, [](int k) { return k == kEventMotivatedTax; });
        f.category = kCategoryMotivatedTax;
        break;
    case 5: f.amount = c.InterestMotivated(); f.category = kCategoryMotivatedInterest; break;
    case 6: f.amount = c.InterestRefund(); break;
    case 7: f.amount = c.InterestGATT(); break;
    case 8: f.amount = c.InterestPenalty(); f.category = kCategoryPenaltyInterest; break;
    case 9:
        f.amount = EventSum(c, [](int k) { return IsUserPenaltyKind(k) != 0; });
        f.category = kCategoryUserPenalties;
        break;
    case 10: penalty(kPenalty6651a1); break;
    default:
        if ((line >= 11 && line <= 14) || (line >= 17 && line <= 32))
            penalty(line - 10);
        else
            f.figures = false;
        break;
    }
    return f;
}

// The line cut into pieces of at most 79 columns at spaces; pieces after
// the first start at column indent.
std::vector<std::string> Wrapped(std::string line, size_t indent)
{
    constexpr size_t kWidth = 79;
    std::vector<std::string> parts;
    while (line.size() > kWidth) {
        size_t cut = line.rfind(' ', kWidth);
        if (cut == std::string::npos || cut <= indent) cut = kWidth;
        parts.push_back(Trimmed(line.substr(0, cut)));
        const size_t next = line.find_first_not_of(' ', cut);
        line = std::string(indent, ' ') + (next == std::string::npos ? "" : line.substr(next));
    }
    parts.push_back(line);
    return parts;
}

}  // namespace

int CRepGen::PrintSummaryBlock()
{
    // The block's own page break repeats no column headings of the report
    // around it.
    const int32_t headings = m_headingCount;
    m_headingCount = 0;
    const int lines = PrintAccountSummary(1);
    if (m_lineOnPage > static_cast<long long>(m_linesPerPage) - lines - kRoomBelowSummary) {
        NewPage();
        PrintGeneralHeading();
    }
    const int printed = PrintAccountSummary(0);
    m_headingCount = headings;
    return printed;
}

int CRepGen::PrintAccountSummary(int measureOnly)
{
    if (m_compute == nullptr) return 0;
    CQRTCompute& c = *m_compute;
    ReportTemplate summary;
    if (!summary.Load("REPSUM.DM")) return 0;

    // What payments (kinds 2 and 8) and deposits (kind 3) paid per category;
    // what deposits left unallocated stays on the tax line.
    double paid[kCategoryCount] = {}, deposited[kCategoryCount] = {};
    double unallocated = 0.0;
    bool check = false;
    const int events = c.EventCount();
    for (int i = 0; i < events; ++i) {
        const CEvent& e = *c.GetEvent(i);
        if (e.m_type == kEventIRSCheck) check = true;
        if (!IsPaymentKind(e.m_type)) continue;
        double* into = e.m_type == kEventDeposit ? deposited : paid;
        double allocated = 0.0;
        if (e.m_allocation != nullptr)
            for (int k = 0; k < kCategoryCount; ++k) {
                into[k] += e.m_allocation->m_payment[k];
                allocated += e.m_allocation->m_payment[k];
            }
        if (e.m_type == kEventDeposit) {
            deposited[kCategoryTax] -= e.m_balof;
            unallocated += e.m_amount - allocated;
        }
    }

    double totals[4] = {};
    int count = 0;
    for (int n = 0; n < summary.LineCount(); ++n) {
        std::string line = summary.Line(n);
        if (!line.empty() && line[0] == '*') continue;
        if (n == 2 && check) line = kTaxOrCheckLine;
        const char first = line.empty() ? ' ' : line[0];
        const bool text = first == ' ' || first == '-' || first == '=';

        if (!text) {
            // A label line: its figures, or the column totals on a label line
            // past the numbered ones.
            const LineFigures f = FiguresOf(c, n);
            double figures[4] = {};
            bool payColumns = true;
            if (f.figures) {
                payColumns = f.category >= 0;
                figures[0] = f.amount;
                if (payColumns) {
                    figures[1] = -paid[f.category];
                    figures[2] = -deposited[f.category] - (n == 2 ? unallocated : 0.0);
                }
                figures[3] = figures[0] + figures[1] + figures[2];
            } else {
                for (int k = 0; k < 4; ++k) figures[k] = totals[k];
            }
            const bool any = figures[0] != 0.0 || figures[1] != 0.0 || figures[2] != 0.0;
            if (n >= 2 && n <= 34 && !any) continue;
            ++count;
            if (measureOnly) continue;
            // Labels are padded to the width of the longest built-in one, so
            // the columns stay in place whatever a user's template trims.
            if (line.size() < kLabelWidth) line.resize(kLabelWidth, ' ');
            line.append(kPatternWidth, ' ');
            const size_t base = line.size() - kPatternWidth;
            for (int k = 0; k < 4; ++k) {
                if (k == 1 || k == 2) {
                    if (!payColumns) continue;
                }
                PutAt(line, base + kFigureOffsets[k], Money13(figures[k]));
                if (f.figures) totals[k] += figures[k];
            }
            OutputString(Trimmed(line), 1);
            continue;
        }

        if (const size_t at = line.find('~'); at != std::string::npos) {
            line.replace(at, 1, ShortDate(m_computeDate));
        } else if (const size_t at = line.find('@'); at != std::string::npos) {
            std::string name = c.GetTableName();
            if (name.size() < 12) name.resize(12, ' ');
            line.replace(at, 1, name + c.GetTable()->Description());
        } else if (const size_t at = line.find('&'); at != std::string::npos) {
            line.replace(at, 1, ShortDate(c.GetTable()->TableEndDate()) + " "
                                    + (c.GetTable()->GetHeader()->m_reservedA[0] != 0 ? "USER Table" : "NRB Table"));
        }
        // A table description of up to 93 characters does not fit behind
        // its name: the rest goes on further lines under the name.
        const size_t indent = std::min(line.find_first_not_of(' ', line.find(':') + 1), size_t{40});
        for (const std::string& part : Wrapped(Trimmed(line), indent)) {
            ++count;
            if (!measureOnly) OutputString(part, 1);
        }
    }

    if (!measureOnly && c.AccuracyPenaltyCheck()) {
        WriteBlankLine();
        WriteBlankLine();
        OutputLine("CAUTION: Accuracy-related penalties have been", 1);
        OutputLine("         applied to more than the total tax.", 1);
    }
    return count;
}
