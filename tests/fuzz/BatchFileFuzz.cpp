// Fuzzes whole batch-edit command files run by the batch edit against real
// tables in a scratch folder holding two tables, A.TB3 and B.TB3. Whatever
// the file holds, the run must end without a crash and with a message; a run
// that did not succeed must leave every file of the folder (less the command
// file and the Backup folder) byte for byte as it was, with no new table; a
// run that did succeed must leave only readable tables.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "BatchEdit.h"
#include "../tableedit/batch/ScriptedPrompts.h"
#include "FuzzScratch.h"
#include "ratetable/InterestRateTable.h"

namespace {

namespace fs = std::filesystem;
using Answer = tableedit::EditorPrompts::Answer;

std::map<std::string, std::string> Tables(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name == "cmd.csv" || name == "Backup") continue;
        std::ifstream in(e.path(), std::ios::binary);
        files[name] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

void MakeTable(const std::string& path, Date start, double rate) {
    InterestRateTable t;
    t.SetStartingDate(0, start);
    t.SetMethod(0, kDaily);
    t.SetNRate(0, rate);
    t.SetDPY(0, 365);
    std::string p = path;
    if (!t.Save(p)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = fuzz::Folder("/tmp/qrt-fuzz-batch-XXXXXX");
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path(), ec);
    MakeTable(dir + "A.TB3", Date(1, 1, 2024), 8);
    MakeTable(dir + "B.TB3", Date(1, 1, 2025), 7);
    fuzz::WriteInput(dir + "cmd.csv", data, size);
    const auto before = Tables(dir);

    // Yes and No in turn, so both ways on from a duplicate are taken.
    ScriptedPrompts prompts;
    for (int i = 0; i < 16; ++i) prompts.answers.push_back(i % 2 ? Answer::No : Answer::Yes);
    tableedit::CBatchEdit batch(prompts);
    const tableedit::BatchResult result = batch.Run(dir, "cmd.csv");
    if (prompts.messages.empty()) std::abort();
    for (const std::string& m : prompts.messages) {
        if (m.empty()) std::abort();
    }
    const auto after = Tables(dir);
    if (result != tableedit::BatchResult::Done) {
        if (after != before) std::abort();
        return 0;
    }
    for (const auto& [name, bytes] : after) {
        InterestRateTable t;
        if (!t.Read(dir + name, 0, 0)) std::abort();
    }
    return 0;
}
