// Cost of the computation: one period of ComputeInterest under each method,
// a typical account (ReallocPayments + MainCompute, daily and monthly mode),
// accounts of 10, 100 and 1000 events, the full report of those accounts,
// and the floor the typical account cannot go below: its pow calls alone.
//
// The accounts use the federal table of the data folder, copied into a
// scratch folder that the program makes its current folder and its engine
// folder (so that no file of the source tree is read or written but the
// table it copies).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "compute/CQRTCompute.h"
#include "report/CRepGen.h"

// Every allocation of the program is counted, so that the account benchmarks
// can report their allocations per computation.
std::atomic<long> g_allocations{0};

void* operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}
// g++ 12 sees the replaced operator new inlined beside free() and warns of a
// mismatch; both sides are malloc/free here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

// The scratch folder, made once before the first benchmark runs and removed
// at exit.
class ScratchEngineFolder {
public:
    ScratchEngineFolder()
    {
        char templ[] = "/tmp/qrt-bench-XXXXXX";
        if (mkdtemp(templ) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_folder = templ;
        std::filesystem::copy_file(std::filesystem::path(QRT_DATA_DIR) / "FEDERAL.TB3", m_folder / "FEDERAL.TB3");
        // The report templates, for BM_Report.
        for (const auto& entry : std::filesystem::directory_iterator(QRT_DATA_DIR))
            if (entry.path().extension() == ".DM") std::filesystem::copy_file(entry.path(), m_folder / entry.path().filename());
        std::filesystem::current_path(m_folder);
        setenv("QRT_ENGINE_DIR", m_folder.c_str(), 1);
        // The engine keeps the decoded table of a file only once the file is
        // older than its trust margin (2 s); a table file copied a moment ago
        // would be read and decoded at every computation.
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    }
    ~ScratchEngineFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path("/", ignored);
        std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::filesystem::path m_folder;
};

void EnterScratchFolder()
{
    static ScratchEngineFolder folder;
}

void SetEvent(CQRTCompute& c, int i, int kind, Date date, double cents)
{
    CEvent* e = c.GetEvent(i);
    e->m_type = static_cast<uint16_t>(kind);
    e->m_date = date;
    e->m_amount = cents;
    e->m_gattAmount = cents;
}

// One tax of $10,000 on the return due date of 2010, three payments, and the
// computation ten years on, under the federal table.
const Date kTypicalThrough(4, 15, 2020);

std::unique_ptr<CQRTCompute> TypicalAccount()
{
    auto c = std::make_unique<CQRTCompute>();
    c->SetTableName("FEDERAL");
    SetEvent(*c, 0, 0, Date(4, 15, 2010), 1000000);
    SetEvent(*c, 1, 2, Date(6, 15, 2012), 300000);
    SetEvent(*c, 2, 2, Date(3, 1, 2015), 400000);
    SetEvent(*c, 3, 2, Date(9, 30, 2018), 500000);
    return c;
}

// n events over thirty years (1991 to 2021), taxes and payments in turn.
const Date kAccountThrough(12, 31, 2021);

std::unique_ptr<CQRTCompute> AccountOf(int n)
{
    auto c = std::make_unique<CQRTCompute>();
    c->SetTableName("FEDERAL");
    const Date first(1, 2, 1991);
    const int spacing = 11000 / n;
    for (int i = 0; i < n; ++i) {
        const bool tax = i % 2 == 0;
        SetEvent(*c, i, tax ? 0 : 2, first.AddDays(i * spacing),
                 tax ? 100000.0 + (i * 37) % 50000 : 80000.0 + (i * 53) % 40000);
    }
    return c;
}

// One iteration allocates the payments and computes the account; the
// counters give the allocations of one iteration (the first one, which fills
// the object's spare records, aside) and the periods of its final run.
void RunAccount(benchmark::State& state, CQRTCompute& c, Date through, int monthly)
{
    c.ReallocPayments(CQRTCompute::kMaxEvents);
    c.MainCompute(through, -1, monthly);
    const long before = g_allocations.load();
    for (auto _ : state) {
        // As the automation object's Compute runs it.
        benchmark::DoNotOptimize(c.ReallocAndCompute(through, monthly));
        benchmark::DoNotOptimize(c.BalanceDue());
    }
    if (c.BalanceDue() == 0.0 && c.InterestNormal() == 0.0) state.SkipWithError("the account computed nothing");
    int periods = 0;
    for (const ComputeResults* head : {c.NormalBase(), c.MotivatedBase(), c.PenaltyBase()})
        for (const ComputeResults* r = head; r != nullptr; r = r->m_next) ++periods;
    state.counters["allocs"] = static_cast<double>(g_allocations.load() - before) / static_cast<double>(state.iterations());
    state.counters["periods"] = periods;
}

struct MethodCase {
    const char* name;
    int method;
};
const MethodCase kMethods[] = {{"OldIRS", 0},  {"Simple", 1},       {"Daily", 2},
                               {"Monthly", 3}, {"SumOfFactors", 4}, {"MonthlyWholeMonths", 5}};

// One quarter (90 days) at 7 percent on $10,000.
void BM_ComputeInterest(benchmark::State& state, int method)
{
    auto c = std::make_unique<CQRTCompute>();
    ComputeResults r;
    const Date start(1, 1, 2019);
    const Date end(4, 1, 2019);
    double sum = 0.0;
    for (auto _ : state) {
        c->ComputeInterest(1000000.0, start, end, method, 365.0, 7.0, 7.0, &r);
        sum += r.m_interest;
        benchmark::DoNotOptimize(sum);
    }
}

// The per-method benchmarks are registered by name, BM_ComputeInterest/Daily
// and so on.
[[maybe_unused]] const int kRegistered = [] {
    for (const MethodCase& m : kMethods)
        benchmark::RegisterBenchmark((std::string("BM_ComputeInterest/") + m.name).c_str(), BM_ComputeInterest,
                                     m.method);
    return 0;
}();

void BM_TypicalAccount(benchmark::State& state)
{
    EnterScratchFolder();
    auto c = TypicalAccount();
    RunAccount(state, *c, kTypicalThrough, 0);
}
BENCHMARK(BM_TypicalAccount);

void BM_TypicalAccountMonthly(benchmark::State& state)
{
    EnterScratchFolder();
    auto c = TypicalAccount();
    RunAccount(state, *c, kTypicalThrough, 1);
}
BENCHMARK(BM_TypicalAccountMonthly);

void BM_Account(benchmark::State& state)
{
    EnterScratchFolder();
    const int n = static_cast<int>(state.range(0));
    auto c = AccountOf(n);
    RunAccount(state, *c, kAccountThrough, 0);
    state.counters["events"] = n;
}
BENCHMARK(BM_Account)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The full interest-and-penalty report of a computed account of n events (as
// the automation object's Report builds it): the event summary computes the
// balance after every day with events, then the interest detail and summary.
void BM_Report(benchmark::State& state)
{
    EnterScratchFolder();
    const int n = static_cast<int>(state.range(0));
    auto c = AccountOf(n);
    c->ReallocPayments(CQRTCompute::kMaxEvents);
    c->MainCompute(kAccountThrough, -1, 0);
    long bytes = 0;
    for (auto _ : state) {
        CRepGen gen;
        gen.SetCompute(c.get());
        gen.ComputeDate(kAccountThrough);
        gen.GenerateInterestAndPenaltyReport();
        gen.PlaceFinalFooter();
        unsigned char* text = nullptr;
        gen.GetReport(&text, &bytes);
        benchmark::DoNotOptimize(text);
    }
    if (bytes < 1000) state.SkipWithError("the report is empty (templates missing?)");
    state.counters["events"] = n;
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Report)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The periods the typical account computes (every record of the three lists
// of each MainCompute run: one per payment allocated, and the final run) as
// the pow argument pairs of the daily method.
std::vector<std::pair<double, double>> TypicalPowCalls(int* periods)
{
    auto c = TypicalAccount();
    std::vector<std::pair<double, double>> calls;
    auto collect = [&]() {
        for (const ComputeResults* head : {c->NormalBase(), c->MotivatedBase(), c->PenaltyBase()})
            for (const ComputeResults* r = head; r != nullptr; r = r->m_next)
                if (r->m_days > 0)   // a period of no days computes no power
                    calls.emplace_back(1.0 + r->m_rate / 100.0 / 365.0, static_cast<double>(r->m_days));
    };
    c->SortEvents(-1);
    for (int i = 0; i < CQRTCompute::kMaxEvents && c->GetEvent(i)->m_date.isValid(); ++i) {
        if (!IsPaymentKind(c->GetEvent(i)->m_type)) continue;
        c->MainCompute(c->GetEvent(i)->m_date, i, 0);
        collect();
        c->AllocatePayment(i);
    }
    c->MainCompute(kTypicalThrough, -1, 0);
    collect();
    *periods = static_cast<int>(calls.size());
    return calls;
}

void BM_PowFloor(benchmark::State& state)
{
    EnterScratchFolder();
    int periods = 0;
    const auto calls = TypicalPowCalls(&periods);
    for (auto _ : state) {
        double sum = 0.0;
        for (const auto& [base, days] : calls) {
            double b = base;
            benchmark::DoNotOptimize(b);   // keeps each call a real pow
            sum += std::pow(b, days);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["periods"] = periods;
}
BENCHMARK(BM_PowFloor);

} // namespace
