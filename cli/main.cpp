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
#include "ReportOptions.h"
#include "ResultJson.h"
#include "ResultSummary.h"
#include "TableListing.h"
#include "WarningTexts.h"
#include "automation/CQRTEngine.h"
#include "automation/ReportFile.h"

namespace {

const char kUsage[] =
    "Usage: qrtcalc [--json] ACCOUNT.json     (\"-\" reads the account from standard input)\n"
    "       qrtcalc --report [KIND] [--output FILE] ACCOUNT.json\n"
    "                                        print a report (KIND: full (default), events,\n"
    "                                        interest, factors, penalties, payments,\n"
    "                                        monthly, rates); --output writes it to FILE\n"
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
    "  \"report\"           report options: include_header, header (up to 3 lines),\n"
    "                     include_footer, footer, taxpayer_name, taxpayer_id,\n"
    "                     lines_per_page (20-1000, default 60), for_print (form feeds\n"
    "                     between pages), use_event_descriptions, fiscal_year_end\n"
    "                     (month 1-12, default 12), include_date, include_time\n"
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

// The report of `kind` with its page starts: the full report as every
// automation client reads it (Report, NumPages, PageStart), the other kinds
// through the same generator set-up. False when it could not be built.
bool ReportOfKind(CQRTEngine& engine, ReportKind kind, std::string& text, std::vector<long>& pageStarts) {
    if (kind != ReportKind::Full) {
        BuiltReport report;
        if (engine.BuildReportOfKind(kind, &report) != S_OK) return false;
        text = ReportTextOfBuffer(report.buffer);
        pageStarts = report.pageStarts;
        return true;
    }
    int32_t pages = 0;
    if (engine.get_Report(&text) != S_OK || engine.get_NumPages(&pages) != S_OK) return false;
    for (int32_t i = 0; i < pages; ++i) {
        int32_t start = -1;
        if (engine.get_PageStart(i, &start) != S_OK) return false;
        pageStarts.push_back(start);
    }
    return true;
}

// Writes the report to standard output, or to `output` through a temporary
// file renamed into place; 0, or 3 when it could not be written.
int WriteReportText(const std::string& text, const std::string& output) {
    if (output.empty()) {
        std::cout << text;
        std::cout.flush();
        if (std::cout) return 0;
        std::cerr << "qrtcalc: cannot write the output\n";
        return 3;
    }
    CReportFile file;
    if (!file.Open(output, false)) {
        std::cerr << "qrtcalc: " << Printable(output) << ": cannot be written (missing folder, a folder, or no write permission)\n";
        return 3;
    }
    if (!file.Write(text) || !file.Commit()) {
        std::cerr << "qrtcalc: " << Printable(output) << ": the report could not be written; the file is unchanged\n";
        return 3;
    }
    return 0;
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
    bool json = false, report = false;
    ReportKind kind = ReportKind::Full;
    std::string file, tableName, output;
    enum class Task { Compute, Tables, Rates, Version } task = Task::Compute;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return std::cout.flush() ? 0 : 3;
        }
        if (arg == "--json") {
            json = true;
        } else if (arg == "--report") {
            report = true;
            // The kind is optional: an argument that names one is the kind.
            if (i + 1 < argc && ReportKindFromName(argv[i + 1], &kind)) ++i;
        } else if (arg == "--output") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                std::cerr << "qrtcalc: --output needs the name of the file to write\n";
                return 2;
            }
            output = argv[++i];
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
    if (report && json) {
        std::cerr << "qrtcalc: --report and --json cannot be combined\n";
        return 2;
    }
    if (!output.empty() && !report) {
        std::cerr << "qrtcalc: --output writes a report: give --report too\n";
        return 2;
    }
    if (task != Task::Compute && report) {
        std::cerr << "qrtcalc: --report takes an account file, not --tables, --rates or --version\n";
        return 2;
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
    if (!ReadReportOptions(document, *engine, problem)) return BadInput(name, problem.place + ": " + problem.message);

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
    if (report) {
        std::string text;
        std::vector<long> pageStarts;
        if (!ReportOfKind(*engine, kind, text, pageStarts)) {
            std::cerr << "qrtcalc: " << name << ": the report could not be built (out of memory)\n";
            return 1;
        }
        int32_t forPrint = 0;
        engine->get_Printing(&forPrint);
        if (int status = WriteReportText(ReportOutputText(text, pageStarts, forPrint != 0), output); status != 0)
            return status;
    } else if (json) {
        WriteResultJson(run, inputs, penalties, std::cout);
    } else {
        WriteResultSummary(name, *inputs, run, std::cout);
    }
    if (int status = Flushed(); status != 0) return status;
    if (run.AmountOutOfRange()) {
        std::cerr << "qrtcalc: " << name << ": " << kAmountOutOfRangeName << ": " << AmountOutOfRangeSentence() << "\n";
        return 1;
    }
    return 0;
}
