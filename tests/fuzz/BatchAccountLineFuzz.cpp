// Feeds arbitrary bytes to qrtcalc's batch mode as one JSON Lines line. The
// line must be computed or refused, never crash: the output is one JSON
// object (the refusal {"id", "line", "error": {"message", "exit"}} with exit
// 1 or 2), without a line break. The engine folder is a scratch copy of the
// shipped data, as a line may name a generated table that is then written.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "BatchAccount.h"
#include "FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CEngineRun* run = [] {
        const std::string& folder = fuzz::Folder("/tmp/qrt-fuzz-batch-XXXXXX");
        std::filesystem::copy_file(std::string(QRT_DATA_DIR) + "/FEDERAL.TB3", folder + "FEDERAL.TB3");
        setenv("QRT_ENGINE_DIR", folder.c_str(), 1);
        return new CEngineRun;  // kept: one engine run for every input, as a batch thread has
    }();
    const std::string line(reinterpret_cast<const char*>(data), size);
    const BatchLineResult r = BatchAccountLine(line, 7, *run);
    if (r.json.find('\n') != std::string::npos || r.exitClass < 0 || r.exitClass > 2) std::abort();
    const nlohmann::json out = nlohmann::json::parse(r.json, nullptr, false);
    if (!out.is_object()) std::abort();
    if (r.exitClass != 0 && (out.value("line", 0) != 7 || !out.contains("error") ||
                             out["error"].value("exit", 0) != r.exitClass))
        std::abort();
    return 0;
}
