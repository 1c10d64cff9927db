// The event summary report: one line per event with the balance after it,
// then the closing lines with the balance at the computation date.
#include <string>

#include "compute/CQRTCompute.h"
#include "report/CRepGen.h"
#include "report/ReportLabels.h"
#include "report/ReportLineInternal.h"
#include "report/ReportTemplate.h"

using namespace report;

namespace {

// Columns of an event row: the row pattern starts at 39, the date at 41, the
// amount at 50 and the balance at 65; the line is cut at 79.
constexpr size_t kPatternColumn = 39;
constexpr size_t kDateColumn = 41;
constexpr size_t kAmountColumn = 50;
constexpr size_t kBalanceColumn = 65;
constexpr size_t kCheckColumn = 10;
constexpr size_t kLineWidth = 79;
// Labels from REPSUM22.DM for kinds 0 to 10; its later lines close the report.
constexpr int kKindLabelLines = 11;

std::string EventRow(const std::string& label, Date date)
{
    std::string line = label.substr(0, 40);
    line.resize(kPatternColumn, ' ');
    PutAt(line, kPatternColumn, "  ");
    PutAt(line, kDateColumn, ShortDate(date));
    return line;
}

std::string Cut(std::string line)
{
    if (line.size() > kLineWidth) line.resize(kLineWidth);
    return Trimmed(line);
}

}  // namespace

int CRepGen::GenerateMainScreenReport(int withSummary)
{
    if (m_compute == nullptr) return 0;
    CQRTCompute& c = *m_compute;
    const int hotAdded = c.Get6621cAdded();
    const Date hotDate = c.Get6621cDate();
    bool hotPrinted = false;

    m_title = withSummary ? "EVENT SUMMARY REPORT" : "INTEREST AND PENALTY DETAIL REPORT";
    NewPage();
    PrintGeneralHeading();
    ReportTemplate labels, columns;
    if (!labels.Load("REPSUM22.DM") || !columns.Load("REPMS.DM")) return 0;

    m_headingCount = 0;
    for (int i = 0; i < columns.LineCount(); ++i) {
        char work[kHeadingLineSize];
        CopyToWorkLine(work, kHeadingLineSize, columns.Line(i));
        MergeTemplateLine(work, -1, 1, kHeadingLineSize);
        if (m_headingCount < kMaxHeadings) m_headings[m_headingCount++] = columns.Line(i);
    }

    const auto printHotLine = [&]() {
        OutputString(Cut(EventRow(kHotInterestLine, hotDate)), 1);
        hotPrinted = true;
    };
    const int count = c.EventCount();
    for (int i = 0; i < count; ++i) {
        const CEvent& e = *c.GetEvent(i);
        if (hotAdded && !hotPrinted && e.m_date > hotDate) printHotLine();

        std::string label;
        if (m_useEventDescriptions && e.m_userName != nullptr && e.m_userName[0] != '\0')
            label = e.m_userName;
        else
            label = e.m_type < kKindLabelLines ? labels.Line(e.m_type) : EventReportLabel(e.m_type);
        std::string line = EventRow(label, e.m_date);

        // A refund check also shows the principal it holds, from column 10;
        // a label reaching that column keeps its text and gets that part on
        // the next line instead.
        std::string checkPart;
        if (e.m_type != kEventStopInterest && e.m_type != kEventStartInterest) {
            const double amount = IsPaymentKind(e.m_type) ? -e.m_amount : e.m_amount;
            PutAt(line, kAmountColumn, Money13(amount));
            if (e.m_type == kEventIRSCheck) checkPart = "(-High Rate" + Money13(e.m_gattAmount) + ")";
        }
        const bool checkBelow = !checkPart.empty() && label.size() >= kCheckColumn;
        if (!checkPart.empty() && !checkBelow) PutAt(line, kCheckColumn, checkPart);
        // Only the last event of a day shows the balance, so only it needs
        // the computation through that day: the figures are the same.
        const bool lastOfDay = i + 1 >= count || c.GetEvent(i + 1)->m_date != e.m_date;
        if (lastOfDay) {
            c.MainCompute(e.m_date, i, 0);
            PutAt(line, kBalanceColumn, Money13(c.BalanceDue()));
        }
        OutputString(Cut(line), 1);
        if (checkBelow) OutputString(std::string(kCheckColumn, ' ') + checkPart, 1);
    }
    if (hotAdded && !hotPrinted) printHotLine();

    c.MainCompute(m_computeDate, -1, 0);
    const std::string balance = Money13(c.BalanceDue());
    for (int i = kKindLabelLines; i < labels.LineCount(); ++i) {
        std::string line = labels.Line(i);
        const size_t first = line.find('\xAD');
        const size_t second = first == std::string::npos ? first : line.find('\xAD', first + 1);
        if (first != std::string::npos) line[first] = ' ';
        if (second != std::string::npos) line[second] = ' ';
        if (first != std::string::npos) PutAt(line, first, ShortDate(m_computeDate));
        if (second != std::string::npos) PutAt(line, second, balance);
        OutputString(Cut(line), 1);
    }

    m_headingCount = 0;
    WriteBlankLine();
    if (withSummary) {
        WriteBlankLine();
        PrintSummaryBlock();
    }
    return 1;
}
