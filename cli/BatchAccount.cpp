// BatchAccountLine: see BatchAccount.h.
#include "BatchAccount.h"

#include <memory>

#include <nlohmann/json.hpp>

#include "AccountFields.h"
#include "AccountReader.h"
#include "ComputationError.h"
#include "JsonTree.h"
#include "ResultLine.h"

namespace {

using ordered_json = nlohmann::ordered_json;

BatchLineResult Refused(const ordered_json& id, long lineNumber, const std::string& message, int exitClass)
{
    ordered_json doc;
    if (!id.is_null()) doc["id"] = id;
    doc["line"] = lineNumber;
    doc["error"] = {{"message", message}, {"exit", exitClass}};
    return {CompactJson(doc), exitClass};  // a caller's bad UTF-8 replaced, never a stop
}

}  // namespace

BatchLineResult BatchAccountLine(const std::string& text, long lineNumber, CEngineRun& run)
{
    JsonValue document;
    std::string why;
    if (!ParseJsonDocument(text, document, why)) return Refused(nullptr, lineNumber, "not valid JSON: " + Printable(why), 2);
    if (document.type != JsonValue::Type::Object)
        return Refused(nullptr, lineNumber, std::string("the line is ") + JsonTypeName(document.type) + ", not an account object", 2);

    // The "id" is the caller's, copied to the output; the account reader
    // refuses every key it does not know, so it is taken out first.
    ordered_json id;
    for (auto it = document.members.begin(); it != document.members.end(); ++it) {
        if (it->first != "id") continue;
        if (it->second.type == JsonValue::Type::String) id = it->second.text;
        else if (it->second.type == JsonValue::Type::Number) id = ordered_json::parse(it->second.text, nullptr, false);
        if (it->second.type != JsonValue::Type::String && (it->second.type != JsonValue::Type::Number || id.is_discarded()))
            return Refused(nullptr, lineNumber, std::string("\"id\" must be a string or a number, not ") + JsonTypeName(it->second.type), 2);
        document.members.erase(it);
        break;
    }

    auto inputs = std::make_unique<CEngineInputs>();
    DATE settlement = -1;
    AccountProblem problem;
    std::vector<PenaltyEntryEcho> penalties;
    if (!ReadAccount(document, *inputs, settlement, problem, &penalties))
        return Refused(id, lineNumber, problem.place + ": " + problem.message, 2);
    if (run.Compute(*inputs, settlement) != S_OK)
        return Refused(id, lineNumber, "the computation could not start (out of memory)", 1);
    const std::string failure = ComputationError(run, *inputs);
    if (!failure.empty()) return Refused(id, lineNumber, failure, 1);

    return {ResultLine(run, *inputs, penalties, id), 0};
}

BatchLineResult BatchLineTooLong(long lineNumber)
{
    return Refused(nullptr, lineNumber, "the line is longer than 16 MiB; an account is far smaller", 2);
}
