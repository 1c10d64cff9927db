#include "automation/ReportBuild.h"

#include <cstdio>

#include "compute/CQRTCompute.h"

namespace {

void Line(BuiltReport& report, const std::string& text) {
    report.buffer += text.empty() ? std::string(" ") : text;  // a blank line is one space
    report.buffer += '\0';
}

std::string Dollars(double cents) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", cents / 100.0);
    return text;
}

}  // namespace

int BuildInterestAndPenaltyReport(CQRTCompute& compute, const ReportOptions& options, BuiltReport& report) {
    report = BuiltReport();
    report.numPages = 1;
    report.pageStarts.push_back(0);
    if (options.includeHeader) {
        for (const auto& h : options.header) Line(report, h);
        Line(report, "");
    }
    char date[16] = "";
    options.computeDate.ToString(date, 1);
    Line(report, "Interest and penalty summary through " + std::string(date));
    if (!options.taxpayerName.empty()) Line(report, "Taxpayer: " + options.taxpayerName);
    if (!options.taxpayerId.empty()) Line(report, "Taxpayer id: " + options.taxpayerId);
    Line(report, "Balance due: " + Dollars(compute.BalanceDue()));
    if (options.includeFooter) Line(report, options.footer);
    return 1;
}
