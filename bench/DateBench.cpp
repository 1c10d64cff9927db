// Cost of the Date operations on the interest accrual's hot path: splitting a
// serial into month, day and year, building a date, and month arithmetic.
#include <benchmark/benchmark.h>

#include "calendar/CalendarInternal.h"
#include "calendar/Date.h"

namespace {

void BM_DateToMDY(benchmark::State& state)
{
    Date t;
    t.serial = 0;
    for (auto _ : state) {
        int m = 0, d = 0, y = 0;
        t.ToMDY(m, d, y);
        benchmark::DoNotOptimize(m + d + y);
        t.serial = static_cast<uint16_t>((t.serial + 97) % 65534);
    }
}
BENCHMARK(BM_DateToMDY);

void BM_DateSetDate(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        const Date t(1 + i % 12, 1 + i % 28, 54 + i % 170);
        benchmark::DoNotOptimize(t.serial);
        ++i;
    }
}
BENCHMARK(BM_DateSetDate);

void BM_DateAddMonths(benchmark::State& state)
{
    Date t(1, 31, 1990);
    int i = 0;
    for (auto _ : state) {
        const Date r = t.AddMonths(1 + i % 24);
        benchmark::DoNotOptimize(r.serial);
        ++i;
    }
}
BENCHMARK(BM_DateAddMonths);

void BM_MonthsAndDaysBetween(benchmark::State& state)
{
    const Date from(1, 30, 2001);
    Date to(3, 15, 2023);
    for (auto _ : state) {
        int months = 0, days = 0;
        MonthsAndDaysBetween(from, to, &months, &days);
        benchmark::DoNotOptimize(months + days);
        to.serial = static_cast<uint16_t>(from.serial + (to.serial - from.serial + 13) % 9000);
    }
}
BENCHMARK(BM_MonthsAndDaysBetween);

} // namespace
