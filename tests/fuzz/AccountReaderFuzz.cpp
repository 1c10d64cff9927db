// Fuzzes qrtcalc's account reader and its "report" options: any bytes must
// either be refused with a message or read into the automation inputs and the
// object's report options, without a crash or a leak.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "AccountReader.h"
#include "JsonTree.h"
#include "ReportOptions.h"
#include "automation/EngineInputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CEngineInputs* inputs = new CEngineInputs;  // 1000 event slots: made once
    std::string text(reinterpret_cast<const char*>(data), size);
    JsonValue document;
    std::string error;
    if (!ParseJsonDocument(text, document, error)) return 0;
    DATE settlement = -1;
    AccountProblem problem;
    std::vector<PenaltyEntryEcho> penalties;  // the echo of the applied entries
    ReadAccount(document, *inputs, settlement, problem, &penalties);
    static CQRTEngine* engine = new CQRTEngine;
    ReadReportOptions(document, *engine, problem);
    return 0;
}
