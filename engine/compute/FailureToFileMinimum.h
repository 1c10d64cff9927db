// FailureToFileMinimum: the minimum failure-to-file penalty of section
// 6651(a), by the date the return is required to be filed.
//
// The amount is in cents. The rule around it (the lesser of this amount and
// the tax required to be shown; none when the return is received less than
// 60 days late) belongs to the failure-to-file computation.
// Constant data: any thread.
// Tests: the amount on both sides of every step of the schedule.
#pragma once

#include "calendar/Date.h"

namespace penalty {

// Minimum penalty in cents for a return required to be filed on `returnDue`:
// $100 before 2009, $135 for 2009-2015, $205 for 2016-2017, $210 for
// 2018-2019, $435 for 2020-2022, $450 for 2023, $485 for 2024, $510 for 2025
// and $525 from 2026 on (until the schedule is extended). 0 when `returnDue`
// is not a valid date.
double FailureToFileMinimum(Date returnDue);

}  // namespace penalty
