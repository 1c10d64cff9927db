// qrtcalc --batch through the real program: input order kept with several
// threads, a bad line reported in its place while the rest compute, an empty
// input, and 10,000 lines whose results equal single runs of their accounts.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "RunQrtcalc.h"

namespace {

using nlohmann::json;

const char* const kExamples[] = {"late-payment.json", "overpayment-refund.json", "corporate-gatt-lcu.json",
                                 "motivated-tax.json"};

json Example(const char* name)
{
    std::ifstream in(std::string(QRT_SOURCE_DIR) + "/examples/" + name);
    return json::parse(in);
}

std::vector<json> Lines(const std::string& text)
{
    std::vector<json> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(json::parse(line));
    return out;
}

TEST(QrtcalcBatch, TenThousandLinesInOrderEqualSingleRunsWithABadLineInItsPlace)
{
    ScratchFolder folder;
    std::vector<json> single;
    for (const char* name : kExamples) {
        ProgramRun run = RunQrtcalc({"--json", std::string(QRT_SOURCE_DIR) + "/examples/" + name}, folder);
        ASSERT_EQ(run.status, 0) << run.err;
        single.push_back(json::parse(run.out));
    }
    std::string input;
    const int kLines = 10000;
    const int kBad = 4321;
    for (int i = 0; i < kLines; ++i) {
        if (i == kBad) {
            input += "{\"id\": 4321, \"settlement_date\": \"not a date\", \"events\": []}\n";
            continue;
        }
        json account = Example(kExamples[i % 4]);
        account["id"] = i;
        input += account.dump() + "\n";
    }
    const std::string file = folder.Write("accounts.jsonl", input);
    ProgramRun batch = RunQrtcalc({"--batch", file, "--threads", "4"}, folder);
    EXPECT_EQ(batch.status, 2) << batch.err;   // the worst line was bad input
    const std::vector<json> out = Lines(batch.out);
    ASSERT_EQ(out.size(), static_cast<size_t>(kLines));
    for (int i = 0; i < kLines; ++i) {
        ASSERT_EQ(out[i]["id"], i) << "line " << i + 1;
        if (i == kBad) {
            EXPECT_EQ(out[i]["line"], kBad + 1);
            EXPECT_EQ(out[i]["error"]["exit"], 2);
            EXPECT_NE(out[i]["error"]["message"].get<std::string>().find("settlement_date"), std::string::npos)
                << out[i];
            continue;
        }
        json result = out[i];
        result.erase("id");
        ASSERT_EQ(result, single[i % 4]) << "line " << i + 1;
    }
}

TEST(QrtcalcBatch, EmptyInputWritesNothingAndNonJsonLinesAreRefusedInPlace)
{
    ScratchFolder folder;
    ProgramRun empty = RunQrtcalc({"--batch", folder.Write("empty.jsonl", "")}, folder);
    EXPECT_EQ(empty.status, 0) << empty.err;
    EXPECT_EQ(empty.out, "");

    json good = Example("late-payment.json");
    const std::string text = "{not json\n\n[1, 2]\n" + good.dump() + "\n{\"id\": [1], \"events\": []}\n";
    ProgramRun run = RunQrtcalc({"--batch", folder.Write("mixed.jsonl", text), "--threads", "2"}, folder);
    EXPECT_EQ(run.status, 2);
    const std::vector<json> out = Lines(run.out);
    ASSERT_EQ(out.size(), 4u);   // the blank line is skipped
    EXPECT_EQ(out[0]["line"], 1);
    EXPECT_EQ(out[0]["error"]["exit"], 2);
    EXPECT_EQ(out[1]["line"], 3);
    EXPECT_EQ(out[2]["Taxes"], "12500.00");
    EXPECT_FALSE(out[2].contains("id"));
    EXPECT_EQ(out[3]["line"], 5);

    ProgramRun badThreads = RunQrtcalc({"--batch", "--threads", "0"}, folder);
    EXPECT_EQ(badThreads.status, 2);
    EXPECT_EQ(badThreads.out, "");
}

} // namespace
