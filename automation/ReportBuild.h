// The one place where the automation object turns a computed account into
// report text: BuildInterestAndPenaltyReport fills a BuiltReport (the
// report generator's buffer of NUL-ended lines and its page starts) from a
// compute object and the object's report options.
// BuildReport does the same for any report kind, with the same generator
// set-up, for qrtcalc --report.
// Tests: through CQRTEngine (report members and WriteReport) and qrtcalc.
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

// The report kinds a caller can ask for: the interest-and-penalty report
// (what the automation object's Report holds), the event summary, the
// interest detail without and with rate factors, the penalty detail, the
// payment allocation, the monthly accrual and the rate table listing.
enum class ReportKind { Full, Events, Interest, Factors, Penalties, Payments, Monthly, Rates };

// The kind named `name` ("full", "events", "interest", "factors",
// "penalties", "payments", "monthly", "rates"); false for any other name.
bool ReportKindFromName(const std::string& name, ReportKind* kind);

// Builds a report of `kind` from a computed account (the generator may run
// the computation again for its per-event and monthly figures; it ends as it
// was). 1 when built, 0 when the generator ran out of memory.
int BuildReport(CQRTCompute& compute, const ReportOptions& options, ReportKind kind, BuiltReport& report);

// BuildReport of ReportKind::Full. 1 when the report was built; 0 when it could not be (the generator ran out
// of memory), which the automation object reports as E_FAIL.
int BuildInterestAndPenaltyReport(CQRTCompute& compute, const ReportOptions& options, BuiltReport& report);
