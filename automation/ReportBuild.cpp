#include "automation/ReportBuild.h"

#include <algorithm>

#include "compute/CQRTCompute.h"
#include "report/CRepGen.h"

namespace {

struct KindName {
    const char* name;
    ReportKind kind;
};
constexpr KindName kKindNames[] = {
    {"full", ReportKind::Full},           {"events", ReportKind::Events},
    {"interest", ReportKind::Interest},   {"factors", ReportKind::Factors},
    {"penalties", ReportKind::Penalties}, {"payments", ReportKind::Payments},
    {"monthly", ReportKind::Monthly},     {"rates", ReportKind::Rates},
};

void Generate(CRepGen& gen, ReportKind kind)
{
    switch (kind) {
    case ReportKind::Full: gen.GenerateInterestAndPenaltyReport(); break;
    case ReportKind::Events: gen.GenerateMainScreenReport(1); break;
    case ReportKind::Interest:
        // The interest detail of the combined report, as a report of its own.
        gen.Title("INTEREST COMPUTATION DETAIL REPORT");
        gen.NewPage();
        gen.PrintGeneralHeading();
        gen.GenerateInterestDetail(0);
        break;
    case ReportKind::Factors: gen.GenerateInterestWithFactorsReport(); break;
    case ReportKind::Penalties: gen.GeneratePenaltyDetailReport(); break;
    case ReportKind::Payments: gen.GeneratePaymentAllocationReport(); break;
    case ReportKind::Monthly: gen.GenerateMonthlyAccrualReport(); break;
    case ReportKind::Rates: gen.GenerateRateTableReport(); break;
    }
}

}  // namespace

bool ReportKindFromName(const std::string& name, ReportKind* kind)
{
    for (const KindName& k : kKindNames)
        if (name == k.name) {
            *kind = k.kind;
            return true;
        }
    return false;
}

int BuildReport(CQRTCompute& compute, const ReportOptions& options, ReportKind kind, BuiltReport& report)
{
    report = BuiltReport();
    CRepGen gen;
    gen.SetCompute(&compute);
    gen.UseEventDescriptions(options.useEventDescriptions);
    gen.ComputeDate(options.computeDate);
    gen.IncludeHeader(options.includeHeader);
    for (int i = 0; i < 3; ++i) gen.Header(i, options.header[i]);
    gen.IncludeFooter(options.includeFooter);
    gen.Footer(options.footer);
    gen.TaxpayerName(options.taxpayerName);
    gen.TaxpayerId(options.taxpayerId);
    gen.FiscalYearEnd(options.fiscalYearEnd);
    gen.IncludeDate(options.includeDate);
    gen.IncludeTime(options.includeTime);
    gen.LinesPerPage(options.linesPerPage);
    gen.ForPrint(options.forPrint);
    Generate(gen, kind);
    // A kind that printed nothing (no payments for the allocation report)
    // has no page to close.
    if (gen.NumPages() > 0) gen.PlaceFinalFooter();
    if (gen.WriteFailed()) return 0;

    unsigned char* text = nullptr;
    long n = 0;
    gen.GetReport(&text, &n);
    report.buffer.assign(reinterpret_cast<const char*>(text), static_cast<size_t>(n));
    report.numPages = gen.NumPages();
    for (int i = 0; i < std::min(report.numPages, static_cast<int>(CRepGen::kMaxPages)); ++i)
        report.pageStarts.push_back(gen.TopLineOnPage(i));
    return 1;
}

int BuildInterestAndPenaltyReport(CQRTCompute& compute, const ReportOptions& options, BuiltReport& report)
{
    return BuildReport(compute, options, ReportKind::Full, report);
}
