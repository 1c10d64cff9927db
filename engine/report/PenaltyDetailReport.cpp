// The penalty computation detail: one section per enabled penalty, each from
// the penalty's own template, failure to file (slot 23) first.
#include "compute/CQRTCompute.h"
#include "compute/PenaltyTable.h"
#include "report/CRepGen.h"
#include "report/ReportRows.h"
#include "report/ReportTemplate.h"

int CRepGen::GeneratePenaltyDetailReport()
{
    if (m_compute == nullptr) return 0;
    int sections = 0;
    auto print = [&](int kind) {
        if (m_compute->GetPenalty(kind)->IsEnabled() && PrintPenaltySection(kind) > 0) ++sections;
    };
    print(kPenalty6651a1);
    // 22 (6621(c) interest) belongs to the interest detail; 23 came first.
    for (int kind = 0; kind < kPenalty6621c; ++kind) print(kind);
    return sections;
}

int CRepGen::PrintPenaltySection(int kind)
{
    if (m_compute == nullptr || kind < 0 || kind >= CQRTCompute::kPenaltySlots) return 0;
    // A kind without a template prints nothing, not even an empty page.
    ReportTemplate lines;
    if (!lines.Load(penalty::SlotTemplate(kind))) return 0;
    const int pagesBefore = m_numPages;
    NewPage();
    m_title = "PENALTY COMPUTATION DETAIL REPORT";
    // A section's template carries its own page top; the column headings of
    // an earlier report do not belong on its pages.
    m_headingCount = 0;
    for (int i = 0; i < lines.LineCount(); ++i) report::MergeAndOutput(*this, lines.Line(i), kind);
    return m_numPages - pagesBefore;
}
