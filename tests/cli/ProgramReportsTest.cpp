// qrtcalc --report: every kind of every shipped example against its reviewed
// text (tests/report/golden/, rewritten by tools/update-report-goldens), the
// account summary against the computation's balance, the "report" options
// and the output file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "RunQrtcalc.h"

namespace {

namespace fs = std::filesystem;

const char* const kKinds[] = {"full", "events", "interest", "factors", "penalties", "payments", "monthly", "rates"};

std::vector<std::string> Examples()
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(std::string(QRT_SOURCE_DIR) + "/examples"))
        if (e.path().extension() == ".json") names.push_back(e.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A line diff (longest common subsequence): "-" expected only, "+" actual
// only, with line numbers; at most 40 lines of it.
std::string Diff(const std::string& expected, const std::string& actual)
{
    const auto a = SplitLines(expected), b = SplitLines(actual);
    std::vector<std::vector<int>> common(a.size() + 1, std::vector<int>(b.size() + 1, 0));
    for (size_t i = a.size(); i-- > 0;)
        for (size_t j = b.size(); j-- > 0;)
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    std::ostringstream out;
    int shown = 0;
    size_t i = 0, j = 0;
    while ((i < a.size() || j < b.size()) && shown < 40) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            ++i, ++j;
        } else if (j < b.size() && (i == a.size() || common[i][j + 1] >= common[i + 1][j])) {
            out << "+" << j + 1 << ": " << b[j] << "\n";
            ++j, ++shown;
        } else {
            out << "-" << i + 1 << ": " << a[i] << "\n";
            ++i, ++shown;
        }
    }
    return out.str();
}

std::string EngineDir() { return std::string(QRT_DATA_DIR) + "/"; }

// The last money figure of a line ("<1,234.50>" is -1234.50), in cents.
long long LastFigureCents(const std::string& line)
{
    std::string figure = line.substr(line.find_last_of(' ') + 1);
    const bool negative = figure.front() == '<';
    figure.erase(std::remove_if(figure.begin(), figure.end(), [](char c) { return c == ',' || c == '<' || c == '>'; }),
                 figure.end());
    const long long cents = std::llround(std::stod(figure) * 100.0);
    return negative ? -cents : cents;
}

TEST(QrtcalcReports, EveryKindOfEveryExampleMatchesItsReviewedText)
{
    ScratchFolder folder;
    for (const std::string& example : Examples())
        for (const char* kind : kKinds) {
            const std::string name = fs::path(example).stem().string() + "." + kind + ".txt";
            SCOPED_TRACE(name);
            const ProgramRun run = RunQrtcalc({"--report", kind, example}, folder, EngineDir());
            ASSERT_EQ(run.status, 0) << run.err;
            const std::string expected = ReadFile(std::string(QRT_SOURCE_DIR) + "/tests/report/golden/" + name);
            EXPECT_TRUE(run.out == expected) << "report differs from tests/report/golden/" << name
                                             << " (tools/update-report-goldens rewrites it):\n"
                                             << Diff(expected, run.out);
        }
}

// The summary's balance, the closing line and the computation agree.
TEST(QrtcalcReports, AccountSummaryBalanceIsTheBalanceDue)
{
    ScratchFolder folder;
    for (const std::string& example : Examples()) {
        SCOPED_TRACE(example);
        const ProgramRun json = RunQrtcalc({"--json", example}, folder, EngineDir());
        ASSERT_EQ(json.status, 0) << json.err;
        const std::string balance = nlohmann::json::parse(json.out)["Balance"].get<std::string>();
        const long long due = std::llround(std::stod(balance) * 100.0);
        const ProgramRun report = RunQrtcalc({"--report", "events", example}, folder, EngineDir());
        ASSERT_EQ(report.status, 0) << report.err;
        int checked = 0;
        for (const std::string& line : SplitLines(report.out))
            if (line.rfind("Totals ", 0) == 0 || line.rfind("Balance due at the computation date", 0) == 0) {
                EXPECT_EQ(LastFigureCents(line), due) << line;
                ++checked;
            }
        EXPECT_EQ(checked, 2);
    }
}

