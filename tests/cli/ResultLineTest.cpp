// The batch output line written directly (ResultLine) against the document it
// stands for: the --json object with the "id" first, dumped on one line. Every
// shipped example (penalty slots among them) and a few accounts that reach
// the odd corners (refund interest, a payment before the tax, a motivated
// tax, names and ids that need escaping or hold UTF-8, a float id) must
// give the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "AccountReader.h"
#include "BatchAccount.h"
#include "JsonText.h"
#include "JsonTree.h"
#include "ResultJson.h"
#include "ResultLine.h"

namespace {

using ordered_json = nlohmann::ordered_json;

// The line as the document path writes it.
std::string DocumentLine(const std::string& text)
{
    JsonValue document;
    std::string why;
    EXPECT_TRUE(ParseJsonDocument(text, document, why)) << why;
    ordered_json id;
    for (auto it = document.members.begin(); it != document.members.end(); ++it) {
        if (it->first != "id") continue;
        id = it->second.type == JsonValue::Type::String ? ordered_json(it->second.text)
                                                         : ordered_json::parse(it->second.text);
        document.members.erase(it);
        break;
    }
    auto inputs = std::make_unique<CEngineInputs>();
    DATE settlement = -1;
    AccountProblem problem;
    std::vector<PenaltyEntryEcho> penalties;
    EXPECT_TRUE(ReadAccount(document, *inputs, settlement, problem, &penalties)) << problem.message;
    CEngineRun run;
    EXPECT_EQ(run.Compute(*inputs, settlement), S_OK);
    ordered_json doc;
    if (!id.is_null()) doc["id"] = id;
    doc.update(ResultDocument(run, inputs.get(), penalties));
    return CompactJson(doc);
}

std::string OneLine(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return CompactJson(ordered_json::parse(s.str()));
}

std::string Account(const std::string& id, const std::string& table, const std::string& events)
{
    return "{" + id + "\"jurisdiction\":\"" + table + "\",\"settlement_date\":\"2021-04-15\",\"events\":[" + events + "]}";
}

TEST(ResultLineTest, TheDirectLineEqualsTheDumpedDocument)
{
    setenv("QRT_ENGINE_DIR", QRT_DATA_DIR, 1);
    std::vector<std::string> lines;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(QRT_SOURCE_DIR) + "/examples")) {
        const std::string line = OneLine(entry.path().string());
        lines.push_back(line);
        lines.push_back("{\"id\":\"" + entry.path().filename().string() + "\"," + line.substr(1));
    }
    const std::string tax = "{\"type\":\"Tax\",\"date\":\"2015-04-15\",\"amount\":\"2500.00\"}";
    const std::string pay = "{\"type\":\"Payment\",\"date\":\"2017-01-03\",\"amount\":\"3100.00\"}";
    const std::string motivated = "{\"type\":\"MotivatedTax\",\"date\":\"1985-04-15\",\"amount\":\"500.00\"}";
    lines.push_back(Account("\"id\":12,", "FEDERAL", tax + "," + pay));            // overpaid: refund interest
    lines.push_back(Account("\"id\":-1.5e300,", "FEDERAL", motivated + "," + pay)); // a motivated tax, a float id
    lines.push_back(Account("\"id\":\"a \\\"quoted\\\"\\n id \\u00e9\",", "FEDERAL", tax));
    lines.push_back(Account("", "FEDERAL", pay + "," + tax));                        // paid before the tax
    lines.push_back(Account("\"id\":\"\xc3\xbc\",", "FEDERAL",
                            "{\"type\":\"Tax\",\"date\":\"2015-04-15\",\"amount\":1,\"name\":\"caf\xc3\xa9 \\\\ \\t\"}"));
    for (const std::string& line : lines) {
        CEngineRun run;
        const BatchLineResult result = BatchAccountLine(line, 1, run);
        ASSERT_EQ(result.exitClass, 0) << result.json;
        EXPECT_EQ(result.json, DocumentLine(line)) << line;
    }
}

// Doubles as the batch writes them (their texts kept per thread by bits)
// against the library's dump: random bit patterns, and a few values again and
// again so that kept texts are found, shared and replaced.
TEST(ResultLineTest, DoublesAreWrittenAsTheDumpWritesThem)
{
    std::mt19937_64 rng(11);
    const double again[] = {3.0, 0.02890135725458509, 1e-05, -0.0, 0.0, 1e300, 5e-324};
    for (int n = 0; n < 20000; ++n) {
        double x = again[n % 7];
        if (n % 3 == 0) {
            const uint64_t bits = rng();
            std::memcpy(&x, &bits, sizeof x);
        }
        std::string text;
        AppendJsonDouble(text, x);
        ASSERT_EQ(text, CompactJson(nlohmann::ordered_json(x))) << n;
    }
}

} // namespace
