// The one place where the automation object turns a computed account into
// report text: BuildInterestAndPenaltyReport fills a BuiltReport (the
// report generator's buffer of NUL-ended lines and its page starts) from a
// compute object and the object's report options.
// Until the report generator is linked in, the text is a short placeholder
// with the same layout rules (header lines, a footer line, one page), so that
// everything built on it (Report, NumPages, PageStart, WriteReport) works.
// Tests: through CQRTEngine (report members and WriteReport).
#pragma once

#include <string>
#include <vector>

#include "calendar/Date.h"

class CQRTCompute;

// The automation object's report properties, as handed to the generator.
struct ReportOptions {
    int useEventDescriptions = 0;
    Date computeDate;  // the settlement date
    int includeHeader = 0;
    std::string header[3];
    int includeFooter = 0;
    std::string footer, taxpayerName, taxpayerId;
    int fiscalYearEnd = 11;
    int includeDate = 0, includeTime = 0;
    int linesPerPage = 60;
    int forPrint = 0;
};

struct BuiltReport {
    std::string buffer;  // lines, each followed by one NUL byte
    int numPages = 0;
    std::vector<long> pageStarts;  // byte offset of page i in buffer, i < 100
};

// 1 when the report was built; 0 when it could not be (the generator ran out
// of memory), which the automation object reports as E_FAIL.
int BuildInterestAndPenaltyReport(CQRTCompute& compute, const ReportOptions& options, BuiltReport& report);
