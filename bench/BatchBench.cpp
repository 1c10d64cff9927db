// Accounts per second through the batch path, JSON in and JSON out.
//
// BM_Batch/threads:N runs `qrtcalc --batch FILE --threads N` on a file of
// typical accounts (one tax of $10,000, three payments, computed ten years on,
// each line with its own "id" and amounts varied by the line number) and
// reports the accounts per second of wall-clock time (the work is in the child
// process, so the benchmark's own CPU time says nothing). QRT_BATCH_ACCOUNTS
// sets the number of lines (default 100,000).
//
// BM_BatchLine is one line of that file through BatchAccountLine in this
// process (parse, compute, output document, dump): the cost one worker pays
// per account, for profiles.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "BatchAccount.h"

namespace {

std::string TypicalLine(long n)
{
    const long cents = 1000000 + n % 997;
    char line[512];
    std::snprintf(line, sizeof line,
                  "{\"id\":%ld,\"jurisdiction\":\"FEDERAL\",\"settlement_date\":\"2020-04-15\",\"events\":["
                  "{\"type\":\"Tax\",\"date\":\"2010-04-15\",\"amount\":\"%ld.%02ld\"},"
                  "{\"type\":\"Payment\",\"date\":\"2012-06-15\",\"amount\":\"3000.00\"},"
                  "{\"type\":\"Payment\",\"date\":\"2015-03-01\",\"amount\":\"4000.00\"},"
                  "{\"type\":\"Payment\",\"date\":\"2018-09-30\",\"amount\":\"5000.00\"}]}",
                  n, cents / 100, cents % 100);
    return line;
}

long BatchAccounts()
{
    const char* text = std::getenv("QRT_BATCH_ACCOUNTS");
    const long n = text != nullptr ? std::atol(text) : 0;
    return n > 0 ? n : 100000;
}

// A scratch folder holding the input file, removed at exit.
class BatchFolder {
public:
    BatchFolder()
    {
        char templ[] = "/tmp/qrt-batch-bench-XXXXXX";
        if (mkdtemp(templ) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_folder = templ;
        m_accounts = BatchAccounts();
        std::ofstream out(Input());
        for (long n = 0; n < m_accounts; ++n) out << TypicalLine(n) << '\n';
    }
    ~BatchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string Input() const { return (m_folder / "accounts.jsonl").string(); }
    long Accounts() const { return m_accounts; }

private:
    std::filesystem::path m_folder;
    long m_accounts = 0;
};

const BatchFolder& Folder()
{
    static BatchFolder folder;
    return folder;
}

// Runs qrtcalc --batch with its output thrown away; its exit status.
int RunQrtcalc(const std::string& input, int threads)
{
    const pid_t child = fork();
    if (child == 0) {
        std::FILE* sink = std::freopen("/dev/null", "w", stdout);
        (void)sink;
        const std::string n = std::to_string(threads);
        execl(QRTCALC_PATH, QRTCALC_PATH, "--batch", input.c_str(), "--threads", n.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_Batch(benchmark::State& state)
{
    const BatchFolder& folder = Folder();
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        if (RunQrtcalc(folder.Input(), threads) != 0) {
            state.SkipWithError("qrtcalc --batch failed");
            return;
        }
    }
    state.counters["accounts"] = static_cast<double>(folder.Accounts());
    state.counters["accounts_per_s"] = benchmark::Counter(static_cast<double>(folder.Accounts()) * state.iterations(),
                                                          benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Batch)->ArgName("threads")->Arg(1)->Arg(2)->UseRealTime()->Iterations(1)->Unit(benchmark::kSecond);

void BM_BatchLine(benchmark::State& state)
{
    setenv("QRT_ENGINE_DIR", QRT_DATA_DIR, 1);
    const std::string line = TypicalLine(7);
    CEngineRun run;
    size_t bytes = 0;
    for (auto _ : state) {
        const BatchLineResult result = BatchAccountLine(line, 1, run);
        if (result.exitClass != 0) {
            state.SkipWithError(result.json.c_str());
            return;
        }
        bytes = result.json.size();
        benchmark::DoNotOptimize(result.json.data());
    }
    state.counters["output_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BatchLine);

} // namespace
