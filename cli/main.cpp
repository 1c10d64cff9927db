// qrtcalc: computes one taxpayer account described in a JSON file (or on
// standard input, "-") and prints the results, as the automation interface's
// Compute does; --tables, --rates NAME and --version describe the rate tables.
//
// Exit status: 0 computed; 1 the computation stopped on an input error of the
// account (no table for the jurisdiction, no events, an event before the
// table, a settlement date before the events), or computed figures that are
// not exact (AmountOutOfRange: the output is written, then the flag named on
// standard error); 2 bad input (command line,
// file, JSON, a value or a refused setting), nothing computed; 3 the output
// could not be written.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "AccountFile.h"
#include "AccountReader.h"
#include "BatchMode.h"
#include "ComputationError.h"
#include "DataDirectory.h"
#include "DollarText.h"
#include "JsonTree.h"
#include "ProgramVersion.h"
#include "ResultJson.h"
#include "ResultSummary.h"
#include "TableListing.h"
#include "WarningTexts.h"
#include "automation/CQRTEngine.h"

namespace {

const char kUsage[] =
    "Usage: qrtcalc [--json] ACCOUNT.json     (\"-\" reads the account from standard input)\n"
    "       qrtcalc --tables                 list the rate tables of the engine folder\n"
    "       qrtcalc --rates NAME             print the entries of rate table NAME\n"
    "       qrtcalc --version | --help\n"
    "\n"
    "Computes interest and penalties on the account described in ACCOUNT.json\n"
    "through its settlement date and prints a readable summary (or, with --json,\n"
    "one JSON object: the account as read, then the automation property names).\n"
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
    "One entry per penalty; an enabled \"lcu\" needs its 30-day letter or applicable date.\n"
    "\n"
    "Data: rate tables are read from $QRT_ENGINE_DIR, or when it is not set from the\n"
    "data folder installed with qrtcalc.\n"
    "\n"
    "Exit status: 0 computed; 1 the computation found an input error (no table for\n"
    "the jurisdiction, no events, an event before the table starts, a settlement date\n"
    "before the events), or a figure too large to be exact (AmountOutOfRange, past\n"
    "$90,071,992,547,409.92; the output is written but not usable); 2 bad input,\n"
    "nothing computed; 3 the output could not be written.\n";

int BadInput(const std::string& file, const std::string& message) {
    std::cerr << "qrtcalc: " << file << ": " << message << "\n";
    return 2;
}

// Finishes the output: 0, or 3 when it could not be written.
int Flushed() {
    std::cout.flush();
    if (std::cout) return 0;
    std::cerr << "qrtcalc: cannot write the output\n";
    return 3;
}

}  // namespace

int main(int argc, char** argv) {
    if (BatchRequested(argc, argv)) return RunBatch(argc, argv);
    bool json = false;
    std::string file, tableName;
    enum class Task { Compute, Tables, Rates, Version } task = Task::Compute;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return std::cout.flush() ? 0 : 3;
        }
        if (arg == "--json") {
            json = true;
        } else if (arg == "--version") {
            task = Task::Version;
        } else if (arg == "--tables") {
            task = Task::Tables;
        } else if (arg == "--rates") {
            if (i + 1 >= argc) {
                std::cerr << "qrtcalc: --rates needs the name of a rate table (--tables lists them)\n";
                return 2;
            }
            task = Task::Rates;
            tableName = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << "qrtcalc: unknown option \"" << Printable(arg) << "\"\n" << kUsage;
            return 2;
        } else if (!file.empty()) {
            std::cerr << "qrtcalc: one account file at a time (got \"" << file << "\" and \"" << arg << "\")\n";
            return 2;
        } else {
            file = arg;
        }
    }
    if (task != Task::Compute) {
        if (!file.empty()) {
            std::cerr << "qrtcalc: --tables, --rates and --version take no account file (got \"" << file << "\")\n";
            return 2;
        }
        UseShippedDataUnlessSet();
        std::string why;
        int status = 0;
        if (task == Task::Version) WriteProgramVersion(std::cout);
        if (task == Task::Tables) status = ListRateTables(std::cout, why);
        if (task == Task::Rates) status = PrintRateTable(tableName, std::cout, why);
        if (status != 0) {
            std::cerr << "qrtcalc: " << why << "\n";
            return status;
        }
        return Flushed();
    }
    if (file.empty()) {
        std::cerr << "qrtcalc: no account file given\n" << kUsage;
        return 2;
    }
    const std::string name = AccountName(file);

    std::string text, why;
    if (!ReadAccountText(file, text, why)) return BadInput(name, why);
    JsonValue document;
    if (!ParseJsonDocument(text, document, why)) return BadInput(name, "not valid JSON: " + Printable(why));
    // The account goes through the automation object, as every automation client's does.
    auto engine = std::make_unique<CQRTEngine>();
    CEngineInputs* inputs = &engine->Inputs();
    DATE settlement = -1;
    AccountProblem problem;
    std::vector<PenaltyEntryEcho> penalties;
    if (!ReadAccount(document, *inputs, settlement, problem, &penalties))
        return BadInput(name, problem.place + ": " + problem.message);

    UseShippedDataUnlessSet();
    const CEngineRun& run = engine->Run();
    if (engine->Compute(settlement) != S_OK) {
        std::cerr << "qrtcalc: " << name << ": the computation could not start (out of memory)\n";
        return 1;
    }
    std::string failure = ComputationError(run, *inputs);
    if (!failure.empty()) {
        std::cerr << "qrtcalc: " << name << ": the computation stopped on an input error, nothing was computed: "
                  << failure << "\n";
        return 1;
    }
    if (json)
        WriteResultJson(run, inputs, penalties, std::cout);
    else
        WriteResultSummary(name, *inputs, run, std::cout);
    if (int status = Flushed(); status != 0) return status;
    if (run.AmountOutOfRange()) {
        std::cerr << "qrtcalc: " << name << ": " << kAmountOutOfRangeName << ": " << AmountOutOfRangeSentence() << "\n";
        return 1;
    }
    return 0;
}