TEST(QrtcalcReports, ReportOptionsShapeTheText)
{
    ScratchFolder folder;
    const std::string account = folder.Write("a.json", R"({"settlement_date": "2023-06-30",
        "events": [{"type": "Tax", "date": "2022-04-18", "amount": 1000}],
        "report": {"include_header": true, "header": ["Firm & Partners", "", "Draft"], "include_footer": true,
                   "footer": "Prepared for review", "taxpayer_name": "A. Taxpayer", "taxpayer_id": "123-45-6789",
                   "lines_per_page": 20, "for_print": true, "fiscal_year_end": 6}})");
    const ProgramRun run = RunQrtcalc({"--report", "full", account}, folder, EngineDir());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = SplitLines(run.out);
    ASSERT_GT(lines.size(), 40u);
    EXPECT_EQ(lines[0], "Firm & Partners");
    EXPECT_NE(run.out.find("Taxpayer:      A. Taxpayer"), std::string::npos);
    EXPECT_NE(run.out.find("123-45-6789"), std::string::npos);
    EXPECT_EQ(run.out.find("*****"), std::string::npos) << "for print: no separator lines";
    // Pages of 20 lines and a footer line: each later page starts with a
    // form feed before its first header line.
    const size_t feeds = std::count(run.out.begin(), run.out.end(), '\f');
    EXPECT_GE(feeds, 1u);
    for (size_t at = run.out.find('\f'); at != std::string::npos; at = run.out.find('\f', at + 1)) {
        EXPECT_EQ(run.out[at - 1], '\n');
        EXPECT_EQ(run.out.compare(at + 1, 15, "Firm & Partners"), 0);
        EXPECT_EQ(run.out.compare(at - 20, 20, "Prepared for review\n"), 0);
    }

    // --output: the same text in the file, no temporary file left beside it.
    const std::string target = folder.Path() + "/report.txt";
    const ProgramRun written = RunQrtcalc({"--report", "--output", target, account}, folder, EngineDir());
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_TRUE(written.out.empty());
    EXPECT_EQ(ReadFile(target), run.out);
    int files = 0;
    for (const auto& e : fs::directory_iterator(folder.Path())) files += e.path().filename().string().rfind("REP", 0) == 0;
    EXPECT_EQ(files, 0);
}

TEST(QrtcalcReports, BadReportRequestsAreRefusedWithExit2)
{
    struct Row {
        const char* report;  // the "report" member, or the command line's extra words
        const char* message;
    };
    const Row rows[] = {
        {R"({"colour": true})", "unknown key \"colour\""},
        {R"({"lines_per_page": 5})", "report.lines_per_page: expected a whole number from 20 to 1000"},
        {R"({"lines_per_page": "60"})", "report.lines_per_page"},
        {R"({"fiscal_year_end": 13})", "report.fiscal_year_end: expected a whole number from 1 to 12"},
        {R"({"header": ["a", "b", "c", "d"]})", "report.header: expected an array of up to three lines"},
        {R"({"header": ["\f"]})", "report.header[0]: expected printable text"},
        {R"({"for_print": 1})", "report.for_print"},
        {R"({"taxpayer_name": 7})", "report.taxpayer_name: expected a string"},
        {R"([])", "report"},
    };
    ScratchFolder folder;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.report);
        const std::string account = folder.Write("bad.json", std::string(R"({"settlement_date": "2023-06-30",
            "events": [{"type": "Tax", "date": "2022-04-18", "amount": 1000}], "report": )") + r.report + "}");
        const ProgramRun run = RunQrtcalc({"--report", account}, folder, EngineDir());
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(r.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    const std::string account = folder.Write("good.json", R"({"settlement_date": "2023-06-30",
        "events": [{"type": "Tax", "date": "2022-04-18", "amount": 1000}]})");
    const std::vector<std::vector<std::string>> commands = {
        {"--report", "--json", account}, {"--output", "x.txt", account}, {"--report", "--output"}};
    for (const auto& args : commands) EXPECT_EQ(RunQrtcalc(args, folder, EngineDir()).status, 2) << args[0] << args[1];
    // An output file in a missing folder: nothing written, exit 3.
    const ProgramRun missing =
        RunQrtcalc({"--report", "--output", folder.Path() + "/no/such/r.txt", account}, folder, EngineDir());
    EXPECT_EQ(missing.status, 3);
    EXPECT_FALSE(fs::exists(folder.Path() + "/no"));
}

}  // namespace
