// qrtcalc: computes one taxpayer account described in a JSON file and prints
// the results, as the automation interface's Compute does.
//
// Exit status: 0 computed; 1 the computation stopped on an input error of the
// account (no table for the jurisdiction, no events, an event before the
// table, a settlement date before the events); 2 bad input (command line,
// file, JSON, a value or a refused setting), nothing computed; 3 the output
// could not be written.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "AccountReader.h"
#include "BatchMode.h"
#include "ComputationError.h"
#include "DataDirectory.h"
#include "DollarText.h"
#include "JsonTree.h"
#include "ResultJson.h"
#include "ResultSummary.h"
#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"

namespace {

constexpr std::streamoff kMaxFileBytes = 16 * 1024 * 1024;

const char kUsage[] =
    "Usage: qrtcalc [--json] ACCOUNT.json\n"
    "       qrtcalc --help\n"
    "\n"
    "Computes interest and penalties on the account described in ACCOUNT.json\n"
    "through its settlement date and prints a readable summary (or, with --json,\n"
    "one JSON object keyed by the automation property names).\n"
    "\n"
    "Account file (one JSON object; unknown keys are errors):\n"
    "  \"jurisdiction\"     rate table name (default \"FEDERAL\")\n"
    "  \"settlement_date\"  \"YYYY-MM-DD\" (required)\n"
    "  \"whole_dollars\"    true/false (default false)\n"
    "  \"gatt\"             {\"enabled\": bool, \"threshold\": amount} (default off, 10000.00)\n"
    "  \"lcu\"              {\"enabled\", \"thirty_day_letter\", \"applicable\",\n"
    "                      \"restart_enabled\", \"restart_thirty_day_letter\",\n"
    "                      \"restart_applicable\"} (dates \"YYYY-MM-DD\" or null)\n"
    "  \"events\"           up to 1000 of {\"type\", \"date\", \"amount\", \"gatt_amount\", \"name\"};\n"
    "                     type: Tax, MotivatedTax, Payment, Deposit, UserPenalty,\n"
    "                     StopInterest, StartInterest, IRSCheck\n"
    "  \"penalties\"        [{\"Enable6662CPenalty\": {\"cyAmountSubject\": \"4000.00\",\n"
    "                       \"dReturnDue\": \"2021-04-15\"}}, ...] (Enable... method names\n"
    "                     and their parameters without bEnable)\n"
    "Amounts are dollars, as numbers or decimal strings (\"1234.56\"), at most two decimals.\n"
    "\n"
    "Data: rate tables are read from $QRT_ENGINE_DIR, or when it is not set from the\n"
    "data folder installed with qrtcalc.\n"
    "\n"
    "Exit status: 0 computed; 1 the computation found an input error (no table for\n"
    "the jurisdiction, no events, an event before the table starts, a settlement date\n"
    "before the events); 2 bad input, nothing computed; 3 the output could not be written.\n";

int BadInput(const std::string& file, const std::string& message) {
    std::cerr << "qrtcalc: " << file << ": " << message << "\n";
    return 2;
}

int ReadFile(const std::string& path, std::string& text, std::string& why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = std::string("cannot open the file: ") + std::strerror(errno);
        return 0;
    }
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) {
        why = "cannot read the file (is it a folder?)";
        return 0;
    }
    if (size > kMaxFileBytes) {
        why = "the file is larger than 16 MiB; an account file is far smaller";
        return 0;
    }
    in.seekg(0, std::ios::beg);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        why = "cannot read the file";
        return 0;
    }
    text = buffer.str();
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (BatchRequested(argc, argv)) return RunBatch(argc, argv);
    bool json = false;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return std::cout.flush() ? 0 : 3;
        }
        if (arg == "--json") {
            json = true;
        } else if (!arg.empty() && arg[0] == '-') {
            std::cerr << "qrtcalc: unknown option \"" << arg << "\"\n" << kUsage;
            return 2;
        } else if (!file.empty()) {
            std::cerr << "qrtcalc: one account file at a time (got \"" << file << "\" and \"" << arg << "\")\n";
            return 2;
        } else {
            file = arg;
        }
    }
    if (file.empty()) {
        std::cerr << "qrtcalc: no account file given\n" << kUsage;
        return 2;
    }

    std::string text, why;
    if (!ReadFile(file, text, why)) return BadInput(file, why);
    JsonValue document;
    if (!ParseJsonDocument(text, document, why)) return BadInput(file, "not valid JSON: " + Printable(why));
    auto inputs = std::make_unique<CEngineInputs>();
    DATE settlement = -1;
    AccountProblem problem;
    if (!ReadAccount(document, *inputs, settlement, problem))
        return BadInput(file, problem.place + ": " + problem.message);

    UseShippedDataUnlessSet();
    CEngineRun run;
    if (run.Compute(*inputs, settlement) != S_OK) {
        std::cerr << "qrtcalc: " << file << ": the computation could not start (out of memory)\n";
        return 1;
    }
    std::string failure = ComputationError(run, *inputs);
    if (!failure.empty()) {
        std::cerr << "qrtcalc: " << file << ": " << failure << "\n";
        return 1;
    }
    if (json)
        WriteResultJson(run, std::cout);
    else
        WriteResultSummary(file, *inputs, run, std::cout);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "qrtcalc: cannot write the output\n";
        return 3;
    }
    return 0;
}
