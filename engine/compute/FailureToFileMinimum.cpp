#include "compute/FailureToFileMinimum.h"

namespace penalty {
namespace {

// One step of the schedule: returns required to be filed from 1 January of
// `fromYear` on have the minimum `cents`, until the next step. The statute
// sets the amount by the calendar year in which the return is required to be
// filed, and the revenue authority publishes the inflation adjustments each
// year: append a row when a new amount is published.
struct MinimumStep {
    int fromYear;
    double cents;
};

constexpr MinimumStep kSchedule[] = {
    {1954, 10000},  // $100
    {2009, 13500},  // $135
    {2016, 20500},  // $205
    {2018, 21000},  // $210
    {2020, 43500},  // $435
    {2023, 45000},  // $450
    {2024, 48500},  // $485
    {2025, 51000},  // $510
    {2026, 52500},  // $525
};

}  // namespace

double FailureToFileMinimum(Date returnDue) {
    if (!returnDue.isValid()) return 0.0;
    const int year = 1900 + returnDue.Year();
    double cents = 0.0;
    for (const MinimumStep& step : kSchedule) {
        if (year >= step.fromYear) cents = step.cents;
    }
    return cents;
}

}  // namespace penalty
